#include "app/mainwindowfixture.h"
#include "app/programsetup.h"
#include "database/prevadzky.h"
#include "support/filesizelimit.h"
#include "support/readonlyfolder.h"

#include <QAction>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QSettings>

#include <optional>

using namespace dbtest;
using Button = Dialogs::Button;

namespace {

const QString Saved = QStringLiteral("Databáza uložená do súboru \"DB.csv\".");
const QString Unsaveable = QStringLiteral("Nekonzistentné dáta!\r\nÚdaje nie je možné uložiť.");
const QString Incomplete = QStringLiteral("Prázdna alebo nekompletná databáza!\r\nÚdaje nie je možné uložiť.");
const QString CloseInconsistent = QStringLiteral(
    "Databáza je v nekonzistentnom stave!\r\nÚdaje nebudú uložené.\r\nChcete napriek tomu ukončiť editáciu databázy?");
const QString RemoveIncomplete = QStringLiteral("Odstrániť nekompletné riadky?");

// An establishment of short fields, complete unless name is empty.
QByteArray shortRow(const QByteArray &number, const QByteArray &name, const QByteArray &phone = "1",
                    const QByteArray &email = "", const QByteArray &ico = "35757442")
{
    return record({number, "00010" + number, name, "U", "M", ico, "", "02", phone, "2", email});
}

// The database window over a data folder whose DB.csv holds db (none when
// null) or is a folder.
struct Window
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;

    explicit Window(const QByteArray &db = QByteArray(), bool dbIsFolder = false)
    {
        if (dbIsFolder)
            QDir(dir.path()).mkdir(QStringLiteral("DB.csv"));
        else if (!db.isNull())
            writeFile(dbPath(), db);
        form = std::make_unique<TForm1>(dir.path(), dialogs);
        form->show();
    }
    QString dbPath() const { return dir.filePath(QStringLiteral("DB.csv")); }
    GridModel &model() const { return form->table().grid(); }
    QStringList column(int c) const { return ColumnTexts(model(), c); }
    QStringList marks() const { return MarkedCellNames(model()); }
    void type(const QString &keys) const { typeIntoGrid(form->grid(), keys); }
    bool select(int column, int row) const { return model().SetCurrentCell(column, row); }
    void click(const char *button) const
    {
        QTest::mouseClick(form->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
    }
    // Clicks a heading and tells the sort keys, "column+" (ascending) or
    // "column-", in order.
    QString clickHeading(int column, Qt::KeyboardModifiers modifiers = {}) const
    {
        QHeaderView *header = form->grid()->horizontalHeader();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, modifiers, QPoint(x, header->height() / 2));
        QStringList keys;
        for (const SortKey &key : form->table().sortKeys().Keys)
            keys << QString::number(key.Column) + QLatin1Char(key.Ascending ? '+' : '-');
        return keys.join(QLatin1Char(' '));
    }
};

// The main window's establishment panel.
QStringList panel(const MainWindow &w)
{
    QStringList texts;
    for (const char *name : {"ebIntCPrevadzky", "ebDruhProduktu", "ebKodPrevadzky", "ebNazovPrevadzky", "ebUlicaCislo",
                             "ebMesto", "ebICO", "ebKontaktnaOsoba", "ebTelefon", "ebFax", "ebEmail"})
        texts << w.child<QLineEdit>(name)->text();
    return texts;
}

// The user opens "Databáza prevádzok" from the main window, does what is
// asked and closes it.
void inDatabaseWindow(MainWindow &w, std::function<void(TForm1 &)> action)
{
    w.dialogs.inModal([action](QDialog &dialog) { action(static_cast<TForm1 &>(dialog)); });
    w.child<QAction>("DBPrevadzok")->trigger();
}

} // namespace

class TstDatabaseWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void enteringRows();
    void typingRules_data();
    void typingRules();
    void reading_data();
    void reading();
    void headingClicksSort();
    void marksFollowTheirRecords();
    void closeQuestions_data();
    void closeQuestions();
    void saveRefusedOrFailing_data();
    void saveRefusedOrFailing();
    void savingWritesEveryByteInOrder();
    void establishmentPanel();

private:
    QTemporaryDir settingsDir_;
};

void TstDatabaseWindow::initTestCase()
{
    IgnoreFileSizeSignal();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
}

