#pragma once

#include "platform/qt/ScreenWindows.h"
#include "storage/ClientRecord.h"

#include <optional>

class ListServices;
class QLineEdit;
class QListWidget;
class QPushButton;

// Finds clients by up to seven criteria at once and lists them; a double
// click copies the chosen client into the client card ("clienti") or into
// the client block of the receipt editor ("ricevute").
class TfrmCercaCliente : public DialogScreen
{
    Q_OBJECT
public:
    TfrmCercaCliente();

    void setCallerMark(const QString& mark);

    // The client chosen with a double click, for the caller to show.
    struct ChosenClient
    {
        TRecCliente record;
        qint64 position;
    };
    const std::optional<ChosenClient>& chosen() const { return m_chosen; }

    void cmdTrovaClick();
    void cmdIndietroClick();
    void lstRecordsDblClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    void buildCriteriaPanel();
    void buildListPanel();
    void resetToCriteria(bool clearCriteria);

    QLineEdit* m_callerMark;
    QFrame* grpCriteri;
    QFrame* grpElenco;
    QListWidget* lstRecords;
    QLineEdit* txtTrova;
    QPushButton* cmdTrova;
    QPushButton* cmdAnnulla;
    QPushButton* cmdIndietro;
    QPushButton* cmdStampa;
    QLineEdit* txtCognome;
    int m_filled = 0;   // criteria filled in the last search
    ListServices* m_services;   // owned by the screen
    std::optional<ChosenClient> m_chosen;
};
