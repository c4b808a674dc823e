#include "app/mainwindowfixture.h"
#include "database/databasewindow.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

using namespace dbtest;
using Button = Dialogs::Button;

namespace {

const QString Saved = QStringLiteral("Databáza uložená do súboru \"DB.csv\".");
const QString RemoveIncomplete = QStringLiteral("Odstrániť nekompletné riadky?");

// An establishment of short fields, complete unless name is empty.
QByteArray shortRow(const QByteArray &number, const QByteArray &name, const QByteArray &phone = "1",
                    const QByteArray &email = "", const QByteArray &ico = "35757442")
{
    return record({number, "00010" + number, name, "U", "M", ico, "", "02", phone, "2", email});
}

// The database window over a data folder whose DB.csv holds db (none when
// null).
struct Window
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<DatabaseWindow> form;
    std::unique_ptr<QAbstractItemModelTester> modelTester;

    explicit Window(const QByteArray &db = QByteArray())
    {
        if (!db.isNull())
            writeFile(dbPath(), db);
        form = std::make_unique<DatabaseWindow>(dir.path(), dialogs);
        modelTester = std::make_unique<QAbstractItemModelTester>(&model());
        form->show();
    }
    QString dbPath() const { return dir.filePath(QStringLiteral("DB.csv")); }
    EstablishmentModel &model() const { return form->table(); }
    QStringList column(int c) const { return ColumnTexts(model(), c); }
    void type(const QString &keys) const { typeIntoGrid(form->grid(), keys); }
    bool select(int row, int column) const { return clickCell(form->grid(), row, column); }
    void click(const char *button) const { QTest::mouseClick(form->findChild<QPushButton *>(button), Qt::LeftButton); }
    void clickHeading(int column, Qt::KeyboardModifiers modifiers = {}) const
    {
        QHeaderView *header = form->grid()->horizontalHeader();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, modifiers, QPoint(x, header->height() / 2));
    }
};

// The main window's establishment panel.
QStringList panel(const MainWindowFixture &w)
{
    QStringList texts;
    for (const char *name : {"ebIntCPrevadzky", "ebDruhProduktu", "ebKodPrevadzky", "ebNazovPrevadzky", "ebUlicaCislo",
                             "ebMesto", "ebICO", "ebKontaktnaOsoba", "ebTelefon", "ebFax", "ebEmail"})
        texts << w.child<QLineEdit>(name)->text();
    return texts;
}

} // namespace

class TstDatabaseWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void enteringRows();
    void typingRules_data();
    void typingRules();
    void reading();
    void headingClicksSort();
    void closeQuestions();
    void saving_data();
    void saving();
    void establishmentPanel();
    void copyAndMnemonics();
};

void TstDatabaseWindow::enteringRows()
{
    Window w;
    // The fax is the last required cell: then the row is complete, the table
    // sorted and an entry row appended.
    w.type(QStringLiteral("7\t000123\tBistro\tHlavná 1\tNitra\t12345679\t\t037\t654321\t"));
    QCOMPARE(w.model().rowCount(), 1);
    w.type(QStringLiteral("037/1\tinfo@bistro.sk\r"));
    QCOMPARE(w.model().rowTexts(0), QStringList({"7", "000123", "Bistro", "Hlavná 1", "Nitra", "12345679", "",
                                                 "037", "654321", "037/1", "info@bistro.sk"}));
    QVERIFY(w.dialogs.shown().isEmpty() && w.form->isModified());
    // A second row with a lower number goes first, the selection with it,
    // also when a click that the entry refused asked for another row.
    QVERIFY(w.select(1, 0));
    w.type(QStringLiteral("3\t45\tČajovňa\tKapitulská 3\tNitra\t31333532\t\t037\t654322\t037/2"));
    w.form->activateWindow(); // where a click moves the focus
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    QVERIFY(!w.select(0, 2) && w.form->grid()->editor()); // the entry's editor stays open
    w.type(QStringLiteral("\r"));
    QCOMPARE(w.column(1), QStringList({"000045", "000123", ""}));
    QCOMPARE(w.form->grid()->selectedRow(), 0);
    // The code is compared as it will be stored, and must be changed before
    // the user may leave the cell.
    QVERIFY(w.select(2, 0));
    w.type(QStringLiteral("9\t123\r"));
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Duplicitný záznam!")}));
    QVERIFY(!w.select(2, 2));
    w.type(QStringLiteral("\b4\r"));
    QCOMPARE(w.model().text(2, 1), QStringLiteral("000124"));
    QVERIFY(w.select(2, 2));
}

