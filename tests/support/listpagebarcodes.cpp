#include "listpagebarcodes.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <memory>

#include <zbar.h>

using namespace zbar; // its C interface, in a namespace when read as C++

QString BarcodeReader::ReadText(const QImage &image, Symbology symbology, QRect *found)
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
    const std::unique_ptr<zbar_image_t, void (*)(zbar_image_t *)> scanned(zbar_image_create(), zbar_image_destroy);
    zbar_image_set_format(scanned.get(), zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(scanned.get(), unsigned(gray.width()), unsigned(gray.height()));
    zbar_image_set_data(scanned.get(), pixels.constData(), unsigned(pixels.size()), nullptr);
    if (zbar_scan_image(scanner.get(), scanned.get()) <= 0)
        return {};
    const zbar_symbol_t *symbol = zbar_image_first_symbol(scanned.get());
    QPolygon points;
    for (unsigned i = 0; i < zbar_symbol_get_loc_size(symbol); ++i)
        points << QPoint(zbar_symbol_get_loc_x(symbol, i), zbar_symbol_get_loc_y(symbol, i));
    if (found)
        *found = points.boundingRect();
    return QString::fromUtf8(zbar_symbol_get_data(symbol));
}

QStringList ListPageBarcodes::Read(const QImage &page, int ppi, QPointF origin)
{
    using BarcodeReader::Symbology;
    // Between the form's lines, in cm from the form's corner.
    static const std::pair<QRectF, Symbology> places[] = {
        {QRectF(QPointF(0.3, 19.0), QPointF(1.85, 26.5)), Symbology::Interleaved2of5},
        {QRectF(QPointF(13.6, 16.47), QPointF(16.5, 17.45)), Symbology::Interleaved2of5},
        {QRectF(QPointF(16.5, 16.47), QPointF(19.88, 17.45)), Symbology::Interleaved2of5},
        {QRectF(QPointF(13.6, 17.45), QPointF(19.88, 18.5)), Symbology::Interleaved2of5},
        {QRectF(QPointF(13.6, 18.6), QPointF(19.88, 19.5)), Symbology::Code39}};
    const auto pixels = [ppi](QPointF cm) { return (cm * ppi / 2.54).toPoint(); };
    QStringList texts;
    for (const auto &[cm, symbology] : places) {
        const QRect part(pixels(cm.topLeft() + origin), pixels(cm.bottomRight() + origin));
        // On white with a centimetre around it, as a scanner sees it alone.
        const int margin = ppi * 100 / 254;
        QImage framed(part.size().grownBy({margin, margin, margin, margin}), QImage::Format_Grayscale8);
        framed.fill(Qt::white);
        QPainter(&framed).drawImage(margin, margin, page.copy(part));
        QRect found;
        const QString text = BarcodeReader::ReadText(framed, symbology, &found);
        texts << (QRect(margin, margin, part.width(), part.height()).adjusted(1, 1, -1, -1).contains(found) ? text : "");
    }
    return texts;
}
