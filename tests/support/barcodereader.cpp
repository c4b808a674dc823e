#include "barcodereader.h"

#include <QImage>
#include <QPainter>
#include <QTransform>

#include <ZXing/ReadBarcode.h>

#include <algorithm>

namespace BarcodeReader {

namespace {

ZXing::BarcodeFormat FormatOf(Symbology symbology)
{
    switch (symbology) {
    case Symbology::Interleaved2of5:
        return ZXing::BarcodeFormat::ITF;
    case Symbology::Code39:
        return ZXing::BarcodeFormat::Code39;
    }
    return ZXing::BarcodeFormat::None;
}

// Linear barcodes lie across the image (0) or along it (90); the reader scans
// rows in both directions, so a half turn needs no reading of its own.
QList<int> AnglesFor(Orientation orientation)
{
    if (orientation == Orientation::AsIs)
        return {0};
    return {0, 90};
}

// ZXing 1.4 as packaged trips an assertion (Result::operator==, "lineCount()
// == 1") when asked for several linear barcodes at once, so barcodes are read
// one at a time and each is whitened out before the next read.
constexpr int MaxBarcodes = 32;

ZXing::Result ReadOne(const QImage &gray, ZXing::BarcodeFormats formats)
{
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(),
                                ZXing::ImageFormat::Lum, int(gray.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(formats);
    hints.setTryHarder(true);
    hints.setTryRotate(false);
    hints.setMaxNumberOfSymbols(1);
    // The program prints no check digit or check character; the reader must
    // not expect one either.
    hints.setValidateITFCheckSum(false);
    hints.setValidateCode39CheckSum(false);
    hints.setTryCode39ExtendedMode(false);
    return ZXing::ReadBarcode(view, hints);
}

QRect BoundsOf(const ZXing::Result &result)
{
    QPolygon corners;
    for (const auto &point : result.position())
        corners << QPoint(point.x, point.y);
    return corners.boundingRect();
}

bool RowHasDark(const QImage &gray, int y, int left, int right)
{
    const uchar *row = gray.constScanLine(y);
    for (int x = left; x <= right; ++x)
        if (row[x] < 128)
            return true;
    return false;
}

// The found rows of a barcode grown up and down to the ends of its bars, a
// little wider than found.
QRect BarcodeArea(const QImage &gray, const QRect &found)
{
    const QRect across = found.adjusted(-2, 0, 2, 0) & gray.rect();
    int top = across.top();
    int bottom = across.bottom();
    while (top > 0 && RowHasDark(gray, top - 1, across.left(), across.right()))
        --top;
    while (bottom + 1 < gray.height() && RowHasDark(gray, bottom + 1, across.left(), across.right()))
        ++bottom;
    return QRect(QPoint(across.left(), top), QPoint(across.right(), bottom));
}

QList<Decoded> Read(const QImage &image, ZXing::BarcodeFormats formats, Orientation orientation,
                    int wanted)
{
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    QList<Decoded> found;
    for (int angle : AnglesFor(orientation)) {
        const QTransform turn = QTransform().rotate(angle);
        QImage turned = gray.transformed(turn);
        const QTransform toImage =
            QImage::trueMatrix(turn, gray.width(), gray.height()).inverted();
        while (found.size() < wanted) {
            const ZXing::Result result = ReadOne(turned, formats);
            if (!result.isValid())
                break;
            const QRect area = BarcodeArea(turned, BoundsOf(result));
            const Symbology symbology = result.format() == ZXing::BarcodeFormat::ITF
                ? Symbology::Interleaved2of5
                : Symbology::Code39;
            found.append({symbology, QString::fromStdString(result.text()),
                          toImage.mapToPolygon(area)});
            QPainter(&turned).fillRect(area, Qt::white);
        }
    }
    return found;
}

} // namespace

QString ReadText(const QImage &image, Symbology symbology, Orientation orientation)
{
    const QList<Decoded> found = Read(image, FormatOf(symbology), orientation, 1);
    return found.isEmpty() ? QString() : found.first().text;
}

QList<Decoded> ReadAll(const QImage &image, Orientation orientation)
{
    return Read(image, ZXing::BarcodeFormat::ITF | ZXing::BarcodeFormat::Code39, orientation,
                MaxBarcodes);
}

// Start code NNNN, ten runs for each pair of digits (bars of the first,
// spaces of the second), stop code WNN.
QString ReadInterleavedByWidths(const QImage &image)
{
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    const QStringList digits{"NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW",
                             "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN"};
    for (int y = 0; y < gray.height(); ++y) {
        QList<int> runs;  // from the first bar, bars and spaces in turn
        const uchar *row = gray.constScanLine(y);
        for (int x = 0; x < gray.width(); ++x) {
            const bool dark = row[x] < 128;
            if (runs.isEmpty() ? dark : dark != (runs.size() % 2 == 1))
                runs.append(0);
            if (!runs.isEmpty())
                ++runs.last();
        }
        if (runs.size() < 8 || (runs.size() - 8) % 10 != 0)
            continue;
        runs.removeLast();  // the white after the last bar
        const int narrow = *std::min_element(runs.begin(), runs.end());
        QString widths;
        for (int run : runs)
            widths += run * 2 > narrow * 3 ? QLatin1Char('W') : QLatin1Char('N');
        QString text;
        for (int pair = 4; pair + 3 < widths.size(); pair += 10) {
            QString bars, spaces;
            for (int j = 0; j < 10; j += 2) {
                bars += widths.at(pair + j);
                spaces += widths.at(pair + j + 1);
            }
            text += QString::number(digits.indexOf(bars)) + QString::number(digits.indexOf(spaces));
        }
        if (widths.startsWith("NNNN") && widths.endsWith("WNN") && !text.contains('-'))
            return text;
    }
    return {};
}

} // namespace BarcodeReader