void TstDatabaseWindow::typingRules_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("message"); // none: the entry is taken
    // Each column's length and characters; ";" would break the file's lines.
    const QString keys = QStringLiteral("1a;") + QStringLiteral("2345678901").repeated(4);
    const int lengths[] = {10, 6, 32, 32, 32, 8, 12, 4, 8, 12, 32};
    for (int c = 0; c < EstablishmentModel::ColumnCount; ++c) {
        const bool digits = QList<int>({0, 1, 5, 7, 8}).contains(c);
        QTest::addRow("column %d", c) << c << keys << (keys.left(digits ? 1 : 2) + keys.mid(3)).left(lengths[c]) << "";
    }
    QTest::newRow("IČO failing its check digit") << 5 << "12345678\r" << "12345678" << "Zadajte IČO";
    QTest::newRow("e-mail without a dot, left by Tab") << 10 << "x@y\t" << "x@y" << "Zadajte E-mail";
    QTest::newRow("emptied IČO is not checked") << 5 << "1\b\r" << "" << "";
}

void TstDatabaseWindow::typingRules()
{
    QFETCH(int, column);
    QFETCH(QString, keys);
    QFETCH(QString, message);
    Window w;
    QVERIFY(w.select(0, column));
    w.type(keys);
    // A refused entry keeps the editor open in its cell; control characters
    // are no text of a cell.
    QCOMPARE(w.dialogs.texts(), message.isEmpty() ? QStringList() : QStringList({message}));
    QCOMPARE(w.form->grid()->editor() != nullptr, !message.isEmpty() || !keys.endsWith(QLatin1Char('\r')));
    for (const char *control : {"\x01", "\x1b", "\x7f"})
        if (w.form->grid()->editor())
            QTest::sendKeyEvent(QTest::Click, w.form->grid()->editor(), Qt::Key_unknown, QLatin1String(control), {});
    QTEST(w.model().text(0, column), "cell");
}

void TstDatabaseWindow::headingClicksSort()
{
    // Number, code, city, phone prefix and number; text and number orders
    // differ in the digit columns.
    const auto row = [](const char *number, const char *code, const char *city, const char *prefix, const char *phone) {
        return record({number, code, "N", "U", city, "35757442", "", prefix, phone, "2", ""});
    };
    Window w(row("10", "000300", "\x8eilina", "02", "9") + row("9", "000100", "Chtelnica", "037", "10")
             + row("100", "000200", "Hlohovec", "1", "1234567") + row("2", "50", "\xc8" "adca", "0421", "80")
             + row("30", "000400", "Nitra", "9", "700") + row("4", "000500", "Nitra", "10", "6000"));
    // Cities by Slovak alphabet: Č after C, ch after h, Ž last.
    w.clickHeading(4);
    QCOMPARE(w.column(4), QStringList({"Čadca", "Hlohovec", "Chtelnica", "Nitra", "Nitra", "Žilina", ""}));
    // A second click reverses the key; Ctrl adds one (the phone within a city).
    w.clickHeading(4);
    w.clickHeading(8, Qt::ControlModifier);
    QCOMPARE(w.column(8).mid(0, 3), QStringList({"9", "700", "6000"}));
    // Ctrl on the last key reverses it; on an earlier key it does nothing.
    w.clickHeading(8, Qt::ControlModifier);
    w.clickHeading(4, Qt::ControlModifier);
    QCOMPARE(w.column(8).mid(1, 2), QStringList({"6000", "700"}));
    // A plain click starts over with one key.  Digit columns compare by
    // value; codes as text, so that leading zeros count.
    for (const auto &[column, order] : {std::pair{0, "2 4 9 10 30 100 "}, {0, "100 30 10 9 4 2 "}, {7, "1 02 9 10 037 0421 "},
                                        {8, "9 10 80 700 6000 1234567 "}, {1, "000100 000200 000300 000400 000500 50 "}}) {
        w.clickHeading(column);
        QCOMPARE(w.column(column).join(' '), QLatin1String(order));
    }
}

