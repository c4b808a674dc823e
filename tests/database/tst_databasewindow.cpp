#include "app/programsetup.h"
#include "common/gridmodel.h"
#include "database/prevadzky.h"
#include "databasefiles.h"
#include "support/filesizelimit.h"
#include "support/gridtexts.h"
#include "support/gridtyping.h"
#include "support/pdftext.h"
#include "support/readonlyfolder.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace dbtest;

namespace {

using Button = Dialogs::Button;

enum class WriteFault { None, DiskFull, ReadOnlyFolder, TargetIsFolder };

const QString Saved = QStringLiteral("Databáza uložená do súboru \"DB.csv\".");
const QString SaveFailed = QStringLiteral("Chyba pri ukladaní databázy do súboru \"DB.csv\"!");
const QString EmptyOrIncomplete = QStringLiteral("Prázdna alebo nekompletná databáza!\r\nÚdaje nie je možné uložiť.");

// A database window over a data folder whose DB.csv holds db (none when
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
    StringGrid *grid() const { return form->grid(); }
    GridModel &model() const { return form->table().grid(); }
    QString cell(int column, int row) const { return model().Cell(column, row); }
    QStringList column(int c) const { return ColumnTexts(model(), c); }
    // Marked cells as "column,row", by row.
    QStringList marks() const { return MarkedCellNames(model()); }
    void type(const QString &keys) const { typeIntoGrid(grid(), keys); }
    bool select(int column, int row) const { return model().SetCurrentCell(column, row); }
    void click(const char *button) const
    {
        QTest::mouseClick(form->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
    }
    QHeaderView *header() const { return grid()->horizontalHeader(); }
    void clickHeading(int column, Qt::KeyboardModifiers modifiers = {}) const
    {
        const int x = header()->sectionViewportPosition(column) + header()->sectionSize(column) / 2;
        QTest::mouseClick(header()->viewport(), Qt::LeftButton, modifiers, QPoint(x, header()->height() / 2));
    }
    // The sort keys in order, as "column+" (ascending) or "column-".
    QString keys() const
    {
        QStringList found;
        for (const SortKey &key : form->table().sortKeys().Keys)
            found << QString::number(key.Column) + QLatin1Char(key.Ascending ? '+' : '-');
        return found.join(QLatin1Char(' '));
    }
};

QStringList wholeRow(int row)
{
    QStringList cells;
    for (int c = 0; c < EstablishmentTable::ColumnCount; ++c)
        cells << QStringLiteral("%1,%2").arg(c).arg(row);
    return cells;
}

} // namespace

class TstDatabaseWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { IgnoreFileSizeSignal(); }
    void enteringRows();
    void typingRules_data();
    void typingRules();
    void headingClicksChangeTheKeys();
    void marksFollowTheirRecords();
    void copyToClipboard();
    void buttonsByMnemonic();
    void closeQuestions_data();
    void closeQuestions();
    void saveRefusedOrFailing_data();
    void saveRefusedOrFailing();
    void savingRoundTripsEveryByteInOrder();
    void printingTheListing();
};

