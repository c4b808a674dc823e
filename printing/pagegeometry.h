#pragma once

#include <QString>
#include <QtGlobal>

class QPainter;
class QPaintDevice;

// Resolution and sheet width of the device a print job draws on.  Every
// position on the printed list is in centimetres and goes through these.
class PageMetrics
{
public:
    PageMetrics() = default;
    PageMetrics(qint32 pixelsPerInchX, qint32 pixelsPerInchY, qint32 physicalPageWidth);

    // Reads the metrics of the job's device: a QPrinter's logical resolution
    // and paper width, a QPdfWriter's resolution and page width, a QImage's
    // dots per metre and width.  Replaces all three values.
    void ReadPrinterMetrics(const QPaintDevice &device);

    qint32 PhysicalPageWidth() const { return physicalPageWidth_; }

    int CmToPixelX(double cm) const;
    int CmToPixelY(double cm) const;

private:
    qint32 pixelsPerInchX_ = 0;
    qint32 pixelsPerInchY_ = 0;
    qint32 physicalPageWidth_ = 0;
};

// Left, top, right, bottom in device pixels.
struct PixelRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The canvas of an open print job: the painter and the metrics of its device.
// The blocks of the page draw through it and keep no state of their own.
class PrintCanvas
{
public:
    PrintCanvas(QPainter &painter, PageMetrics metrics)
        : painter_(painter), metrics_(metrics) {}

    QPainter &Painter() const { return painter_; }
    const PageMetrics &Metrics() const { return metrics_; }
    int CmToPixelX(double cm) const { return metrics_.CmToPixelX(cm); }
    int CmToPixelY(double cm) const { return metrics_.CmToPixelY(cm); }

    // Text with the top-left corner of its cell at the pixel point or at the
    // point in centimetres, in the current font.
    void TextAt(int x, int y, const QString &text) const;
    void TextAtCm(double x, double y, const QString &text) const;
    int TextWidth(const QString &text) const;

    // Sets the family and point size and keeps the weight and underline,
    // which stay as the previous block left them.
    void SetFont(const QString &family, int pointSize) const;
    void SetFontStyle(bool bold, bool underline = false) const;

private:
    QPainter &painter_;
    PageMetrics metrics_;
};

// Font families of the printed pages.  Where a family is missing, the style
// hint makes Qt pick a face of the same kind; the character boxes need the
// monospaced one.
inline QString FontArial() { return QStringLiteral("Arial"); }
inline QString FontCourierNew() { return QStringLiteral("Courier New"); }
inline QString FontTimesNewRoman() { return QStringLiteral("Times New Roman"); }

// A horizontal (y1 = y2, x1 <= x2) or vertical (x1 = x2, y1 <= y2) line of
// dashes 0.025 cm long, one every 0.075 cm, in the caller's pen style.
void DrawDottedLine(const PrintCanvas &canvas, int x1, int y1, int x2, int y2);
void DrawDottedFrame(const PrintCanvas &canvas, const PixelRect &rect);

// The dotted box for one hand-written character, its top-left corner at x, y cm.
void DrawDigitBox(const PrintCanvas &canvas, double x, double y);