void TstDatabaseWindow::reading()
{
    // Too long, a letter in the phone number, a bad e-mail address, a bad
    // IČO, and an incomplete row marked whole; the rows sorted by number.
    Window w(shortRow("4", "") + shortRow("3", "C", "1a", "x@") + shortRow("1", QByteArray(33, 'n'))
             + shortRow("2", "B", "1", "", "12345678"));
    QCOMPARE(w.dialogs.texts(), QStringList({Inconsistent}));
    QCOMPARE(w.column(2), QStringList({QString(33, 'n'), "B", "C", ""}));
    QCOMPARE(MarkedCellNames(w.model()), QStringList({"2,0", "5,1", "8,2", "10,2", "0,3", "1,3", "2,3", "3,3", "4,3",
                                                      "5,3", "6,3", "7,3", "8,3", "9,3", "10,3"}));
    // The marks follow their rows when they are sorted or deleted.  The row
    // that takes a deleted one's place is the current and the chosen one.
    w.clickHeading(0);
    QVERIFY(w.select(1, 0));
    w.click("btVymazatRiadok");
    QCOMPARE(MarkedCellNames(w.model()).mid(10), QStringList({"10,0", "5,1", "2,2"}));
    QCOMPARE(w.form->grid()->currentIndex(), w.model().index(1, 0));
    QCOMPARE(w.form->chosenEstablishment()->name, "B");
}

void TstDatabaseWindow::closeQuestions()
{
    // With marked cells No keeps the window open, also when Escape asks.
    const QByteArray db = shortRow("1", "A", "1", "", "12345678");
    Window w(db);
    w.dialogs.answer({Button::No, Button::No});
    w.form->close();
    QTest::keyClick(w.form.get(), Qt::Key_Escape);
    QVERIFY(w.form->isVisible());
    w.dialogs.answer({Button::Yes});
    w.form->close();
    QVERIFY(!w.form->isVisible());
    const QString inconsistent = QStringLiteral("Databáza je v nekonzistentnom stave!\r\nÚdaje nebudú uložené.\r\n"
                                                "Chcete napriek tomu ukončiť editáciu databázy?");
    QCOMPARE(w.dialogs.texts(), QStringList({Inconsistent, inconsistent, inconsistent, inconsistent}));
    QCOMPARE(readAll(w.dbPath()), db); // closing never saves
    // Incomplete rows go only when the user agrees.  Escape asks as the close
    // button does, unless an entry is open.
    Window v;
    v.type(QStringLiteral("5"));
    QTest::keyClick(v.form->grid()->editor(), Qt::Key_Escape);
    v.type(QStringLiteral("\t"));
    v.dialogs.answer({Button::Cancel, Button::Cancel, Button::Yes});
    v.form->close();
    QTest::keyClick(v.form->grid(), Qt::Key_Escape);
    QVERIFY(v.form->isVisible());
    v.form->close();
    QCOMPARE(v.dialogs.texts(), QStringList(3, RemoveIncomplete));
    QCOMPARE(v.column(0), QStringList({""}));
}

void TstDatabaseWindow::saving_data()
{
    QTest::addColumn<QByteArray>("db");
    QTest::addColumn<bool>("dbIsFolder");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("written");
    // Every byte a field can hold (all but ";", CR, LF and Ctrl-Z), 28 to a
    // name between letters that trimming keeps; the rows are written in the
    // table's order.
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        if (b != ';' && b != '\r' && b != '\n' && b != 26)
            bytes += char(b);
    QByteArray sorted;
    QByteArray reversed;
    for (int row = 0; row < 9; ++row) {
        const QByteArray line = shortRow(QByteArray::number(row + 1), 'a' + bytes.mid(28 * row, 28) + 'a');
        sorted += line;
        reversed.prepend(line);
    }
    const QByteArray two = shortRow("1", "A") + shortRow("2", "B");
    QTest::newRow("every byte") << reversed << false << "" << Saved << sorted;
    QTest::newRow("incomplete row") << two + shortRow("3", "") << false << ""
                                    << "Prázdna alebo nekompletná databáza!\r\nÚdaje nie je možné uložiť."
                                    << two + shortRow("3", "");
    // An e-mail address typed but never confirmed is checked all the same.
    QTest::newRow("unconfirmed bad e-mail") << two << false << QString(10, '\t') + "b,"
                                            << "Nekonzistentné dáta!\r\nÚdaje nie je možné uložiť." << two;
    QTest::newRow("DB.csv a folder") << QByteArray() << true << "3\t300\tC\tD\tE\t35757442\t\t02\t1\t2\r"
                                     << "Chyba pri ukladaní databázy do súboru \"DB.csv\"!" << QByteArray();
}