void TstDatabaseWindow::enteringRows()
{
    Window w;
    QCOMPARE(w.model().RowCount(), 2); // a missing file: one empty row, no message
    // The fax is the last required cell: then the row is complete, the table
    // sorted and an entry row appended.
    w.type(QStringLiteral("7\t123\tBistro\tHlavná 1\tNitra\t12345679\t\t037\t654321\t"));
    QCOMPARE(w.model().RowCount(), 2);
    w.type(QStringLiteral("037/1\tinfo@bistro.sk\r"));
    QCOMPARE(w.model().RowTexts(1), QStringList({"7", "000123", "Bistro", "Hlavná 1", "Nitra", "12345679", "",
                                                 "037", "654321", "037/1", "info@bistro.sk"}));
    QCOMPARE(w.model().RowCount(), 3);
    QVERIFY(w.dialogs.shown().isEmpty() && w.form->isModified());
    // A second row with a lower number goes first, the selection with it.
    QVERIFY(w.select(0, 2));
    w.type(QStringLiteral("3\t45\tČajovňa\tKapitulská 3\tNitra\t31333532\t\t037\t654322\t037/2\r"));
    QCOMPARE(w.column(1), QStringList({"000045", "000123", ""}));
    QCOMPARE(w.form->selectedRow(), 1);
    // The code is compared as it will be stored, and must be changed before
    // the user may leave the cell.
    QVERIFY(w.select(0, 3));
    w.type(QStringLiteral("9\t123\r"));
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Duplicitný záznam!")}));
    QVERIFY(!w.select(2, 3));
    w.type(QStringLiteral("\b4\r"));
    QCOMPARE(w.model().Cell(1, 3), QStringLiteral("000124"));
    QVERIFY(w.select(2, 3));
}

void TstDatabaseWindow::typingRules_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("paste");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("message"); // none: the entry is taken
    // Each column's length and characters; ";" would break the file's lines.
    const QString keys = QStringLiteral("1a;") + QStringLiteral("2345678901").repeated(4);
    const int lengths[] = {10, 6, 32, 32, 32, 8, 12, 4, 8, 12, 32};
    for (int c = 0; c < EstablishmentTable::ColumnCount; ++c) {
        const bool digits = QList<int>({0, 1, 5, 7, 8}).contains(c);
        QTest::addRow("column %d", c) << c << keys << "" << (keys.left(digits ? 1 : 2) + keys.mid(3)).left(lengths[c]) << "";
    }
    QTest::newRow("IČO failing its check digit") << 5 << "12345678\r" << "" << "12345678" << "Zadajte IČO";
    QTest::newRow("e-mail without a dot, left by Tab") << 10 << "x@y\t" << "" << "x@y" << "Zadajte E-mail";
    QTest::newRow("emptied IČO is not checked") << 5 << "1\b\r" << "" << "" << "";
    QTest::newRow("pasted semicolon") << 2 << "a" << "b;c" << "a" << "";
    QTest::newRow("paste past 32 characters") << 2 << "a" << QString(32, 'z') << "a" << "";
    QTest::newRow("pasted Slovak letters") << 2 << "a" << "Čajovňa" << "aČajovňa" << "";
}

void TstDatabaseWindow::typingRules()
{
    QFETCH(int, column);
    QFETCH(QString, keys);
    QFETCH(QString, paste);
    QFETCH(QString, message);
    Window w;
    QVERIFY(w.select(column, 1));
    w.type(keys);
    QLineEdit *editor = w.form->grid()->editor();
    if (!paste.isEmpty()) {
        QGuiApplication::clipboard()->setText(paste);
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    }
    // A refused entry keeps the editor open in its cell; control characters
    // are no text of a cell.
    QCOMPARE(w.dialogs.texts(), message.isEmpty() ? QStringList() : QStringList({message}));
    QCOMPARE(w.model().CurrentCol(), column);
    QCOMPARE(w.form->grid()->isEditorOpen(), !message.isEmpty() || !keys.endsWith(QLatin1Char('\r')));
    for (const char *control : {"\x01", "\x1b", "\x7f"})
        if (w.form->grid()->isEditorOpen())
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QLatin1String(control), {});
    QTEST(w.model().Cell(column, 1), "cell");
}

