#include "listpagebarcodes.h"

#include "barcodereader.h"

#include <QImage>
#include <QPainter>
#include <QRectF>

#include <cmath>

namespace ListPageBarcodes {

namespace {

int toPixels(int ppi, double cm)
{
    return int(std::lround(ppi / 2.54 * cm));
}

// Between the form's lines, in cm from the sheet's top-left corner.
QRectF placeCm(Place place)
{
    switch (place) {
    case Fixed:
        return QRectF(QPointF(0.3, 19.0), QPointF(1.85, 26.5));
    case Code:
        return QRectF(QPointF(13.6, 16.47), QPointF(16.5, 17.45));
    case Ico:
        return QRectF(QPointF(16.5, 16.47), QPointF(19.88, 17.45));
    case Sequence:
        return QRectF(QPointF(13.6, 17.45), QPointF(19.88, 18.5));
    case Code39:
        return QRectF(QPointF(13.6, 18.6), QPointF(19.88, 19.5));
    }
    return {};
}

} // namespace

QImage Area(const QImage &page, int ppi, Place place, QPointF origin)
{
    const QRectF cm = placeCm(place).translated(origin);
    const QRect part(QPoint(toPixels(ppi, cm.left()), toPixels(ppi, cm.top())),
                     QPoint(toPixels(ppi, cm.right()), toPixels(ppi, cm.bottom())));
    const int margin = toPixels(ppi, 1.0);
    QImage framed(part.size() + QSize(2 * margin, 2 * margin), QImage::Format_Grayscale8);
    framed.fill(Qt::white);
    QPainter(&framed).drawImage(margin, margin, page.copy(part));
    return framed;
}

QStringList Read(const QImage &page, int ppi, QPointF origin)
{
    using BarcodeReader::Orientation;
    using BarcodeReader::Symbology;
    return {BarcodeReader::ReadText(Area(page, ppi, Fixed, origin), Symbology::Interleaved2of5,
                                    Orientation::AnyQuarterTurn),
            BarcodeReader::ReadText(Area(page, ppi, Code, origin), Symbology::Interleaved2of5, Orientation::AsIs),
            BarcodeReader::ReadText(Area(page, ppi, Ico, origin), Symbology::Interleaved2of5, Orientation::AsIs),
            BarcodeReader::ReadInterleavedByWidths(Area(page, ppi, Sequence, origin)),
            BarcodeReader::ReadText(Area(page, ppi, Code39, origin), Symbology::Code39, Orientation::AsIs)};
}

} // namespace ListPageBarcodes
