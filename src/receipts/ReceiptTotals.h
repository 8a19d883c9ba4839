#pragma once

#include "storage/ReceiptRecord.h"

#include <QString>

// The line totals, the net total, the VAT and the grand total rounded to the
// cent. A line with neither quantity nor unit price is left alone; one with
// only a price gets the quantity "1", one with only a quantity the price
// "0,00". A value that cannot be read (text pasted and not yet normalised)
// stops the computation there: the net and grand totals become "0,00", the
// line totals already computed and the VAT total keep what they hold.
// The line totals, the net total and the grand total are fitted to the
// characters their record fields keep (decimals rounded away), so that what
// the editor shows and adds up is what Save stores; the VAT total is shown in
// full and fitted only when stored. A total whose integer part cannot fit
// stays whole, for Save to refuse.
// Only the amounts of the receipt are read and written (quantities, unit
// prices, discounts, line totals, the VAT rate and the three totals), as
// texts with a comma as decimal separator.
void ComputeTotals(TRecRicevuta& r);

// The amounts of a receipt about to be stored, each fitted to its field
// (quantities, discounts and the VAT rate as numbers, the rest as money).
// Empty when all fit; otherwise the warning naming, as the editor labels
// it, the first amount the record cannot hold: money not to the cent, any
// other number not in its integer part.
QString fitStoredAmounts(TRecRicevuta& r);
