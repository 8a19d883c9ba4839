#pragma once

#include "platform/qt/ScreenWindows.h"
#include "screens/ListPanels.h"
#include "storage/ArchiveFile.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
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

// Where the lines of a record list come from: the archive, opened afresh for
// each use, the line a record makes there, and which records are listed:
// those that keep accepts, or where there is no such test, those the
// criteria find.
struct LineSource
{
    std::function<ArchiveFile()> archive;
    LineComposer::Composition compose = nullptr;
    ListSearch::RecordTest keep;
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

    // The caller's mark, where the description names a label for it; read trimmed.
    void setCallerMark(const QString& mark);
    QString callerMark() const;

    void cmdTrovaClick();
    void cmdIndietroClick();
    void lstRecordsDblClick();

protected:
    // The lines to list, in any order; false when the archive failed (the
    // lines found so far are kept).
    virtual bool collect(PackedLines& lines) = 0;
    // The line double-clicked; the screen finds its record and keeps it.
    virtual void choose(const QString& line) = 0;

    // The lines of the records of source that are listed, in file order; a
    // criterion is looked for in its record field.
    bool collectFrom(const LineSource& source, PackedLines& lines) const;
    // The raw record a line leads back to and its 1-based position: the
    // last record whose line equals it; false when none does or the archive fails.
    static bool leadBack(const LineSource& source, const QString& line, QByteArray& record, qint64& position);

    // Whether "Trova" may build the list now; asked whenever the criteria
    // are shown and whenever the screen calls updateFind().
    virtual bool canFind() const { return true; }
    void updateFind();
    // What takes the focus after "<< Indietro"; none: the criterion the description names.
    virtual QWidget* backFocus() const { return nullptr; }

    RecordList* list() const { return lstRecords; }
    // The panels, for a screen that adds period fields or totals to them.
    ListPanels* panels() const { return m_panels; }
    // Called each time the list panel has been shown with a new list.
    virtual void listed() {}
    // The plain variant's button beside "Stampa".
    QPushButton* actionButton() const { return cmdAnnulla; }

    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    // Opens as wide as the list's lines where the screen has the room.
    void fitToTheLines();
    void buildListExtras(int width, int listHeight);
    void buildButtons();
    bool fill();

    ListScreenSpec m_spec;
    int m_laidOutWidth = 0;               // the width the controls are placed for
    ListPanels* m_panels = nullptr;       // owned by the screen
    RecordList* lstRecords = nullptr;
    QLineEdit* txtTrova = nullptr;
    QPushButton* cmdTrova02 = nullptr;
    QPushButton* cmdStampa = nullptr;
    QPushButton* cmdAnnulla = nullptr;    // plain variant
    QLabel* m_callerMark = nullptr;
    ListServices* m_services = nullptr;   // owned by the screen
};

// A list whose lines lead back to records of one kind: it lists the records
// of its source, and a double click keeps the record of the line, with its
// position, for the screen that opened the list.
template <class Record>
class RecordListScreen : public ListScreen
{
public:
    RecordListScreen(ListScreenSpec spec, LineSource source, QWidget* parent = nullptr)
        : ListScreen(std::move(spec), parent), m_source(std::move(source))
    {
    }

    // The record chosen with a double click, for the caller to show.
    const std::optional<Chosen<Record>>& chosen() const { return m_chosen; }

protected:
    bool collect(PackedLines& lines) override { return collectFrom(m_source, lines); }

    void choose(const QString& line) override
    {
        // A line that no longer leads to a record chooses nothing.
        m_chosen.reset();
        QByteArray raw;
        qint64 position = 0;
        if (leadBack(m_source, line, raw, position))
            m_chosen = Chosen<Record>{Record::decode(raw), position};
    }

    void showEvent(QShowEvent* event) override
    {
        // A single instance starts each use without a choice.
        m_chosen.reset();
        ListScreen::showEvent(event);
    }

private:
    LineSource m_source;
    std::optional<Chosen<Record>> m_chosen;
};
