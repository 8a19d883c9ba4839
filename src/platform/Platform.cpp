#include "platform/Platform.h"

#include "platform/ConsolePlatform.h"

#include <QDir>

#include <cstdio>

namespace platform {

QString Platform::documentsFolder()
{
    return QDir::homePath();
}

QString openFailureMessage(const QString& path)
{
    return QStringLiteral("Attenzione: nel sistema non c'è un programma per aprire il file\n\r\n\r")
           + QDir::toNativeSeparators(path)
           + QStringLiteral("\n\r\n\rAprire il file con un programma adatto partendo dal percorso indicato.");
}

bool openDocumentOrTell(const QString& path)
{
    Platform& p = current();
    if (p.openDocument(path))
        return true;
    p.showMessage(openFailureMessage(path));
    return false;
}

void ConsolePlatform::showMessage(const QString& text)
{
    print(applicationTitle(), text);
}

void ConsolePlatform::showTaskMessage(const QString& caption, const QString& text, MessageIcon)
{
    print(caption, text);
}

void ConsolePlatform::showKeyFilterMessage(QWidget*, const QString& text)
{
    print(QStringLiteral("Operazione annullata"), text);
}

bool ConsolePlatform::askYesNo(const QString&, const QString&) { return false; }
bool ConsolePlatform::printDialog(QWidget*, int&) { return false; }

std::unique_ptr<PrintCanvas> ConsolePlatform::beginPixelDocument(const QString&, PageOrientation)
{
    return nullptr;
}

std::unique_ptr<PrintCanvas> ConsolePlatform::beginMetricDocument(const QString&, PageOrientation)
{
    return nullptr;
}

QString ConsolePlatform::openFileDialog(QWidget*, const QString&, const QStringList&) { return {}; }
QString ConsolePlatform::browseFolder(QWidget*, const QString&) { return {}; }
bool ConsolePlatform::openDocument(const QString&) { return false; }
bool ConsolePlatform::openFolder(const QString&) { return false; }
bool ConsolePlatform::openUrl(const QString&) { return false; }
bool ConsolePlatform::openMailto(const QString&) { return false; }
void ConsolePlatform::setBusy(bool) {}
QDate ConsolePlatform::today() { return QDate::currentDate(); }
QTime ConsolePlatform::now() { return QTime::currentTime(); }

void ConsolePlatform::print(const QString& caption, const QString& text)
{
    std::fprintf(stderr, "[%s] %s\n", qPrintable(caption), qPrintable(text));
}

namespace {

ConsolePlatform& fallback()
{
    static ConsolePlatform p;
    return p;
}

Platform* installed = nullptr;

} // namespace

Platform& current()
{
    return installed ? *installed : static_cast<Platform&>(fallback());
}

Platform* install(Platform* p)
{
    Platform* previous = installed;
    installed = p;
    return previous;
}

bool isInstalled()
{
    return installed != nullptr;
}

} // namespace platform
