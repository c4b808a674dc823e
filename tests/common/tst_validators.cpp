#include "common/cp1250.h"
#include "common/validators.h"

#include <QTest>

class TstValidators : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyRejected_data();
    void keyRejected();
    void anyCharIsTheCodePage();
    void decimalKeyRejected_data();
    void decimalKeyRejected();
    void numberTests_data();
    void numberTests();
    void ico_data();
    void ico();
    void email_data();
    void email();
    void codePage_data();
    void codePage();
    void trimControl();
};

void TstValidators::keyRejected_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("max");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<bool>("digitsOnly");
    QTest::addColumn<bool>("rejected");

    QTest::newRow("full text drops a digit") << "123456" << 6 << QChar(u'7') << true << true;
    QTest::newRow("full text lets Backspace pass") << "123456" << 6 << QChar(8) << true << false;
    QTest::newRow("full text lets Tab pass") << "123456" << 6 << QChar(9) << true << false;
    QTest::newRow("full text lets Enter pass") << "123456" << 6 << QChar(13) << true << false;
    QTest::newRow("letter into digits") << "" << 10 << QChar(u'a') << true << true;
    QTest::newRow("letter into any") << "" << 10 << QChar(u'a') << false << false;
    QTest::newRow("last free place") << "12345" << 6 << QChar(u'0') << true << false;
    QTest::newRow("over-full text") << "1234567" << 6 << QChar(u'1') << true << true;
    QTest::newRow("zero length allows nothing") << "" << 0 << QChar(u'1') << false << true;
    QTest::newRow("Slovak letter into any") << "" << 32 << QChar(u'ž') << false << false;
    QTest::newRow("euro sign into any") << "" << 32 << QChar(u'€') << false << false;
    QTest::newRow("letter outside the code page") << "" << 32 << QChar(u'ñ') << false << true;
    QTest::newRow("CJK outside the code page") << "" << 32 << QChar(u'中') << false << true;
    QTest::newRow("Arabic-Indic digit is no digit") << "" << 5 << QChar(u'\u0663') << true << true;
}

void TstValidators::keyRejected()
{
    QFETCH(QString, text);
    QFETCH(int, max);
    QFETCH(QChar, key);
    QFETCH(bool, digitsOnly);
    QFETCH(bool, rejected);
    QCOMPARE(KeyRejected(text, max, key, digitsOnly ? Digits : AnyChar), rejected);
}

void TstValidators::anyCharIsTheCodePage()
{
    // Every one of the 256 codes may be typed into a free-text field, and
    // nothing else: whatever is typed can be saved.
    for (int b = 0; b < 256; ++b) {
        const QChar c = Cp1250::decode(QByteArray(1, char(b))).at(0);
        QVERIFY2(AnyChar.contains(c), qPrintable(QString::number(b)));
        QCOMPARE(Digits.contains(c), b >= '0' && b <= '9');
    }
    int outside = 0;
    for (char16_t u = 0x100; u < 0x3000; ++u) {
        if (!Cp1250::canEncode(QChar(u))) {
            QVERIFY(!AnyChar.contains(QChar(u)));
            ++outside;
        }
    }
    QVERIFY(outside > 10000);
}

void TstValidators::decimalKeyRejected_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<bool>("rejected");

    QTest::newRow("third digit") << "12" << QChar(u'3') << false;
    QTest::newRow("fourth digit") << "123" << QChar(u'4') << true;
    QTest::newRow("comma after three digits") << "123" << QChar(u',') << false;
    QTest::newRow("second comma") << "1,2" << QChar(u',') << true;
    QTest::newRow("comma into empty") << "" << QChar(u',') << false;
    QTest::newRow("second decimal") << "12,5" << QChar(u'0') << false;
    QTest::newRow("third decimal") << "12,50" << QChar(u'1') << true;
    // The caret may stand before the comma: the digit still counts as a decimal.
    QTest::newRow("full decimals, digit anywhere") << "1,25" << QChar(u'9') << true;
    QTest::newRow("full stop") << "" << QChar(u'.') << true;
    QTest::newRow("full stop after digits") << "12" << QChar(u'.') << true;
    QTest::newRow("letter") << "1" << QChar(u'a') << true;
    QTest::newRow("Backspace when full") << "123,45" << QChar(8) << false;
    QTest::newRow("Tab when full") << "123,45" << QChar(9) << false;
    QTest::newRow("Enter when full") << "123,45" << QChar(13) << false;
}

void TstValidators::decimalKeyRejected()
{
    QFETCH(QString, text);
    QFETCH(QChar, key);
    QFETCH(bool, rejected);
    QCOMPARE(DecimalKeyRejected(text, 3, 2, key), rejected);
}

void TstValidators::numberTests_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("allDigits");
    QTest::addColumn<bool>("decimal");

    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("12") << "12" << true << true;
    QTest::newRow("leading zeros") << "0007" << true << true;
    QTest::newRow("12,50") << "12,50" << false << true;
    QTest::newRow("12.50") << "12.50" << false << true;
    QTest::newRow("comma last") << "12," << false << false;
    QTest::newRow("comma first") << ",5" << false << false;
    QTest::newRow("two full stops") << "1.2.3" << false << false;
    QTest::newRow("full stop before comma") << "1.2,3" << false << false;
    QTest::newRow("comma before full stop") << "1,2.3" << false << false;
    QTest::newRow("grouped") << "1 234,00" << false << false;
    QTest::newRow("sign") << "-5" << false << false;
    QTest::newRow("superscript two") << "\u00B2" << false << false;
}

void TstValidators::numberTests()
{
    QFETCH(QString, text);
    QFETCH(bool, allDigits);
    QFETCH(bool, decimal);
    QCOMPARE(IsAllDigits(text), allDigits);
    QCOMPARE(IsDecimalNumber(text), decimal);
}

