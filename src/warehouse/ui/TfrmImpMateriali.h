#pragma once

#include "screens/ListScreen.h"
#include "storage/MaterialRecord.h"

#include <optional>

class PictureButton;
class Picture;
class QLabel;
class QLineEdit;
class QRadioButton;

// Imports an article of the warehouse into a receipt line: the list of the
// stocked articles; "Importa" hands back the clicked one and, unless told
// not to, lowers its stock by the quantity.
class TfrmImpMateriali : public ListScreen
{
    Q_OBJECT
public:
    TfrmImpMateriali();

    // The receipt line (1 to 20) the import is for, and its quantity as the
    // editor holds it.
    void setLine(int line, const QString& quantity);
    int line() const;

    // The article whose code, description and price fill the receipt line;
    // empty when the import was refused or cancelled.
    const std::optional<TRecMateriale>& imported() const { return m_imported; }

    void lstRecordsClick();
    void cmdAnnullaClick();

protected:
    bool collect(PackedLines& lines) override;
    void choose(const QString& line) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void enableImport(bool enabled);
    void colourOptions();

    QLabel* lblMemory;
    QLabel* lblPosizione;
    QLineEdit* txtGiacenza;
    QLineEdit* txtQuant;
    QRadioButton* optAggiorna;
    QRadioButton* optNonAggiornare;
    Picture* imgMano;
    std::optional<TRecMateriale> m_imported;
    // The code of the card the clicked line stood for: the import checks
    // that the card at its position still holds that article.
    QString m_chosenCode;
};
