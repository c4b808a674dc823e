#pragma once

#include <QList>
#include <QPolygon>
#include <QString>

class QImage;

// Reads barcodes back from rendered images with an independent decoder, so
// that tests check what a scanner would see rather than the encoder's own idea
// of the pattern.  The image should hold a quiet zone of at least ten narrow
// modules on both sides of each barcode, as on paper.
namespace BarcodeReader {

enum class Symbology { Interleaved2of5, Code39 };

// Whether barcodes turned by a quarter or half turn are looked for as well.
enum class Orientation { AsIs, AnyQuarterTurn };

struct Decoded
{
    Symbology symbology;
    QString text;
    QPolygon area;  // the bars it was read from, in image pixels
};

// The text of a barcode of the symbology in the image, or a null string when
// none could be read.
QString ReadText(const QImage &image, Symbology symbology,
                 Orientation orientation = Orientation::AnyQuarterTurn);

// Every barcode of either symbology that could be read in the image, at most
// 32, in no particular order.
QList<Decoded> ReadAll(const QImage &image, Orientation orientation = Orientation::AnyQuarterTurn);

// The digits of an Interleaved 2 of 5 barcode lying across the image, read
// from the widths of its bars and spaces along a row; a null string when no
// row holds a whole one.  ZXing reads this symbology from six digits up only;
// this small reader takes the shorter ones.
QString ReadInterleavedByWidths(const QImage &image);

} // namespace BarcodeReader
