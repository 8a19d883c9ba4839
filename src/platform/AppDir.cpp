#include "platform/AppDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString& AppDir::overridePath()
{
    static QString dir;
    return dir;
}

QString AppDir::path()
{
    const QString& dir = overridePath();
    if (!dir.isEmpty())
        return dir;
    return QCoreApplication::applicationDirPath();
}

QString AppDir::filePath(const QString& fileName)
{
    QString dir = path();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return (dir + fileName).trimmed();
}

void AppDir::setPath(const QString& dir)
{
    overridePath() = QDir::cleanPath(dir);
}

QString AppDir::executableFolder()
{
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return program.isEmpty() ? QString() : QFileInfo(program).absolutePath();
}
