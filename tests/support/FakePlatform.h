#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>

class RecordingCanvas;

enum class MessageKind { Plain, Task, KeyFilter, Question };

struct ShownMessage
{
    MessageKind kind;
    QString caption;
    QString text;
    platform::MessageIcon icon;
};

// A platform that records what the program shows and answers from a script.
// Installing it (constructor) replaces the platform in force until destroyed.
class FakePlatform final : public platform::Platform
{
public:
    FakePlatform();
    ~FakePlatform() override;

    // Script. Unscripted questions are answered No, dialogs cancelled.
    QQueue<bool> answers;                 // Yes/No questions
    QQueue<Answer> choices;               // Yes/No/Cancel questions; unscripted: No
    QQueue<int> printCopies;              // print dialogs: copies, or -1 for cancel
    QQueue<QString> fileAnswers;          // file-open dialogs ("" = cancel)
    QQueue<QString> folderAnswers;        // folder dialogs ("" = cancel)
    QStringList printerNames;             // the printers installed, in the system's order
    bool shellSucceeds = true;
    QDate fixedToday{2024, 3, 5};
    QTime fixedNow{14, 30, 15};
    int printerDpi = 600;
    int pageWidthPx = 6600;               // landscape A4 at 600 dpi, roughly
    int pageHeightPx = 4800;
    // Called while a message is "on screen", e.g. to check the state then.
    std::function<void(const ShownMessage&)> onMessage;
    // Called while a print dialog is "on screen", before it answers.
    std::function<void()> onPrintDialog;
    // The printer cannot start a document: beginPixelDocument and
    // beginMetricDocument hand back no canvas.
    bool printerFails = false;

    // Record.
    QList<ShownMessage> messages;
    QStringList questions;                // texts of the questions asked
    QStringList choiceQuestions;          // texts of the Yes/No/Cancel questions asked
    QStringList opened;                   // "document:<path>", "folder:", "url:", "mailto:"
    QList<RecordingCanvas*> documents;    // owned here, in the order begun
    int busyDepth = 0;
    int busyCalls = 0;
    int printDialogs = 0;                 // print dialogs shown
    QStringList printersUsed;             // printers made current by name, in order

    // Convenience.
    QStringList messageTexts() const;
    QString lastMessage() const;
    // Forgets what was recorded and what was scripted (the clock stays).
    void clear();

    void showMessage(const QString& text) override;
    void showTaskMessage(const QString& caption, const QString& text, platform::MessageIcon icon) override;
    void showKeyFilterMessage(QWidget* owner, const QString& text) override;
    bool askYesNo(const QString& caption, const QString& text) override;
    Answer askYesNoCancel(const QString& caption, const QString& text) override;
    bool printDialog(QWidget* owner, int& copies) override;
    std::unique_ptr<platform::PrintCanvas> beginPixelDocument(const QString& jobName,
                                                              platform::PageOrientation orientation) override;
    std::unique_ptr<platform::PrintCanvas> beginMetricDocument(const QString& jobName,
                                                               platform::PageOrientation orientation) override;
    QStringList printers() override { return printerNames; }
    bool usePrinter(const QString& name) override;
    QString openFileDialog(QWidget* owner, const QString& title, const QStringList& filters) override;
    QString browseFolder(QWidget* owner, const QString& prompt) override;
    bool openDocument(const QString& path) override;
    bool openFolder(const QString& path) override;
    bool openUrl(const QString& url) override;
    bool openMailto(const QString& mailto) override;
    void setBusy(bool busy) override;
    QDate today() override { return fixedToday; }
    QTime now() override { return fixedNow; }

private:
    void record(const ShownMessage& m);
    platform::Platform* m_previous;
    QList<std::shared_ptr<RecordingCanvas>> m_owned;
};
