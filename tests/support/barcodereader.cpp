#include "barcodereader.h"

#include <QImage>

#include <memory>

#include <zbar.h>

namespace BarcodeReader {

using namespace zbar; // the C interface, in a namespace when read as C++

QString ReadText(const QImage &image, Symbology symbology)
{
    const zbar_symbol_type_t type = symbology == Symbology::Code39 ? ZBAR_CODE39 : ZBAR_I25;
    const std::unique_ptr<zbar_image_scanner_t, void (*)(zbar_image_scanner_t *)> scanner(
        zbar_image_scanner_create(), zbar_image_scanner_destroy);
    zbar_image_scanner_set_config(scanner.get(), ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
    zbar_image_scanner_set_config(scanner.get(), type, ZBAR_CFG_ENABLE, 1);
    zbar_image_scanner_set_config(scanner.get(), type, ZBAR_CFG_MIN_LEN, 2);

    // zbar takes rows without padding.
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    QByteArray pixels;
    for (int y = 0; y < gray.height(); ++y)
        pixels.append(reinterpret_cast<const char *>(gray.constScanLine(y)), gray.width());
    const std::unique_ptr<zbar_image_t, void (*)(zbar_image_t *)> scanned(zbar_image_create(),
                                                                          zbar_image_destroy);
    zbar_image_set_format(scanned.get(), zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(scanned.get(), unsigned(gray.width()), unsigned(gray.height()));
    zbar_image_set_data(scanned.get(), pixels.constData(), unsigned(pixels.size()), nullptr);
    if (zbar_scan_image(scanner.get(), scanned.get()) <= 0)
        return {};
    return QString::fromUtf8(zbar_symbol_get_data(zbar_image_first_symbol(scanned.get())));
}

} // namespace BarcodeReader
