#include "common/gridmodel.h"
#include "database/prevadzky.h"
#include "databasefiles.h"
#include "support/filesizelimit.h"
#include "support/gridtyping.h"
#include "support/pdftext.h"
#include "support/scripteddialogs.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>


using namespace dbtest;

namespace {

using Button = Dialogs::Button;

const QString Inconsistent = QStringLiteral(
    "Konzistentnosť údajov v databáze je porušená!\r\n(Chybné údaje sú farebne zvýraznené)");

// A database window over a data folder of its own.
struct Window
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;

    explicit Window(const QByteArray &db = QByteArray(), bool withFile = true)
    {
        if (withFile && !db.isNull())
            writeFile(dbPath(), db);
        form = std::make_unique<TForm1>(dir.path(), dialogs);
        form->show();
    }

    QString dbPath() const { return dir.filePath(QStringLiteral("DB.csv")); }
    StringGrid *grid() const { return form->grid(); }
    GridModel &model() const { return form->table().grid(); }
    QString cell(int column, int row) const { return model().Cell(column, row); }
    QStringList column(int c) const
    {
        QStringList texts;
        for (int r = 1; r < model().RowCount(); ++r)
            texts << cell(c, r);
        return texts;
    }
    // Marked cells as "column,row", by row.
    QStringList marks() const
    {
        QStringList found;
        for (int r = 1; r < model().RowCount(); ++r) {
            for (int c = 0; c < EstablishmentTable::ColumnCount; ++c) {
                if (form->table().isMarked(c, r))
                    found << QStringLiteral("%1,%2").arg(c).arg(r);
            }
        }
        return found;
    }
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
    QList<QPair<int, bool>> keys() const
    {
        QList<QPair<int, bool>> found;
        for (const SortKey &key : form->table().sortKeys().Keys)
            found.append({key.Column, key.Ascending});
        return found;
    }
    QPoint cellPoint(int column, int row) const
    {
        return grid()->visualRect(model().index(row - 1, column)).center();
    }
};

QStringList all(int n, const QString &marksOfRow)
{
    QStringList cells;
    for (int c = 0; c < n; ++c)
        cells << QStringLiteral("%1,%2").arg(c).arg(marksOfRow);
    return cells;
}

// Pixels of the heading cell's triangle area: whether the grey of a sort key
// and the black of a key number are there.
struct TriangleArea
{
    bool grey = false;
    bool dark = false;
};

TriangleArea triangleArea(QHeaderView *header, int column)
{
    const QImage shot = header->viewport()->grab().toImage();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column);
    TriangleArea area;
    for (int px = x - 14; px <= x - 4; ++px) {
        for (int py = 3; py <= 12; ++py) {
            const QColor c = shot.pixelColor(px, py);
            area.grey = area.grey || c == QColor(128, 128, 128);
            area.dark = area.dark || (c.red() < 64 && c.green() < 64 && c.blue() < 64);
        }
    }
    return area;
}

} // namespace

class TstDatabaseWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void window();
    void enteringRows();
    void refusedConfirmations();
    void keyFilters_data();
    void keyFilters();
    void pasteIsHeldToTheTypingRules();
    void headingClicksChangeTheKeys();
    void headingTriangleFollowsScrolling();
    void marksFollowTheirRecords();
    void copyToClipboard();
    void closeQuestions();
    void saveRefusals();
    void saveWritesCompleteRowsInOrder();
    void failedSaveKeepsTheOldFile();
    void unreadableDatabase();
    void byteRoundTrip();
    void printingTheListing();
};

void TstDatabaseWindow::initTestCase()
{
}

