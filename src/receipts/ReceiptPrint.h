#pragma once

#include "platform/PrintCanvas.h"
#include "storage/ReceiptRecord.h"

#include <QImage>
#include <QString>

// The printed receipt in its two layouts, drawn at fixed positions in tenths
// of a millimetre in Verdana, the heights being character cell heights:
// the large one, one receipt on a portrait A4 sheet, and the small one, the
// receipt twice side by side on a landscape sheet with a cut line between,
// the client's copy on the left and the issuer's on the right.
namespace ReceiptPrint {

enum class Format { Small, Large };

// "Logo.bmp" beside the program, the company logo the receipts carry.
QString logoFileName();
// The picture that stands for no logo: one white pixel.
QImage blankLogo();
// The largest logo read: a full-page picture at print resolution is a few
// tens of megabytes; anything bigger is taken for a damaged file.
constexpr qint64 kMaxLogoSize = 64 << 20;
// The longest side of a stored logo, in pixels: printed in a box a few
// centimetres wide, a larger picture adds nothing but bytes (a photo of 24
// megapixels would make a bitmap beyond kMaxLogoSize, never read back).
constexpr int kLargestLogoSide = 2000;
// Reads the bitmap at path into logo. Only a regular file is read (the
// folder may be shared: a FIFO or a device in its place would hold the
// program up), up to kMaxLogoSize; false when missing, refused or not a
// bitmap.
bool readLogo(const QString& path, QImage& logo);
// The logo at path, or the blank picture when it is missing or unreadable.
QImage loadLogo(const QString& path);

// The page of a format, from the receipt's texts as they stand (trimmed;
// totals as they are, never recomputed) and the logo, stretched into its
// area without keeping its proportions.
void composeLarge(platform::PrintCanvas& canvas, const TRecRicevuta& receipt, const QImage& logo);
void composeSmall(platform::PrintCanvas& canvas, const TRecRicevuta& receipt, const QImage& logo);
void compose(platform::PrintCanvas& canvas, Format format, const TRecRicevuta& receipt, const QImage& logo);

// The receipt copies times on the printer chosen last, each copy a job of
// one page of its own, portrait for the large format and landscape for the
// small one. False when the printer failed; the copies sent stay printed.
bool print(Format format, const TRecRicevuta& receipt, const QImage& logo, int copies);

// The name proposed for the receipt printed to a PDF file: its document
// label, number and date ("Ricevuta 12 del 05-03-2024.pdf"), the parts that
// are empty left out, and no character a file name cannot hold.
QString pdfFileName(const TRecRicevuta& receipt);

} // namespace ReceiptPrint
