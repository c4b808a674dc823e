#include "pagegeometry.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

PageMetrics::PageMetrics(qint32 pixelsPerInchX, qint32 pixelsPerInchY, qint32 physicalPageWidth)
    : pixelsPerInchX_(pixelsPerInchX), pixelsPerInchY_(pixelsPerInchY),
      physicalPageWidth_(physicalPageWidth)
{
}

void PageMetrics::ReadPrinterMetrics(const QPaintDevice &device)
{
    if (const auto *printer = dynamic_cast<const QPrinter *>(&device)) {
        pixelsPerInchX_ = printer->logicalDpiX();
        pixelsPerInchY_ = printer->logicalDpiY();
        physicalPageWidth_ = qRound(printer->paperRect(QPrinter::DevicePixel).width());
    } else if (const auto *pdf = dynamic_cast<const QPdfWriter *>(&device)) {
        pixelsPerInchX_ = pdf->logicalDpiX();
        pixelsPerInchY_ = pdf->logicalDpiY();
        physicalPageWidth_ = pdf->pageLayout().fullRectPixels(pdf->resolution()).width();
    } else if (const auto *image = dynamic_cast<const QImage *>(&device)) {
        pixelsPerInchX_ = qRound(image->dotsPerMeterX() * 0.0254);
        pixelsPerInchY_ = qRound(image->dotsPerMeterY() * 0.0254);
        physicalPageWidth_ = image->width();
    } else {
        pixelsPerInchX_ = device.logicalDpiX();
        pixelsPerInchY_ = device.logicalDpiY();
        physicalPageWidth_ = device.width();
    }
}

namespace {

// The pixels per centimetre are formed first and then multiplied, in extended
// precision; halves go to the even neighbour.  Forms printed before this
// program existed were measured against exactly this rounding.
int cmToPixel(qint32 pixelsPerInch, double cm)
{
    const long double perCm = static_cast<long double>(pixelsPerInch) / 2.54L;
    return static_cast<int>(std::nearbyint(perCm * static_cast<long double>(cm)));
}

QFont::StyleHint styleHintFor(const QString &family)
{
    if (family == FontCourierNew())
        return QFont::Monospace;
    if (family == FontTimesNewRoman())
        return QFont::Serif;
    return QFont::SansSerif;
}

} // namespace

int PageMetrics::CmToPixelX(double cm) const
{
    return cmToPixel(pixelsPerInchX_, cm);
}

int PageMetrics::CmToPixelY(double cm) const
{
    return cmToPixel(pixelsPerInchY_, cm);
}

void PrintCanvas::TextAt(int x, int y, const QString &text) const
{
    painter_.drawText(QPoint(x, y + painter_.fontMetrics().ascent()), text);
}

void PrintCanvas::TextAtCm(double x, double y, const QString &text) const
{
    TextAt(CmToPixelX(x), CmToPixelY(y), text);
}

int PrintCanvas::TextWidth(const QString &text) const
{
    return painter_.fontMetrics().horizontalAdvance(text);
}

void PrintCanvas::SetFont(const QString &family, int pointSize) const
{
    QFont font = painter_.font();
    font.setFamilies({family});
    font.setStyleHint(styleHintFor(family));
    if (family == FontCourierNew())
        font.setFixedPitch(true);
    font.setPointSize(pointSize);
    painter_.setFont(font);
}

void PrintCanvas::SetFontStyle(bool bold, bool underline) const
{
    QFont font = painter_.font();
    font.setBold(bold);
    font.setUnderline(underline);
    painter_.setFont(font);
}

void DrawDottedLine(const PrintCanvas &canvas, int x1, int y1, int x2, int y2)
{
    const bool vertical = x1 == x2;
    // A device under 51 pixels per inch rounds a dash to nothing; stepping by
    // at least one pixel keeps the loop finite there.
    const int dx = vertical ? 0 : std::max(1, canvas.CmToPixelX(0.025));
    const int dy = vertical ? std::max(1, canvas.CmToPixelY(0.025)) : 0;

    QPainter &painter = canvas.Painter();
    QBrush brush = painter.brush();
    brush.setStyle(Qt::SolidPattern);
    painter.setBrush(brush);
    QPen pen = painter.pen();
    pen.setColor(Qt::black);
    pen.setWidth(1);
    pen.setCosmetic(true);
    // The end point of each dash is left unpainted.
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);

    int x = x1;
    int y = y1;
    while (vertical ? y < y2 : x < x2) {
        painter.drawLine(x, y, std::min(x + dx, x2), std::min(y + dy, y2));
        x += 3 * dx;
        y += 3 * dy;
    }
}

void DrawDottedFrame(const PrintCanvas &canvas, const PixelRect &rect)
{
    DrawDottedLine(canvas, rect.left, rect.top, rect.right, rect.top);
    DrawDottedLine(canvas, rect.left, rect.bottom, rect.right, rect.bottom);
    DrawDottedLine(canvas, rect.left, rect.top, rect.left, rect.bottom);
    DrawDottedLine(canvas, rect.right, rect.top, rect.right, rect.bottom);
}

void DrawDigitBox(const PrintCanvas &canvas, double x, double y)
{
    PixelRect box;
    box.left = canvas.CmToPixelX(x);
    box.top = canvas.CmToPixelY(y);
    box.right = box.left + canvas.CmToPixelX(0.4645);
    box.bottom = box.top + canvas.CmToPixelY(0.6463);

    // The dotted line sets the rest of the pen; the box's dashes are dotted.
    QPainter &painter = canvas.Painter();
    QPen pen = painter.pen();
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    DrawDottedFrame(canvas, box);
}
