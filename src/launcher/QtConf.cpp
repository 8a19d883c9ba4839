#include "launcher/QtConf.h"

#include <QFileInfo>

namespace QtConf {
namespace {

// Before the application object exists, Qt cannot say where the executable
// is; the system's link to the running program can.
QString confPath()
{
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return program.isEmpty() ? QString() : QFileInfo(program).absolutePath() + QStringLiteral("/qt.conf");
}

} // namespace

bool usable()
{
    const QString path = confPath();
    if (path.isEmpty())
        return true;
    const QFileInfo conf(path);
    // A link is looked at itself: what it points to may be a FIFO too.
    if (conf.isSymLink())
        return false;
    return !conf.exists() || conf.isFile();
}

QString refusal()
{
    return QStringLiteral("Ventoria: %1 non è un file regolare; il programma non può partire.").arg(confPath());
}

} // namespace QtConf
