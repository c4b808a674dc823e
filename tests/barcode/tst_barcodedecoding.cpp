#include "barcode/barcode.h"
#include "support/barcodereader.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using BarcodeReader::Symbology;

namespace {

// Ten narrow modules is the least quiet zone both symbologies ask for; the
// printed list leaves more, the test leaves just a little more than that.
constexpr int QuietModules = 12;

// Paints the barcode on white paper with a quiet zone all round.
QImage Render(TBarcodeObject &barcode)
{
    const int length = barcode.Width();
    const int quiet = QuietModules * barcode.Modul();
    const bool turned = qRound(barcode.Angle()) % 180 != 0;
    const int across = (turned ? barcode.Height() : length) + 1;
    const int down = (turned ? length : barcode.Height()) + 1;
    barcode.SetLeft(quiet);
    barcode.SetTop(quiet);

    QImage image(across + 2 * quiet, down + 2 * quiet, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    barcode.PaintBarcode(painter);
    return image;
}

} // namespace

class TstBarcodeDecoding : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodesAsEncoded_data();
    void decodesAsEncoded();
    void severalOnOneSheet();
};

void TstBarcodeDecoding::decodesAsEncoded_data()
{
    QTest::addColumn<TBarcodeType>("typ");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modul");
    QTest::addColumn<int>("targetWidth");  // fitted like the reserved box when not 0
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("angle");
    QTest::addColumn<QString>("decoded");

    // Sizes as on the printed list: the module of the fixed barcode is 0.055 cm,
    // the Code 39 module 0.04 cm, the reserved box's targets 2.2 and 2.9 cm and
    // 1.4 cm; bars 1.0, 0.8 and 0.4 cm long.
    const auto i25 = bcCode_2_5_interleaved;
    for (const int dpi : {300, 600}) {
        const auto px = [dpi](double cm) { return qRound(cm * dpi / 2.54); };
        const auto row = [dpi](const char *name) -> QTestData & {
            return QTest::addRow("%s, %d dpi", name, dpi);
        };
        row("fixed number, upright") << i25 << QStringLiteral("030829") << px(0.055) << 0
                                     << px(1.0) << 90.0 << QStringLiteral("030829");
        row("establishment code") << i25 << QStringLiteral("104512") << 13 << px(2.2) << px(0.8)
                                  << 0.0 << QStringLiteral("104512");
        row("eight digits") << i25 << QStringLiteral("35763469") << 13 << px(2.9) << px(0.8)
                            << 0.0 << QStringLiteral("35763469");
        row("seven digits lose the last") << i25 << QStringLiteral("1045127") << 13 << px(2.9)
                                          << px(0.8) << 0.0 << QStringLiteral("104512");
        row("Code 39 six digits") << bcCode39 << QStringLiteral("104512") << px(0.04) << 0
                                  << px(0.4) << 0.0 << QStringLiteral("104512");
        row("Code 39 five digits") << bcCode39 << QStringLiteral("10451") << px(0.04) << 0
                                   << px(0.4) << 0.0 << QStringLiteral("10451");
    }

    // Every digit as bars and as spaces, and every Code 39 character, read the
    // right way round at each quarter turn.
    QTest::newRow("I25 all digits") << i25 << QStringLiteral("0123456789") << 5 << 0 << 100 << 0.0
                                    << QStringLiteral("0123456789");
    QTest::newRow("I25 all digits swapped") << i25 << QStringLiteral("1032547698") << 5 << 0 << 100
                                            << 180.0 << QStringLiteral("1032547698");
    const QString code39Set = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%");
    QTest::newRow("C39 character set") << bcCode39 << code39Set << 3 << 0 << 100 << 270.0
                                       << code39Set;
}

void TstBarcodeDecoding::decodesAsEncoded()
{
    QFETCH(TBarcodeType, typ);
    QFETCH(QString, text);
    QFETCH(int, modul);
    QFETCH(int, targetWidth);
    QFETCH(int, height);
    QFETCH(double, angle);
    QFETCH(QString, decoded);

    TBarcodeObject barcode;
    barcode.SetTyp(typ);
    barcode.SetText(text);
    barcode.SetModul(modul);
    barcode.SetRatio(2.0);
    barcode.SetHeight(height);
    barcode.SetAngle(angle);
    if (targetWidth > 0) {
        barcode.SetWidth(targetWidth);
        QVERIFY(barcode.Width() <= targetWidth);
    }

    const QImage image = Render(barcode);
    const Symbology symbology =
        typ == bcCode39 ? Symbology::Code39 : Symbology::Interleaved2of5;
    QCOMPARE(BarcodeReader::ReadText(image, symbology), decoded);
}

// The barcodes of one printed list, at 300 dpi, read from one sheet: each is
// found, the turned one in its place.
void TstBarcodeDecoding::severalOnOneSheet()
{
    struct Placed
    {
        TBarcodeType typ;
        const char *text;
        int left, top, modul, height;
        double angle;
    };
    const Placed placed[] = {
        {bcCode_2_5_interleaved, "030829", 94, 1000, 6, 118, 90},
        {bcCode_2_5_interleaved, "104512", 600, 100, 5, 94, 0},
        {bcCode_2_5_interleaved, "35763469", 1000, 100, 5, 94, 0},
        {bcCode39, "104512", 600, 400, 5, 47, 0},
    };
    QImage sheet(1500, 1500, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    TBarcodeObject barcode;  // one object for all, as on the printed list
    for (const Placed &p : placed) {
        barcode.SetTyp(p.typ);
        barcode.SetText(QLatin1String(p.text));
        barcode.SetLeft(p.left);
        barcode.SetTop(p.top);
        barcode.SetModul(p.modul);
        barcode.SetHeight(p.height);
        barcode.SetAngle(p.angle);
        barcode.PaintBarcode(painter);
    }
    painter.end();

    QStringList texts;
    const QList<BarcodeReader::Decoded> found = BarcodeReader::ReadAll(sheet);
    for (const BarcodeReader::Decoded &decoded : found) {
        const bool code39 = decoded.symbology == Symbology::Code39;
        texts << (code39 ? QStringLiteral("C39 ") : QStringLiteral("I25 ")) + decoded.text;
        if (decoded.text == QLatin1String("030829")) {
            // Painted over columns 94-212 and rows 1001-1300 (50 modules of 6).
            const QRect painted(QPoint(94, 1001), QPoint(212, 1300));
            const QRect area = decoded.area.boundingRect();
            QVERIFY(painted.adjusted(-4, -4, 4, 4).contains(area));
            QVERIFY(area.contains(painted.adjusted(0, 4, 0, -4)));
        }
    }
    texts.sort();
    QCOMPARE(texts, QStringList({QStringLiteral("C39 104512"), QStringLiteral("I25 030829"),
                                 QStringLiteral("I25 104512"), QStringLiteral("I25 35763469")}));
}

QTEST_MAIN(TstBarcodeDecoding)
#include "tst_barcodedecoding.moc"
