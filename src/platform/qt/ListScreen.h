#pragma once

#include "platform/qt/ScreenWindows.h"
#include "storage/ListReport.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class ListServices;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// What a list screen tells the shared base about itself.
struct ListScreenSpec
{
    enum class Variant {
        Plain,     // the list fills itself when the screen is shown
        Criteria   // a panel of criteria; "Trova" fills the list on a second panel
    };
    struct Criterion
    {
        const char* name;
        const char* caption;
    };

    QString objectName;
    QString caption;
    QSize size{760, 470};
    Variant variant = Variant::Plain;
    QString emptyFindText = QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");
    QString instructions;            // under the list; the card-list instructions when empty
    int scrollWidth = 1500;          // the list scrolls sideways over this many pixels
    bool reportsArchiveFailure = true;   // false: a failing archive ends the list silently
    // Asked at each print, so a title built from the screen's state is up to date.
    std::function<ListReportSpec()> report;

    // Criteria variant.
    QString criteriaTitle;
    QString criteriaHelp;
    std::vector<Criterion> criteria;
};

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
    virtual bool collect(QStringList& lines) = 0;
    // The line double-clicked; the screen finds its record and keeps it.
    virtual void choose(const QString& line) = 0;

    // The text typed in a criterion, as typed.
    QString criterion(const char* name) const;
    QListWidget* list() const { return lstRecords; }

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    void buildCriteriaPanel();
    void buildListPanel(QWidget* parent, int width, int listHeight);
    void buildButtons();
    bool fill();
    void resetToCriteria(bool clearCriteria);

    ListScreenSpec m_spec;
    QFrame* grpCriteri = nullptr;
    QFrame* grpElenco = nullptr;
    QListWidget* lstRecords = nullptr;
    QLineEdit* txtTrova = nullptr;
    QPushButton* cmdTrova02 = nullptr;
    QPushButton* cmdTrova = nullptr;
    QPushButton* cmdIndietro = nullptr;
    QPushButton* cmdStampa = nullptr;
    QList<QLineEdit*> m_criteria;
    ListServices* m_services = nullptr;   // owned by the screen
};
