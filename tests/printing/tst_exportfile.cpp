#include "app/programsetup.h"
#include "printing/exportfile.h"
#include "printing/listprint.h"
#include "support/filesizelimit.h"
#include "support/readonlyfolder.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

ListTexts header()
{
    ListTexts texts;
    texts.productKind = QStringLiteral("01");
    texts.internalNumber = QStringLiteral("77");
    texts.code = QStringLiteral("001234");
    texts.ico = QStringLiteral("35826797");
    texts.name = QStringLiteral("Reštaurácia Čierny Orol");
    texts.street = QStringLiteral("Hlavná 5");
    texts.city = QStringLiteral("Žilina");
    texts.contactPerson = QStringLiteral("Ján Novák");
    texts.phone = QStringLiteral("041/5551234");
    return texts;
}

} // namespace

class TstExportFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { IgnoreFileSizeSignal(); }
    void names_data();
    void names();
    void bytesOfAWholeFile();
    void openFails_data();
    void openFails();
    void failurePartWayKeepsTheEarlierFile();
};

void TstExportFile::names_data()
{
    QTest::addColumn<QString>("saveDir");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");

    QTest::newRow("directory with separator") << "/export/" << "1234" << "/export/250305001234.txt";
    QTest::newRow("no directory") << "" << "001234" << "250305001234.txt";
    // A stored directory without its separator is glued to the name.
    QTest::newRow("no separator") << "/export" << "001234" << "/export250305001234.txt";
    QTest::newRow("short code") << "" << "123" << "250305000123.txt";
    QTest::newRow("long code") << "" << "12345678" << "250305345678.txt";
}

void TstExportFile::names()
{
    QFETCH(QString, saveDir);
    QFETCH(QString, code);
    QFETCH(QString, name);
    QCOMPARE(ExportFile::fileName(saveDir, QDate(2025, 3, 5), code), name);
}

void TstExportFile::bytesOfAWholeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.txt"));
    ExportFile file;
    QVERIFY(file.open(path, header()));
    QVERIFY(file.writeRow(QStringLiteral("2,5"), QStringLiteral("10"), QStringLiteral("25")));
    QVERIFY(file.writeRow(QStringLiteral("100"), QStringLiteral("1224"), QStringLiteral("122400")));
    // Nothing lands before the file is closed whole.
    QVERIFY(!QFile::exists(path));
    QVERIFY(file.close(QStringLiteral("1234"), QStringLiteral("3085"), QStringLiteral("05.03.2025")));

    // Windows-1250: Š 0x8A, á 0xE1, Č 0xC8, Ž 0x8E, é 0xE9, í 0xED, č 0xE8,
    // ý 0xFD, ó 0xF3, ň 0xF2, š 0x9A, € 0x80.
    const QByteArray expected =
        "Druh produktu:\t01\r\n"
        "\r\n"
        "Intern\xE9 \xE8\xEDslo prev\xE1" "dzky:\t77\r\n"
        "K\xF3" "d prev\xE1" "dzky:\t001234\r\n"
        "I\xC8O:\t35826797\r\n"
        "N\xE1zov prev\xE1" "dzky:\tRe\x9Ataur\xE1" "cia \xC8ierny Orol\r\n"
        "Ulica:\tHlavn\xE1 5\r\n"
        "Mesto:\t\x8Eilina\r\n"
        "\r\n"
        "Kontaktn\xE1 osoba:J\xE1n Nov\xE1k\r\n"
        "Pred\xE8\xEDslie / telef\xF3nne \xE8\xEDslo:\t041/5551234\r\n"
        "\r\n"
        "\x8A" "pecifick\xFD symbol:\t\r\n"
        "\r\n"
        "NH\tPo\xE8" "et\tHodnota\r\n"
        "2,5\t10\t25\r\n"
        "100\t1224\t122400\r\n"
        "\r\n"
        "Celkov\xFD po\xE8" "et kup\xF3nov:\t1 234\r\n"
        "Celkov\xE1 hodnota kup\xF3nov:\t3 085,00 \x80\r\n"
        "\r\n"
        "D\xE1tum vytvorenia s\xFApisky:\t05.03.2025\r\n";
    QCOMPARE(readAll(path), expected);
}

void TstExportFile::openFails_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("error");
    QTest::newRow("missing directory") << "gone/250305001234.txt" << false << "Invalid filename.";
    QTest::newRow("target is a folder") << "folder" << false << "File access denied.";
    QTest::newRow("read-only folder") << "250305001234.txt" << true << "File access denied.";
}

void TstExportFile::openFails()
{
    QFETCH(QString, name);
    QFETCH(bool, readOnly);
    if (readOnly)
        SKIP_WITHOUT_READ_ONLY_FOLDER();
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    ExportFile file;
    {
        std::optional<ReadOnlyFolder> folder;
        if (readOnly) {
            folder.emplace(dir.path());
            QVERIFY(folder->holds());
        }
        QVERIFY(!file.open(dir.filePath(name), header()));
    }
    QTEST(file.errorText(), "error");
    QVERIFY(!file.isOpen());
    QVERIFY(!file.writeRow(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")));
}

void TstExportFile::failurePartWayKeepsTheEarlierFile()
{
    SKIP_WITHOUT_FILE_SIZE_LIMIT();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("250305001234.txt"));
    {
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier list\r\n");
    }
    ExportFile file;
    bool opened = false;
    bool closed = false;
    {
        FileSizeLimit limit(100);
        opened = file.open(path, header());
        for (int i = 0; opened && i < 10; ++i)
            file.writeRow(QStringLiteral("5"), QStringLiteral("10"), QStringLiteral("50"));
        closed = opened && file.close(QStringLiteral("100"), QStringLiteral("500"), QStringLiteral("x"));
    }

    QVERIFY(opened);
    QVERIFY(!closed);
    QCOMPARE(file.errorText(), QStringLiteral("I/O error %1.").arg(EFBIG));
    QCOMPARE(readAll(path), QByteArray("earlier list\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({QStringLiteral("250305001234.txt")}));
}

QTEST_GUILESS_MAIN(TstExportFile)
#include "tst_exportfile.moc"
