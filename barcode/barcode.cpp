#include "barcode.h"

#include "barcode/symbologies.h"
#include "common/cp1250.h"
#include "common/validators.h"

#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRectF>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

const auto ClassName = QLatin1String("TBarcodeObject");

// Nearest integer with halves going to the even neighbour.  Element corners
// are placed with this rule, and the positions on the printed list assume it.
double RoundHalfEven(double v)
{
    const double r = std::round(v);
    if (std::abs(r - v) == 0.5)
        return 2.0 * std::round(v / 2.0);
    return r;
}

// An axis-aligned quadrilateral is filled as the pixel rectangle from its
// smallest to its largest corner, both included, which is what a polygon with
// a one-pixel outline covers on the printer.  A filled rectangle gives exactly
// those pixels on any device, antialiased or not, where a stroked outline may
// spread over neighbouring pixels.  Other angles go through drawPolygon.
void PaintQuadrilateral(QPainter &painter, const std::array<QPointF, 4> &p, const QColor &color)
{
    const bool upright = p[0].x() == p[1].x() && p[1].y() == p[2].y() && p[2].x() == p[3].x()
        && p[3].y() == p[0].y();
    const bool lying = p[0].y() == p[1].y() && p[1].x() == p[2].x() && p[2].y() == p[3].y()
        && p[3].x() == p[0].x();
    if (upright || lying) {
        const double left = std::min(p[0].x(), p[2].x());
        const double right = std::max(p[0].x(), p[2].x());
        const double top = std::min(p[0].y(), p[2].y());
        const double bottom = std::max(p[0].y(), p[2].y());
        painter.fillRect(QRectF(left, top, right - left + 1, bottom - top + 1), color);
    } else {
        painter.drawPolygon(p.data(), int(p.size()));
    }
}

} // namespace

BarcodeError::BarcodeError(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

QString BarcodeError::message() const
{
    return QString::fromStdString(what());
}

void TBarcodeObject::SetModul(int modul)
{
    if (modul >= MinModul && modul <= MaxModul)
        modul_ = modul;
}

void TBarcodeObject::SetRatio(double ratio)
{
    // NaN would slip past the limits at encoding and give an undefined width.
    if (!std::isnan(ratio))
        ratio_ = ratio;
}

void TBarcodeObject::SetAngle(double angle)
{
    if (std::isfinite(angle))
        angle_ = angle;
}

QByteArray TBarcodeObject::BuildPattern()
{
    if (typ_ != bcCode_2_5_interleaved && typ_ != bcCode39)
        throw BarcodeError(QStringLiteral("%1: wrong BarcodeType").arg(ClassName));

    ratio_ = std::clamp(ratio_, 2.0, 3.0);
    widths_[0] = modul_;
    widths_[1] = int(RoundHalfEven(modul_ * ratio_));
    widths_[2] = widths_[1] * 3 / 2;
    widths_[3] = widths_[1] * 2;

    if (typ_ == bcCode_2_5_interleaved) {
        text_ = TrimControl(text_).toString();
        // An empty text is no pair of digits: start and stop only.
        if (!text_.isEmpty() && !IsAllDigits(text_))
            throw BarcodeError(QStringLiteral("Barcode must be numeric"));
        return EncodeInterleaved2of5(text_);
    }
    return EncodeCode39(text_);
}

int TBarcodeObject::PatternWidth(const QByteArray &pattern) const
{
    int width = 0;
    for (char code : pattern) {
        if (code >= '0' && code <= '3')
            width += widths_[code - '0'];
        else if (code >= '5' && code <= '8')
            width += widths_[code - '5'];
        else
            throw BarcodeError(QStringLiteral("%1: internal Error").arg(ClassName));
    }
    return width;
}

int TBarcodeObject::Width()
{
    return PatternWidth(BuildPattern());
}

void TBarcodeObject::SetWidth(int target)
{
    const int width = Width();
    if (width <= 0)
        return;
    const qint64 modul = qint64(modul_) * target / width;
    if (modul >= MinModul && modul <= MaxModul)
        modul_ = int(modul);
}

void TBarcodeObject::PaintBarcode(QPainter &painter)
{
    const QByteArray pattern = BuildPattern();
    const int w = PatternWidth(pattern);  // fails on a bad code before anything is painted
    const double h = height_;

    constexpr double Pi = 3.14159265358979323846;
    const double theta = angle_ / 180.0 * Pi;
    const double s = std::sin(theta);
    const double c = std::cos(theta);

    // Keeps the turned barcode below and to the right of (Left, Top).
    double dx = 0;
    double dy = 0;
    if (s >= 0 && c >= 0) {
        dy = RoundHalfEven(w * s);
    } else if (s >= 0) {
        dx = -RoundHalfEven(w * c);
        dy = RoundHalfEven(w * s - h * c);
    } else if (c >= 0) {
        dx = -RoundHalfEven(h * s);
    } else {
        dx = -RoundHalfEven(w * c) - RoundHalfEven(h * s);
        dy = -RoundHalfEven(h * c);
    }
    const double originX = double(left_) + dx;
    const double originY = double(top_) + dy;
    const auto turned = [&](double p, double q) {
        return QPointF(originX + RoundHalfEven(p * c + q * s),
                       originY + RoundHalfEven(-p * s + q * c));
    };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    double x = 0;
    for (char code : pattern) {
        const bool bar = code >= '5';
        const int width = widths_[bar ? code - '5' : code - '0'];
        // Spaces are painted white, not left out.
        const QColor color = bar ? Qt::black : Qt::white;
        painter.setPen(QPen(color, 1));
        painter.setBrush(color);
        const double last = x + width - 1;
        PaintQuadrilateral(painter, {turned(x, 0), turned(x, h), turned(last, h), turned(last, 0)},
                           color);
        x += width;
    }
    painter.restore();
}
