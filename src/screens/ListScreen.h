#pragma once

#include "platform/qt/ScreenWindows.h"
#include "screens/ListPanels.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class ListServices;
class QLabel;
class QLineEdit;
class QPushButton;
class RecordList;

// The record a list line led back to, for the screen that opened the list.
template <class Record>
struct Chosen
{
    Record record;
    qint64 position;
};

// What every list screen shares: the list of fixed-width lines sorted by
// their text, find in list, the printed report, the instructions, and a
// double click that hands the chosen line to the screen and closes it. The
// criteria variant adds the panel of criteria with "Trova", "<< Indietro".
class ListScreen : public DialogScreen
{
    Q_OBJECT
public:
    explicit ListScreen(ListScreenSpec spec, QWidget* parent = nullptr);

    void cmdTrovaClick();
    void cmdIndietroClick();
    void lstRecordsDblClick();

protected:
    // The lines to list, in any order; false when the archive failed (the
    // lines found so far are kept).
    virtual bool collect(PackedLines& lines) = 0;
    // The line double-clicked; the screen finds its record and keeps it.
    virtual void choose(const QString& line) = 0;

    // The text typed in a criterion, as typed.
    QString criterion(const char* name) const;
    RecordList* list() const { return lstRecords; }
    // The panels, for a screen that adds period fields or totals to them.
    ListPanels* panels() const { return m_panels; }
    // Called each time the list panel has been shown with a new list.
    virtual void listed() {}
    // The plain variant's button beside "Stampa".
    QPushButton* actionButton() const { return cmdAnnulla; }

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    void buildListExtras(int width, int listHeight);
    void buildButtons();
    bool fill();

    ListScreenSpec m_spec;
    ListPanels* m_panels = nullptr;       // owned by the screen
    RecordList* lstRecords = nullptr;
    QLineEdit* txtTrova = nullptr;
    QPushButton* cmdTrova02 = nullptr;
    QPushButton* cmdStampa = nullptr;
    QPushButton* cmdAnnulla = nullptr;    // plain variant
    ListServices* m_services = nullptr;   // owned by the screen
};
