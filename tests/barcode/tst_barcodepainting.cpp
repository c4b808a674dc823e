#include "barcode/barcode.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

const QColor Paper(Qt::red);  // neither a bar nor a space colour
const QColor Bars(Qt::blue);
const QColor Spaces(Qt::yellow);

// I25 start code, pairs 03, 08, 29 and stop code ('5'/'6' bars, '0'/'1' spaces).
const QByteArray FixedNumberPattern("5050" "5151606050" "5150606150" "5061505160" "605");

QImage Canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Paper);
    return image;
}

TBarcodeObject FixedNumber(int left, int top, int modul, int height, double angle)
{
    TBarcodeObject barcode;
    barcode.SetTyp(bcCode_2_5_interleaved);
    barcode.SetText(QStringLiteral("030829"));
    barcode.SetLeft(left);
    barcode.SetTop(top);
    barcode.SetModul(modul);
    barcode.SetHeight(height);
    barcode.SetAngle(angle);
    barcode.SetColor(Spaces);
    barcode.SetColorBar(Bars);
    return barcode;
}

// The caller's painter may smooth its text; the bars must stay exact.
void Paint(TBarcodeObject &barcode, QImage &image)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    barcode.PaintBarcode(painter);
}

// The colours along the pattern, one entry a pixel, with the wide width twice
// the narrow one.
QList<QColor> Stripes(const QByteArray &pattern, int modul)
{
    QList<QColor> stripes;
    for (char code : pattern) {
        const int width = (code == '6' || code == '1') ? 2 * modul : modul;
        for (int i = 0; i < width; ++i)
            stripes.append(code >= '5' ? Bars : Spaces);
    }
    return stripes;
}

// The smallest rectangle holding every pixel that is not paper.
QRect PaintedArea(const QImage &image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != Paper)
                area |= QRect(x, y, 1, 1);
    return area;
}

} // namespace

class TstBarcodePainting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void uprightRunsLeftToRight();
    void quarterTurnRunsBottomToTop();
    void staysBelowAndRightOfTheCorner_data();
    void staysBelowAndRightOfTheCorner();
    void painterStateIsKept();
    void errorPaintsNothing();
};

void TstBarcodePainting::uprightRunsLeftToRight()
{
    const int left = 100, top = 200, modul = 2, height = 30;
    const QList<QColor> stripes = Stripes(FixedNumberPattern, modul);
    QCOMPARE(stripes.size(), 50 * modul);

    TBarcodeObject barcode = FixedNumber(left, top, modul, height, 0);
    QImage image = Canvas(400, 300);
    Paint(barcode, image);

    // Start code: bar 100-101, space 102-103, bar 104-105, space 106-107.
    QCOMPARE(image.pixelColor(101, top), Bars);
    QCOMPARE(image.pixelColor(102, top), Spaces);
    QCOMPARE(image.pixelColor(105, top), Bars);
    QCOMPARE(image.pixelColor(107, top), Spaces);
    for (int y : {top, top + height / 2, top + height}) {
        for (int i = 0; i < stripes.size(); ++i)
            QCOMPARE(image.pixelColor(left + i, y), stripes.at(i));
    }
    QCOMPARE(PaintedArea(image), QRect(QPoint(left, top), QPoint(left + 99, top + height)));
}

void TstBarcodePainting::quarterTurnRunsBottomToTop()
{
    const int left = 100, top = 200, modul = 13, height = 50;
    const QList<QColor> stripes = Stripes(FixedNumberPattern, modul);
    QCOMPARE(stripes.size(), 650);

    TBarcodeObject barcode = FixedNumber(left, top, modul, height, 90);
    QImage image = Canvas(300, 900);
    Paint(barcode, image);

    QCOMPARE(PaintedArea(image), QRect(QPoint(100, 201), QPoint(150, 850)));
    // The start code is at the bottom: its first narrow bar fills rows 838-850.
    QCOMPARE(image.pixelColor(120, 850), Bars);
    QCOMPARE(image.pixelColor(120, 838), Bars);
    QCOMPARE(image.pixelColor(120, 837), Spaces);
    for (int x : {left, left + height / 2, left + height}) {
        for (int i = 0; i < stripes.size(); ++i)
            QCOMPARE(image.pixelColor(x, 850 - i), stripes.at(i));
    }
}