void TstDatabaseWindow::window()
{
    Window w;
    QCOMPARE(w.form->windowTitle(), QStringLiteral("Databáza prevádzok"));
    QCOMPARE(w.model().headerData(7, Qt::Horizontal).toString(), QStringLiteral("Predčíslie tel.č."));
    QCOMPARE(w.header()->sectionSize(3), 182);
    QCOMPARE(w.header()->sectionSize(10), 147);
    QCOMPARE(w.grid()->geometry(), QRect(8, 8, 785, 545));
    // A missing file gives one empty row and no message.
    QCOMPARE(w.model().RowCount(), 2);
    QVERIFY(w.dialogs.shown().isEmpty());
    QVERIFY(!w.form->isModified());
    const QPushButton *print = w.form->findChild<QPushButton *>(QStringLiteral("btVytlacit"));
    QVERIFY(print);
    QCOMPARE(print->text(), QStringLiteral("Vytlačiť"));
    QCOMPARE(print->geometry(), QRect(360, 568, 97, 25));
}

void TstDatabaseWindow::enteringRows()
{
    Window w;
    w.type(QStringLiteral("7\t123\tBistro\tHlavná 1\tNitra\t12345679\t\t037\t654321\t"));
    QCOMPARE(w.model().RowCount(), 2);
    QCOMPARE(w.cell(1, 1), QStringLiteral("000123"));
    // The fax number is the last required cell: the row is complete, the
    // table sorted and an entry row appended.
    w.type(QStringLiteral("037/1\t"));
    QCOMPARE(w.model().RowCount(), 3);
    QCOMPARE(w.model().CurrentCol(), 10);
    w.type(QStringLiteral("info@bistro.sk\r"));
    QCOMPARE(w.model().RowTexts(1),
             QStringList({"7", "000123", "Bistro", "Hlavná 1", "Nitra", "12345679", "", "037", "654321", "037/1",
                          "info@bistro.sk"}));
    QVERIFY(!w.grid()->isEditorOpen());
    QVERIFY(w.form->isModified());

    // A second row with a lower number goes first.
    QVERIFY(w.select(0, 2));
    w.type(QStringLiteral("3\t45\tČajovňa\tKapitulská 3\tNitra\t31333532\t\t037\t654322\t037/2\r"));
    QCOMPARE(w.column(0), QStringList({"3", "7", ""}));
    QCOMPARE(w.column(1), QStringList({"000045", "000123", ""}));
    QCOMPARE(w.model().CurrentRow(), 1);

    // The code is compared as it will be stored.
    QVERIFY(w.select(0, 3));
    w.type(QStringLiteral("9\t123\r"));
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Duplicitný záznam!")}));
    QVERIFY(w.grid()->isEditorOpen());
    QCOMPARE(w.cell(1, 3), QStringLiteral("123"));
    // The entry must be confirmed before the user leaves the cell.
    QVERIFY(!w.select(2, 3));
    w.type(QStringLiteral("\b4\r"));
    QCOMPARE(w.cell(1, 3), QStringLiteral("000124"));
    QVERIFY(!w.grid()->isEditorOpen());
    QVERIFY(w.select(2, 3));
}

void TstDatabaseWindow::refusedConfirmations()
{
    Window w;
    QVERIFY(w.select(5, 1));
    w.type(QStringLiteral("12345678\r"));
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Zadajte IČO")}));
    QVERIFY(w.grid()->isEditorOpen());
    QCOMPARE(w.cell(5, 1), QStringLiteral("12345678"));
    w.type(QStringLiteral("\b9\r"));
    QVERIFY(!w.grid()->isEditorOpen());
    QCOMPARE(w.cell(5, 1), QStringLiteral("12345679"));

    w.dialogs.clear();
    QVERIFY(w.select(10, 1));
    w.type(QStringLiteral("x@y\t"));
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Zadajte E-mail")}));
    QVERIFY(w.grid()->isEditorOpen());
    QCOMPARE(w.model().CurrentCol(), 10);
    w.type(QStringLiteral(".sk\r"));
    QCOMPARE(w.cell(10, 1), QStringLiteral("x@y.sk"));

    // An empty IČO is not checked when confirmed.
    w.dialogs.clear();
    QVERIFY(w.select(5, 1));
    w.type(QStringLiteral("\r\b\b\b\b\b\b\b\b\r"));
    QCOMPARE(w.cell(5, 1), QString());
    QVERIFY(!w.grid()->isEditorOpen());
    QVERIFY(w.dialogs.shown().isEmpty());
}

