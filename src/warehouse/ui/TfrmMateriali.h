#pragma once

#include "screens/CardScreen.h"
#include "storage/MaterialRecord.h"

// The warehouse work area: one material card at a time. The card is its
// field table; what is its own is the save check of the piece counts and
// the hand-offs to the warehouse tools.
class TfrmMateriali : public RecordCardScreen<TRecMateriale>
{
    Q_OBJECT
public:
    TfrmMateriali();
    ~TfrmMateriali() override;

protected:
    void newCard() override;
    ArchiveFile archive() const override;
    bool readyToSave() override;
    bool keepChangedElsewhere(const QByteArray& shown, const QByteArray& stored, QByteArray& record) const override;

private:
    void buildToolbar();
};