void TstDatabaseWindow::reading_data()
{
    QTest::addColumn<QByteArray>("db");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("marks");
    // A line ends at CR; an LF after it is skipped, any other belongs to the
    // line.  The last field needs no ";", nor the last line its end; Ctrl-Z
    // ends the file.  Fields are trimmed of spaces and control characters.
    QTest::newRow("lines") << shortRow("3", " \x01" "C\t") + " ; ;\t;\r\n\r\n" + shortRow("1", "\xa0" "A\nB")
                                  + "\r\n2;000102;B;U;M;35757442;;02;1;2\x1a" + shortRow("4", "D")
                           << QStringList{"\u00A0A\nB", "B", "C", ""} << QStringList{};
    QTest::newRow("broken cells") << shortRow("1", QByteArray(33, 'n')) + shortRow("2", "B", "1", "", "12345678")
                                         + shortRow("3", "C", "1a", "x@") + shortRow("4", "")
                                  << QStringList{QString(33, 'n'), "B", "C", ""}
                                  << QStringList{"2,1", "5,2", "8,3", "10,3", "0,4", "1,4", "2,4", "3,4", "4,4", "5,4",
                                                 "6,4", "7,4", "8,4", "9,4", "10,4"};
}

void TstDatabaseWindow::reading()
{
    QFETCH(QByteArray, db);
    QFETCH(QStringList, marks);
    Window w(db);
    QTEST(w.column(2), "names");
    QCOMPARE(w.marks(), marks);
    QCOMPARE(w.dialogs.texts(), marks.isEmpty() ? QStringList() : QStringList({Inconsistent}));
}

void TstDatabaseWindow::headingClicksSort()
{
    Window w(establishment("1", "000300", "A", "\x8eilina") + establishment("2", "000100", "B", "Chtelnica")
             + establishment("3", "000200", "C", "Hlohovec") + establishment("4", "000050", "D", "\xc8" "adca")
             + establishment("5", "000400", "E", "Nitra") + establishment("6", "000500", "F", "Nitra", "31333532"));
    // Cities by Slovak alphabet: Č after C, ch after h, Ž last.
    QCOMPARE(w.clickHeading(4), QStringLiteral("4+"));
    QCOMPARE(w.column(4), QStringList({"Čadca", "Hlohovec", "Chtelnica", "Nitra", "Nitra", "Žilina", ""}));
    QCOMPARE(w.clickHeading(4), QStringLiteral("4-"));
    QCOMPARE(w.clickHeading(5, Qt::ControlModifier), QStringLiteral("4- 5+"));
    QCOMPARE(w.column(5).mid(0, 3), QStringList({"35757442", "31333532", "35757442"}));
    // Ctrl on the last key reverses it; on an earlier key it does nothing.
    QCOMPARE(w.clickHeading(5, Qt::ControlModifier), QStringLiteral("4- 5-"));
    QCOMPARE(w.column(5).mid(1, 2), QStringList({"35757442", "31333532"}));
    QCOMPARE(w.clickHeading(4, Qt::ControlModifier), QStringLiteral("4- 5-"));
    // A plain click starts over with one key; codes compare as text.
    QCOMPARE(w.clickHeading(1), QStringLiteral("1+"));
    QCOMPARE(w.column(1), QStringList({"000050", "000100", "000200", "000300", "000400", "000500", ""}));
    QCOMPARE(w.model().CurrentCol(), 0); // heading clicks select nothing
}

void TstDatabaseWindow::marksFollowTheirRecords()
{
    Window w(shortRow("1", "A", "1", "", "12345678") + shortRow("2", "B", "1", "x@") + shortRow("3", "C"));
    QCOMPARE(w.marks(), QStringList({"5,1", "10,2"}));
    const QRect marked = w.form->grid()->visualRect(w.model().index(0, 5));
    QCOMPARE(w.form->grid()->viewport()->grab().toImage().pixelColor(marked.right() - 3, marked.center().y()),
             QColor(255, 0, 0));
    QCOMPARE(w.clickHeading(0), QStringLiteral("0-"));
    QCOMPARE(w.marks(), QStringList({"10,2", "5,3"}));
    QVERIFY(w.select(0, 2));
    w.click("btVymazatRiadok");
    QCOMPARE(w.column(2), QStringList({"C", "A", ""}));
    QCOMPARE(w.marks(), QStringList({"5,2"}));
    QCOMPARE(w.model().CurrentRow(), 2);
    // Edited into a valid value, the cell loses its mark.
    QVERIFY(w.select(5, 2));
    w.type(QStringLiteral("\r\b\b\b\b\b\b\b\b12345679\r"));
    QVERIFY(!w.form->HasMarkedCells());
}

