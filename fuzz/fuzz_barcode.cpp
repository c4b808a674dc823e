// The input sets a barcode object (symbology, module, ratio, angle, height,
// position) and ends with its text.  Whatever the settings, the object
// either refuses before painting anything or paints, at least a module wide,
// and leaves the painter as it was.

#include "fuzzsupport.h"

#include "barcode/barcode.h"
#include "common/cp1250.h"

#include <QImage>
#include <QPainter>

namespace {
constexpr int Canvas = 160;
const QRgb Untouched = qRgb(1, 2, 3);
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzBytes input(data, size);
    const uint8_t flags = input.byte();
    const uint8_t modul = input.byte();
    const uint8_t ratioByte = input.byte();
    const auto ratioBits = input.value<double>();
    const uint8_t angleByte = input.byte();
    const auto angleBits = input.value<double>();
    const auto height = int(input.value<int8_t>());
    const auto left = int(input.value<int8_t>()) + 32;
    const auto top = int(input.value<int8_t>()) + 32;
    input.value<int16_t>();
    const QByteArray payload = input.rest();
    if (payload.size() > 1024)
        return 0;

    static const TBarcodeType Types[] = {bcCode_2_5_interleaved, bcCode39, bcCode_2_5_interleaved, bcCode39,
                                         bcCode128, bcCodeEAN13, bcCode_2_5_matrix, TBarcodeType(99)};
    TBarcodeObject barcode;
    barcode.SetTyp(Types[flags & 7]);
    barcode.SetText((flags & 16) ? QString::fromUtf8(payload) : Cp1250::decode(payload));
    barcode.SetModul(modul);
    barcode.SetRatio((flags & 32) ? ratioBits : ratioByte / 32.0);
    barcode.SetAngle((flags & 64) ? angleBits : angleByte * 90.0);
    barcode.SetHeight(height);
    barcode.SetLeft(left);
    barcode.SetTop(top);

    QImage image(Canvas, Canvas, QImage::Format_RGB32);
    image.fill(Untouched);
    const QImage blank = image;
    QPainter painter(&image);
    const QPen pen(Qt::red, 3);
    const QBrush brush(Qt::green, Qt::Dense4Pattern);
    painter.setPen(pen);
    painter.setBrush(brush);
    qint64 width = 0;
    try {
        width = barcode.Width();
        barcode.PaintBarcode(painter);
    } catch (const BarcodeError &) {
        painter.end();
        FUZZ_CHECK(image == blank);
        return 0;
    }
    FUZZ_CHECK(painter.pen() == pen && painter.brush() == brush);
    painter.end();
    FUZZ_CHECK(width >= barcode.Modul());
    return 0;
}