void TstDatabaseWindow::enteringRows()
{
    Window w;
    QCOMPARE(w.model().RowCount(), 2); // a missing file: one empty row, no message
    w.type(QStringLiteral("7\t123\tBistro\tHlavná 1\tNitra\t12345679\t\t037\t654321\t"));
    QCOMPARE(w.model().RowCount(), 2);
    QCOMPARE(w.cell(1, 1), QStringLiteral("000123"));
    // The fax is the last required cell: the row is complete, the table
    // sorted and an entry row appended.
    w.type(QStringLiteral("037/1\t"));
    QCOMPARE(w.model().RowCount(), 3);
    QCOMPARE(w.model().CurrentCol(), 10);
    w.type(QStringLiteral("info@bistro.sk\r"));
    QCOMPARE(w.model().RowTexts(1), QStringList({"7", "000123", "Bistro", "Hlavná 1", "Nitra", "12345679", "",
                                                 "037", "654321", "037/1", "info@bistro.sk"}));
    QVERIFY(w.dialogs.shown().isEmpty());
    QVERIFY(w.form->isModified());

    // A second row with a lower number goes first.
    QVERIFY(w.select(0, 2));
    w.type(QStringLiteral("3\t45\tČajovňa\tKapitulská 3\tNitra\t31333532\t\t037\t654322\t037/2\r"));
    QCOMPARE(w.column(0), QStringList({"3", "7", ""}));
    QCOMPARE(w.column(1), QStringList({"000045", "000123", ""}));
    QCOMPARE(w.model().CurrentRow(), 1);

    // The code is compared as it will be stored, and must be changed before
    // the user may leave the cell.
    QVERIFY(w.select(0, 3));
    w.type(QStringLiteral("9\t123\r"));
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Duplicitný záznam!")}));
    QVERIFY(w.grid()->isEditorOpen());
    QVERIFY(!w.select(2, 3));
    w.type(QStringLiteral("\b4\r"));
    QCOMPARE(w.cell(1, 3), QStringLiteral("000124"));
    QVERIFY(w.select(2, 3));
}

void TstDatabaseWindow::typingRules_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("paste");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("message"); // none: the entry is taken

    QTest::newRow("seventh digit of the code") << 1 << "1234567" << "" << "123456" << "";
    QTest::newRow("letter in IČO") << 5 << "12a34" << "" << "1234" << "";
    QTest::newRow("ninth digit of IČO") << 5 << "123456789" << "" << "12345678" << "";
    QTest::newRow("semicolon in a name") << 2 << "Bistro;Bar" << "" << "BistroBar" << "";
    QTest::newRow("semicolon in the fax") << 9 << "02;5" << "" << "025" << "";
    QTest::newRow("33rd character of a name") << 2 << QString(33, 'n') << "" << QString(32, 'n') << "";
    QTest::newRow("contact person of 12") << 6 << "Jozef Mrkvička" << "" << "Jozef Mrkvič" << "";
    QTest::newRow("prefix digits") << 7 << "0a12345" << "" << "0123" << "";
    QTest::newRow("fax takes any character") << 9 << "+421 2/55-6" << "" << "+421 2/55-6" << "";
    QTest::newRow("outside the code page") << 4 << "Nitra ☺" << "" << "Nitra " << "";
    QTest::newRow("pasted semicolon") << 2 << "a" << "b;c" << "a" << "";
    QTest::newRow("pasted tab") << 2 << "a" << "x\ty" << "a" << "";
    QTest::newRow("paste past 32 characters") << 2 << "a" << QString(32, 'z') << "a" << "";
    QTest::newRow("pasted Slovak letters") << 2 << "a" << "Čajovňa" << "aČajovňa" << "";
    QTest::newRow("pasted letter in the code") << 1 << "1" << "2x" << "1" << "";
    QTest::newRow("paste filling the code") << 1 << "1" << "23456" << "123456" << "";
    QTest::newRow("IČO failing its check digit") << 5 << "12345678\r" << "" << "12345678" << "Zadajte IČO";
    QTest::newRow("e-mail without a dot, left by Tab") << 10 << "x@y\t" << "" << "x@y" << "Zadajte E-mail";
    QTest::newRow("emptied IČO is not checked") << 5 << "1\b\r" << "" << "" << "";
}

