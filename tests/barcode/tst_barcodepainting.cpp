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
    void angle0RunsLeftToRight();
    void angle90RunsBottomToTop();
    void staysBelowAndRightOfTheCorner_data();
    void staysBelowAndRightOfTheCorner();
    void painterStateIsKept();
    void errorPaintsNothing();
};

void TstBarcodePainting::angle0RunsLeftToRight()
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

void TstBarcodePainting::angle90RunsBottomToTop()
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

    // Barcode 100 pixels long (modul 2) and 30 high, corner at (20, 20): an
    // element corner (p, q) is turned by the angle about the origin, then moved
    // back below and to the right of (20, 20).
    QTest::newRow("0") << 0.0 << QRect(QPoint(20, 20), QPoint(119, 50));
    QTest::newRow("90") << 90.0 << QRect(QPoint(20, 21), QPoint(50, 120));
    QTest::newRow("180") << 180.0 << QRect(QPoint(21, 20), QPoint(120, 50));
    QTest::newRow("270") << 270.0 << QRect(QPoint(20, 20), QPoint(50, 119));
    QTest::newRow("-90") << -90.0 << QRect(QPoint(20, 20), QPoint(50, 119));
    QTest::newRow("450") << 450.0 << QRect(QPoint(20, 21), QPoint(50, 120));
}

void TstBarcodePainting::staysBelowAndRightOfTheCorner()
{
    QFETCH(double, angle);
    QFETCH(QRect, area);

    TBarcodeObject barcode = FixedNumber(20, 20, 2, 30, angle);
    QImage image = Canvas(200, 200);
    Paint(barcode, image);
    QCOMPARE(PaintedArea(image), area);
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
