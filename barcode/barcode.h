#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

class QPainter;

// The symbologies a barcode object can be asked for.  The printed list uses
// Interleaved 2 of 5 and Code 39 only; the others are named so that the
// ordinals stay fixed, and choosing one fails when the barcode is encoded.
enum TBarcodeType : int {
    bcCode_2_5_interleaved = 0,
    bcCode_2_5_industrial = 1,
    bcCode_2_5_matrix = 2,
    bcCode39 = 3,
    bcCode128 = 4,
    bcCodeEAN8 = 5,
    bcCodeEAN13 = 6,
};

// Raised before anything is painted; what() is the text shown to the user.
class BarcodeError : public std::runtime_error
{
public:
    explicit BarcodeError(const QString &message);
    QString message() const;
};

// One barcode's settings, encoded afresh each time its width is asked for or
// it is painted.  The printed list keeps a single object for the whole run and
// relies on settings staying as the previous barcode left them.
class TBarcodeObject
{
public:
    static constexpr int MinModul = 1;
    static constexpr int MaxModul = 49;

    TBarcodeObject() = default;

    void SetText(const QString &text) { text_ = text; }

    void SetTyp(TBarcodeType typ) { typ_ = typ; }

    // Narrow element width in pixels; a value outside 1 to 49 is ignored.
    int Modul() const { return modul_; }
    void SetModul(int modul);

    // Wide element width as a multiple of the narrow one; limited to 2 to 3
    // (and stored back) when the barcode is encoded.  NaN is ignored.
    void SetRatio(double ratio);

    void SetHeight(int height) { height_ = height; }

    void SetLeft(int left) { left_ = left; }

    void SetTop(int top) { top_ = top; }

    // Degrees, counter-clockwise.  A value that is not finite is ignored.
    void SetAngle(double angle);

    // Total width of the pattern in pixels.
    int Width();
    // Sets Modul to the largest narrow width whose pattern fits the target
    // (at ratio 2); Modul stays as it was when that width would be below 1 or
    // above 49.
    void SetWidth(int target);

    // Encodes the text into a module pattern (see symbologies.h), after
    // limiting Ratio and, for Interleaved 2 of 5, trimming Text and checking
    // that it holds digits only.  Both are stored back.
    QByteArray BuildPattern();

    // Paints the barcode with its corner at (Left, Top), turned by Angle.  The
    // painter's font, pen and brush are left as they were.
    void PaintBarcode(QPainter &painter);

private:
    int PatternWidth(const QByteArray &pattern) const;

    QString text_;
    TBarcodeType typ_ = bcCodeEAN13;
    int modul_ = 1;
    double ratio_ = 2.0;
    int height_ = 0;
    int left_ = 0;
    int top_ = 0;
    double angle_ = 0.0;
    // Element widths w0 to w3 in pixels, set by BuildPattern.
    int widths_[4] = {1, 2, 3, 4};
};
