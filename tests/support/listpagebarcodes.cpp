#include "listpagebarcodes.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <zbar.h>

QString BarcodeReader::ReadText(const QImage &image, Symbology symbology, QRect *found, int *direction)
{
    const zbar::zbar_symbol_type_t type = symbology == Symbology::Code39 ? zbar::ZBAR_CODE39 : zbar::ZBAR_I25;
    zbar::ImageScanner scanner;
    scanner.set_config(zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 0);
    scanner.set_config(type, zbar::ZBAR_CFG_ENABLE, 1);
    scanner.set_config(type, zbar::ZBAR_CFG_MIN_LEN, 2);
    // zbar takes rows without padding.
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    QByteArray pixels;
    for (int y = 0; y < gray.height(); ++y)
        pixels.append(reinterpret_cast<const char *>(gray.constScanLine(y)), gray.width());
    zbar::Image scanned(gray.width(), gray.height(), "Y800", pixels.constData(), pixels.size());
    if (scanner.scan(scanned) <= 0)
        return {};
    const zbar::Symbol symbol = *scanned.symbol_begin();
    QPolygon points;
    for (int i = 0; i < symbol.get_location_size(); ++i)
        points << QPoint(symbol.get_location_x(i), symbol.get_location_y(i));
    if (found)
        *found = points.boundingRect();
    if (direction)
        *direction = symbol.get_orientation();
    return QString::fromStdString(symbol.get_data());
}

QStringList ListPageBarcodes::Read(const QImage &page, int ppi, QPointF origin)
{
    using BarcodeReader::Symbology;
    // Between the form's lines, in cm from the form's corner, read from the
    // bottom up or from left to right.
    static const std::tuple<QRectF, Symbology, int> places[] = {
        {QRectF(QPointF(0.3, 19.0), QPointF(1.85, 26.5)), Symbology::Interleaved2of5, zbar::ZBAR_ORIENT_LEFT},
        {QRectF(QPointF(13.6, 16.47), QPointF(16.5, 17.45)), Symbology::Interleaved2of5, zbar::ZBAR_ORIENT_UP},
        {QRectF(QPointF(16.5, 16.47), QPointF(19.88, 17.45)), Symbology::Interleaved2of5, zbar::ZBAR_ORIENT_UP},
        {QRectF(QPointF(13.6, 17.45), QPointF(19.88, 18.5)), Symbology::Interleaved2of5, zbar::ZBAR_ORIENT_UP},
        {QRectF(QPointF(13.6, 18.6), QPointF(19.88, 19.5)), Symbology::Code39, zbar::ZBAR_ORIENT_UP}};
    const auto pixels = [ppi](QPointF cm) { return (cm * ppi / 2.54).toPoint(); };
    QStringList texts;
    for (const auto &[cm, symbology, direction] : places) {
        const QRect part(pixels(cm.topLeft() + origin), pixels(cm.bottomRight() + origin));
        // On white with a centimetre around it, as a scanner sees it alone.
        const int margin = ppi * 100 / 254;
        QImage framed(part.size().grownBy({margin, margin, margin, margin}), QImage::Format_Grayscale8);
        framed.fill(Qt::white);
        QPainter(&framed).drawImage(margin, margin, page.copy(part));
        QRect found;
        int read = -1;
        const QString text = BarcodeReader::ReadText(framed, symbology, &found, &read);
        const bool inPlace = QRect(margin, margin, part.width(), part.height()).adjusted(1, 1, -1, -1).contains(found);
        texts << (inPlace && read == direction ? text : "");
    }
    return texts;
}