void TstDatabaseWindow::keyFilters_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("cell");

    QTest::newRow("seventh digit of the code") << 1 << "1234567" << "123456";
    QTest::newRow("letter in IČO") << 5 << "12a34" << "1234";
    QTest::newRow("ninth digit of IČO") << 5 << "123456789" << "12345678";
    QTest::newRow("semicolon in a name") << 2 << "Bistro;Bar" << "BistroBar";
    QTest::newRow("semicolon in the fax") << 9 << "02;5" << "025";
    QTest::newRow("33rd character of a name") << 2 << QString(33, QLatin1Char('n')) << QString(32, QLatin1Char('n'));
    QTest::newRow("contact person of 12") << 6 << "Jozef Mrkvička" << "Jozef Mrkvič";
    QTest::newRow("prefix digits") << 7 << "0a12345" << "0123";
    QTest::newRow("fax takes any character") << 9 << "+421 2/55-6" << "+421 2/55-6";
    QTest::newRow("outside the code page") << 4 << "Nitra ☺" << "Nitra ";
}

void TstDatabaseWindow::keyFilters()
{
    QFETCH(int, column);
    QFETCH(QString, keys);
    QFETCH(QString, cell);
    Window w;
    QVERIFY(w.select(column, 1));
    w.type(keys);
    QCOMPARE(w.cell(column, 1), cell);
    // Control characters are no text of a cell.
    QTest::keyClick(w.grid()->editor(), Qt::Key_A, Qt::ControlModifier);
    for (const QString &text : {QStringLiteral("\x01"), QStringLiteral("\x1b"), QStringLiteral("\x7f")})
        QTest::sendKeyEvent(QTest::Click, w.grid()->editor(), Qt::Key_unknown, text, Qt::NoModifier);
    QCOMPARE(w.cell(column, 1), cell);
}

void TstDatabaseWindow::pasteIsHeldToTheTypingRules()
{
    Window w;
    QClipboard *clipboard = QGuiApplication::clipboard();
    const auto paste = [&](const QString &text) {
        clipboard->setText(text);
        QTest::keyClick(w.grid()->editor(), Qt::Key_V, Qt::ControlModifier);
    };
    QVERIFY(w.select(2, 1));
    w.type(QStringLiteral("a"));
    paste(QStringLiteral("b;c"));
    QCOMPARE(w.cell(2, 1), QStringLiteral("a"));
    paste(QStringLiteral("x\ty"));
    QCOMPARE(w.cell(2, 1), QStringLiteral("a"));
    paste(QString(32, QLatin1Char('z')));
    QCOMPARE(w.cell(2, 1), QStringLiteral("a"));
    paste(QStringLiteral("Čajovňa"));
    QCOMPARE(w.cell(2, 1), QStringLiteral("aČajovňa"));
    w.type(QStringLiteral("\r"));

    QVERIFY(w.select(1, 1));
    w.type(QStringLiteral("1"));
    paste(QStringLiteral("2x"));
    QCOMPARE(w.cell(1, 1), QStringLiteral("1"));
    paste(QStringLiteral("23456"));
    QCOMPARE(w.cell(1, 1), QStringLiteral("123456"));
}

