#pragma once

#include "platform/qt/CardForm.h"
#include "platform/qt/CardScreen.h"
#include "storage/MaterialRecord.h"

#include <memory>

// The warehouse work area: one material card at a time. The card is its
// field table; what is its own is the save check of the piece counts and
// the hand-offs to the warehouse tools.
class TfrmMateriali : public CardScreen
{
    Q_OBJECT
public:
    TfrmMateriali();
    ~TfrmMateriali() override;

    // Fills every control from a record and shows its position (browsing,
    // and the lists that lead back to a card).
    void loadRecord(const TRecMateriale& record, qint64 position);
    // The record Save would write from the card as it stands.
    TRecMateriale currentRecord() const;
    const card::Form<TRecMateriale>& form() const { return *m_form; }

    void imgNuovoClick();
    void imgSalvaClick();
    void imgTrovaClick();
    void imgDoppioTurnoClick();
    void imgWordClick();
    void imgExcelClick();
    void imgFileClick();
    void imgCartellaClick();
    void imgEliminaClick();
    void imgGuidaClick();
    void imgEsciClick();

protected:
    void showEvent(QShowEvent* event) override;

    ArchiveFile archive() const override;
    void showRecord(const QByteArray& record, qint64 position) override;
    bool readyToSave() override;
    QByteArray recordToSave() const override;

private:
    void buildToolbar();
    void focusOn(const char* control);
    QString trimmed(const char* control) const;

    std::unique_ptr<card::Form<TRecMateriale>> m_form;
};