void TstBarcodePainting::staysBelowAndRightOfTheCorner_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<QRect>("area");

    // Barcode 100 pixels long (modul 2) and 30 high, corner at (20, 20).
    // A corner (p, q) lands at (20 + p, 20 + q) turned by the angle and moved
    // back below and right of the corner.
    QTest::newRow("0") << 0.0 << QRect(QPoint(20, 20), QPoint(119, 50));
    QTest::newRow("90") << 90.0 << QRect(QPoint(20, 21), QPoint(50, 120));
    QTest::newRow("180") << 180.0 << QRect(QPoint(21, 20), QPoint(120, 50));
    QTest::newRow("270") << 270.0 << QRect(QPoint(20, 20), QPoint(50, 119));
    QTest::newRow("-90") << -90.0 << QRect(QPoint(20, 20), QPoint(50, 119));
    QTest::newRow("450") << 450.0 << QRect(QPoint(20, 21), QPoint(50, 120));
    // Other angles: only the corner region is fixed, so compare the top-left
    // of the painted area, within the rounding of one pixel.
    QTest::newRow("30") << 30.0 << QRect();
    QTest::newRow("135") << 135.0 << QRect();
    QTest::newRow("200") << 200.0 << QRect();
    QTest::newRow("300") << 300.0 << QRect();
}

void TstBarcodePainting::staysBelowAndRightOfTheCorner()
{
    QFETCH(double, angle);
    QFETCH(QRect, area);

    TBarcodeObject barcode = FixedNumber(20, 20, 2, 30, angle);
    QImage image = Canvas(200, 200);
    Paint(barcode, image);
    const QRect painted = PaintedArea(image);
    if (area.isValid()) {
        QCOMPARE(painted, area);
    } else {
        QVERIFY2(painted.left() >= 20 && painted.left() <= 21, qPrintable(QString::number(painted.left())));
        QVERIFY2(painted.top() >= 20 && painted.top() <= 21, qPrintable(QString::number(painted.top())));
        // The diagonal of a 100 x 30 barcode is below 105 pixels.
        QVERIFY(painted.width() <= 106 && painted.height() <= 106);
    }
}

void TstBarcodePainting::painterStateIsKept()
{
    QImage image = Canvas(200, 100);
    QPainter painter(&image);
    const QPen pen(QBrush(Qt::green), 3, Qt::DashLine, Qt::RoundCap, Qt::BevelJoin);
    const QBrush brush(Qt::magenta, Qt::Dense4Pattern);
    QFont font(QStringLiteral("Courier New"), 15);
    font.setBold(true);
    painter.setPen(pen);
    painter.setBrush(brush);
    painter.setFont(font);
    painter.setRenderHint(QPainter::Antialiasing);

    TBarcodeObject barcode = FixedNumber(10, 10, 1, 20, 0);
    barcode.PaintBarcode(painter);
    QCOMPARE(painter.pen(), pen);
    QCOMPARE(painter.brush(), brush);
    QCOMPARE(painter.font(), font);
    QVERIFY(painter.testRenderHint(QPainter::Antialiasing));

    // Drawn at an angle the elements go through the pen and brush.
    barcode.SetAngle(30);
    barcode.PaintBarcode(painter);
    QCOMPARE(painter.pen(), pen);
    QCOMPARE(painter.brush(), brush);
    QCOMPARE(painter.font(), font);
}

void TstBarcodePainting::errorPaintsNothing()
{
    QImage image = Canvas(200, 100);
    const QImage blank = image;
    TBarcodeObject barcode = FixedNumber(10, 10, 1, 20, 0);
    barcode.SetText(QStringLiteral("12A4"));

    QString message;
    {
        QPainter painter(&image);
        try {
            barcode.PaintBarcode(painter);
        } catch (const BarcodeError &error) {
            message = error.message();
        }
    }
    QCOMPARE(message, QStringLiteral("Barcode must be numeric"));
    QCOMPARE(image, blank);
}

QTEST_MAIN(TstBarcodePainting)
#include "tst_barcodepainting.moc"