void TstValidators::ico_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");

    // s = 0, c = 11: check digit 1.
    QTest::newRow("seven zeros and 1") << "00000001" << true;
    QTest::newRow("eight zeros") << "00000000" << false;
    // 3*8+5*7+8*6+2*5+6*4+7*3+9*2 = 180, 180 mod 11 = 4, c = 7.
    QTest::newRow("35826797") << "35826797" << true;
    QTest::newRow("35826797 wrong check") << "35826796" << false;
    // 1*8+2*7+3*6+4*5+5*4+6*3+7*2 = 112, 112 mod 11 = 2, c = 9.
    QTest::newRow("12345679") << "12345679" << true;
    // s = 8, c = 3.
    QTest::newRow("10000003") << "10000003" << true;
    // 9 * (8+7+6+5+4+3+2) = 315, 315 mod 11 = 7, c = 4.
    QTest::newRow("99999994") << "99999994" << true;
    // s = 8 + 2 = 10, c = 1.
    QTest::newRow("10000011") << "10000011" << true;
    // s = 1*3 = 3, c = 8.
    QTest::newRow("00000108") << "00000108" << true;
    // s = 6*2 = 12, 12 mod 11 = 1, c = 10: the check digit is 0.
    QTest::newRow("c = 10 gives 0") << "00000060" << true;
    QTest::newRow("c = 10, not 10") << "00000061" << false;
    QTest::newRow("seven digits") << "0000001" << false;
    QTest::newRow("nine digits") << "000000001" << false;
    QTest::newRow("letter") << "0000000a" << false;
    QTest::newRow("space") << " 0000001" << false;
    QTest::newRow("empty") << "" << false;
}

void TstValidators::ico()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(IcoIsValid(text), valid);
}

void TstValidators::email_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("invalid");

    QTest::newRow("empty") << "" << true;
    QTest::newRow("spaces only") << "   " << true;
    QTest::newRow("control characters only") << "\t\r\n" << true;
    QTest::newRow("shortest good") << "a@b.c" << false;
    QTest::newRow("ordinary") << "predaj@obchod.sk" << false;
    QTest::newRow("starts with @") << "@b.c" << true;
    QTest::newRow("ends with @") << "a@" << true;
    QTest::newRow("two @") << "a@b@c.d" << true;
    QTest::newRow("no full stop in domain") << "a@bc" << true;
    QTest::newRow("full stop only before @") << "a.b@cd" << true;
    QTest::newRow("space inside") << "a b@c.d" << true;
    QTest::newRow("leading space") << " a@b.c" << true;
    QTest::newRow("parenthesis") << "a@b.c)" << true;
    QTest::newRow("bracket") << "a[@b.c" << true;
    QTest::newRow("colon") << "a:b@c.d" << true;
    QTest::newRow("umlaut") << "ä@b.c" << true;
    QTest::newRow("upper-case umlaut") << "Ä@b.c" << true;
    QTest::newRow("upper-case O umlaut") << "x@Ö.sk" << true;
    QTest::newRow("sharp s") << "ß@b.c" << true;
    QTest::newRow("Slovak letters pass") << "š@č.sk" << false;
    QTest::newRow("domain of one character") << "a@b" << true;
    QTest::newRow("domain begins with full stop") << "a@.bc" << true;
    QTest::newRow("domain's only full stop last") << "a@bc." << true;
    // Only the domain's first full stop is looked at.
    QTest::newRow("two full stops in a row") << "a@b..c" << false;
    QTest::newRow("ends with full stop after inner one") << "a@b.c." << false;
}

void TstValidators::email()
{
    QFETCH(QString, text);
    QFETCH(bool, invalid);
    QCOMPARE(EmailIsInvalid(text), invalid);
}

void TstValidators::codePage_data()
{
    // Bytes 0x80 to 0xFF of Windows-1250 as the code page's published table
    // gives them (0x00 to 0x7F are ASCII).  The table leaves 0x81, 0x83,
    // 0x88, 0x90 and 0x98 undefined; they stand for the C1 control of the
    // same value, as Windows reads them, so that they survive a load and a
    // save on either system.
    static const char16_t upper[128] = {
        0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, // 80
        0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
        0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
        0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, // A0
        0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
        0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, // B0
        0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
        0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, // C0
        0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
        0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, // D0
        0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
        0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, // E0
        0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
        0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, // F0
        0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
    };
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readsBack"); // whether the bytes decode to the text

    for (int b = 0; b < 256; ++b) {
        const char16_t expected = b < 0x80 ? char16_t(b) : upper[b - 0x80];
        QTest::addRow("0x%02X", b) << QByteArray(1, char(b)) << QString(QChar(expected)) << true;
    }
    // A character the code page lacks is written as one '?', also when it
    // takes two UTF-16 units.
    QTest::newRow("letters outside the code page")
        << QByteArray("a?b?c?d?") << QStringLiteral("a\u0101b\u4E00c\U0001F600d\u0432") << false;
    QTest::newRow("a lone surrogate") << QByteArray("?x") << QString::fromUtf16(u"\xD800x") << false;
}

void TstValidators::codePage()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(bool, readsBack);
    QCOMPARE(Cp1250::encode(text), bytes);
    if (readsBack)
        QCOMPARE(Cp1250::decode(bytes), text);
}

void TstValidators::trimControl()
{
    QCOMPARE(TrimControl(QStringLiteral("\x01 \t a b \r\n ")), QStringLiteral("a b"));
    QCOMPARE(TrimControl(QStringLiteral("\u00A0x\u00A0")), QStringLiteral("\u00A0x\u00A0"));
}

QTEST_GUILESS_MAIN(TstValidators)
#include "tst_validators.moc"
