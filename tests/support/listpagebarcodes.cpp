#include "listpagebarcodes.h"

#include "barcodereader.h"

#include <QImage>
#include <QPainter>
#include <QRectF>

#include <cmath>

namespace ListPageBarcodes {

QStringList Read(const QImage &page, int ppi, QPointF origin)
{
    using BarcodeReader::Symbology;
    struct Place
    {
        QRectF cm; // between the form's lines, from the form's corner
        Symbology symbology;
    };
    static const Place places[] = {
        {QRectF(QPointF(0.3, 19.0), QPointF(1.85, 26.5)), Symbology::Interleaved2of5},
        {QRectF(QPointF(13.6, 16.47), QPointF(16.5, 17.45)), Symbology::Interleaved2of5},
        {QRectF(QPointF(16.5, 16.47), QPointF(19.88, 17.45)), Symbology::Interleaved2of5},
        {QRectF(QPointF(13.6, 17.45), QPointF(19.88, 18.5)), Symbology::Interleaved2of5},
        {QRectF(QPointF(13.6, 18.6), QPointF(19.88, 19.5)), Symbology::Code39},
    };
    const auto pixels = [ppi](double cm) { return int(std::lround(ppi / 2.54 * cm)); };
    QStringList texts;
    for (const Place &place : places) {
        const QRectF cm = place.cm.translated(origin);
        const QRect part(QPoint(pixels(cm.left()), pixels(cm.top())),
                         QPoint(pixels(cm.right()), pixels(cm.bottom())));
        // On white with a centimetre around it, as a scanner sees it alone.
        const int margin = pixels(1.0);
        QImage framed(part.size().grownBy(QMargins(margin, margin, margin, margin)),
                      QImage::Format_Grayscale8);
        framed.fill(Qt::white);
        QPainter(&framed).drawImage(margin, margin, page.copy(part));
        texts << BarcodeReader::ReadText(framed, place.symbology);
    }
    return texts;
}

} // namespace ListPageBarcodes