void TstDatabaseWindow::headingClicksChangeTheKeys()
{
    const QByteArray db = establishment("1", "000300", "A", "\x8eilina", "35757442")
                          + establishment("2", "000100", "B", "Chtelnica", "35757442")
                          + establishment("3", "000200", "C", "Hlohovec", "35757442")
                          + establishment("4", "000050", "D", "\xc8" "adca", "35757442")
                          + establishment("5", "000400", "E", "Nitra", "35757442")
                          + establishment("6", "000500", "F", "Nitra", "31333532");
    Window w(db);
    QCOMPARE(w.column(2), QStringList({"A", "B", "C", "D", "E", "F", ""}));
    QCOMPARE(w.keys(), (QList<QPair<int, bool>>{{0, true}}));

    // Cities by Slovak alphabet: Č after C, ch after h, Ž last.
    w.clickHeading(4);
    QCOMPARE(w.keys(), (QList<QPair<int, bool>>{{4, true}}));
    QCOMPARE(w.column(4).mid(0, 3), QStringList({"Čadca", "Hlohovec", "Chtelnica"}));
    QCOMPARE(w.column(4).mid(5), QStringList({"Žilina", ""}));
    w.clickHeading(4);
    QCOMPARE(w.keys(), (QList<QPair<int, bool>>{{4, false}}));
    QCOMPARE(w.column(4).mid(0, 2), QStringList({"Žilina", "Nitra"}));

    w.clickHeading(5, Qt::ControlModifier);
    QCOMPARE(w.keys(), (QList<QPair<int, bool>>{{4, false}, {5, true}}));
    QCOMPARE(w.column(5).mid(1, 2), QStringList({"31333532", "35757442"}));
    TriangleArea city = triangleArea(w.header(), 4);
    TriangleArea ico = triangleArea(w.header(), 5);
    QVERIFY(city.grey && city.dark);
    QVERIFY(ico.grey && ico.dark);
    QVERIFY(!triangleArea(w.header(), 1).grey);

    // Ctrl on the last key reverses it; on an earlier key it does nothing.
    w.clickHeading(5, Qt::ControlModifier);
    QCOMPARE(w.keys(), (QList<QPair<int, bool>>{{4, false}, {5, false}}));
    QCOMPARE(w.column(5).mid(1, 2), QStringList({"35757442", "31333532"}));
    w.clickHeading(4, Qt::ControlModifier);
    QCOMPARE(w.keys(), (QList<QPair<int, bool>>{{4, false}, {5, false}}));

    // A plain click starts over with one key; codes compare as text.
    w.clickHeading(1);
    QCOMPARE(w.keys(), (QList<QPair<int, bool>>{{1, true}}));
    QCOMPARE(w.column(1), QStringList({"000050", "000100", "000200", "000300", "000400", "000500", ""}));
    QVERIFY(!triangleArea(w.header(), 4).grey);
    QVERIFY(triangleArea(w.header(), 1).grey);
    // The current cell stays where it was; heading clicks select nothing.
    QCOMPARE(w.model().CurrentCol(), 0);
}

void TstDatabaseWindow::headingTriangleFollowsScrolling()
{
    Window w(establishment("1", "000100", "A", "Nitra") + establishment("2", "000200", "B", "Levice"));
    w.grid()->horizontalScrollBar()->setValue(w.grid()->horizontalScrollBar()->maximum());
    QVERIFY(w.header()->sectionViewportPosition(10) + w.header()->sectionSize(10) <= w.header()->width());
    w.clickHeading(10);
    QCOMPARE(w.keys(), (QList<QPair<int, bool>>{{10, true}}));
    QVERIFY(triangleArea(w.header(), 10).grey);
}

