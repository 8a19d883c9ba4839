// Time from process start to the login window shown (offscreen), beside a
// minimal Qt program showing one empty window, measured alternately in one run.
// Usage: startup [runs]   (default 20)
#include "BenchSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double timeToShown(const QString& program)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    p.start(program, {});
    while (p.waitForReadyRead(10000)) {
        if (p.readAll().contains("shown"))
            break;
    }
    const double s = t.nsecsElapsed() / 1e9;
    p.waitForFinished(10000);
    return s;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

using namespace bench;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? atoi(argv[1]) : 20;
    const QString dir = QCoreApplication::applicationDirPath();
    std::vector<double> ventoria, minimal;
    for (int i = 0; i < runs; ++i) {
        minimal.push_back(timeToShown(dir + QStringLiteral("/startup_probe_minimal")));
        ventoria.push_back(timeToShown(dir + QStringLiteral("/startup_probe_ventoria")));
    }
    Figure login{QStringLiteral("start to the login shown"), QStringLiteral("median of %1 runs").arg(runs)};
    login.seconds = median(ventoria);
    login.baselineName = QStringLiteral("minimal Qt window");
    login.baseline = median(minimal);
    login.target = 2 * login.baseline;
    login.targetRule = QStringLiteral("2 x minimal");
    std::printf("startup: process start to the first window shown, offscreen\n");
    print(login);
    return 0;
}
