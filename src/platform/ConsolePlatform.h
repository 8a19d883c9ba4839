#pragma once

#include "platform/Platform.h"

namespace platform {

// The platform in force until another is installed, for where no user
// interface runs (benchmarks, tools): nothing blocks. Messages go to
// standard error, every question is answered No, every dialog cancelled,
// the shell refuses, the busy pointer is not shown. A tool that must answer
// otherwise derives from it.
class ConsolePlatform : public Platform
{
public:
    void showMessage(const QString& text) override;
    void showTaskMessage(const QString& caption, const QString& text, MessageIcon icon) override;
    void showKeyFilterMessage(QWidget* owner, const QString& text) override;
    bool askYesNo(const QString& caption, const QString& text) override;
    bool printDialog(QWidget* owner, int& copies) override;
    std::unique_ptr<PrintCanvas> beginPixelDocument(const QString& jobName, PageOrientation orientation) override;
    std::unique_ptr<PrintCanvas> beginMetricDocument(const QString& jobName, PageOrientation orientation) override;
    QString openFileDialog(QWidget* owner, const QString& title, const QStringList& filters) override;
    QString browseFolder(QWidget* owner, const QString& prompt) override;
    bool openDocument(const QString& path) override;
    bool openFolder(const QString& path) override;
    bool openUrl(const QString& url) override;
    bool openMailto(const QString& mailto) override;
    void setBusy(bool busy) override;
    QDate today() override;
    QTime now() override;

protected:
    static void print(const QString& caption, const QString& text);
};

} // namespace platform