void TstDatabaseWindow::marksFollowTheirRecords()
{
    const QByteArray db = establishment("3", "000300", "A", "Nitra")
                          + establishment("1", "000100", "B", "Nitra", "12345678") // bad IČO
                          + "\r\n"                                                     // empty line
                          + record({"2", "000200", "", "Ulica", "Nitra", "35757442", "", "02", "1", "2", ""})
                          + record({"4", "000400", "D", "Ulica", "Nitra", "35757442", "", "02", "1", "2", "d@"});
    Window w(db);
    QCOMPARE(w.dialogs.texts(), QStringList({Inconsistent}));
    // The empty line left with its marks; the incomplete row is marked whole.
    QCOMPARE(w.column(2), QStringList({"B", "", "A", "D"}));
    QCOMPARE(w.marks(), QStringList({"5,1"}) + all(11, QStringLiteral("2")) + QStringList({"10,4"}));

    // Marked cells red with yellow text, the selected complete row green.
    QVERIFY(w.select(0, 3));
    const QImage shot = w.grid()->viewport()->grab().toImage();
    const QRect marked = w.grid()->visualRect(w.model().index(0, 5));
    QCOMPARE(shot.pixelColor(marked.right() - 3, marked.center().y()), QColor(255, 0, 0));
    const QRect selected = w.grid()->visualRect(w.model().index(2, 3));
    QCOMPARE(shot.pixelColor(selected.right() - 3, selected.center().y()), QColor(0, 128, 0));

    w.clickHeading(0);
    QCOMPARE(w.column(2), QStringList({"D", "A", "", "B"}));
    QCOMPARE(w.marks(), QStringList({"10,1"}) + all(11, QStringLiteral("3")) + QStringList({"5,4"}));

    QVERIFY(w.select(0, 3));
    w.click("btVymazatRiadok");
    QCOMPARE(w.column(2), QStringList({"D", "A", "B", ""}));
    QCOMPARE(w.marks(), QStringList({"10,1", "5,3"}));

    // Edited into valid values, the cells lose their marks.
    QVERIFY(w.select(5, 3));
    w.type(QStringLiteral("12345679"));
    QCOMPARE(w.cell(5, 3), QStringLiteral("12345678")); // the cell is full
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
    QVERIFY(menu);

    const QPoint point = w.cellPoint(1, 1);
    QTest::mouseClick(w.grid()->viewport(), Qt::RightButton, {}, point);
    QVERIFY(menu->isVisible());
    QCOMPARE(menu->pos(), w.grid()->viewport()->mapToGlobal(point));
    QCOMPARE(w.model().CurrentRow(), 2);
    QCOMPARE(menu->actions().first()->text(), QStringLiteral("Kopíruj"));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().first()).center());
    QVERIFY(!menu->isVisible());
    // Only the right button alone opens the menu.
    QTest::mouseClick(w.grid()->viewport(), Qt::RightButton, Qt::ControlModifier, point);
    QVERIFY(!menu->isVisible());

    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("1\t000100\tČajovňa\tHlavná 1\tLevice\t35757442\t\t02\t1234567\t02/1234568\t\r\n"
                            "2\t000200\tB\tHlavná 1\tNitra\t35757442\t\t02\t1234567\t02/1234568\t\r\n"
                            "\t\t\t\t\t\t\t\t\t\t\r\n"));
}

void TstDatabaseWindow::closeQuestions()
{
    {
        const QByteArray db = establishment("1", "000100", "B", "Nitra", "12345678");
        Window w(db);
        w.dialogs.clear();
        w.dialogs.answer({Button::No});
        w.form->close();
        QVERIFY(w.form->isVisible());
        QCOMPARE(w.dialogs.texts(),
                 QStringList({QStringLiteral("Databáza je v nekonzistentnom stave!\r\nÚdaje nebudú uložené.\r\n"
                                             "Chcete napriek tomu ukončiť editáciu databázy?")}));
        QTest::keyClick(w.form.get(), Qt::Key_Escape);
        QVERIFY(w.form->isVisible());
        w.dialogs.answer({Button::Yes});
        w.form->close();
        QVERIFY(!w.form->isVisible());
        QCOMPARE(readAll(w.dbPath()), db);
    }
    {
        Window w;
        w.type(QStringLiteral("5\t"));
        w.dialogs.answer({Button::Cancel});
        w.form->close();
        QVERIFY(w.form->isVisible());
        QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Odstrániť nekompletné riadky?")}));
        QCOMPARE(w.cell(0, 1), QStringLiteral("5"));
        w.dialogs.answer({Button::Yes});
        w.form->close();
        QVERIFY(!w.form->isVisible());
        QCOMPARE(w.column(0), QStringList({""}));
        // Closing never saves.
        QVERIFY(!QFileInfo::exists(w.dbPath()));
    }
    {
        Window w(establishment("1", "000100", "B", "Nitra"));
        w.form->close();
        QVERIFY(!w.form->isVisible());
        QVERIFY(w.dialogs.shown().isEmpty());
    }
}

