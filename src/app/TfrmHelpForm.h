#pragma once

#include "platform/qt/ScreenWindows.h"

class QLabel;
class QPlainTextEdit;

// The guide window: every screen with a guide button fills it with a topic
// title and text and shows it modally; it also opens the user guide Guida.pdf.
class TfrmHelpForm : public DialogScreen
{
    Q_OBJECT
public:
    TfrmHelpForm();

    void showTopic(const QString& title, const QString& text);
    void lblPDFRelease();

private:
    QLabel* panTitle;
    QPlainTextEdit* memTopic;
};
