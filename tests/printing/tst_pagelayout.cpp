#include "printing/pagegeometry.h"
#include "printing/pagelayout.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QSet>
#include <QTest>

#include <functional>

namespace {

constexpr int PageWidth = 4961;

// 600 per inch: pixels per cm in extended precision times the distance, halves to even.
int px(double cm)
{
    return int(std::nearbyint(600.0L / 2.54L * cm));
}

// A paint device and its engine that keep the lines drawn with their pen style
// and the texts that are not blank with their font and the top of their cell.
struct Recording final : QPaintDevice, QPaintEngine
{
    struct Line { QLine line; Qt::PenStyle style; };
    struct Text { int x; int top; QString text; QFont font; };
    QList<Line> lines;
    QList<Text> texts;

    Recording(const std::function<void(const PrintCanvas &)> &draw, int ppiX = 600, int ppiY = 600)
        : QPaintEngine(AllFeatures), ppiX_(ppiX), ppiY_(ppiY)
    {
        QPainter painter(this);
        draw(PrintCanvas(painter, PageMetrics(ppiX, ppiY, PageWidth)));
    }

    Text at(double x, double y) const
    {
        for (const Text &text : texts)
            if (text.x == px(x) && text.top == px(y))
                return text;
        return {};
    }
    // What the places of a field hold, one character each, a space for none.
    QString places(double firstX, int count, double y) const
    {
        QString held;
        for (int i = 0; i < count; ++i)
            held += at(firstX + 0.57 * i, y).text.leftJustified(1);
        return held;
    }

    QPaintEngine *paintEngine() const override { return const_cast<Recording *>(this); }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyPen)
            style_ = state.pen().style();
    }
    void drawLines(const QLineF *drawn, int count) override
    {
        for (int i = 0; i < count; ++i)
            lines.append({drawn[i].toLine(), style_});
    }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        if (!item.text().trimmed().isEmpty())
            texts.append({qRound(p.x()), qRound(p.y()) - QFontMetrics(item.font(), this).ascent(),
                          item.text(), item.font()});
    }
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmDpiX: case PdmPhysicalDpiX: return ppiX_;
        case PdmDpiY: case PdmPhysicalDpiY: return ppiY_;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 10000;
        }
    }

private:
    int ppiX_, ppiY_;
    Qt::PenStyle style_ = Qt::SolidLine;
};

QImage whiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The dark pixels along row y, or along column x when y is negative.
QList<int> painted(const QImage &image, int x, int y)
{
    QList<int> found;
    for (int i = 0; i < (y < 0 ? image.height() : image.width()); ++i)
        if (qGray(y < 0 ? image.pixel(x, i) : image.pixel(i, y)) < 128)
            found.append(i);
    return found;
}

} // namespace

class TestPageLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void conversions_data();
    void conversions();
    void dottedLine();
    void digitBox_data();
    void digitBox();
    void valueRows();
    void totals_data();
    void totals();
    void contactPerson();
    void supplierBlockAndTitle();
    void blankBoxes();
    void registrationMarks();
};

void TestPageLayout::conversions_data()
{
    QTest::addColumn<int>("ppiX");
    QTest::addColumn<int>("ppiY");
    QTest::addColumn<double>("cm");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");

    // The character boxes check 600x600, 300x300 and 600x300 (236.22 and
    // 118.11 pixels per cm).
    QTest::newRow("negative") << 600 << 300 << -0.2 << -47 << -24;
    // 254 per inch is 100 per cm: exact halves go to the even neighbour.
    QTest::newRow("half down") << 254 << 254 << 0.125 << 12 << 12;
    QTest::newRow("half up") << 254 << 254 << 0.375 << 38 << 38;
    // 967.5 in decimal, but the double nearest 8.1915 and the product in
    // extended precision lie just below it.
    QTest::newRow("mark top 300x300") << 300 << 300 << 8.1915 << 967 << 967;
}

