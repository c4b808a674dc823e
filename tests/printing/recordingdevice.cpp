#include "recordingdevice.h"

#include <QFontMetrics>
#include <QTextItem>

#include <cmath>

namespace {

class RecordingEngine : public QPaintEngine
{
public:
    explicit RecordingEngine(RecordingDevice &device) : QPaintEngine(AllFeatures), device_(device) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}

    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyPen)
            pen_ = state.pen();
        if (state.state() & DirtyBrush)
            brush_ = state.brush().style();
    }
    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            device_.lines.append({lines[i].toLine(), pen_});
    }
    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            device_.rects.append({rects[i].toRect(), pen_, brush_});
    }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        if (item.text().trimmed().isEmpty())
            return;
        const int ascent = QFontMetrics(item.font(), &device_).ascent();
        device_.texts.append({int(std::lround(p.x())), int(std::lround(p.y())) - ascent,
                              item.text(), item.font()});
    }

private:
    RecordingDevice &device_;
    QPen pen_;
    Qt::BrushStyle brush_ = Qt::NoBrush;
};

} // namespace

RecordingDevice::RecordingDevice(int pixelsPerInchX, int pixelsPerInchY)
    : pixelsPerInchX_(pixelsPerInchX), pixelsPerInchY_(pixelsPerInchY),
      engine_(new RecordingEngine(*this))
{
}

RecordingDevice::~RecordingDevice()
{
    delete engine_;
}

int RecordingDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmDpiX:
    case PdmPhysicalDpiX:
        return pixelsPerInchX_;
    case PdmDpiY:
    case PdmPhysicalDpiY:
        return pixelsPerInchY_;
    case PdmWidth:   // an A4 sheet
        return int(pixelsPerInchX_ * 21.0 / 2.54);
    case PdmHeight:
        return int(pixelsPerInchY_ * 29.7 / 2.54);
    case PdmWidthMM:
        return 210;
    case PdmHeightMM:
        return 297;
    case PdmDepth:
        return 32;
    case PdmNumColors:
        return INT_MAX;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}
