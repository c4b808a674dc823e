#pragma once

#include <QPointF>
#include <QStringList>

class QImage;

// The five barcodes of a list page, read back from an image of the sheet:
// upright at the left edge from 23 cm, then in the reserved box the code and
// the IČO side by side, "0001" under them, and the code in Code 39 under the
// box's line.  The form is measured from the printable area's top-left
// corner, which lies at origin (in cm) on the sheet.
namespace ListPageBarcodes {

enum Place { Fixed, Code, Ico, Sequence, Code39 };

// The part of the page around a place, on white with room around it, as a
// scanner would see the barcode on its own.
QImage Area(const QImage &page, int ppi, Place place, QPointF origin = QPointF());

// The texts read at the five places, in the order above: "0001", too short
// for ZXing, by the widths of its bars, the others by ZXing.
QStringList Read(const QImage &page, int ppi, QPointF origin = QPointF());

} // namespace ListPageBarcodes
