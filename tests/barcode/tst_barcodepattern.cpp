#include "barcode/barcode.h"

#include <QTest>

#include <cmath>
#include <functional>
#include <limits>

// Module patterns are written out from the symbology tables: '5'/'6' narrow and
// wide bars, '0'/'1' narrow and wide spaces.
namespace {

// Interleaved 2 of 5: start 5050, then per pair the bars of the first digit
// interleaved with the spaces of the second, then stop 605.
const QByteArray I25Start("5050");
const QByteArray I25Stop("605");
const QByteArray I25Pair03("5151606050");  // 0 = nnwwn bars, 3 = wwnnn spaces
const QByteArray I25Pair08("5150606150");  // 8 = wnnwn spaces
const QByteArray I25Pair29("5061505160");  // 2 = nwnnw bars, 9 = nwnwn spaces
const QByteArray I25Pair12("6051505061");  // 1 = wnnnw bars, 2 = nwnnw spaces
const QByteArray I25Pair34("6060515051");  // 3 = wwnnn bars, 4 = nnwnw spaces

// Code 39 characters, each followed by a narrow space except the stop character.
const QByteArray C39Star("515060605");
const QByteArray C39Digit0("505160605");
const QByteArray C39Digit1("605150506");
const QByteArray C39Digit2("506150506");
const QByteArray C39Digit3("606150505");
const QByteArray C39LetterR("605050615");
const QByteArray Gap("0");

TBarcodeObject Barcode(TBarcodeType typ, const QString &text, int modul = 1)
{
    TBarcodeObject barcode;
    barcode.SetTyp(typ);
    barcode.SetText(text);
    barcode.SetModul(modul);
    return barcode;
}

QString ErrorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const BarcodeError &error) {
        return error.message();
    }
    return QString();
}

} // namespace

class TstBarcodePattern : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaults();
    void interleavedPattern_data();
    void interleavedPattern();
    void code39Pattern_data();
    void code39Pattern();
    void width_data();
    void width();
    void trimmedTextIsStoredBack();
    void nonDigitsAreRefused_data();
    void nonDigitsAreRefused();
    void wrongTypeIsRefused();
    void ratioIsLimitedAndStoredBack_data();
    void ratioIsLimitedAndStoredBack();
    void modulFilter_data();
    void modulFilter();
    void widthAssignment_data();
    void widthAssignment();
};

void TstBarcodePattern::defaults()
{
    TBarcodeObject barcode;
    QCOMPARE(barcode.Text(), QString());
    QCOMPARE(barcode.Typ(), bcCodeEAN13);
    QCOMPARE(int(bcCode_2_5_interleaved), 0);
    QCOMPARE(int(bcCode39), 3);
    QCOMPARE(barcode.Modul(), 1);
    QCOMPARE(barcode.Ratio(), 2.0);
    QCOMPARE(barcode.Height(), 0);
    QCOMPARE(barcode.Left(), 0);
    QCOMPARE(barcode.Top(), 0);
    QCOMPARE(barcode.Angle(), 0.0);
    QCOMPARE(barcode.Checksum(), false);
    QCOMPARE(barcode.ShowText(), bcoNone);
    QCOMPARE(barcode.Color(), QColor(Qt::white));
    QCOMPARE(barcode.ColorBar(), QColor(Qt::black));
}

void TstBarcodePattern::interleavedPattern_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("pattern");

    QTest::newRow("fixed number") << QStringLiteral("030829")
                                  << I25Start + I25Pair03 + I25Pair08 + I25Pair29 + I25Stop;
    QTest::newRow("odd length drops the last digit")
        << QStringLiteral("12345") << I25Start + I25Pair12 + I25Pair34 + I25Stop;
    QTest::newRow("empty") << QString() << I25Start + I25Stop;
    QTest::newRow("single digit") << QStringLiteral("7") << I25Start + I25Stop;
}

void TstBarcodePattern::interleavedPattern()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, pattern);
    TBarcodeObject barcode = Barcode(bcCode_2_5_interleaved, text);
    QCOMPARE(barcode.BuildPattern(), pattern);
}

void TstBarcodePattern::code39Pattern_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("checksum");
    QTest::addColumn<QByteArray>("pattern");

    QTest::newRow("empty") << QString() << false << C39Star + Gap + C39Star;
    QTest::newRow("lower case skipped")
        << QStringLiteral("ab12") << false
        << C39Star + Gap + C39Digit1 + Gap + C39Digit2 + Gap + C39Star;
    QTest::newRow("star inside the text")
        << QStringLiteral("1*") << false << C39Star + Gap + C39Digit1 + Gap + C39Star + Gap + C39Star;
    QTest::newRow("check character 1 + 2 = 3")
        << QStringLiteral("12") << true
        << C39Star + Gap + C39Digit1 + Gap + C39Digit2 + Gap + C39Digit3 + Gap + C39Star;
    QTest::newRow("check value 0 is the digit 0, not the star")
        << QString() << true << C39Star + Gap + C39Digit0 + Gap + C39Star;
    QTest::newRow("check value wraps at 43: Z + Z = 70 = 27 (R)")
        << QStringLiteral("ZZ") << true
        << C39Star + Gap + QByteArray("516060505") + Gap + QByteArray("516060505") + Gap
            + C39LetterR + Gap + C39Star;
}

