#include "printing/pagegeometry.h"
#include "printing/pagelayout.h"
#include "recordingdevice.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTest>

#include <cmath>
#include <functional>

namespace {

// Centimetres to pixels by the rule: pixels per centimetre in extended
// precision, times the distance, halves to even.
int toPixels(int ppi, double cm)
{
    return int(std::nearbyint(static_cast<long double>(ppi) / 2.54L * cm));
}

int px(double cm)
{
    return toPixels(600, cm);
}

constexpr int PageWidth = 4961;

struct Recording
{
    RecordingDevice device{600, 600};

    explicit Recording(const std::function<void(const PrintCanvas &)> &draw)
    {
        QPainter painter(&device);
        draw(PrintCanvas(painter, PageMetrics(600, 600, PageWidth)));
    }

    RecordingDevice::Text at(double x, double y) const
    {
        for (const RecordingDevice::Text &text : device.texts) {
            if (text.x == px(x) && text.top == px(y))
                return text;
        }
        return {};
    }

    // What the places of a field hold, one character each, a space for none.
    QString places(double firstX, int count, double y) const
    {
        QString held;
        for (int i = 0; i < count; ++i) {
            const QString text = at(firstX + 0.57 * i, y).text;
            held += text.isEmpty() ? QStringLiteral(" ") : text;
        }
        return held;
    }
};

} // namespace

class TestPageLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void valueRows();
    void totals_data();
    void totals();
    void textFields();
    void supplierBlockAndTitle();
    void blankBoxes();
    void formAndMarks();
};

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
    QCOMPARE(r.device.texts.size(), 8 + 12);
    const QFont font = r.at(5.525 + 4 * 0.57, 3.896).font;
    // Whatever face stands in for Courier New must give one width to all.
    QVERIFY(QFontInfo(font).fixedPitch());
}

void TestPageLayout::totals_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("places");  // count, then value with its comma
    QTest::addColumn<QStringList>("notes");   // the four lines of the reserved box

    const QString valueNote = QStringLiteral("Celková nominálna hodnota:");
    const QString countNote = QStringLiteral("Celkový pocet kupónov:");
    const QStringList none{QString(), QString(), QString(), QString()};
    QTest::newRow("a million, seven count digits")
        << QStringLiteral("1234567") << QStringLiteral("1000000") << QStringLiteral("123456100000,00")
        << QStringList{valueNote, QStringLiteral("1 000 000,00 €"), countNote,
                       QStringLiteral("1 234 567")};
    QTest::newRow("under a million") << QStringLiteral("120") << QStringLiteral("999999,99")
                                     << QStringLiteral("   120999999,99") << none;
    QTest::newRow("seven count characters")
        << QStringLiteral("0012345") << QStringLiteral("12,5") << QStringLiteral(" 12345    12,50")
        << QStringList{QString(), QString(), countNote, QStringLiteral("0 012 345")};
    // The total value box reads back empty when the total is zero.
    QTest::newRow("empty total") << QStringLiteral("3") << QString()
                                 << QStringLiteral("     3     0,00") << none;
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
    const int fontSize = r.at(13.7, 26.2469).font.pointSize();
    QVERIFY(fontSize == 10 || notes.last().isEmpty());
}

void TestPageLayout::textFields()
{
    const Recording r([](const PrintCanvas &canvas) {
        DrawContactPerson(canvas, QStringLiteral("žofia čuš"));
        DrawPhone(canvas, QStringLiteral("02"), QStringLiteral("1234567"));
        DrawSpecificSymbol(canvas, QStringLiteral("0123456789"));
    });
    QCOMPARE(r.places(2.155, 12, 1.9823), QStringLiteral("   ŽOFIA ČUŠ"));
    QCOMPARE(r.at(2.155 + 3 * 0.57, 1.9823).font.pointSize(), 19);
    QCOMPARE(r.places(9.7282, 4, 1.9823), QStringLiteral("  02"));
    QCOMPARE(r.places(12.4835, 8, 1.9823), QStringLiteral(" 1234567"));
    QCOMPARE(r.places(13.9, 10, 9.2025), QStringLiteral("0123456789"));
    QCOMPARE(r.device.texts.size(), 8 + 2 + 7 + 10);

    const Recording tooLong([](const PrintCanvas &canvas) {
        DrawContactPerson(canvas, QStringLiteral("Ľudovít Štúrovi"));
    });
    QCOMPARE(tooLong.places(2.155, 12, 1.9823), QStringLiteral("ĽUDOVÍT ŠTÚR"));
    QCOMPARE(tooLong.device.texts.size(), 11);
}

