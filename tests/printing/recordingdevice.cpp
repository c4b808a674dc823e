#include "recordingdevice.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QTextItem>

#include <cmath>

class RecordingEngine : public QPaintEngine
{
public:
    explicit RecordingEngine(RecordingDevice &device)
        : QPaintEngine(QPaintEngine::AllFeatures), device_(device) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyPen)
            pen_ = state.pen();
        if (state.state() & DirtyBrush)
            brush_ = state.brush();
    }

    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            device_.lines.append({lines[i], pen_});
    }

    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            device_.rects.append({rects[i], pen_, brush_});
    }

    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        device_.texts.append({p, item.text(), item.font()});
    }

    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}

private:
    RecordingDevice &device_;
    QPen pen_;
    QBrush brush_;
};

RecordingDevice::RecordingDevice(int pixelsPerInchX, int pixelsPerInchY, int width, int height)
    : pixelsPerInchX_(pixelsPerInchX), pixelsPerInchY_(pixelsPerInchY), width_(width),
      height_(height), engine_(std::make_unique<RecordingEngine>(*this))
{
}

RecordingDevice::~RecordingDevice() = default;

QPaintEngine *RecordingDevice::paintEngine() const
{
    return engine_.get();
}

int RecordingDevice::TextTop(const Text &text) const
{
    return int(std::lround(text.baseline.y())) - QFontMetrics(text.font, this).ascent();
}

int RecordingDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return width_;
    case PdmHeight:
        return height_;
    case PdmWidthMM:
        return int(width_ * 25.4 / pixelsPerInchX_);
    case PdmHeightMM:
        return int(height_ * 25.4 / pixelsPerInchY_);
    case PdmDpiX:
    case PdmPhysicalDpiX:
        return pixelsPerInchX_;
    case PdmDpiY:
    case PdmPhysicalDpiY:
        return pixelsPerInchY_;
    case PdmDepth:
        return 32;
    case PdmNumColors:
        return INT_MAX;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
}