void TstDatabaseWindow::closeQuestions_data()
{
    QTest::addColumn<QByteArray>("db");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("question"); // none: the window closes at once
    QTest::addColumn<int>("refusal");
    QTest::addColumn<QStringList>("numbersAfter");
    QTest::newRow("inconsistent") << shortRow("1", "A", "1", "", "12345678") << "" << CloseInconsistent
                                  << int(Button::No) << QStringList{"1", ""};
    QTest::newRow("incomplete row") << QByteArray() << "5\t" << RemoveIncomplete << int(Button::Cancel)
                                    << QStringList{""};
    QTest::newRow("complete") << shortRow("1", "A") << "" << "" << 0 << QStringList{"1", ""};
}

void TstDatabaseWindow::closeQuestions()
{
    QFETCH(QByteArray, db);
    QFETCH(QString, keys);
    QFETCH(QString, question);
    QFETCH(int, refusal);
    Window w(db);
    w.dialogs.clear();
    w.type(keys);
    if (!question.isEmpty()) {
        w.dialogs.answer({Button(refusal)});
        w.form->close();
        QTest::keyClick(w.form.get(), Qt::Key_Escape);
        QVERIFY(w.form->isVisible());
        QCOMPARE(w.dialogs.texts(), QStringList({question}));
        w.dialogs.answer({Button::Yes});
    }
    w.form->close();
    QVERIFY(!w.form->isVisible());
    QTEST(w.column(0), "numbersAfter");
    QCOMPARE(readAll(w.dbPath()), db); // closing never saves
}

void TstDatabaseWindow::saveRefusedOrFailing_data()
{
    QTest::addColumn<QByteArray>("db");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("row"); // where the keys are typed, from column 0
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("message");
    const QByteArray two = shortRow("1", "A") + shortRow("2", "B");
    const QString row = QStringLiteral("3\t300\tC\tD\tE\t35757442\t\t02\t1\t2\r");
    const QString failed = QStringLiteral("Chyba pri ukladaní databázy do súboru \"DB.csv\"!");
    QTest::newRow("empty") << QByteArray() << "" << 1 << "" << Incomplete;
    QTest::newRow("inconsistent") << shortRow("1", "A", "1", "", "12345678") << "" << 1 << "" << Unsaveable;
    QTest::newRow("incomplete row") << two << "" << 3 << "3\t" << Incomplete;
    // An e-mail address typed but never confirmed is checked all the same.
    QTest::newRow("unconfirmed bad e-mail") << two << "" << 1 << QString(10, '\t') + "b," << Unsaveable;
    QTest::newRow("disk full") << two << "full" << 3 << row << failed;
    QTest::newRow("read-only folder") << two << "read-only" << 3 << row << failed;
    QTest::newRow("DB.csv a folder") << QByteArray() << "folder" << 1 << row << failed;
}

void TstDatabaseWindow::saveRefusedOrFailing()
{
    QFETCH(QByteArray, db);
    QFETCH(QString, fault);
    QFETCH(int, row);
    QFETCH(QString, keys);
    QFETCH(QString, message);
    if (fault == QLatin1String("full"))
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
    if (fault == QLatin1String("read-only"))
        SKIP_WITHOUT_READ_ONLY_FOLDER();
    Window w(db, fault == QLatin1String("folder"));
    if (fault == QLatin1String("folder"))
        QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Chyba pri importovaní databázy zo súboru \"%1\"!")
                                                     .arg(QDir::toNativeSeparators(w.dbPath()))}));
    w.dialogs.clear();
    QVERIFY(w.select(0, row));
    w.type(keys);
    {
        std::optional<FileSizeLimit> limit;
        std::optional<ReadOnlyFolder> readOnly;
        if (fault == QLatin1String("full"))
            limit.emplace(40);
        if (fault == QLatin1String("read-only"))
            QVERIFY(readOnly.emplace(w.dir.path()).holds());
        w.click("btUlozit");
    }
    QCOMPARE(w.dialogs.texts(), QStringList({message}));

    QCOMPARE(int(w.dialogs.shown().last().box), int(fault.isEmpty() ? Dialogs::Box::Warning : Dialogs::Box::Error));
    QCOMPARE(w.form->isModified(), !keys.isEmpty());
    QCOMPARE(readAll(w.dbPath()), db);
    QCOMPARE(QDir(w.dir.path()).entryList(QDir::Files | QDir::Hidden),
             db.isNull() ? QStringList() : QStringList({"DB.csv"}));
}

