#include "platform/Platform.h"

#include <cstdio>

namespace platform {
namespace {

// Used only where no user interface runs (benchmarks, tools): nothing blocks.
class ConsolePlatform final : public Platform
{
public:
    void showMessage(const QString& text) override { print(applicationTitle(), text); }
    void showTaskMessage(const QString& caption, const QString& text, MessageIcon) override
    {
        print(caption, text);
    }
    void showKeyFilterMessage(QWidget*, const QString& text) override
    {
        print(QStringLiteral("Operazione annullata"), text);
    }
    bool askYesNo(const QString&, const QString&) override { return false; }
    bool printDialog(QWidget*, int&) override { return false; }
    std::unique_ptr<PrintCanvas> beginPixelDocument(const QString&, PageOrientation) override { return nullptr; }
    std::unique_ptr<PrintCanvas> beginMetricDocument(const QString&, PageOrientation) override { return nullptr; }
    QString openFileDialog(QWidget*, const QString&, const QStringList&) override { return {}; }
    QString browseFolder(QWidget*, const QString&) override { return {}; }
    bool openDocument(const QString&) override { return false; }
    bool openFolder(const QString&) override { return false; }
    bool openUrl(const QString&) override { return false; }
    bool openMailto(const QString&) override { return false; }
    void setBusy(bool) override {}
    QDate today() override { return QDate::currentDate(); }
    QTime now() override { return QTime::currentTime(); }

private:
    static void print(const QString& caption, const QString& text)
    {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(caption), qPrintable(text));
    }
};

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
