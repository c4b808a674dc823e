#pragma once

#include <QPointF>
#include <QStringList>

class QImage;
class QRect;

// Reads barcodes back from images with zbar, independently of the program,
// as a scanner would.  An image needs a quiet zone of ten narrow modules on
// both sides of a barcode, as on paper.
namespace BarcodeReader {

enum class Symbology { Interleaved2of5, Code39 };

// The text of the first barcode of the symbology found, lying across or
// along the image, or a null string.  Interleaved 2 of 5 is read from two
// digits up.  found receives the bounds of the points where it was read,
// direction zbar's orientation of the reading (zbar_orientation_t).
QString ReadText(const QImage &image, Symbology symbology, QRect *found = nullptr, int *direction = nullptr);

} // namespace BarcodeReader

// The five barcodes of a list page, read back from an image of the sheet at
// ppi pixels per inch: upright at the left edge, then in the reserved box the
// code and the IČO side by side, "0001" under them, and the code in Code 39
// under the box's line.  The form is measured from the printable area's
// top-left corner, which lies at origin (in cm) on the sheet.
namespace ListPageBarcodes {

// The texts read at the five places, in the order above; each place is cut
// out and read on its own, and a barcode out of its place, cut by its edges
// or turned the wrong way, reads as empty.
QStringList Read(const QImage &page, int ppi, QPointF origin = QPointF());

} // namespace ListPageBarcodes
