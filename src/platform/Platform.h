#pragma once

#include "platform/PrintCanvas.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include <memory>

class QWidget;

namespace platform {

enum class MessageIcon { None, Information, Warning, Question };

// The only door to the outside world: message boxes, questions, printing,
// file and folder dialogs, the shell, the busy pointer and the clock.
// The Qt implementation is installed by the application; tests install a
// double that records what was shown and answers from a script.
class Platform
{
public:
    virtual ~Platform() = default;

    // Plain box: the application title as caption, no icon, one OK button.
    virtual void showMessage(const QString& text) = 0;
    // Task-modal box with a caption of its own and an icon, one OK button.
    virtual void showTaskMessage(const QString& caption, const QString& text, MessageIcon icon) = 0;
    // Box of a key filter, owned by the screen, captioned "Operazione annullata", no icon.
    virtual void showKeyFilterMessage(QWidget* owner, const QString& text) = 0;
    // Yes/No question with a question icon; true for Yes.
    virtual bool askYesNo(const QString& caption, const QString& text) = 0;
    // Yes/No/Cancel question with a question icon ("Sì", "No", "Annulla").
    // Where a system has no such box, a Yes/No question stands in for it.
    enum class Answer { Yes, No, Cancel };
    virtual Answer askYesNoCancel(const QString& caption, const QString& text)
    {
        return askYesNo(caption, text) ? Answer::Yes : Answer::No;
    }

    // The standard print dialog (printer choice and number of copies).
    // False when cancelled; copies receives the number asked for.
    virtual bool printDialog(QWidget* owner, int& copies) = 0;
    // Starts a document on the printer chosen in the last print dialog.
    virtual std::unique_ptr<PrintCanvas> beginPixelDocument(const QString& jobName,
                                                            PageOrientation orientation) = 0;
    virtual std::unique_ptr<PrintCanvas> beginMetricDocument(const QString& jobName,
                                                             PageOrientation orientation) = 0;

    // The printers installed on the system, for a choice the program offers
    // itself (the receipt print dialog) instead of the standard dialog.
    virtual QStringList printers() { return {}; }
    // Makes the named printer, in colour, the one the next documents go to;
    // false when it cannot be used.
    virtual bool usePrinter(const QString& /*name*/) { return false; }

    // The printer choice, among printers(), that writes a PDF file instead of
    // paper (offered when no printer is installed).
    virtual bool printerIsPdfFile(const QString& /*name*/) { return false; }
    // Makes the PDF file at path the target of the next documents; false
    // when it cannot be used.
    virtual bool usePdfFile(const QString& /*path*/) { return false; }
    // True when the documents go to a file rather than to paper: each copy
    // would replace the last, so the copies of a job share one document.
    virtual bool printerWritesFile() { return false; }

    // File-open dialog; empty when cancelled. filters as "Descrizione (*.ext)".
    virtual QString openFileDialog(QWidget* owner, const QString& title, const QStringList& filters) = 0;
    // Folder-browse dialog; empty when cancelled.
    virtual QString browseFolder(QWidget* owner, const QString& prompt) = 0;
    // File-save dialog proposing proposedPath (folder and name); it asks
    // before an existing file is replaced. Empty when cancelled.
    virtual QString saveFileDialog(QWidget* /*owner*/, const QString& /*title*/, const QString& /*proposedPath*/,
                                   const QStringList& /*filters*/)
    {
        return {};
    }
    // The user's documents folder, where files the user saves are proposed.
    virtual QString documentsFolder();

    // Shell hand-offs; false when the shell reports a failure.
    virtual bool openDocument(const QString& path) = 0;
    virtual bool openFolder(const QString& path) = 0;
    virtual bool openUrl(const QString& url) = 0;
    virtual bool openMailto(const QString& mailto) = 0;

    virtual void setBusy(bool busy) = 0;

    virtual QDate today() = 0;
    virtual QTime now() = 0;
};

// The platform in force. Before one is installed, a console fallback answers
// (messages to standard error, every question answered No, every dialog cancelled).
Platform& current();
// Installs p (owned by the caller) and returns the previous one; nullptr restores the fallback.
Platform* install(Platform* p);
// True when something other than the fallback is installed.
bool isInstalled();

// Opens path with the desktop's program for it. When there is none, says so
// in the plain box, naming the full path so the user can open it by hand.
bool openDocumentOrTell(const QString& path);
QString openFailureMessage(const QString& path);

// Shows the busy pointer for its lifetime.
class BusyCursor
{
public:
    BusyCursor() { current().setBusy(true); }
    ~BusyCursor() { current().setBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// The application title, caption of every plain message box.
inline QString applicationTitle() { return QStringLiteral("Ventoria 2.0"); }

} // namespace platform
