#pragma once

#include "reports/ui/ReceiptListScreen.h"

// Finds the receipts of the year open in the receipt editor by up to eight
// criteria at once; a double click hands the chosen receipt back to the
// editor, which shows it with its position.
class TfrmCercaRic : public ReceiptListScreen
{
    Q_OBJECT
public:
    TfrmCercaRic();

    // The editor's year file and the year typed there, before each opening.
    void setYear(const QString& file, const QString& year);

private:
    QString m_year;
};
