#pragma once

#include "platform/qt/ScreenWindows.h"
#include "storage/Browse.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
struct TRecCliente;

// The client work area: one client card at a time. The screen is the record:
// every field of the card has a control named after it, saving writes them
// all and loading fills them all.
class TfrmClienti : public WorkAreaWindow
{
    Q_OBJECT
public:
    TfrmClienti();

    // Fills every control from a record and shows its position (browsing,
    // and the searches that lead back to a card).
    void loadRecord(const TRecCliente& record, qint64 position);

    void imgNuovoClick();
    void imgSalvaClick();
    void imgTrovaClick();
    void imgDoppioTurnoClick();
    void imgWordClick();
    void imgExcelClick();
    void imgFileClick();
    void imgCartellaClick();
    void imgEliminaClick();
    void imgEmailRelease();
    void imgCodFiscRelease();
    void imgCartaRelease();
    void imgIvaRelease();
    void imgIbanRelease();
    void imgGuidaClick();
    void imgEsciClick();
    void browse(BrowseCommand command);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildToolbar();
    void buildClientPanel();
    void buildCodesPanel();
    void buildContactsPanel();
    void buildNotePanel();
    void buildHiddenLabels();
    QLineEdit* field(QWidget* parent, const char* name, int maxLength, const QRect& geometry);
    void label(QWidget* parent, const QString& text, const QRect& geometry);
    void setConsent(bool ticked);
    void chkDoppioTurnoClick();
    QString trimmed(const char* control) const;

    QFrame* grpContainer;
    QLabel* lblStato;
    QLabel* lblPosizione;
    QCheckBox* chkDoppioTurno;
    QComboBox* txtProv;
    QLineEdit* txtOperatore;
};