void TstDatabaseWindow::typingRules()
{
    QFETCH(int, column);
    QFETCH(QString, keys);
    QFETCH(QString, paste);
    QFETCH(QString, cell);
    QFETCH(QString, message);
    Window w;
    QVERIFY(w.select(column, 1));
    w.type(keys);
    if (!paste.isEmpty()) {
        QGuiApplication::clipboard()->setText(paste);
        QTest::keyClick(w.grid()->editor(), Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(w.cell(column, 1), cell);
    QCOMPARE(w.dialogs.texts(), message.isEmpty() ? QStringList() : QStringList({message}));
    // A refused entry keeps the editor open in its cell.
    QCOMPARE(w.model().CurrentCol(), column);
    QCOMPARE(w.grid()->isEditorOpen(), !message.isEmpty() || !keys.endsWith(QLatin1Char('\r')));
    if (!w.grid()->isEditorOpen())
        return;
    // Control characters are no text of a cell.
    QTest::keyClick(w.grid()->editor(), Qt::Key_A, Qt::ControlModifier);
    for (const QString &text : {QStringLiteral("\x01"), QStringLiteral("\x1b"), QStringLiteral("\x7f")})
        QTest::sendKeyEvent(QTest::Click, w.grid()->editor(), Qt::Key_unknown, text, Qt::NoModifier);
    QCOMPARE(w.cell(column, 1), cell);
}

void TstDatabaseWindow::headingClicksChangeTheKeys()
{
    Window w(establishment("1", "000300", "A", "\x8eilina") + establishment("2", "000100", "B", "Chtelnica")
             + establishment("3", "000200", "C", "Hlohovec") + establishment("4", "000050", "D", "\xc8" "adca")
             + establishment("5", "000400", "E", "Nitra") + establishment("6", "000500", "F", "Nitra", "31333532"));
    QCOMPARE(w.keys(), QStringLiteral("0+"));

    // Cities by Slovak alphabet: Č after C, ch after h, Ž last.
    w.clickHeading(4);
    QCOMPARE(w.keys(), QStringLiteral("4+"));
    QCOMPARE(w.column(4), QStringList({"Čadca", "Hlohovec", "Chtelnica", "Nitra", "Nitra", "Žilina", ""}));
    w.clickHeading(4);
    QCOMPARE(w.keys(), QStringLiteral("4-"));
    QCOMPARE(w.column(4).mid(0, 2), QStringList({"Žilina", "Nitra"}));

    w.clickHeading(5, Qt::ControlModifier);
    QCOMPARE(w.keys(), QStringLiteral("4- 5+"));
    QCOMPARE(w.column(5).mid(1, 2), QStringList({"31333532", "35757442"}));

    // Ctrl on the last key reverses it; on an earlier key it does nothing.
    w.clickHeading(5, Qt::ControlModifier);
    QCOMPARE(w.keys(), QStringLiteral("4- 5-"));
    QCOMPARE(w.column(5).mid(1, 2), QStringList({"35757442", "31333532"}));
    w.clickHeading(4, Qt::ControlModifier);
    QCOMPARE(w.keys(), QStringLiteral("4- 5-"));

    // A plain click starts over with one key; codes compare as text.
    w.clickHeading(1);
    QCOMPARE(w.keys(), QStringLiteral("1+"));
    QCOMPARE(w.column(1), QStringList({"000050", "000100", "000200", "000300", "000400", "000500", ""}));
    QCOMPARE(w.model().CurrentCol(), 0); // heading clicks select nothing
}

void TstDatabaseWindow::marksFollowTheirRecords()
{
    Window w(establishment("3", "000300", "A", "Nitra") + establishment("1", "000100", "B", "Nitra", "12345678")
             + "\r\n" + record({"2", "000200", "", "Ulica", "Nitra", "35757442", "", "02", "1", "2", ""})
             + record({"4", "000400", "D", "Ulica", "Nitra", "35757442", "", "02", "1", "2", "d@"}));
    QCOMPARE(w.dialogs.texts(), QStringList({Inconsistent}));
    // A bad IČO, the incomplete row marked whole, a bad e-mail; the empty
    // line is left out with its marks.
    QCOMPARE(w.column(2), QStringList({"B", "", "A", "D"}));
    QCOMPARE(w.marks(), QStringList({"5,1"}) + wholeRow(2) + QStringList({"10,4"}));

    const QRect marked = w.grid()->visualRect(w.model().index(0, 5));
    QCOMPARE(w.grid()->viewport()->grab().toImage().pixelColor(marked.right() - 3, marked.center().y()),
             QColor(255, 0, 0));

    w.clickHeading(0);
    QCOMPARE(w.column(2), QStringList({"D", "A", "", "B"}));
    QCOMPARE(w.marks(), QStringList({"10,1"}) + wholeRow(3) + QStringList({"5,4"}));
    QVERIFY(w.select(0, 3));
    w.click("btVymazatRiadok");
    QCOMPARE(w.column(2), QStringList({"D", "A", "B", ""}));
    QCOMPARE(w.marks(), QStringList({"10,1", "5,3"}));

    // Edited into valid values, the cells lose their marks.
    QVERIFY(w.select(5, 3));
    w.type(QStringLiteral("\r\b\b\b\b\b\b\b\b12345679\r"));
    QCOMPARE(w.marks(), QStringList({"10,1"}));
    QVERIFY(w.select(10, 1));
    w.type(QStringLiteral("d@firma.sk\r"));
    QVERIFY(!w.form->HasMarkedCells());
}

void TstDatabaseWindow::copyToClipboard()
{
    Window w(establishment("2", "000200", "B", "Nitra") + establishment("1", "000100", "\xc8" "ajov\xf2" "a", "Levice"));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QVERIFY(w.select(3, 2));
    auto *menu = w.form->findChild<QMenu *>(QStringLiteral("PopupMenu1"));
    QTest::mouseClick(w.grid()->viewport(), Qt::RightButton, {},
                      w.grid()->visualRect(w.model().index(0, 1)).center());
    QVERIFY(menu->isVisible());
    QCOMPARE(w.model().CurrentRow(), 2);
    QCOMPARE(menu->actions().first()->text(), QStringLiteral("&Kopíruj"));
    QTest::keyClick(menu, Qt::Key_Escape);
    QVERIFY(!menu->isVisible());
    // From the keyboard: the menu key, which the desktop delivers as a
    // keyboard context menu event, then the item's letter.
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QApplication::sendEvent(w.grid(), &menuKey);
    QVERIFY(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_K);

    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("1\t000100\tČajovňa\tHlavná 1\tLevice\t35757442\t\t02\t1234567\t02/1234568\t\r\n"
                            "2\t000200\tB\tHlavná 1\tNitra\t35757442\t\t02\t1234567\t02/1234568\t\r\n"
                            "\t\t\t\t\t\t\t\t\t\t\r\n"));
}

void TstDatabaseWindow::buttonsByMnemonic()
{
    Window w(establishment("1", "000100", "A", "Nitra") + establishment("2", "000200", "B", "Nitra"));
    w.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    const auto press = [&w](Qt::Key key) {
        QTest::keyClick(w.grid(), key, Qt::AltModifier);
        // A button's mnemonic presses it for a moment before it clicks.
        const auto buttons = w.form->findChildren<QPushButton *>();
        QTRY_VERIFY(std::none_of(buttons.cbegin(), buttons.cend(), [](QPushButton *b) { return b->isDown(); }));
    };
    press(Qt::Key_T);
    QCOMPARE(w.dialogs.printOffers().size(), 1);
    press(Qt::Key_U);
    press(Qt::Key_R);
    press(Qt::Key_V);
    QCOMPARE(w.dialogs.texts(), QStringList({Saved, QStringLiteral("Chcete určite vymazať položky?")}));
    QCOMPARE(w.column(1), QStringList({"000200", ""}));
}

void TstDatabaseWindow::closeQuestions_data()
{
    QTest::addColumn<QByteArray>("db");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("question"); // none: the window closes at once
    QTest::addColumn<int>("refusal");
    QTest::addColumn<QStringList>("numbersAfter");

    QTest::newRow("inconsistent") << establishment("1", "000100", "B", "Nitra", "12345678") << ""
                                  << "Databáza je v nekonzistentnom stave!\r\nÚdaje nebudú uložené.\r\n"
                                     "Chcete napriek tomu ukončiť editáciu databázy?"
                                  << int(Button::No) << QStringList{"1", ""};
    QTest::newRow("incomplete row") << QByteArray() << "5\t" << "Odstrániť nekompletné riadky?"
                                    << int(Button::Cancel) << QStringList{""};
    QTest::newRow("complete") << establishment("1", "000100", "B", "Nitra") << "" << "" << 0 << QStringList{"1", ""};
}

void TstDatabaseWindow::closeQuestions()
{
    QFETCH(QByteArray, db);
    QFETCH(QString, keys);
    QFETCH(QString, question);
    QFETCH(int, refusal);
    QFETCH(QStringList, numbersAfter);
    Window w(db);
    w.dialogs.clear();
    w.type(keys);
    if (!question.isEmpty()) {
        const int rows = w.model().RowCount();
        w.dialogs.answer({Button(refusal)});
        w.form->close();
        QVERIFY(w.form->isVisible());
        QCOMPARE(w.dialogs.texts(), QStringList({question}));
        QCOMPARE(w.model().RowCount(), rows);
        QTest::keyClick(w.form.get(), Qt::Key_Escape);
        QVERIFY(w.form->isVisible());
        w.dialogs.answer({Button::Yes});
    }
    w.form->close();
    QVERIFY(!w.form->isVisible());
    QCOMPARE(w.dialogs.texts().isEmpty(), question.isEmpty());
    QCOMPARE(w.column(0), numbersAfter);
    // Closing never saves.
    QCOMPARE(QFileInfo::exists(w.dbPath()), !db.isNull());
    QCOMPARE(readAll(w.dbPath()), db);
}

void TstDatabaseWindow::saveRefusedOrFailing_data()
{
    QTest::addColumn<QByteArray>("db");
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("row"); // where the keys are typed, from column 0; 0: nothing typed
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("box");

    const QByteArray two = establishment("1", "000100", "A", "Levice") + establishment("2", "000200", "B", "Nitra");
    const QString row = QStringLiteral("3\t300\tC\tD\tE\t35757442\t\t02\t1\t2\r");
    const int none = int(WriteFault::None);
    const int warning = int(Dialogs::Box::Warning);
    const int error = int(Dialogs::Box::Error);
    QTest::newRow("empty") << QByteArray() << none << 0 << "" << EmptyOrIncomplete << warning;
    QTest::newRow("inconsistent") << establishment("1", "000100", "B", "Nitra", "12345678") << none << 0 << ""
                                  << "Nekonzistentné dáta!\r\nÚdaje nie je možné uložiť." << warning;
    QTest::newRow("incomplete row") << two << none << 3 << "3\t" << EmptyOrIncomplete << warning;
    // An e-mail address typed but never confirmed is checked all the same.
    QTest::newRow("unconfirmed bad e-mail") << two << none << 1 << QString(10, '\t') + "b,"
                                            << "Nekonzistentné dáta!\r\nÚdaje nie je možné uložiť." << warning;
    QTest::newRow("write failing part-way") << two << int(WriteFault::DiskFull) << 3 << row << SaveFailed << error;
    QTest::newRow("read-only folder") << two << int(WriteFault::ReadOnlyFolder) << 3 << row << SaveFailed << error;
    QTest::newRow("DB.csv a folder") << QByteArray() << int(WriteFault::TargetIsFolder) << 1 << row << SaveFailed
                                     << error;
}

void TstDatabaseWindow::saveRefusedOrFailing()
{
    QFETCH(QByteArray, db);
    QFETCH(int, fault);
    QFETCH(int, row);
    QFETCH(QString, keys);
    QFETCH(QString, message);
    QFETCH(int, box);
    if (fault == int(WriteFault::DiskFull))
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
    if (fault == int(WriteFault::ReadOnlyFolder))
        SKIP_WITHOUT_READ_ONLY_FOLDER();
    const bool dbIsFolder = fault == int(WriteFault::TargetIsFolder);
    Window w(db, dbIsFolder);
    if (dbIsFolder) {
        QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Chyba pri importovaní databázy zo súboru \"%1\"!")
                                                     .arg(QDir::toNativeSeparators(w.dbPath()))}));
        QCOMPARE(w.model().RowCount(), 2);
    }
    w.dialogs.clear();
    if (row > 0) {
        QVERIFY(w.select(0, row));
        w.type(keys);
    }
    {
        std::optional<FileSizeLimit> limit;
        std::optional<ReadOnlyFolder> readOnly;
        if (fault == int(WriteFault::DiskFull))
            limit.emplace(40);
        if (fault == int(WriteFault::ReadOnlyFolder)) {
            readOnly.emplace(w.dir.path());
            QVERIFY(readOnly->holds());
        }
        w.click("btUlozit");
    }
    QCOMPARE(w.dialogs.texts(), QStringList({message}));
    QCOMPARE(int(w.dialogs.shown().last().box), box);
    QCOMPARE(w.form->isModified(), row > 0);
    QCOMPARE(QFileInfo(w.dbPath()).isDir(), dbIsFolder);
    QCOMPARE(readAll(w.dbPath()), db);
    QCOMPARE(QDir(w.dir.path()).entryList(QDir::Files | QDir::Hidden),
             dbIsFolder || db.isNull() ? QStringList() : QStringList({"DB.csv"}));
}