void TestPageLayout::conversions()
{
    QFETCH(int, ppiX);
    QFETCH(int, ppiY);
    QFETCH(double, cm);
    const PageMetrics metrics(ppiX, ppiY, 0);
    QTEST(metrics.CmToPixelX(cm), "x");
    QTEST(metrics.CmToPixelY(cm), "y");
}

void TestPageLayout::dottedLine()
{
    // A dash is 0.025 cm and one starts every 0.075 cm: 6 of 18 pixels at 600
    // per inch, 3 of 9 at 300.  The end point is not painted, the last dash is
    // cut at the line's end.  Under 51 per inch a dash rounds to nothing; the
    // line still ends, one pixel every three.
    QImage fine = whiteImage(200, 40);
    QImage coarse = whiteImage(20, 20);
    {
        QPainter painter(&fine);
        const PrintCanvas canvas(painter, PageMetrics(600, 300, 200));
        DrawDottedLine(canvas, 100, 10, 121, 10);
        DrawDottedLine(canvas, 4, 2, 4, 22);
        QPainter coarsePainter(&coarse);
        DrawDottedLine(PrintCanvas(coarsePainter, PageMetrics(40, 40, 20)), 0, 3, 10, 3);
    }
    QCOMPARE(painted(fine, 0, 10), (QList<int>{100, 101, 102, 103, 104, 105, 118, 119, 120}));
    QCOMPARE(painted(fine, 4, -1), (QList<int>{2, 3, 4, 11, 12, 13, 20, 21}));
    QCOMPARE(painted(coarse, 0, 3), (QList<int>{0, 3, 6, 9}));
}

void TestPageLayout::digitBox_data()
{
    QTest::addColumn<int>("ppiX");
    QTest::addColumn<int>("ppiY");
    QTest::addColumn<QRect>("box");  // left, top and the two sizes in pixels

    // At 2.155 cm, 3.896 cm: 509 and 920 pixels at 600 per inch, 255 and 460
    // at 300; 0.4645 x 0.6463 cm: 110 x 153 and 55 x 76; dashes 6 and 3.
    QTest::newRow("600x600") << 600 << 600 << QRect(509, 920, 110, 153);
    QTest::newRow("300x300") << 300 << 300 << QRect(255, 460, 55, 76);
    QTest::newRow("600x300") << 600 << 300 << QRect(509, 460, 110, 76);
}

void TestPageLayout::digitBox()
{
    QFETCH(int, ppiX);
    QFETCH(int, ppiY);
    QFETCH(QRect, box);
    const Recording r([](const PrintCanvas &canvas) { DrawDigitBox(canvas, 2.155, 3.896); },
                      ppiX, ppiY);
    // Dashes start every 18 or 9 pixels short of the far edge: 7 along the
    // width, 9 along the height, on each side.
    QCOMPARE(r.lines.size(), 32);
    QRect covered;
    for (const Recording::Line &dash : r.lines) {
        QCOMPARE(dash.style, Qt::DotLine);
        QVERIFY(dash.line.dx() == 0 || dash.line.dy() == 0);
        covered |= QRect(dash.line.p1(), dash.line.p2()).normalized();
    }
    // QRect(p1, p2) holds both points: its right() and bottom() are the edges.
    QCOMPARE(covered, box.adjusted(0, 0, 1, 1));
    QCOMPARE(r.lines.first().line, QLine(box.x(), box.y(), box.x() + ppiX / 100, box.y()));
}