void TstBarcodePattern::code39Pattern()
{
    QFETCH(QString, text);
    QFETCH(bool, checksum);
    QFETCH(QByteArray, pattern);
    TBarcodeObject barcode = Barcode(bcCode39, text);
    barcode.SetChecksum(checksum);
    QCOMPARE(barcode.BuildPattern(), pattern);
    QCOMPARE(barcode.Text(), text);
}

void TstBarcodePattern::width_data()
{
    QTest::addColumn<TBarcodeType>("typ");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modul");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("elements");
    QTest::addColumn<int>("width");

    // Interleaved 2 of 5 at ratio 2: 8 + 7 modules a digit.
    QTest::newRow("I25 fixed number at 600 dpi")
        << bcCode_2_5_interleaved << QStringLiteral("030829") << 13 << 2.0 << 37 << 50 * 13;
    QTest::newRow("I25 odd length") << bcCode_2_5_interleaved << QStringLiteral("12345") << 1 << 2.0
                                    << 27 << 36;
    QTest::newRow("I25 empty") << bcCode_2_5_interleaved << QString() << 1 << 2.0 << 7 << 8;
    QTest::newRow("I25 eight digits") << bcCode_2_5_interleaved << QStringLiteral("35763469") << 10
                                      << 2.0 << 47 << 640;
    // Narrow 2, wide 6: start 4 x 2, each digit 3 x 2 + 2 x 6, stop 6 + 2 + 2.
    QTest::newRow("I25 ratio 3") << bcCode_2_5_interleaved << QStringLiteral("030829") << 2 << 3.0
                                 << 37 << 8 + 6 * 18 + 10;
    // Narrow 5, wide 12.5 rounded to the even 12: start 20, each digit
    // 3 x 5 + 2 x 12, stop 12 + 5 + 5.
    QTest::newRow("I25 ratio 2.5, half to even") << bcCode_2_5_interleaved << QStringLiteral("030829")
                                                 << 5 << 2.5 << 37 << 20 + 6 * 39 + 22;
    // Code 39 at ratio 2: 25 + 13 modules a character.
    QTest::newRow("C39 six digits") << bcCode39 << QStringLiteral("123456") << 1 << 2.0 << 79 << 103;
    QTest::newRow("C39 six digits at 600 dpi")
        << bcCode39 << QStringLiteral("123456") << 9 << 2.0 << 79 << 927;
    QTest::newRow("C39 empty") << bcCode39 << QString() << 1 << 2.0 << 19 << 25;
    // Narrow 2, wide 5: each character 6 x 2 + 3 x 5, gaps of 2.
    QTest::newRow("C39 ratio 2.5") << bcCode39 << QStringLiteral("1") << 2 << 2.5 << 29
                                   << 3 * 27 + 2 * 2;
}

void TstBarcodePattern::width()
{
    QFETCH(TBarcodeType, typ);
    QFETCH(QString, text);
    QFETCH(int, modul);
    QFETCH(double, ratio);
    QFETCH(int, elements);
    QFETCH(int, width);

    TBarcodeObject barcode = Barcode(typ, text, modul);
    barcode.SetRatio(ratio);
    QCOMPARE(barcode.BuildPattern().size(), elements);
    QCOMPARE(barcode.Width(), width);
}

void TstBarcodePattern::trimmedTextIsStoredBack()
{
    TBarcodeObject barcode = Barcode(bcCode_2_5_interleaved, QStringLiteral(" \t123456\r\n"));
    QCOMPARE(barcode.Width(), 50);
    QCOMPARE(barcode.Text(), QStringLiteral("123456"));

    // Code 39 is not numeric: its text is encoded as it is, spaces included.
    barcode.SetTyp(bcCode39);
    barcode.SetText(QStringLiteral(" 12 "));
    QCOMPARE(barcode.Width(), 25 + 4 * 13);
    QCOMPARE(barcode.Text(), QStringLiteral(" 12 "));
}

void TstBarcodePattern::nonDigitsAreRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");

    QTest::newRow("letter") << QStringLiteral(" 12A4 ") << QStringLiteral("12A4");
    QTest::newRow("inner space") << QStringLiteral("12 34") << QStringLiteral("12 34");
    // Digits of other scripts are digits to Unicode but not to a scanner.
    QTest::newRow("Arabic-Indic digit") << QStringLiteral("12\u06634") << QStringLiteral("12\u06634");
    QTest::newRow("full-width digit") << QStringLiteral("12\uFF134") << QStringLiteral("12\uFF134");
}

