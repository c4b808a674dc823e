#pragma once

#include <QFont>
#include <QLineF>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QRectF>

// A paint device of a given resolution that keeps what is drawn on it: lines
// and outlined or filled rectangles with their pen, texts with their font and
// the top of their cell.
class RecordingDevice : public QPaintDevice
{
public:
    struct Line { QLine line; QPen pen; };
    struct Rect { QRect rect; QPen pen; Qt::BrushStyle brush; };
    struct Text { int x; int top; QString text; QFont font; };

    RecordingDevice(int pixelsPerInchX, int pixelsPerInchY);
    ~RecordingDevice() override;
    QPaintEngine *paintEngine() const override { return engine_; }

    QList<Line> lines;
    QList<Rect> rects;
    QList<Text> texts;  // spaces leave nothing on paper and are not kept

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int pixelsPerInchX_;
    int pixelsPerInchY_;
    QPaintEngine *engine_;
};
