#pragma once

#include "platform/qt/ScreenWindows.h"

class ListServices;
class QListWidget;

// The clients who accept advertising, with their telephones and e-mail; a
// double click opens the chosen client's card.
class TfrmCercaFigli : public DialogScreen
{
    Q_OBJECT
public:
    TfrmCercaFigli();

    void lstRecordsDblClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    QListWidget* lstRecords;
    ListServices* m_services;   // owned by the screen
};
