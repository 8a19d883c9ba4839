#pragma once

#include "reports/ReceiptSummary.h"
#include "reports/ui/ReceiptListScreen.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What the three summaries of a year file are: a period list (none for the
// year), the list of receipts in file order with their three totals, and a
// double click that hands the chosen receipt back to the editor.
class SummaryScreen : public ReceiptListScreen
{
    Q_OBJECT
public:
    struct Table
    {
        const char* objectName;
        const char* caption;
        const char* heading;
        const char* help;
        ReceiptSummary::PeriodRule::Kind kind;
        const char* periodLabel;   // nullptr: the year is the only period field
        QStringList items;
        bool invoices = false;   // "Fatture XML": the period's electronic invoices
    };

    explicit SummaryScreen(const Table& table);

    // The editor's open year file and its year, before the screen is shown.
    void setYear(const QString& yearFilePath, const QString& year);

    // The printed report as the list stands: title, rule and the totals closing.
    ListReportSpec report() const;

    // Writes the electronic invoice of every receipt of the period shown.
    void cmdFattureClick();

protected:
    bool collect(PackedLines& lines) override;
    void listed() override;
    bool canFind() const override;
    QWidget* backFocus() const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ReceiptSummary::PeriodRule rule() const;
    void buildTotals();
    void buildInvoices();

    ReceiptSummary::PeriodRule::Kind m_kind;
    QComboBox* cboMese = nullptr;
    QLineEdit* txtAnno = nullptr;
    QLabel* lblTotNetto = nullptr;
    QLabel* lblTotIva = nullptr;
    QLabel* lblTotale = nullptr;
    QPushButton* cmdFatture = nullptr;
    int m_leftOut = 0;
};
