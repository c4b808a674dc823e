#pragma once

#include <QString>

class QImage;

// Reads a barcode back from an image with zbar, independently of the program,
// as a scanner would: Interleaved 2 of 5 from two digits up, or Code 39,
// lying across or along the image.  The image needs a quiet zone of ten
// narrow modules on both sides of the barcode, as on paper.
namespace BarcodeReader {

enum class Symbology { Interleaved2of5, Code39 };

// The text of the first barcode of the symbology found, or a null string.
QString ReadText(const QImage &image, Symbology symbology);

} // namespace BarcodeReader
