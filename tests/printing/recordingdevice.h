#pragma once

#include <QBrush>
#include <QFont>
#include <QLineF>
#include <QList>
#include <QPaintDevice>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <memory>

class RecordingEngine;

// A paint device of a given resolution and size that keeps what is drawn on
// it: lines, rectangles and texts with the pen, brush and font in force.
class RecordingDevice : public QPaintDevice
{
public:
    struct Line { QLineF line; QPen pen; };
    struct Rect { QRectF rect; QPen pen; QBrush brush; };
    struct Text { QPointF baseline; QString text; QFont font; };

    RecordingDevice(int pixelsPerInchX, int pixelsPerInchY, int width, int height);
    ~RecordingDevice() override;

    QPaintEngine *paintEngine() const override;

    QList<Line> lines;
    QList<Rect> rects;
    QList<Text> texts;

    // The top of a recorded text's cell: its baseline less the ascent of its
    // font on this device.
    int TextTop(const Text &text) const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int pixelsPerInchX_;
    int pixelsPerInchY_;
    int width_;
    int height_;
    std::unique_ptr<RecordingEngine> engine_;
};
