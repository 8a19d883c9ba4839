#pragma once

#include "screens/CardScreen.h"
#include "storage/ReceiptRecord.h"

#include <QSet>

class PaidBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class YearPanel;

// The receipt work area: the year panel, then the receipt editor on the
// year file chosen there. The editor is its field table (twenty lines built
// from one line description); what is its own is the totals, the numbering,
// the paid box, the pages of lines and the imports.
class TfrmRicevute : public RecordCardScreen<TRecRicevuta>
{
    Q_OBJECT
public:
    TfrmRicevute();
    ~TfrmRicevute() override;

    // The work area always opens on the choice of the year file.
    void showYearPanel();

    // The year file the editor and the reports work on, and the year typed.
    QString yearFilePath() const;
    QString year() const;

    // Shows a receipt read from the year file with its position (browsing,
    // and the reports that hand one back); Save then updates it in place.
    void loadRecord(const TRecRicevuta& record, qint64 position) override;
    TRecRicevuta currentRecord() const override;
    // A report's chosen line: the receipt it leads back to is shown (the
    // last one whose line equals it). False, showing nothing, when no
    // receipt matches or the file failed.
    bool loadListLine(const QString& line);

    // The year panel.
    void cmdApriClick();

    // The editor.
    void cmdNuovoClick();
    void cmdSalvaClick() { saveCard(); }
    void cmdOKClick();
    void imgImpCliClick();
    void impAutomezzoClick();
    void impProClick(int line);
    void imgCancellaClick();
    void cmdFatturaElettronicaClick();
    void showPage(int page);
    void ClearReceiptBody();

protected:
    // Each showing: the year panel's year, the settings read.
    void cardShown() override;
    void newCard() override { cmdNuovoClick(); }
    void closeEvent(QCloseEvent* event) override;

    ArchiveFile archive() const override;
    bool readyToSave() override;
    // The record with every amount fitted to its field (the VAT total is
    // shown whole but stored with the decimals that fit).
    QByteArray recordToSave() const override;
    SaveTexts saveTexts() const override;
    AppendCheck appendCheck() const override;
    bool appendDespiteClash() override;

private:
    // Opens a report on the open year modally and loads the receipt it hands back.
    template <class Report>
    void showReport();

    void buildEditor();
    void buildToolbar();
    void wireLines();
    void emptyTotals();
    void readSettings();
    void writeSettings();
    void watchSettings();
    QLineEdit* field(const QString& name) const;

    QFrame* grpAnno;
    YearPanel* m_yearPanel;
    // The path of the open year file: every archive operation of the editor
    // and of the reports opens the file named here.
    QString m_yearFile;
    QLabel* lblInizio = nullptr;
    PaidBox* chkSaldato = nullptr;
    QGroupBox* grpPage[4] = {};
    // Whether the settings file was read when the screen was shown: only
    // then are its values written back on closing.
    bool m_settingsRead = false;
    QSet<QString> m_settingsTouched;
    // The numbers of the year file as last read, for the check of Save.
    mutable ArchiveFile::FieldIndex m_numbers;   // settings controls the user changed since reading
};
