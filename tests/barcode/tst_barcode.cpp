#include "barcode/barcode.h"
#include "support/barcodereader.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <limits>

namespace {

// Patterns from the symbology tables: '5'/'6' narrow/wide bars, '0'/'1' spaces.
// 030829: I25 start code, pairs 03, 08, 29 (bars of the first digit, spaces of
// the second; 0 nnwwn, 3 wwnnn, 8 wnnwn, 2 nwnnw, 9 nwnwn) and stop code.
const QByteArray FixedNumberPattern("5050" "5151606050" "5150606150" "5061505160" "605");
const QByteArray C39Star("515060605"), Gap("0");
const QColor Paper(Qt::red), Bars(Qt::black), Spaces(Qt::white);

TBarcodeObject Barcode(TBarcodeType typ, const QString &text, int modul, double angle = 0)
{
    TBarcodeObject barcode;
    barcode.SetTyp(typ);
    barcode.SetText(text);
    barcode.SetModul(modul);
    barcode.SetAngle(angle);
    return barcode;
}

// 50 modules of 13 pixels as at 600 dpi, 50 high, corner at (20, 20), on paper.
TBarcodeObject FixedNumber(double angle)
{
    TBarcodeObject barcode = Barcode(bcCode_2_5_interleaved, QStringLiteral("030829"), 13, angle);
    barcode.SetLeft(20);
    barcode.SetTop(20);
    barcode.SetHeight(50);
    return barcode;
}

QImage Canvas()
{
    QImage image(700, 700, QImage::Format_RGB32);
    image.fill(Paper);
    return image;
}

} // namespace

class TstBarcode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pattern_data();
    void pattern();
    void widthAssignment();
    void exactPixels_data();
    void exactPixels();
    void painterStateIsKept();
    void decodesAsEncoded_data();
    void decodesAsEncoded();
};

void TstBarcode::pattern_data()
{
    QTest::addColumn<TBarcodeType>("typ");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<int>("width");  // at module 2
    QTest::addColumn<QString>("error");

    // At ratio 2 an I25 digit is 7 modules, start and stop 4 each; a Code 39
    // character 12, with a narrow gap between characters.
    const auto i25 = bcCode_2_5_interleaved;
    QTest::newRow("I25 030829") << i25 << "030829" << FixedNumberPattern << 2 * 50 << "";
    // Control characters are trimmed, an odd last digit is dropped (1 wnnnw,
    // 2 nwnnw, 3 wwnnn, 4 nnwnw).
    QTest::newRow("I25 odd, trimmed") << i25 << " \t12345\r\n"
        << QByteArray("5050" "6051505061" "6060515051" "605") << 2 * 36 << "";
    QTest::newRow("C39 skips lower case") << bcCode39 << "ab12 "
        << C39Star + Gap + "605150506" + Gap + "506150506" + Gap + "516050605" + Gap + C39Star
        << 2 * (5 * 12 + 4) << "";

    const char *numeric = "Barcode must be numeric";
    QTest::newRow("letter") << i25 << "12A4" << QByteArray() << 0 << numeric;
    // A digit to Unicode but not to a scanner.
    QTest::newRow("Arabic-Indic digit") << i25 << "12\u06634" << QByteArray() << 0
                                        << numeric;
    QTest::newRow("default type") << bcCodeEAN13 << "123456" << QByteArray() << 0
                                  << "TBarcodeObject: wrong BarcodeType";
}

void TstBarcode::pattern()
{
    QFETCH(TBarcodeType, typ);
    QFETCH(QString, text);

    TBarcodeObject barcode = Barcode(typ, text, 2);
    try {
        QTEST(barcode.BuildPattern(), "pattern");
        QTEST(barcode.Width(), "width");
        QTEST(QString(), "error");
    } catch (const BarcodeError &error) {
        QTEST(error.message(), "error");
    }
}

// Fitted to 520 pixels, 50 modules of 13 become 50 of 10; under one module or
// over 49 the module stays, and Modul x target must not overflow.
void TstBarcode::widthAssignment()
{
    TBarcodeObject barcode = FixedNumber(0);
    QCOMPARE(barcode.Width(), 650);
    for (int target : {30, -520, std::numeric_limits<int>::max()}) {
        barcode.SetWidth(target);
        QCOMPARE(barcode.Modul(), 13);
    }
    barcode.SetWidth(520);
    QCOMPARE(barcode.Modul(), 10);
    QCOMPARE(barcode.Width(), 500);
}

void TstBarcode::exactPixels_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<QRect>("area");   // every pixel that is not paper
    QTest::addColumn<QPoint>("start"); // top or left pixel of the start code's first bar
    QTest::addColumn<QPoint>("along"); // one pixel on along the pattern

    // Element corners are turned about the corner, then moved back below and
    // right of it, both ends of each element included.
    QTest::newRow("0") << 0.0 << QRect(QPoint(20, 20), QPoint(669, 70)) << QPoint(20, 20)
                       << QPoint(1, 0);
    QTest::newRow("90") << 90.0 << QRect(QPoint(20, 21), QPoint(70, 670)) << QPoint(20, 670)
                        << QPoint(0, -1);
}

