#pragma once

#include "layouts/ListReport.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QAbstractButton;
class QLineEdit;
class QListView;
class RecordList;
class QWidget;

// Wires find-in-list and the printed report to a list screen's controls:
// Enter in txtTrova or a click on cmdTrova02 finds, a click on cmdStampa
// prints the lines as shown. Owned by owner.
class ListServices : public QObject
{
    Q_OBJECT
public:
    // emptyFindText: the screen's message when find meets an empty list.
    // reportSpec is asked at each print, so titles built from the screen's
    // current state (the year, the month) are up to date.
    ListServices(RecordList* lstRecords, QLineEdit* txtTrova, QAbstractButton* cmdTrova02,
                 QAbstractButton* cmdStampa, QString emptyFindText, std::function<ListReportSpec()> reportSpec,
                 QWidget* owner);

    // When the list is built or the screen shown: last search emptied,
    // selection and txtTrova cleared, focus to txtTrova.
    void reset();
    // The entries of lstRecords in display order.
    QStringList lines() const;

    // What cmdTrova02 and Enter do; public for screens that find by other means.
    void find();
    // What cmdStampa does.
    void print();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RecordList* m_list;
    QLineEdit* m_find;
    QString m_emptyFindText;
    std::function<ListReportSpec()> m_reportSpec;
    QWidget* m_owner;
    QString m_lastSearch;
};

// What a printed list tells the print flow: its question, its job and how
// one copy is laid out on the open canvas (lines and the stamp line given).
struct ListPrintJob
{
    QString question;
    QString jobName;
    platform::PageOrientation orientation = platform::PageOrientation::Landscape;
    std::function<void(platform::PrintCanvas& canvas, const QStringList& lines, const QString& stampLine)> compose;
};

// The whole click of a list's print button: empty-list message, confirmation
// question, print dialog, one job per copy, busy pointer.
void printList(QWidget* owner, const QStringList& lines, const ListPrintJob& job);
// The same for the list report of a list screen, in landscape.
void printListReport(QWidget* owner, const QStringList& lines, const ListReportSpec& spec);

// A list of fixed-width lines: "Courier New" 8 pt, uniform item sizes,
// single selection; with scrollWidthPixels > 0 the list scrolls sideways
// over at least that width, so long lines can be read to their end.
void configureListControl(QListView* list, int scrollWidthPixels = 0);

// The three instruction lines under a list whose lines lead back to a card
// (find, find again, double click).
QString cardListInstructions();
// The first two of them (find, find again) and the last (double click).
QString findInListInstructions();
QString doubleClickInstruction();