void TestPageLayout::valueRows()
{
    // The comma is drawn with the last integer place: "5," is one text.
    const Recording r([](const PrintCanvas &canvas) {
        DrawValueRow(canvas, 0, QStringLiteral("5"), QStringLiteral("007"), QStringLiteral("35"));
        DrawValueRow(canvas, 20, QStringLiteral("1000"), QStringLiteral("x"), QStringLiteral("1234,5"));
    });
    QCOMPARE(r.places(2.155, 3, 3.896) + r.places(3.985, 2, 3.896), QStringLiteral("  5,00"));
    QCOMPARE(r.places(5.525, 5, 3.896), QStringLiteral("    7"));
    QCOMPARE(r.places(8.7293, 6, 3.896) + r.places(12.251, 2, 3.896), QStringLiteral("    35,00"));
    // Slot 20 at 3.896 + 20 × 1.0613 = 25.122 cm; four integer digits lose
    // the last; a count that is no number is 0.
    QCOMPARE(r.places(2.155, 3, 25.122), QStringLiteral("100,"));
    QCOMPARE(r.places(5.525, 5, 25.122), QStringLiteral("    0"));
    QCOMPARE(r.places(8.7293, 6, 25.122) + r.places(12.251, 2, 25.122), QStringLiteral("  1234,50"));
    QCOMPARE(r.texts.size(), 8 + 12);
    // Whatever face stands in for Courier New must give one width to all.
#ifdef Q_OS_WIN
    QSKIP("Qt's offscreen platform on Windows reads no fonts of the system's: no Courier New, no stand-in.");
#endif
    QVERIFY(QFontInfo(r.texts.first().font).fixedPitch());
}

void TestPageLayout::totals_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("places");     // count, then value with its comma
    QTest::addColumn<QStringList>("notes");  // the four lines of the reserved box

    const QString valueNote = QStringLiteral("Celková nominálna hodnota:");
    const QString countNote = QStringLiteral("Celkový pocet kupónov:");
    const QStringList none{QString(), QString(), QString(), QString()};
    QTest::newRow("a million, seven count digits")
        << "1234567" << "1000000" << "123456100000,00"
        << QStringList{valueNote, QStringLiteral("1 000 000,00 €"), countNote, QStringLiteral("1 234 567")};
    QTest::newRow("under a million") << "120" << "999999,99" << "   120999999,99" << none;
    QTest::newRow("seven count characters") << "0012345" << "12,5" << " 12345    12,50"
        << QStringList{QString(), QString(), countNote, QStringLiteral("0 012 345")};
    // The total value box reads back empty when the total is zero.
    QTest::newRow("empty total") << "3" << "" << "     3     0,00" << none;
}

void TestPageLayout::totals()
{
    QFETCH(QString, count);
    QFETCH(QString, value);
    const Recording r([&](const PrintCanvas &canvas) { DrawTotals(canvas, count, value); });
    QTEST(r.places(4.9444, 6, 26.278) + r.places(8.7293, 6, 26.278) + r.places(12.251, 2, 26.278),
          "places");
    QStringList notes;
    for (const double y : {25.1969, 25.5469, 25.8969, 26.2469})
        notes.append(r.at(13.7, y).text);
    QTEST(notes, "notes");
}

void TestPageLayout::contactPerson()
{
    // Upper-cased and right-aligned in its twelve places; a longer name keeps
    // its first characters.
    const Recording r([](const PrintCanvas &canvas) {
        DrawContactPerson(canvas, QStringLiteral("žofia čuš"));
    });
    QCOMPARE(r.places(2.155, 12, 1.9823), QStringLiteral("   ŽOFIA ČUŠ"));
    QCOMPARE(r.texts.first().font.pointSize(), 19);
    const Recording tooLong([](const PrintCanvas &canvas) {
        DrawContactPerson(canvas, QStringLiteral("Ľudovít Štúrovi"));
    });
    QCOMPARE(tooLong.places(2.155, 12, 1.9823), QStringLiteral("ĽUDOVÍT ŠTÚR"));
    QCOMPARE(tooLong.texts.size(), 11);
}

