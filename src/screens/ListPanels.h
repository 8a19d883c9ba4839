#pragma once

#include "layouts/ListReport.h"
#include "storage/ListSearch.h"
#include "storage/PackedLines.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class RecordList;

// What a list screen tells the shared list pieces about itself.
struct ListScreenSpec
{
    enum class Variant {
        Plain,     // the list fills itself when the screen is shown
        Criteria   // a panel of criteria; "Trova" fills the list on a second panel
    };
    struct Criterion
    {
        // A criterion the screen reads by itself.
        Criterion(const char* name, const char* caption, int maxLength = 0, bool amount = false)
            : name(name), caption(caption), maxLength(maxLength), amount(amount)
        {
        }
        // A criterion looked for in a field of the record.
        Criterion(const char* name, const char* caption, FieldPos field)
            : name(name), caption(caption), field(field)
        {
        }

        const char* name;
        const char* caption;
        int maxLength = 0;     // 0: as long as the user likes
        bool amount = false;   // a bound: amount keys only, rounded to 4 decimals when left
        FieldPos field{-1, 0}; // the record field searched; offset -1 when none
    };

    // A search of records by criteria: the criteria panel under its title,
    // with the help that names what is searched ("dei clienti").
    static ListScreenSpec criteriaSearch(const char* objectName, const char* caption, const char* title,
                                         const char* searched);
    // The search of the client or of the material cards: seven criteria in
    // the same controls, captioned and looked for in the fields given in Tab
    // order, and a caller's mark in the label callerMark.
    static ListScreenSpec cardSearch(const char* objectName, const char* title, const char* searched,
                                     const char* callerMark, const std::array<const char*, 7>& captions,
                                     const std::array<FieldPos, 7>& fields);
    // A list that fills itself and ends where a failing archive stops it,
    // without a message; printed under reportTitle with a rule of ruleLength.
    static ListScreenSpec quietList(const char* objectName, const char* caption, const char* reportTitle,
                                    int ruleLength);

    QString objectName;
    QString caption;
    QSize size{760, 470};
    Variant variant = Variant::Plain;
    QString emptyFindText = QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");
    QString instructions;            // under the list; the card-list instructions when empty
    QString maroonInstruction;       // a line of its own in maroon under the instructions, if any
    QString findCaption = QStringLiteral("Trova");   // the button of find in list, cmdTrova02
    int scrollWidth = 1500;          // the list scrolls sideways over this many pixels
    bool sorted = true;              // false: the lines stay in the order collect gives them
    bool reportsArchiveFailure = true;   // false: a failing archive ends the list silently
    // Plain variant: the button beside "Stampa" (cmdAnnulla). Empty: it
    // reads "Annulla" and closes the list; otherwise it carries this caption
    // and an action of the screen's own, which the screen connects (the
    // import's "Importa").
    QString actionCaption;
    // The hidden label in which the caller leaves its mark before showing
    // the list (which screen the choice goes to); none when null.
    const char* callerMark = nullptr;
    // False where a button, not a double click, makes the choice.
    bool doubleClickChooses = true;
    // Asked at each print, so a title built from the screen's state is up to date.
    std::function<ListReportSpec()> report;

    // Criteria variant.
    QString criteriaTitle;
    QString criteriaHelp;
    std::vector<Criterion> criteria;
    QColor criteriaRest;             // colour of the criteria at rest; light green when not set
    const char* backFocus = nullptr; // the criterion "<< Indietro" focuses; the first one when not set
    bool boldCriteria = false;
};

// The panels every list screen shares, in a dialog or in a work area: the
// list of fixed-width lines sorted by their text and, for the criteria
// variant, the panel of criteria that the list panel replaces after "Trova",
// with the buttons "Trova", "Annulla" and "<< Indietro". The screen adds
// what is its own around them and reacts to listShown and criteriaShown.
class ListPanels : public QObject
{
    Q_OBJECT
public:
    // The lines to list, in any order; false when the archive failed (the
    // lines found so far are kept).
    using Collect = std::function<bool(PackedLines& lines)>;

    // Builds into host: with criteria both panels at `inside` (the list
    // panel hidden); otherwise the list straight on host. The list lies at
    // listGeometry within its panel. collect is what "Trova" lists.
    ListPanels(QWidget* host, const ListScreenSpec& spec, const QRect& inside, const QRect& listGeometry,
               Collect collect);

    // The criteria variant's buttons at y on host; "Annulla" is left to the screen.
    void addButtons(int y);

    QFrame* criteriaPanel() const { return grpCriteri; }
    // The panel of the list: grpElenco, or host in the plain variant.
    QWidget* listPanel() const { return m_listPanel; }
    RecordList* list() const { return lstRecords; }
    QPushButton* annulla() const { return cmdAnnulla; }
    QPushButton* trova() const { return cmdTrova; }
    const QList<QLineEdit*>& criteria() const { return m_criteria; }

    // The text typed in a criterion, as typed.
    QString criterion(const char* name) const;
    // The criteria that name a record field, each as typed with its field.
    std::vector<ListSearch::Criterion> searchCriteria() const;

    // Lists what collect finds, sorted by text without regard to case unless
    // the screen keeps its own order; false
    // when the archive failed (the archive-access message shown when the
    // screen reports failures).
    bool fill(const Collect& collect);
    // "Trova": the list of the criteria in place of the criteria panel.
    void find();
    // Any list filled by the screen: list panel shown, "Trova" off, "<< Indietro" on.
    void showList();
    // "<< Indietro": the criteria as they were, the first one focused.
    void back();
    // Empties the list and puts the criteria panel back, emptied when asked.
    void showCriteria(bool clearCriteria);

signals:
    void listShown();
    void criteriaShown();
    // "<< Indietro" has shown the criteria again and focused the first one.
    void wentBack();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildCriteriaPanel(const ListScreenSpec& spec);

    QWidget* m_host;
    bool m_reportsArchiveFailure;
    bool m_sorted;
    QString m_backFocus;
    Collect m_collect;
    QFrame* grpCriteri = nullptr;
    QFrame* grpElenco = nullptr;
    QWidget* m_listPanel = nullptr;
    RecordList* lstRecords = nullptr;
    QPushButton* cmdTrova = nullptr;
    QPushButton* cmdIndietro = nullptr;
    QPushButton* cmdAnnulla = nullptr;
    QList<QLineEdit*> m_criteria;
    std::vector<FieldPos> m_fields;   // beside m_criteria
    QList<QLineEdit*> m_bounds;   // the amount criteria
};

// Helpers of the list screens' layouts.
QLabel* listLabel(QWidget* parent, const QString& text, const QRect& geometry, bool title = false);
QPushButton* listButton(QWidget* parent, const char* name, const QString& caption, const QRect& geometry);