void TstDatabaseWindow::savingWritesEveryByteInOrder()
{
    // Every byte a field can hold (all but ";", CR, LF and Ctrl-Z), 28 to a
    // name, street or city field, between letters that trimming keeps.
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        if (b != ';' && b != '\r' && b != '\n' && b != 26)
            bytes += char(b);
    QByteArray sorted;
    QByteArray reversed;
    for (int row = 0; row < 3; ++row) {
        const auto field = [&](int f) { return 'a' + bytes.mid((3 * row + f) * 28, 28) + 'a'; };
        const QByteArray line = record({QByteArray::number(row + 1), "00010" + QByteArray::number(row), field(0),
                                        field(1), field(2), "35757442", "", "02", "1234567", "02/1", "m@f.sk"});
        sorted += line;
        reversed.prepend(line);
    }
    Window w(reversed);
    // "Vymazať všetko" counts as a change even when declined.
    w.dialogs.answer({Button::No});
    w.click("btVymazatVsetko");
    w.click("btUlozit");
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Chcete určite vymazať položky?"), Saved}));
    QCOMPARE(readAll(w.dbPath()), sorted);
    QVERIFY(!w.form->isModified());
    w.dialogs.answer({Button::Yes});
    w.click("btVymazatVsetko");
    QCOMPARE(w.column(0), QStringList({""}));
}

void TstDatabaseWindow::establishmentPanel()
{
    const QByteArray db = shortRow("2", "\xc8" "ajov\xf2" "a") + record({"1", "000123", "Bistro", "Hlavn\xe1 1", "Nitra",
                          "35757442", "Nov\xe1k", "02", "1234567", "02/1234568", "info@bistro.sk"});
    MainWindow p(QByteArray(), db);
    // Row 1 after loading: the lowest internal number.
    QCOMPARE(panel(p), QStringList({"1", "01", "000123", "Bistro", "Hlavná 1", "Nitra", "35757442", "Novák",
                                    "02/1234567", "02/1234568", "info@bistro.sk"}));
    inDatabaseWindow(p, [](TForm1 &w) { QVERIFY(w.table().grid().SetCurrentCell(3, 2)); });
    QCOMPARE(p.dialogs.modalShown(), QStringList({QStringLiteral("Databáza prevádzok")}));
    QCOMPARE(panel(p), QStringList({"2", "01", "000102", "Čajovňa", "U", "M", "35757442", "", "02/1", "2", ""}));
    // Neither the entry row nor a row whose IČO was just emptied is an
    // establishment: the panel empties.
    inDatabaseWindow(p, [](TForm1 &w) { QVERIFY(w.table().grid().SetCurrentCell(0, 3)); });
    QCOMPARE(panel(p), QStringList(11, QString()));
    inDatabaseWindow(p, [&p](TForm1 &w) {
        QVERIFY(w.table().grid().SetCurrentCell(5, 1));
        typeIntoGrid(w.grid(), QStringLiteral("\r\b\b\b\b\b\b\b\b\r"));
        p.dialogs.answer({Button::No});
    });
    QCOMPARE(panel(p), QStringList(11, QString()));
    // The program asks to save the changed database when it closes; No
    // leaves the file alone.
    const QString question = QStringLiteral("Databáza prevádzok bola zmenená.\n\rUložiť zmeny?");
    p.dialogs.clear();
    p.dialogs.answer({Button::Yes, Button::No});
    QVERIFY(p.close());
    QCOMPARE(p.dialogs.texts(), QStringList({RemoveIncomplete, question}));
    QCOMPARE(readAll(p.path("DB.csv")), db);

    // An inconsistent database is shown before the main window; the panel
    // shows a marked row all the same.
    MainWindow q(QByteArray(), shortRow("1", "A", "1", "x@"), false);
    bool mainWindowShown = true;
    q.dialogs.inModal([&](QDialog &dialog) { mainWindowShown = dialog.parentWidget()->isVisible(); });
    q.dialogs.answer({Button::Ok, Button::No});
    q.start();
    QVERIFY(!mainWindowShown);
    QCOMPARE(q.dialogs.texts(), QStringList({Inconsistent, CloseInconsistent}));
    QVERIFY(q.dialogs.modalCloseRefused());
    QCOMPARE(panel(q).last(), QStringLiteral("x@"));
}

QTEST_MAIN(TstDatabaseWindow)
#include "tst_databasewindow.moc"