void TestPageLayout::supplierBlockAndTitle()
{
    const QString title = QStringLiteral("S Ú P I S K A - 01");
    const Recording r([&](const PrintCanvas &canvas) {
        DrawTitle(canvas, title);
        DrawSupplierBlockWithContacts(canvas, QStringLiteral("123456"), QStringLiteral("Pod Hradom"),
                                      QStringLiteral("Hlavná 12"), QStringLiteral("Nitra"),
                                      QStringLiteral("35742364"), QStringLiteral("ÁFax 02/55"),
                                      QStringLiteral("Info@Hrad.SK"));
    });
    const auto findText = [&r](const QString &wanted) {
        for (const RecordingDevice::Text &text : r.device.texts) {
            if (text.text == wanted)
                return text;
        }
        return RecordingDevice::Text{};
    };
    const auto width = [&r](const RecordingDevice::Text &text) {
        return QFontMetrics(text.font, &r.device).horizontalAdvance(text.text);
    };

    // The title is centred on half the sheet, bold and underlined; the blocks
    // after it print in the regular style.
    const RecordingDevice::Text drawnTitle = findText(title);
    QVERIFY(drawnTitle.font.bold() && drawnTitle.font.underline());
    QCOMPARE(drawnTitle.x, int(std::nearbyint(PageWidth / 2.0 - width(drawnTitle) / 2.0)));
    QCOMPARE(drawnTitle.top, px(0.5));

    QCOMPARE(r.at(13.8, 4.87).text, QStringLiteral("Pod Hradom"));
    QCOMPARE(r.at(13.8, 5.37).text, QStringLiteral("Hlavná 12"));
    QCOMPARE(r.at(13.8, 6.12).text, QStringLiteral("Nitra"));
    QVERIFY(r.at(13.8, 20.7).font.bold());
    QCOMPARE(r.at(13.8, 20.7).text, QStringLiteral("Fax a e-mail:"));
    // Only A to Z are lowered: Á stays a capital.
    QCOMPARE(r.at(13.9, 21.2).text, QStringLiteral("Áfax 02/55"));
    QCOMPARE(r.at(13.9, 21.6).text, QStringLiteral("info@hrad.sk"));
    QVERIFY(!r.at(13.9, 21.6).font.bold());

    // Code and IČO end at 18.7 cm.
    const RecordingDevice::Text code = findText(QStringLiteral("123456"));
    const RecordingDevice::Text ico = findText(QStringLiteral("35742364"));
    QCOMPARE(code.x + width(code), px(18.7));
    QCOMPARE(ico.x + width(ico), px(18.7));
    QCOMPARE(code.top, px(4.35));
    QCOMPARE(ico.top, px(7.1));
}

void TestPageLayout::blankBoxes()
{
    const Recording r([](const PrintCanvas &canvas) { DrawBlankBoxes(canvas); });

    // A box's top and left edges both start at its top-left corner.
    QSet<QPair<int, int>> horizontal, vertical;
    for (const RecordingDevice::Line &dash : r.device.lines)
        (dash.line.dy() == 0 ? horizontal : vertical).insert({dash.line.x1(), dash.line.y1()});

    QSet<QPair<int, int>> expected;
    const auto field = [&expected](int places, double x, double y) {
        for (int i = 0; i < places; ++i)
            expected.insert({px(x + 0.57 * i), px(y)});
    };
    for (int row = 0; row < 21; ++row) {
        const double y = 3.896 + 1.0613 * row;
        field(3, 2.155, y);
        field(2, 3.985, y);
        field(5, 5.525, y);
        field(6, 8.7293, y);
        field(2, 12.251, y);
    }
    field(6, 4.9444, 26.278);
    field(6, 8.7293, 26.278);
    field(2, 12.251, 26.278);
    field(3, 18.0306, 24.0607);
    field(12, 2.155, 1.9823);
    field(4, 9.7282, 1.9823);
    field(8, 12.4835, 1.9823);
    field(10, 13.9, 9.2025);
    QCOMPARE(expected.size(), 21 * 18 + 14 + 3 + 24 + 10);
    QCOMPARE(horizontal & vertical, expected);
    QCOMPARE(r.device.lines.size(), 429 * 32);

    // The commas of the rows and of the total value, in Arial 10.
    QCOMPARE(r.device.texts.size(), 43);
    for (int row = 0; row < 21; ++row) {
        QCOMPARE(r.at(3.835, 4.2 + 1.0613 * row).text, QStringLiteral(","));
        QCOMPARE(r.at(12.101, 4.2 + 1.0613 * row).text, QStringLiteral(","));
    }
    QCOMPARE(r.at(12.101, 26.582).font.families().value(0), QStringLiteral("Arial"));
    QCOMPARE(r.at(12.101, 26.582).font.pointSize(), 10);
}

void TestPageLayout::formAndMarks()
{
    // Pen widths 0.04, 0.02 and 0.01 cm are 9, 5 and 2 pixels at 600 per inch.
    const Recording r([](const PrintCanvas &canvas) { DrawPageForm(canvas); });
    QMap<int, int> outlines, lines;
    for (const RecordingDevice::Rect &rect : r.device.rects) {
        if (rect.brush == Qt::NoBrush)
            ++outlines[rect.pen.width()];
    }
    for (const RecordingDevice::Line &line : r.device.lines)
        ++lines[line.pen.width()];
    QCOMPARE(outlines, (QMap<int, int>{{9, 8}, {5, 1}}));
    QCOMPARE(lines, (QMap<int, int>{{9, 6}, {5, 2}, {2, 20}}));
    QCOMPARE(r.device.texts.size(), 13);

    // The marks at 300 per inch, 0.5 cm = 59 pixels: black inside, white
    // just outside.
    QImage image(2480, 3508, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        DrawRegistrationMarks(PrintCanvas(painter, PageMetrics(300, 300, 2480)));
        QCOMPARE(painter.brush(), QBrush(Qt::black, Qt::SolidPattern));
    }
    const double marks[][2] = {{1.1575, 1.1684}, {19.2888, 8.1915}, {1.907, 27.424}, {11.4272, 27.424}};
    for (const auto &mark : marks) {
        const QPoint corner(toPixels(300, mark[0]), toPixels(300, mark[1]));
        QCOMPARE(image.pixel(corner), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(corner + QPoint(58, 58)), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(corner + QPoint(-1, 30)), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(corner + QPoint(59, 59)), qRgb(255, 255, 255));
    }
}

QTEST_MAIN(TestPageLayout)
#include "tst_pagelayout.moc"