void TstDatabaseWindow::savingRoundTripsEveryByteInOrder()
{
    // Every byte a field can hold (all but ";", CR, LF and Ctrl-Z), 28 to a
    // name, street or city field, between letters that trimming keeps.
    QByteArray bytes;
    for (int b = 0; b < 256; ++b) {
        if (b != ';' && b != '\r' && b != '\n' && b != 26)
            bytes += char(b);
    }
    QCOMPARE(bytes.size(), 9 * 28);
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
    QVERIFY(w.dialogs.shown().isEmpty());
    QVERIFY(!w.form->isModified());
    // "Vymazať všetko" counts as a change even when declined.
    w.dialogs.answer({Button::No});
    w.click("btVymazatVsetko");
    QVERIFY(w.form->isModified());
    w.click("btUlozit");
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Chcete určite vymazať položky?"), Saved}));
    QCOMPARE(readAll(w.dbPath()), sorted);
    QVERIFY(!w.form->isModified());

    w.dialogs.answer({Button::Yes});
    w.click("btVymazatVsetko");
    QCOMPARE(w.column(0), QStringList({""}));
}

void TstDatabaseWindow::printingTheListing()
{
    QByteArray db;
    for (int i = 1; i <= 45; ++i)
        db += establishment(QByteArray::number(i), QByteArray::number(100000 + i), "Bistro", "Nitra");
    Window w(db);

    // Cancelled: nothing printed, nothing said.
    w.dialogs.printTo(QString());
    w.click("btVytlacit");
    QVERIFY(w.dialogs.shown().isEmpty());

    // 45 rows and the entry row offer pages 1 to 2; the entry row alone
    // fills page 2.
    const QString pdf = w.dir.filePath(QStringLiteral("db.pdf"));
    w.dialogs.printTo(pdf);
    w.click("btVytlacit");
    QCOMPARE(w.dialogs.printOffers().last().minPage, 1);
    QCOMPARE(w.dialogs.printOffers().last().maxPage, 2);
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Tlač dokumentu úspešne ukončená")}));
    SKIP_WITHOUT_PDF_READER();
    QCOMPARE(PdfText::pageCount(pdf), 2);
    QVERIFY(PdfText::pageText(PdfText::words(pdf), 1).contains(QStringLiteral("100045")));

    // A printer that cannot start: the error box.
    w.dialogs.clear();
    w.dialogs.printTo(w.dir.filePath(QStringLiteral("missing/db.pdf")));
    w.click("btVytlacit");
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Chyba pri tlači dokumentu")}));
}

QTEST_MAIN(TstDatabaseWindow)
#include "tst_databasewindow.moc"
