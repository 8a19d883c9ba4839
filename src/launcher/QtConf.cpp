#include "launcher/QtConf.h"

#include "platform/AppDir.h"

#include <QFileInfo>

namespace QtConf {
namespace {

// Looked at before the application object exists: Qt reads the file while
// that object is made.
QString confPath()
{
    const QString folder = AppDir::executableFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/qt.conf");
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
