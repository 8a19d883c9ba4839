#pragma once

#include "platform/qt/ScreenWindows.h"

class ListPanels;
class QLabel;
class QLineEdit;
class PackedLines;
class QPushButton;
class RecordList;

// The price list work area: articles chosen by nine criteria or all at
// once, lines removed by hand, a heading of the user's and the printout.
class TfrmListino : public WorkAreaWindow
{
    Q_OBJECT
public:
    TfrmListino();

    void lblTuttiClick();
    void cmdImportaClick();
    void cmdStampaClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildListPanel();
    void buildCriteriaExtras();
    bool collect(PackedLines& lines);
    void listShown();

    QFrame* grpContainer;
    ListPanels* m_panels = nullptr;
    RecordList* lstRecords = nullptr;
    QLineEdit* txtIntestazione = nullptr;
    QLabel* lblTutti = nullptr;
    QLabel* lblConta = nullptr;
};
