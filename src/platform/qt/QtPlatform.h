#pragma once

#include "platform/Platform.h"

#include <memory>

class QPrinter;

namespace platform {

// The platform as the user meets it: Qt message boxes, the print dialog and
// printer, file dialogs and the desktop's shell.
class QtPlatform final : public Platform
{
public:
    QtPlatform();
    ~QtPlatform() override;

    void showMessage(const QString& text) override;
    void showTaskMessage(const QString& caption, const QString& text, MessageIcon icon) override;
    void showKeyFilterMessage(QWidget* owner, const QString& text) override;
    bool askYesNo(const QString& caption, const QString& text) override;
    Answer askYesNoCancel(const QString& caption, const QString& text) override;

    bool printDialog(QWidget* owner, int& copies) override;
    std::unique_ptr<PrintCanvas> beginPixelDocument(const QString& jobName, PageOrientation orientation) override;
    std::unique_ptr<PrintCanvas> beginMetricDocument(const QString& jobName, PageOrientation orientation) override;
    QStringList printers() override;
    bool usePrinter(const QString& name) override;
    bool printerIsPdfFile(const QString& name) override;
    bool usePdfFile(const QString& path) override;
    bool printerWritesFile() override;

    QString openFileDialog(QWidget* owner, const QString& title, const QStringList& filters) override;
    QString browseFolder(QWidget* owner, const QString& prompt) override;
    QString saveFileDialog(QWidget* owner, const QString& title, const QString& proposedPath,
                           const QStringList& filters) override;
    QString documentsFolder() override;

    bool openDocument(const QString& path) override;
    bool openFolder(const QString& path) override;
    bool openUrl(const QString& url) override;
    bool openMailto(const QString& mailto) override;

    void setBusy(bool busy) override;

    QDate today() override;
    QTime now() override;

private:
    std::unique_ptr<QPrinter> m_printer;   // the printer chosen last, in the print dialog or by name
};

// Loads Qt's own Italian texts, so the standard buttons ("Sì", "No",
// "Annulla") and the print and file dialogs speak the program's language.
// False when the translations are not installed.
bool loadItalianTranslations();

// Whether the installed printer of that name writes a file instead of
// paper (each document sent to it asks where to save).
bool isFileWritingPrinter(const QString& name);

// Installs the Qt platform unless another one (a test double) is in force.
void installQtPlatformIfNone();

} // namespace platform