void TstBarcodePattern::nonDigitsAreRefused()
{
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    const QString message = QStringLiteral("Barcode must be numeric");

    TBarcodeObject barcode = Barcode(bcCode_2_5_interleaved, text, 13);
    QCOMPARE(ErrorOf([&] { barcode.Width(); }), message);
    QCOMPARE(barcode.Text(), trimmed);

    QCOMPARE(ErrorOf([&] { barcode.SetWidth(520); }), message);
    QCOMPARE(barcode.Modul(), 13);
    // Painting refuses it too; the painting tests check that nothing is drawn.
}

void TstBarcodePattern::wrongTypeIsRefused()
{
    const QString message = QStringLiteral("TBarcodeObject: wrong BarcodeType");
    TBarcodeObject barcode;
    barcode.SetText(QStringLiteral("123456"));
    QCOMPARE(ErrorOf([&] { barcode.Width(); }), message);  // the default type
    barcode.SetTyp(bcCode_2_5_industrial);
    QCOMPARE(ErrorOf([&] { barcode.SetWidth(100); }), message);
    QCOMPARE(barcode.Modul(), 1);
}

void TstBarcodePattern::ratioIsLimitedAndStoredBack_data()
{
    QTest::addColumn<TBarcodeType>("typ");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("limited");

    QTest::newRow("I25 below") << bcCode_2_5_interleaved << 1.5 << 2.0;
    QTest::newRow("I25 above") << bcCode_2_5_interleaved << 3.5 << 3.0;
    QTest::newRow("I25 inside") << bcCode_2_5_interleaved << 2.5 << 2.5;
    QTest::newRow("C39 below") << bcCode39 << 0.0 << 2.0;
    QTest::newRow("C39 infinite") << bcCode39 << std::numeric_limits<double>::infinity() << 3.0;
}

void TstBarcodePattern::ratioIsLimitedAndStoredBack()
{
    QFETCH(TBarcodeType, typ);
    QFETCH(double, ratio);
    QFETCH(double, limited);

    TBarcodeObject barcode = Barcode(typ, QStringLiteral("12"));
    barcode.SetRatio(ratio);
    QCOMPARE(barcode.Ratio(), ratio);  // only stored until the next encoding
    barcode.Width();
    QCOMPARE(barcode.Ratio(), limited);
    barcode.Width();
    QCOMPARE(barcode.Ratio(), limited);
}

void TstBarcodePattern::modulFilter_data()
{
    QTest::addColumn<int>("assigned");
    QTest::addColumn<int>("modul");

    QTest::newRow("zero") << 0 << 7;
    QTest::newRow("negative") << -3 << 7;
    QTest::newRow("50") << 50 << 7;
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("49") << 49 << 49;
}

void TstBarcodePattern::modulFilter()
{
    QFETCH(int, assigned);
    QFETCH(int, modul);
    TBarcodeObject barcode;
    barcode.SetModul(7);
    barcode.SetModul(assigned);
    QCOMPARE(barcode.Modul(), modul);

    // A ratio or angle that is not a number would make the widths and corners
    // undefined; such values are not taken.
    barcode.SetRatio(std::nan(""));
    QCOMPARE(barcode.Ratio(), 2.0);
    barcode.SetAngle(std::numeric_limits<double>::infinity());
    QCOMPARE(barcode.Angle(), 0.0);
}

void TstBarcodePattern::widthAssignment_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modul");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("fitted");
    QTest::addColumn<int>("width");

    // The reserved box of the printed list at 600 and 300 dpi.
    QTest::newRow("six digits, 600 dpi") << QStringLiteral("123456") << 13 << 520 << 10 << 500;
    QTest::newRow("eight digits, 600 dpi") << QStringLiteral("35763469") << 10 << 685 << 10 << 640;
    QTest::newRow("0001, 600 dpi") << QStringLiteral("0001") << 10 << 331 << 9 << 324;
    QTest::newRow("six digits, 300 dpi") << QStringLiteral("123456") << 6 << 260 << 5 << 250;
    // 13 x 30 div 650 = 0: Modul keeps its value and the barcode overshoots.
    QTest::newRow("target below one module") << QStringLiteral("123456") << 13 << 30 << 13 << 650;
    QTest::newRow("target beyond the limit") << QStringLiteral("123456") << 13
                                             << std::numeric_limits<int>::max() << 13 << 650;
    QTest::newRow("negative target") << QStringLiteral("123456") << 13 << -520 << 13 << 650;
}

void TstBarcodePattern::widthAssignment()
{
    QFETCH(QString, text);
    QFETCH(int, modul);
    QFETCH(int, target);
    QFETCH(int, fitted);
    QFETCH(int, width);

    TBarcodeObject barcode = Barcode(bcCode_2_5_interleaved, text, modul);
    barcode.SetWidth(target);
    QCOMPARE(barcode.Modul(), fitted);
    QCOMPARE(barcode.Width(), width);
}

QTEST_APPLESS_MAIN(TstBarcodePattern)
#include "tst_barcodepattern.moc"
