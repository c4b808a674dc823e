// The program started over damaged data files (tests/data/hostile, one
// folder per kind of damage holding a DB.csv and a supiska.csv).
#include "database/prevadzky.h"
#include "mainwindowfixture.h"

#include <QDir>
#include <QSettings>

using namespace dbtest;
using Button = Dialogs::Button;

namespace {

const QDir Corpus(QStringLiteral(KELVARO_HOSTILE_DIR));

struct Program : MainWindow
{
    explicit Program(const QString &damage)
        : MainWindow(readAll(Corpus.filePath(damage + QStringLiteral("/supiska.csv"))),
                     readAll(Corpus.filePath(damage + QStringLiteral("/DB.csv"))), false)
    {
    }
    const EstablishmentTable &db() const { return form->databaseWindow()->table(); }
    QStringList dbMarks() const { return MarkedCellNames(db().grid()); }
};

QStringList wholeRow(int row, int columns)
{
    QStringList cells;
    for (int c = 0; c < columns; ++c)
        cells << QStringLiteral("%1,%2").arg(c).arg(row);
    return cells;
}

} // namespace

class TstHostileFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void startAndCloseUnchanged_data();
    void startAndCloseUnchanged();

private:
    QTemporaryDir settingsDir_;
};

void TstHostileFiles::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    QVERIFY(Corpus.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size() >= 10);
}

void TstHostileFiles::startAndCloseUnchanged_data()
{
    // Where the reading rules fix the outcome, of each file: the first (up
    // to four) texts of its sort column, the row count, the marked cells
    // ("column,row"); of the list its total value.
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QStringList>("nominals");
    QTest::addColumn<int>("listRows");
    QTest::addColumn<QStringList>("listMarks");
    QTest::addColumn<QString>("totalValue");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<int>("dbRows");
    QTest::addColumn<QStringList>("dbMarks");

    // NULs around fields are trimmed away; inside a number they are no digit,
    // inside a name a character like any other.  A line of NULs is an empty
    // row, which goes.  A text that is no number sorts as 0; its row is
    // complete, marked, so the entry row follows.
    QTest::newRow("nul-bytes") << "nul-bytes" << true << QStringList{QStringLiteral("2\u00000"), "10", ""} << 4
                               << QStringList{"0,1"} << "0,00" << QStringList{QStringLiteral("2\u00003"), "1", ""}
                               << 4 << QStringList{"0,1"};
    // CR alone ends a line; an empty line is dropped.
    QTest::newRow("cr-only") << "cr-only" << true << QStringList{"5", "10", "20", ""} << 5 << QStringList{}
                             << "80,00" << QStringList{"1", "2", "3", ""} << 5 << QStringList{};
    // LF alone ends no line: the first record's fields, the rest ignored.
    QTest::newRow("lf-only") << "lf-only" << true << QStringList{"10", ""} << 3 << QStringList{} << "10,00"
                             << QStringList{"3", ""} << 3 << QStringList{};
    // Ctrl-Z ends the file in the middle of a line, leaving it incomplete.
    QTest::newRow("ctrl-z") << "ctrl-z" << true << QStringList{"2", "10"} << 3 << QStringList{"0,1", "1,1", "2,1"}
                            << "0,00" << QStringList{"1", "2"} << 3 << wholeRow(2, EstablishmentTable::ColumnCount);
    // 100,000 rows, one with a bad IČO, sorted last by its number.
    QTest::newRow("many-lines") << "many-lines" << true << QStringList{"10", "10", "10", "10"} << 100002
                                << QStringList{} << "1 000 000,00" << QStringList{"1", "1", "1", "1"} << 100002
                                << QStringList{"5,100000"};
    // Every field of 1,000 characters breaks its length; a number of 1,000
    // digits sorts after the others, a text before them.
    QTest::newRow("long-fields") << "long-fields" << true << QStringList{"10", QString(1000, '5'), ""} << 4
                                 << QStringList{"0,2", "1,2", "2,2"} << "0,00"
                                 << QStringList{QString(1000, 'x'), "2", ""} << 4
                                 << wholeRow(1, EstablishmentTable::ColumnCount);
    // Fields beyond the grid's columns are ignored.
    QTest::newRow("many-fields") << "many-fields" << true << QStringList{"10", "20", ""} << 4 << QStringList{}
                                 << "50,00" << QStringList{"1", "2", ""} << 4 << QStringList{};
    const QStringList checked{"nul-bytes", "cr-only", "lf-only", "ctrl-z", "many-lines", "long-fields", "many-fields"};

    // The others, and whatever the corpus gains: the program comes up and
    // leaves the files alone.
    for (const QString &damage : Corpus.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (!checked.contains(damage)) {
            QTest::newRow(qPrintable(damage))
                << damage << false << QStringList() << 0 << QStringList() << QString() << QStringList() << 0
                << QStringList();
        }
    }
}

void TstHostileFiles::startAndCloseUnchanged()
{
    QFETCH(QString, damage);
    QFETCH(bool, checked);
    Program p(damage);
    const QByteArray list = readAll(p.path("supiska.csv"));
    const QByteArray db = readAll(p.path("DB.csv"));
    p.start();
    QVERIFY(p.form->isVisible());
    // An inconsistent database is shown before the main window.
    QCOMPARE(p.dialogs.modalShown(),
             p.form->databaseWindow()->HasMarkedCells() ? QStringList{"Databáza prevádzok"} : QStringList());
    QCOMPARE(p.dialogs.texts().count(Inconsistent),
             int(p.form->HasMarkedCells()) + int(p.form->databaseWindow()->HasMarkedCells()));

    if (checked) {
        QTEST(p.column(0).mid(0, 4), "nominals");
        QTEST(p.model().RowCount(), "listRows");
        QTEST(p.marks(), "listMarks");
        QTEST(p.total("ebSpoluHodnota"), "totalValue");
        QTEST(ColumnTexts(p.db().grid(), EstablishmentTable::InternalNumberColumn).mid(0, 4), "numbers");
        QTEST(p.db().grid().RowCount(), "dbRows");
        QTEST(p.dbMarks(), "dbMarks");
    }

    // Letting marked or incomplete rows be is no change: nothing is written.
    p.dialogs.answer({Button::Yes});
    QVERIFY(p.close());
    QCOMPARE(readAll(p.path("supiska.csv")), list);
    QCOMPARE(readAll(p.path("DB.csv")), db);
    QCOMPARE(QDir(p.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"DB.csv", "supiska.csv"}));
}

QTEST_MAIN(TstHostileFiles)
#include "tst_hostilefiles.moc"
