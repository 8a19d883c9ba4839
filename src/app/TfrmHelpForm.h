#pragma once

#include "platform/qt/ScreenWindows.h"

class LinkLabels;
class QLabel;
class QPlainTextEdit;

// The guide window: every screen with a guide button fills it with a topic
// title and text and shows it modally; it also opens the user guide Guida.pdf.
class TfrmHelpForm : public DialogScreen
{
    Q_OBJECT
public:
    TfrmHelpForm();

    // Shows the topic modally; returns when the user closes the window.
    void showTopic(const QString& title, const QString& text);
    void lblPDFRelease();

public slots:
    // The close box and Esc close the window as OK does.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* panTitle;
    QPlainTextEdit* memTopic;
    LinkLabels* m_link;
};
