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

#include <cerrno>
#include <optional>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const ListTexts Header{"01", "77", "001234", "Reštaurácia Čierny Orol", "Hlavná 5", "Žilina", "35826797",
                       "Ján Novák", "041/5551234", "", "", "2026120601", ""};

} // namespace

class TstExportFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { IgnoreFileSizeSignal(); }
    void names();
    void writing_data();
    void writing();
};

void TstExportFile::names()
{
    // The date as yymmdd, the code brought to its last six characters; a
    // stored directory without its separator is glued to the name.
    QCOMPARE(ExportFile::fileName("/export/", QDate(2025, 3, 5), "123"), "/export/250305000123.txt");
    QCOMPARE(ExportFile::fileName("", QDate(2025, 3, 5), "12345678"), "250305345678.txt");
    QCOMPARE(ExportFile::fileName("/export", QDate(2025, 3, 5), "001234"), "/export250305001234.txt");
}

void TstExportFile::writing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("sizeLimit"); // bytes a file may grow to, or 0
    QTest::addColumn<QString>("error");
    QTest::addColumn<QByteArray>("content"); // of x.txt, which held the earlier list
    // Windows-1250: Š 0x8A, á 0xE1, Č 0xC8, Ž 0x8E, é 0xE9, í 0xED, č 0xE8,
    // ý 0xFD, ó 0xF3, š 0x9A, ú 0xFA, € 0x80.
    QTest::newRow("whole file") << "x.txt" << false << 0 << ""
        << QByteArray("Druh produktu:\t01\r\n\r\nIntern\xE9 \xE8\xEDslo prev\xE1" "dzky:\t77\r\n"
                      "K\xF3" "d prev\xE1" "dzky:\t001234\r\nI\xC8O:\t35826797\r\n"
                      "N\xE1zov prev\xE1" "dzky:\tRe\x9Ataur\xE1" "cia \xC8ierny Orol\r\n"
                      "Ulica:\tHlavn\xE1 5\r\nMesto:\t\x8Eilina\r\n\r\nKontaktn\xE1 osoba:J\xE1n Nov\xE1k\r\n"
                      "Pred\xE8\xEDslie / telef\xF3nne \xE8\xEDslo:\t041/5551234\r\n\r\n"
                      "\x8A" "pecifick\xFD symbol:\t2026120601\r\n\r\nNH\tPo\xE8" "et\tHodnota\r\n"
                      "2,5\t10\t25\r\n100\t1224\t122400\r\n\r\n"
                      "Celkov\xFD po\xE8" "et kup\xF3nov:\t1 234\r\nCelkov\xE1 hodnota kup\xF3nov:\t3 085,00 \x80\r\n"
                      "\r\nD\xE1tum vytvorenia s\xFApisky:\t05.03.2025\r\n");
    // A file that cannot be written whole leaves the earlier one as it was.
    const QByteArray earlier("earlier list\r\n");
    QTest::newRow("missing directory") << "gone/x.txt" << false << 0 << "Invalid filename." << earlier;
    QTest::newRow("target is a folder") << "folder" << false << 0 << "File access denied." << earlier;
    QTest::newRow("read-only folder") << "x.txt" << true << 0 << "File access denied." << earlier;
    QTest::newRow("full disk part-way") << "x.txt" << false << 100 << QString("I/O error %1.").arg(EFBIG) << earlier;
}

void TstExportFile::writing()
{
    QFETCH(bool, readOnly);
    QFETCH(int, sizeLimit);
    QFETCH(QString, error);
    if (readOnly)
        SKIP_WITHOUT_READ_ONLY_FOLDER();
    if (sizeLimit > 0)
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    QFile earlier(dir.filePath("x.txt"));
    QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier list\r\n") == 14);
    earlier.close();
    ExportFile file;
    bool written = false;
    {
        const auto folder = readOnly ? std::make_optional<ReadOnlyFolder>(dir.path()) : std::nullopt;
        const auto limit = sizeLimit > 0 ? std::make_optional<FileSizeLimit>(sizeLimit) : std::nullopt;
        QFETCH(QString, name);
        // Nothing lands before the file is closed whole.
        written = file.open(dir.filePath(name), Header) && file.writeRow("2,5", "10", "25")
                  && file.writeRow("100", "1224", "122400") && readAll(dir.filePath("x.txt")) == "earlier list\r\n"
                  && file.close("1234", "3085", "05.03.2025");
    }
    QCOMPARE(written, error.isEmpty());
    QCOMPARE(file.errorText(), error);
    QVERIFY(!file.isOpen());
    QTEST(readAll(dir.filePath("x.txt")), "content");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"x.txt"});
}

QTEST_GUILESS_MAIN(TstExportFile)
#include "tst_exportfile.moc"
