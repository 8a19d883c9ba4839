#pragma once

#include "screens/CardForm.h"
#include "storage/ReceiptRecord.h"

#include <QString>

#include <vector>

// The receipt editor's field table: the document, the company and client
// blocks, the appliance, twenty lines five to a page and the totals, each
// bound to its receipt field.
namespace ReceiptFields {

// One column of the lines, as every one of the twenty is laid out.
struct LineColumn
{
    const char* family;
    QString (TRecRicevuta::*member)[20];
    const char* header;
    int x, width;
    card::KeyRule rule;
    card::Leave leave;
    card::Look look;
    Qt::Alignment align;
};
// Quantity, code, description, unit price, discount, line total.
const std::vector<LineColumn>& lineColumns();

// The names of a line's controls: "txtQuant" and line 7 give "txtQuant07".
QString lineName(const char* family, int line);
// A line field as a message names it: its column's caption and the line
// ("Prezzo unit. della riga 3").
QString lineFieldName(const char* family, int line);
// "grpPage01" to "grpPage04" for pages 0 to 3; "impPro01" to "impPro20".
const char* pageName(int page);
const char* importName(int line);
// The top of a row of a page.
inline int lineY(int row) { return 40 + 36 * row; }

std::vector<card::Field<TRecRicevuta>> table();

// The column captions and the line numbers of a page (0 to 3).
void addLineCaptions(QWidget* page, int index);
// What the table cannot say of the editor's look: the document label white
// on black and deaf to typing, the number large, the grand total maroon.
void dressUp(card::FormBase& form);

} // namespace ReceiptFields
