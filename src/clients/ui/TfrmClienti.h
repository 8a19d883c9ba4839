#pragma once

#include "platform/qt/CardForm.h"
#include "platform/qt/CardScreen.h"
#include "storage/ClientRecord.h"

#include <memory>

class QCheckBox;

// The client work area: one client card at a time. The card is its field
// table; what is its own is the consent box, the checks and the hand-offs.
class TfrmClienti : public CardScreen
{
    Q_OBJECT
public:
    TfrmClienti();
    ~TfrmClienti() override;

    // Fills every control from a record and shows its position (browsing,
    // and the searches that lead back to a card).
    void loadRecord(const TRecCliente& record, qint64 position);
    // The record Save would write from the card as it stands.
    TRecCliente currentRecord() const;
    const card::Form<TRecCliente>& form() const { return *m_form; }

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

protected:
    void showEvent(QShowEvent* event) override;

    ArchiveFile archive() const override;
    void showRecord(const QByteArray& record, qint64 position) override;
    bool readyToSave() override;
    QString saveStatus(bool update) const override;
    QByteArray recordToSave() const override;

private:
    void buildToolbar();
    void buildConsentBox();
    void setConsent(bool ticked);
    void chkDoppioTurnoClick();
    QString trimmed(const char* control) const;

    std::unique_ptr<card::Form<TRecCliente>> m_form;
    QCheckBox* chkDoppioTurno;
};
