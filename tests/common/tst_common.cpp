#include "common/amount.h"
#include "common/cp1250.h"
#include "common/validators.h"

#include <QTest>


class TstCommon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ico_data();
    void ico();
    void email_data();
    void email();
    void codePage();
    void amountText_data();
    void amountText();
};

void TstCommon::ico_data()
{
    // Check digit (11 - (8 d1 + 7 d2 + ... + 2 d7) mod 11) mod 10.
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    for (const char *valid : {"00000001", "35826797", "12345679", "10000003", "99999994", "10000011", "00000108",
                              "00000060"})
        QTest::newRow(valid) << valid << true;
    for (const char *invalid : {"00000000", "35826796", "00000061", "0000001", "000000001", "0000000a", " 0000001"})
        QTest::addRow("'%s'", invalid) << invalid << false;
}

void TstCommon::ico()
{
    QFETCH(QString, text);
    QTEST(IcoIsValid(text), "valid");
}

void TstCommon::email_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("invalid");
    // Only the domain's first full stop is looked at.
    for (const char *good : {"a@b.c", "predaj@obchod.sk", "š@č.sk", "a@b..c", "a@b.c."})
        QTest::newRow(good) << QString::fromUtf8(good) << false;
    for (const char *bad : {"", " \t\r\n", "@b.c", "a@", "a@b@c.d", "a@bc", "a.b@cd", "a b@c.d", " a@b.c", "a@b.c)",
                            "a[@b.c", "a:b@c.d", "ä@b.c", "Ä@b.c", "x@Ö.sk", "ß@b.c", "a@b", "a@.bc", "a@bc."})
        QTest::addRow("'%s'", bad) << QString::fromUtf8(bad) << true;
}

void TstCommon::email()
{
    QFETCH(QString, text);
    QTEST(EmailIsInvalid(text), "invalid");
}

void TstCommon::codePage()
{
    // Every byte both ways: 0x80 to 0xFF as the code page's published table
    // gives them.  The five bytes it leaves undefined stand for the C1
    // controls of the same value, as Windows reads them, on either system.
    const QString upper = QStringLiteral("€\u0081‚\u0083„…†‡\u0088‰Š‹ŚŤŽŹ\u0090‘’“”•–—\u0098™š›śťžź\u00A0ˇ˘Ł¤Ą¦§¨©Ş«¬"
                                         "\u00AD®Ż°±˛ł´µ¶·¸ąş»Ľ˝ľżŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎĐŃŇÓÔŐÖ×ŘŮÚŰÜÝŢßŕáâăäĺćçčéęëěíîď"
                                         "đńňóôőö÷řůúűüýţ˙");
    QCOMPARE(upper.size(), 128);
    for (int b = 0; b < 256; ++b) {
        const QString text(b < 0x80 ? QChar(b) : upper.at(b - 0x80));
        QCOMPARE(Cp1250::decode(QByteArray(1, char(b))), text);
        QCOMPARE(Cp1250::encode(text), QByteArray(1, char(b)));
    }
    // A character the code page lacks is in no set and is written as one
    // '?', also when it takes two UTF-16 units.
    QCOMPARE(Cp1250::encode(QStringLiteral("ñ\u4E00\U0001F600") + QChar(0xD800)), QByteArray("????"));
    QVERIFY(!AnyChar.contains(QChar(0x00F1)) && !AnyChar.contains(QChar(0x4E00)));
}

void TstCommon::amountText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("raw"); // -1: no amount
    QTest::addColumn<QString>("printed");
    QTest::newRow("whole") << "250" << qint64(2500000) << "250";
    QTest::newRow("zeros dropped") << "007,50" << qint64(75000) << "7,5";
    QTest::newRow("four decimals") << "0,0001" << qint64(1) << "0,0001";
    QTest::newRow("largest") << "922337203685477,5807" << std::numeric_limits<qint64>::max() << "922337203685477,5807";
    for (const char *refused : {"", ",", ",5", "12,", "1,2,3", "1.5", "1,00001", "1a", "1 000", "-1",
                                "922337203685478", "922337203685477,5808"})
        QTest::addRow("refused '%s'", refused) << QString::fromLatin1(refused) << qint64(-1) << "";
}

void TstCommon::amountText()
{
    QFETCH(QString, text);
    const auto amount = Amount::fromText(text);
    QTEST(amount ? amount->raw() : qint64(-1), "raw");
    QTEST(amount ? amount->toText() : QString(), "printed");
}

QTEST_GUILESS_MAIN(TstCommon)
#include "tst_common.moc"
