// The input sets a barcode object (symbology, module, ratio, angle, height,
// position, check character) and ends with its text.  The module pattern
// must have the structure of its symbology and decode to the text, the width
// must follow from the element counts, fitting to a width must choose the
// largest module that fits, and painting must stay below and right of the
// reference corner, put the elements where the pattern says, and leave the
// painter as it was.

#include "fuzzsupport.h"

#include "barcode/barcode.h"
#include "common/cp1250.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int Canvas = 160;
constexpr double Pi = 3.14159265358979323846;
const QRgb Untouched = qRgb(1, 2, 3);

bool isAsciiDigits(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool isWide(char code)
{
    return code == '1' || code == '6';
}

// The characters of Code 39 (ISO/IEC 16388); the object skips all others.
const QString Code39Set = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*");

// Interleaved 2 of 5 digits are read from the positions of the two wide
// elements among five, weighted 1, 2, 4, 7 and 0; 4 + 7 stands for 0.
int interleavedDigit(const QByteArray &elements)
{
    static const int Weights[5] = {1, 2, 4, 7, 0};
    int sum = 0;
    int wide = 0;
    for (int k = 0; k < 5; ++k) {
        if (isWide(elements.at(k))) {
            sum += Weights[k];
            ++wide;
        }
    }
    FUZZ_CHECK(wide == 2);
    return sum == 11 ? 0 : sum;
}

struct Counts
{
    qint64 narrow = 0;
    qint64 wide = 0;
};

// Checks the pattern against its symbology and the text; answers how many
// narrow and wide elements the symbology calls for.
Counts checkPattern(const QByteArray &pattern, TBarcodeType typ, const QString &text, bool checksum)
{
    for (qsizetype k = 0; k < pattern.size(); ++k) {
        const char code = pattern.at(k);
        FUZZ_CHECK(code == '0' || code == '1' || code == '5' || code == '6');
        // Bars and spaces alternate, from a bar to a bar.
        FUZZ_CHECK((code >= '5') == (k % 2 == 0));
    }
    FUZZ_CHECK(pattern.size() % 2 == 1);

    Counts counts;
    if (typ == bcCode_2_5_interleaved) {
        const qsizetype pairs = text.size() / 2;
        FUZZ_CHECK(pattern.size() == 7 + 10 * pairs);
        FUZZ_CHECK(pattern.startsWith("5050") && pattern.endsWith("605"));
        for (qsizetype p = 0; p < pairs; ++p) {
            QByteArray bars;
            QByteArray spaces;
            for (int j = 0; j < 5; ++j) {
                bars += pattern.at(4 + 10 * p + 2 * j);
                spaces += pattern.at(4 + 10 * p + 2 * j + 1);
            }
            FUZZ_CHECK(interleavedDigit(bars) == text.at(2 * p).unicode() - u'0');
            FUZZ_CHECK(interleavedDigit(spaces) == text.at(2 * p + 1).unicode() - u'0');
        }
        counts = {6 + 6 * pairs, 1 + 4 * pairs};
    } else {
        const qsizetype encoded = std::count_if(text.cbegin(), text.cend(), [](QChar c) { return Code39Set.contains(c); });
        const qsizetype characters = encoded + 2 + (checksum ? 1 : 0);
        FUZZ_CHECK(pattern.size() == 10 * characters - 1);
        // Nine elements a character, three of them wide, and a narrow space
        // between characters; "*" starts and stops.
        for (qsizetype k = 0; k < characters; ++k) {
            const QByteArray character = pattern.mid(10 * k, 9);
            FUZZ_CHECK(std::count_if(character.cbegin(), character.cend(), isWide) == 3);
            if (k + 1 < characters)
                FUZZ_CHECK(pattern.at(10 * k + 9) == '0');
        }
        FUZZ_CHECK(pattern.startsWith("515060605") && pattern.endsWith("515060605"));
        counts = {6 * characters + characters - 1, 3 * characters};
    }
    return counts;
}

// The spaces of the painting must be the object's space colour, the bars its
// bar colour: the pixels of one row (angle 0) or one column (angle 90).
void checkElements(const QImage &image, const QByteArray &pattern, int narrow, int wide, int left, int top,
                   int width, bool upright)
{
    int x = 0;
    for (char code : pattern) {
        const int w = isWide(code) ? wide : narrow;
        const QRgb expected = code >= '5' ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
        for (int k = x; k < x + w; ++k) {
            const int px = upright ? left : left + k;
            const int py = upright ? top + width - k : top;
            if (px >= 0 && px < Canvas && py >= 0 && py < Canvas)
                FUZZ_CHECK_DETAIL(image.pixel(px, py) == expected,
                                  QStringLiteral("pixel (%1, %2) of element at %3").arg(px).arg(py).arg(x));
        }
        x += w;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_barcode";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzBytes input(data, size);
    const uint8_t flags = input.byte();
    const uint8_t modul = input.byte();
    const uint8_t ratioByte = input.byte();
    const auto ratioBits = input.value<double>();
    const uint8_t angleByte = input.byte();
    const auto angleBits = input.value<double>();
    const auto height = int(input.value<int8_t>());
    const auto left = int(input.value<int8_t>()) + 32;
    const auto top = int(input.value<int8_t>()) + 32;
    const auto target = int(input.value<int16_t>());
    const QByteArray payload = input.rest();
    if (payload.size() > 1024)
        return 0;

    static const TBarcodeType Types[] = {bcCode_2_5_interleaved, bcCode39, bcCode_2_5_interleaved, bcCode39,
                                         bcCode128, bcCodeEAN13, bcCode_2_5_matrix, TBarcodeType(99)};
    const TBarcodeType typ = Types[flags & 7];
    const bool checksum = flags & 8;
    const QString text = (flags & 16) ? QString::fromUtf8(payload) : Cp1250::decode(payload);

    TBarcodeObject barcode;
    barcode.SetTyp(typ);
    barcode.SetModul(modul);
    FUZZ_CHECK(barcode.Modul() == (modul >= 1 && modul <= 49 ? modul : 1));
    const double ratio = (flags & 32) ? ratioBits : ratioByte / 32.0;
    barcode.SetRatio(ratio);
    double angle = angleByte * 90.0;
    if (flags & 64)
        angle = angleBits;
    else if (flags & 128)
        angle = angleByte - 128;
    barcode.SetAngle(angle);
    barcode.SetHeight(height);
    barcode.SetLeft(left);
    barcode.SetTop(top);
    barcode.SetChecksum(checksum);
    barcode.SetText(text);

    QImage image(Canvas, Canvas, QImage::Format_RGB32);
    image.fill(Untouched);
    const QImage blank = image;

    if (typ != bcCode_2_5_interleaved && typ != bcCode39) {
        bool raised = false;
        try {
            QPainter painter(&image);
            barcode.PaintBarcode(painter);
        } catch (const BarcodeError &) {
            raised = true;
        }
        FUZZ_CHECK(raised && image == blank);
        return 0;
    }
    if (typ == bcCode_2_5_interleaved && !isAsciiDigits(TrimControl(text))) {
        bool raised = false;
        try {
            QPainter painter(&image);
            barcode.PaintBarcode(painter);
        } catch (const BarcodeError &error) {
            raised = error.message() == QStringLiteral("Barcode must be numeric");
        }
        FUZZ_CHECK(raised && image == blank);
        FUZZ_CHECK(barcode.Text() == TrimControl(text));
        return 0;
    }

    // The ratio is limited when the pattern is built, and stored back.
    const QByteArray pattern = barcode.BuildPattern();
    const double limited = std::isnan(ratio) ? 2.0 : std::clamp(ratio, 2.0, 3.0);
    FUZZ_CHECK(barcode.Ratio() == limited);
    const QString encoded = typ == bcCode_2_5_interleaved ? TrimControl(text) : text;
    FUZZ_CHECK(barcode.Text() == encoded);
    const Counts counts = checkPattern(pattern, typ, encoded, checksum);

    // Element widths: narrow is the module, wide the module times the ratio
    // rounded half to even.
    const int narrow = barcode.Modul();
    const int wide = int(std::nearbyint(narrow * limited));
    const qint64 width = counts.narrow * narrow + counts.wide * wide;
    FUZZ_CHECK(barcode.Width() == width);

    // Fitting to a width at ratio 2: the largest module whose pattern is not
    // wider than the target, when that is a module the object takes.
    if (limited == 2.0) {
        TBarcodeObject fitted = barcode;
        fitted.SetWidth(target);
        const qint64 modules = counts.narrow + 2 * counts.wide;
        const qint64 best = target / modules;
        FUZZ_CHECK(fitted.Modul() == (best >= 1 && best <= 49 ? best : narrow));
        if (best >= 1 && best <= 49)
            FUZZ_CHECK(fitted.Width() <= target);
    }

    QPainter painter(&image);
    const QPen pen(Qt::red, 3);
    const QBrush brush(Qt::green, Qt::Dense4Pattern);
    QFont font = painter.font();
    font.setPointSize(17);
    painter.setPen(pen);
    painter.setBrush(brush);
    painter.setFont(font);
    barcode.PaintBarcode(painter);
    FUZZ_CHECK(painter.pen() == pen && painter.brush() == brush && painter.font() == font);
    painter.end();

    if (height < 0)
        return 0;
    // Everything painted lies within the turned barcode's box, which starts
    // at the reference corner (rounding may cost a pixel).
    const double theta = barcode.Angle() / 180.0 * Pi;
    const double s = std::abs(std::sin(theta));
    const double c = std::abs(std::cos(theta));
    const double boxWidth = width * c + height * s;
    const double boxHeight = width * s + height * c;
    for (int y = 0; y < Canvas; ++y) {
        for (int x = 0; x < Canvas; ++x) {
            if (image.pixel(x, y) == Untouched)
                continue;
            FUZZ_CHECK_DETAIL(x >= left - 1 && y >= top - 1 && x <= left + boxWidth + 2 && y <= top + boxHeight + 2,
                              QStringLiteral("pixel (%1, %2) painted").arg(x).arg(y));
        }
    }
    if (barcode.Angle() == 0)
        checkElements(image, pattern, narrow, wide, left, top, int(width), false);
    else if (barcode.Angle() == 90)
        checkElements(image, pattern, narrow, wide, left, top, int(width), true);
    return 0;
}