void TstBarcode::exactPixels()
{
    QFETCH(double, angle);
    QFETCH(QRect, area);
    QFETCH(QPoint, start);
    QFETCH(QPoint, along);

    TBarcodeObject barcode = FixedNumber(angle);
    QImage image = Canvas();
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);  // the bars must stay exact
        barcode.PaintBarcode(painter);
    }
    QRect painted;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != Paper.rgb())
                painted |= QRect(x, y, 1, 1);
    QCOMPARE(painted, area);

    // The pattern, wide elements twice as wide, along both edges and the middle.
    const QPoint across(along.y() != 0, along.x() != 0);
    for (int k : {0, 25, 50}) {
        QPoint p = start + k * across;
        for (char code : FixedNumberPattern) {
            for (int i = 0; i < (code == '6' || code == '1' ? 26 : 13); ++i, p += along)
                QCOMPARE(image.pixelColor(p), code >= '5' ? Bars : Spaces);
        }
    }
}

// The painter is left as the caller set it, and a refused text paints nothing.
void TstBarcode::painterStateIsKept()
{
    QImage image = Canvas();
    QPainter painter(&image);
    const QPen pen(QBrush(Qt::green), 3, Qt::DashLine, Qt::RoundCap, Qt::BevelJoin);
    const QBrush brush(Qt::magenta, Qt::Dense4Pattern);
    const QFont font(QStringLiteral("Courier New"), 15, QFont::Bold);
    painter.setPen(pen);
    painter.setBrush(brush);
    painter.setFont(font);
    painter.setRenderHint(QPainter::Antialiasing);

    TBarcodeObject barcode = FixedNumber(30);  // at an angle, through pen and brush
    barcode.PaintBarcode(painter);
    QCOMPARE(painter.pen(), pen);
    QCOMPARE(painter.brush(), brush);
    QCOMPARE(painter.font(), font);
    QVERIFY(painter.testRenderHint(QPainter::Antialiasing));

    const QImage painted = image.copy();
    barcode.SetText(QStringLiteral("12A4"));
    QVERIFY_THROWS_EXCEPTION(BarcodeError, barcode.PaintBarcode(painter));
    painter.end();
    QCOMPARE(image, painted);
}

// Read back by an independent decoder, as a scanner would.
void TstBarcode::decodesAsEncoded_data()
{
    QTest::addColumn<TBarcodeType>("typ");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modul");
    QTest::addColumn<int>("targetWidth");  // fitted like the reserved box when not 0
    QTest::addColumn<int>("fitted");       // the module then
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("angle");

    // Sizes of the printed list: modules 0.055 cm (fixed barcode) and 0.04 cm
    // (Code 39), targets 2.2 and 2.9 cm for 50 and 64 modules, bars 1.0, 0.8
    // and 0.4 cm long.
    const auto i25 = bcCode_2_5_interleaved;
    for (const int dpi : {300, 600}) {
        const auto px = [dpi](double cm) { return qRound(cm * dpi / 2.54); };
        const auto row = [dpi](const char *name) -> QTestData & {
            return QTest::addRow("%s, %d dpi", name, dpi);
        };
        const bool fine = dpi == 600;
        row("fixed number, upright") << i25 << "030829" << px(0.055) << 0 << (fine ? 13 : 6)
                                     << px(1.0) << 90.0;
        row("establishment code") << i25 << "104512" << 13 << px(2.2) << (fine ? 10 : 5)
                                  << px(0.8) << 0.0;
        row("IČO") << i25 << "35763469" << 13 << px(2.9) << (fine ? 10 : 5) << px(0.8) << 0.0;
        row("Code 39") << bcCode39 << "104512" << px(0.04) << 0 << (fine ? 9 : 5) << px(0.4)
                       << 0.0;
    }
    // Every digit as bars and as spaces, every Code 39 character, turned.
    QTest::newRow("I25 all digits") << i25 << "01234567899876543210" << 5 << 0 << 5 << 100
                                    << 180.0;
    QTest::newRow("C39 character set") << bcCode39 << "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%"
                                       << 3 << 0 << 3 << 100 << 270.0;
}

void TstBarcode::decodesAsEncoded()
{
    QFETCH(TBarcodeType, typ);
    QFETCH(QString, text);
    QFETCH(int, modul);
    QFETCH(int, targetWidth);
    QFETCH(int, height);
    QFETCH(double, angle);

    TBarcodeObject barcode = Barcode(typ, text, modul, angle);
    barcode.SetHeight(height);
    if (targetWidth > 0)
        barcode.SetWidth(targetWidth);
    QTEST(barcode.Modul(), "fitted");

    // White paper with a quiet zone of 12 modules all round (10 are needed).
    const int length = barcode.Width();
    const int quiet = 12 * barcode.Modul();
    const bool turned = qRound(angle) % 180 != 0;
    barcode.SetLeft(quiet);
    barcode.SetTop(quiet);
    QImage image((turned ? height : length) + 1 + 2 * quiet,
                 (turned ? length : height) + 1 + 2 * quiet, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    barcode.PaintBarcode(painter);
    painter.end();

#ifdef Q_OS_WIN
    QSKIP("ZXing, the independent barcode reader, is built for Linux only.");
#else
    const auto symbology = typ == bcCode39 ? BarcodeReader::Symbology::Code39
                                           : BarcodeReader::Symbology::Interleaved2of5;
    QCOMPARE(BarcodeReader::ReadText(image, symbology), text);
#endif
}

QTEST_MAIN(TstBarcode)
#include "tst_barcode.moc"