void TstDatabaseWindow::saveRefusals()
{
    {
        Window w;
        w.click("btUlozit");
        QCOMPARE(w.dialogs.shown().size(), 1);
        QCOMPARE(w.dialogs.shown().first().box, Dialogs::Box::Warning);
        QCOMPARE(w.dialogs.texts(),
                 QStringList({QStringLiteral("Prázdna alebo nekompletná databáza!\r\nÚdaje nie je možné uložiť.")}));
        QVERIFY(!QFileInfo::exists(w.dbPath()));
    }
    {
        const QByteArray db = establishment("1", "000100", "B", "Nitra", "12345678");
        Window w(db);
        w.dialogs.clear();
        w.click("btUlozit");
        QCOMPARE(w.dialogs.texts(),
                 QStringList({QStringLiteral("Nekonzistentné dáta!\r\nÚdaje nie je možné uložiť.")}));
        QCOMPARE(readAll(w.dbPath()), db);
    }
    {
        const QByteArray db = establishment("1", "000100", "B", "Nitra");
        Window w(db);
        QVERIFY(w.select(0, 2));
        w.type(QStringLiteral("2\t"));
        w.click("btUlozit");
        QCOMPARE(w.dialogs.texts(),
                 QStringList({QStringLiteral("Prázdna alebo nekompletná databáza!\r\nÚdaje nie je možné uložiť.")}));
        QCOMPARE(readAll(w.dbPath()), db);
    }
}

void TstDatabaseWindow::saveWritesCompleteRowsInOrder()
{
    Window w(establishment("2", "000200", "B", "Nitra") + establishment("1", "000100", "A", "Levice"));
    QVERIFY(!w.form->isModified());
    QVERIFY(w.select(2, 2));
    w.type(QStringLiteral("Bistro Nové\r"));
    QVERIFY(w.form->isModified());
    w.click("btUlozit");
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Databáza uložená do súboru \"DB.csv\".")}));
    QCOMPARE(readAll(w.dbPath()),
             QByteArray("1;000100;A;Hlavn\xe1 1;Levice;35757442;;02;1234567;02/1234568;;\r\n"
                        "2;000200;Bistro Nov\xe9;Hlavn\xe1 1;Nitra;35757442;;02;1234567;02/1234568;;\r\n"));
    QVERIFY(!w.form->isModified());

    // "Vymazať všetko" marks the table changed even when declined.
    w.dialogs.answer({Button::No});
    w.click("btVymazatVsetko");
    QVERIFY(w.form->isModified());
    QCOMPARE(w.model().RowCount(), 4);
    w.dialogs.answer({Button::Yes});
    w.click("btVymazatVsetko");
    QCOMPARE(w.column(0), QStringList({""}));
}

void TstDatabaseWindow::failedSaveKeepsTheOldFile()
{
    const QByteArray db = establishment("1", "000100", "A", "Levice") + establishment("2", "000200", "B", "Nitra");
    Window w(db);
    QVERIFY(w.select(2, 1));
    w.type(QStringLiteral("Zmena\r"));

    {
        FileSizeLimit limit(40);
        w.click("btUlozit");
    }

    QCOMPARE(readAll(w.dbPath()), db);
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Chyba pri ukladaní databázy do súboru \"DB.csv\"!")}));
    QCOMPARE(w.dialogs.shown().last().box, Dialogs::Box::Error);
    QVERIFY(w.form->isModified());
}

