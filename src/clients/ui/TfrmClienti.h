#pragma once

#include "screens/CardScreen.h"
#include "storage/ClientRecord.h"

class QCheckBox;

// The client work area: one client card at a time. The card is its field
// table; what is its own is the consent box, the checks and the hand-offs.
class TfrmClienti : public RecordCardScreen<TRecCliente>
{
    Q_OBJECT
public:
    TfrmClienti();
    ~TfrmClienti() override;

    // The card and the consent box, which is the screen's own.
    void loadRecord(const TRecCliente& record, qint64 position) override;
    TRecCliente currentRecord() const override;

protected:
    void newCard() override;
    ArchiveFile archive() const override;
    QString saveStatus(bool update) const override;

private:
    void buildToolbar();
    void buildConsentBox();
    void setConsent(bool ticked);
    void imgWordClick();
    void imgEmailRelease();

    QCheckBox* chkDoppioTurno;
};