void TestPageLayout::supplierBlockAndTitle()
{
    const Recording r([](const PrintCanvas &canvas) {
        DrawTitle(canvas, QStringLiteral("S Ú P I S K A - 01"));
        DrawSupplierBlockWithContacts(canvas, QStringLiteral("123456"), QStringLiteral("Pod Hradom"),
                                      QStringLiteral("Hlavná 12"), QStringLiteral("Nitra"),
                                      QStringLiteral("35742364"), QStringLiteral("ÁFax 02/55"),
                                      QStringLiteral("Info@Hrad.SK"));
    });
    QCOMPARE(r.texts.size(), 9);
    const auto width = [&r](int i) {
        return QFontMetrics(r.texts.at(i).font, &r).horizontalAdvance(r.texts.at(i).text);
    };
    // The title is centred on half the sheet, bold and underlined.
    const Recording::Text &title = r.texts.at(0);
    QVERIFY(title.font.bold() && title.font.underline());
    QCOMPARE(title.x, int(std::nearbyint(PageWidth / 2.0 - width(0) / 2.0)));
    QCOMPARE(title.top, px(0.5));
    // Code and IČO end at 18.7 cm on the lines of their labels.
    QCOMPARE(r.texts.at(4).text, QStringLiteral("123456"));
    QCOMPARE(r.texts.at(4).x + width(4), px(18.7));
    QCOMPARE(r.texts.at(4).top, px(4.35));
    QCOMPARE(r.texts.at(5).x + width(5), px(18.7));
    // Only A to Z are lowered in fax and e-mail, in the regular style.
    QCOMPARE(r.at(13.9, 21.2).text, QStringLiteral("Áfax 02/55"));
    QCOMPARE(r.at(13.9, 21.6).text, QStringLiteral("info@hrad.sk"));
    QVERIFY(!r.at(13.9, 21.6).font.bold());
}

void TestPageLayout::blankBoxes()
{
    // A box's top and left edges both start at its top-left corner.
    const Recording r([](const PrintCanvas &canvas) { DrawBlankBoxes(canvas); });
    QSet<QPair<int, int>> horizontal, vertical;
    for (const Recording::Line &dash : r.lines)
        (dash.line.dy() == 0 ? horizontal : vertical).insert({dash.line.x1(), dash.line.y1()});
    const QSet<QPair<int, int>> corners = horizontal & vertical;
    // 21 rows of 3 + 2 + 5 + 6 + 2 places, totals 6 + 6 + 2, the small reserved
    // box 3, contact person 12, phone 4 + 8, specific symbol 10.
    QCOMPARE(corners.size(), 21 * 18 + 14 + 3 + 24 + 10);  // 429
    QCOMPARE(r.lines.size(), 429 * 32);
    // Where the filled page prints its first and last places.
    QVERIFY(corners.contains({px(2.155), px(3.896)}));
    QVERIFY(corners.contains({px(12.251 + 0.57), px(25.122)}));
    QVERIFY(corners.contains({px(4.9444), px(26.278)}));
    QVERIFY(corners.contains({px(13.9 + 9 * 0.57), px(9.2025)}));

    // The commas of the rows and of the total value, in Arial 10.
    QCOMPARE(r.texts.size(), 43);
    QCOMPARE(r.at(3.835, 4.2 + 20 * 1.0613).text, QStringLiteral(","));
    QCOMPARE(r.at(12.101, 26.582).font.families().value(0), QStringLiteral("Arial"));
    QCOMPARE(r.at(12.101, 26.582).font.pointSize(), 10);
}

void TestPageLayout::registrationMarks()
{
    // At 300 per inch 0.5 cm = 59 pixels: black inside, white just outside.
    QImage image = whiteImage(2480, 3508);
    {
        QPainter painter(&image);
        DrawRegistrationMarks(PrintCanvas(painter, PageMetrics(300, 300, 2480)));
        QCOMPARE(painter.brush(), QBrush(Qt::black, Qt::SolidPattern));
    }
    // 1.1575, 1.1684 cm; 19.2888, 8.1915; 1.907, 27.424; 11.4272, 27.424.
    for (const QPoint corner : {QPoint(137, 138), QPoint(2278, 967), QPoint(225, 3239),
                                QPoint(1350, 3239)}) {
        QCOMPARE(image.pixel(corner), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(corner + QPoint(58, 58)), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(corner + QPoint(-1, 30)), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(corner + QPoint(59, 59)), qRgb(255, 255, 255));
    }
}

QTEST_MAIN(TestPageLayout)
#include "tst_pagelayout.moc"