void TstDatabaseWindow::unreadableDatabase()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("DB.csv")));
    ScriptedDialogs dialogs;
    TForm1 form(dir.path(), dialogs);
    QCOMPARE(dialogs.texts(), QStringList({QStringLiteral("Chyba pri importovaní databázy zo súboru \"%1\"!")
                                               .arg(dir.filePath(QStringLiteral("DB.csv")))}));
    QCOMPARE(form.table().grid().RowCount(), 2);

    // Saving onto the folder fails and says so.
    dialogs.clear();
    typeIntoGrid(form.grid(), QStringLiteral("1\t1\tA\tB\tC\t35757442\t\t02\t1\t2\r"));
    QCOMPARE(form.table().grid().RowCount(), 3);
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("btUlozit")), Qt::LeftButton);
    QCOMPARE(dialogs.texts(), QStringList({QStringLiteral("Chyba pri ukladaní databázy do súboru \"DB.csv\"!")}));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("DB.csv"))).isDir());
}

void TstDatabaseWindow::byteRoundTrip()
{
    // Every byte that a field can hold, inside the text columns of three
    // rows: all but ";", CR, LF and Ctrl-Z; the fields start and end with a
    // letter so that trimming keeps them whole.
    QByteArray bytes;
    for (int b = 0; b < 256; ++b) {
        if (b != ';' && b != '\r' && b != '\n' && b != 26)
            bytes += char(b);
    }
    QCOMPARE(bytes.size(), 252);
    const int widths[] = {30, 30, 30, 10, 10}; // columns 2, 3, 4, 6, 9 less the two letters
    QByteArray db;
    for (int row = 0; row < 3; ++row) {
        QList<QByteArray> texts;
        for (int width : widths) {
            texts.append('a' + bytes.left(width) + 'a');
            bytes.remove(0, qMin<qsizetype>(width, bytes.size()));
        }
        db += record({QByteArray::number(row + 1), "00010" + QByteArray::number(row), texts[0], texts[1], texts[2],
                      "35757442", texts[3], "02", "1234567", texts[4], "meno@firma.sk"});
    }
    QVERIFY(bytes.isEmpty());

    Window w(db);
    QVERIFY(w.dialogs.shown().isEmpty());
    QVERIFY(QFile::remove(w.dbPath()));
    w.click("btUlozit");
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Databáza uložená do súboru \"DB.csv\".")}));
    QCOMPARE(readAll(w.dbPath()), db);
}

void TstDatabaseWindow::printingTheListing()
{
    QByteArray db;
    for (int i = 1; i <= 45; ++i)
        db += establishment(QByteArray::number(i), QByteArray::number(100000 + i), "Bistro", "Nitra");
    Window w(db);
    QCOMPARE(w.model().RowCount(), 47);

    // Cancelled: nothing printed, nothing said.
    w.dialogs.printTo(QString());
    w.click("btVytlacit");
    QVERIFY(w.dialogs.shown().isEmpty());

    // 45 rows and the entry row: RowCount 47 offers pages 1 to 2; the entry
    // row alone fills page 2.
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("db.pdf"));
    w.dialogs.printTo(pdf);
    w.click("btVytlacit");
    const Dialogs::PrintOffer offer = w.dialogs.printOffers().last();
    QCOMPARE(offer.minPage, 1);
    QCOMPARE(offer.maxPage, 2);
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Tlač dokumentu úspešne ukončená")}));
    QCOMPARE(PdfText::pageCount(pdf), 2);
    const QList<PdfText::Word> words = PdfText::words(pdf);
    QVERIFY(PdfText::pageText(words, 1).contains(QStringLiteral("Databáza prevádzok")));
    QVERIFY(PdfText::pageText(words, 2).contains(QStringLiteral("(strana 2)")));
    QVERIFY(PdfText::pageText(words, 1).contains(QStringLiteral("100045")));

    // A printer that cannot start: the error box.
    w.dialogs.clear();
    w.dialogs.printTo(out.filePath(QStringLiteral("missing/db.pdf")));
    w.click("btVytlacit");
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Chyba pri tlači dokumentu")}));
}

QTEST_MAIN(TstDatabaseWindow)
#include "tst_databasewindow.moc"