void TstDatabaseWindow::saving()
{
    QFETCH(QByteArray, db);
    QFETCH(bool, dbIsFolder);
    QFETCH(QString, keys);
    QFETCH(QString, message);
    Window w(db);
    QVERIFY(!dbIsFolder || QDir(w.dir.path()).mkdir(QStringLiteral("DB.csv")));
    w.dialogs.clear();
    w.type(keys);
    w.click("btUlozit");
    QCOMPARE(w.dialogs.texts(), QStringList({message}));
    QTEST(readAll(w.dbPath()), "written");
    QCOMPARE(w.form->isModified(), !keys.isEmpty());
}

void TstDatabaseWindow::establishmentPanel()
{
    const QByteArray db = shortRow("2", "\xc8" "ajov\xf2" "a") + record({"1", "000123", "Bistro", "Hlavn\xe1 1",
                          "Nitra", "35757442", "Nov\xe1k", "02", "1234567", "02/1234568", "info@bistro.sk"});
    MainWindowFixture p(QByteArray(), db);
    // Row 1 after loading: the lowest internal number.
    QCOMPARE(panel(p), QStringList({"1", "01", "000123", "Bistro", "Hlavná 1", "Nitra", "35757442", "Novák",
                                    "02/1234567", "02/1234568", "info@bistro.sk"}));
    // The entry row is no establishment: the panel empties.
    p.dialogs.inModal([](QDialog &w) { QVERIFY(clickCell(static_cast<DatabaseWindow &>(w).grid(), 2, 0)); });
    p.child<QAction>("DBPrevadzok")->trigger();
    QCOMPARE(panel(p), QStringList(11, QString()));
    p.dialogs.inModal([](QDialog &w) {
        QVERIFY(clickCell(static_cast<DatabaseWindow &>(w).grid(), 1, 2));
        typeIntoGrid(static_cast<DatabaseWindow &>(w).grid(), QStringLiteral("Čaj\r"));
    });
    p.child<QAction>("DBPrevadzok")->trigger();
    QCOMPARE(panel(p), QStringList({"2", "01", "000102", "Čaj", "U", "M", "35757442", "", "02/1", "2", ""}));
    // Closing, the program asks to save the changed database.
    p.dialogs.answer({Button::Yes, Button::Yes});
    QVERIFY(p.close());
    const QString question = QStringLiteral("Databáza prevádzok bola zmenená.\n\rUložiť zmeny?");
    QCOMPARE(p.dialogs.texts(), QStringList({RemoveIncomplete, question, Saved}));
    QCOMPARE(readAll(p.path("DB.csv")), db.mid(db.indexOf('\n') + 1) + shortRow("2", "\xc8" "aj"));
}

void TstDatabaseWindow::copyAndMnemonics()
{
    Window w(shortRow("1", "A"));
    // Every row, the entry row too, Tab between cells and CR LF after each.
    w.form->findChild<QAction *>(QStringLiteral("Kopiruj1"))->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("1\t000101\tA\tU\tM\t35757442\t\t02\t1\t2\t\r\n") + QString(10, u'\t') + "\r\n");
    w.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    for (const auto &[key, button] : {std::pair{Qt::Key_V, "btVymazatVsetko"}, {Qt::Key_R, "btVymazatRiadok"},
                                      {Qt::Key_U, "btUlozit"}, {Qt::Key_T, "btVytlacit"}}) {
        QSignalSpy clicked(w.form->findChild<QPushButton *>(QLatin1String(button)), &QPushButton::clicked);
        QTest::keyClick(w.form->grid(), key, Qt::AltModifier);
        QTRY_COMPARE(clicked.count(), 1); // pressed for a moment first
    }
}

QTEST_MAIN(TstDatabaseWindow)
#include "tst_databasewindow.moc"
