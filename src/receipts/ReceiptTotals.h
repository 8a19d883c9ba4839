#pragma once

#include <QString>

// The amounts of a receipt as the editor shows them: texts, a comma as
// decimal separator, index 0 = line 1.
struct ReceiptAmounts { QString Quant[20], PrezzoUni[20], Sconto[20], PrezzoTot[20]; QString PercIva, TotNetto, TotIva, Totale; };

// The line totals, the net total, the VAT and the grand total rounded to the
// cent. A line with neither quantity nor unit price is left alone; one with
// only a price gets the quantity "1", one with only a quantity the price
// "0,00". A value that cannot be read (text pasted and not yet normalised)
// stops the computation there: the net and grand totals become "0,00", the
// line totals already computed and the VAT total keep what they hold.
void ComputeTotals(ReceiptAmounts& r);
