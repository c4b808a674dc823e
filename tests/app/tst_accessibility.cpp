#include "app/programsetup.h"
#include "database/databasewindow.h"
#include "mainwindowfixture.h"

#include <QAccessible>
#include <QApplication>

using namespace dbtest;

namespace {

const QByteArray List("12,5;4;50;\r\n100;1000;100000;\r\n");
const QByteArray Db = establishment("1", "000123", "Bistro", "Nitra");

// The object names of the controls a screen reader stops at that have no
// name; the cells of a table are its own.
QStringList unnamedControls(QAccessibleInterface *iface)
{
    static const QList<QAccessible::Role> controls{QAccessible::EditableText, QAccessible::PushButton,
                                                   QAccessible::CheckBox, QAccessible::Table, QAccessible::MenuItem};
    QStringList unnamed;
    if (controls.contains(iface->role()) && iface->text(QAccessible::Name).isEmpty())
        unnamed << iface->object()->objectName();
    for (int i = 0; iface->role() != QAccessible::Table && i < iface->childCount(); ++i)
        unnamed << unnamedControls(iface->child(i));
    return unnamed;
}

} // namespace

// Both windows as a screen reader reads them, through Qt's accessibility.
class TstAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyControlNamed();
    void fields_data();
    void fields();
    void gridTable_data();
    void gridTable();
};

void TstAccessibility::everyControlNamed()
{
    MainWindowFixture w(List, Db);
    DatabaseWindow *database = w.form->databaseWindow();
    database->grid(); // its widgets are made when first needed
    QCOMPARE(unnamedControls(QAccessible::queryAccessibleInterface(w.form.get())), QStringList());
    QCOMPARE(unnamedControls(QAccessible::queryAccessibleInterface(database)), QStringList());
}

void TstAccessibility::fields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("readOnly"); // and so out of the Tab chain
    const auto field = [](const char *object, const char *name, bool readOnly = true, const char *description = "") {
        QTest::newRow(object) << name << description << readOnly;
    };
    field("ebIntCPrevadzky", "Interné číslo prevádzky:");
    field("ebDruhProduktu", "Druh produktu:");
    field("ebKodPrevadzky", "Kód prevádzky:");
    field("ebNazovPrevadzky", "Názov prevádzky:");
    field("ebUlicaCislo", "Ulica a číslo:");
    field("ebMesto", "Mesto:");
    field("ebICO", "IČO:");
    field("ebKontaktnaOsoba", "Kontaktná osoba:");
    field("ebTelefon", "Telefónne číslo:");
    field("ebFax", "Faxové číslo:");
    field("ebEmail", "E-mailová adresa:");
    field("ebSpecSymb", "Špecifický symbol:", false, "najviac 10 číslic");
    field("ebSpoluPocet", "Spolu počet kupónov");
    field("ebSpoluHodnota", "Spolu hodnota kupónov");
    field("ebDatumObj", "Dátum vytvorenia súpisky:");
}

void TstAccessibility::fields()
{
    QFETCH(bool, readOnly);
    MainWindowFixture w(List, Db);
    QWidget *box = w.child(QTest::currentDataTag());
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(box);
    QTEST(iface->text(QAccessible::Name), "name");
    QTEST(iface->text(QAccessible::Description), "description");
    QCOMPARE(iface->state().readOnly, readOnly);
    QCOMPARE(bool(box->focusPolicy() & Qt::TabFocus), !readOnly);
    // A screen reader's review reads what the box shows.
    QCOMPARE(iface->text(QAccessible::Value), qobject_cast<QLineEdit *>(box)->text());
}

void TstAccessibility::gridTable_data()
{
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QStringList>("shown"); // row by row, the entry row last
    QTest::addColumn<QStringList>("headings");
    QTest::newRow("voucher list") << "sgSupiska"
        << QStringList{"12,50", "4", "50,00", "100,00", "1 000", "100 000,00", "", "", ""}
        << QStringList{"Nominálna hodnota", "Počet kupónov", "Hodnota kupónov"};
    QTest::newRow("establishments") << "sgDB"
        << QStringList{"1", "000123", "Bistro", "Hlavná 1", "Nitra", "35757442", "", "02", "1234567", "02/1234568", ""}
               + QStringList(11, QString())
        << EstablishmentModel::columnCaptions();
}

// Child n is the cell (n / columns, n % columns), as Qt's AT-SPI bridge takes
// it, and no question about a cell, even past the grid's ends, is left
// without one.
void TstAccessibility::gridTable()
{
    QFETCH(QString, grid);
    QFETCH(QStringList, headings);
    MainWindowFixture w(List, Db);
    w.form->databaseWindow()->grid();
    auto *view = w.form->findChild<RecordView *>(grid);
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(view);
    QAccessibleTableInterface *cells = table->tableInterface();
    const int columns = int(headings.size());
    const int rows = cells->rowCount();
    QCOMPARE(cells->columnCount(), columns);
    QStringList read;
    for (int i = 0; i < table->childCount(); ++i) {
        QAccessibleInterface *cell = table->child(i);
        QAccessibleTableCellInterface *place = cell ? cell->tableCellInterface() : nullptr;
        QVERIFY(place);
        QCOMPARE(place->rowIndex() * columns + place->columnIndex(), i);
        QCOMPARE(cells->cellAt(place->rowIndex(), place->columnIndex()), cell);
        QCOMPARE(table->indexOfChild(cell), i);
        QCOMPARE(cell->parent(), table);
        read << cell->text(QAccessible::Name);
    }
    QTEST(read, "shown");
    QStringList heads;
    for (int c = 0; c < columns; ++c)
        heads << cells->cellAt(0, c)->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name);
    QCOMPARE(heads, headings);
    for (const auto &[row, column, nearest] :
         {std::tuple{-1, -1, 0}, {rows, 0, (rows - 1) * columns}, {0, columns, columns - 1},
          {rows + 5, columns + 5, rows * columns - 1}}) {
        QAccessibleInterface *cell = cells->cellAt(row, column);
        QVERIFY(cell && cell->tableCellInterface());
        QCOMPARE(table->indexOfChild(cell), nearest);
    }
    // The entry is named by its column's heading.
    view->setCurrentCell(0, 1);
    QTest::keyClick(view, Qt::Key_F2);
    QCOMPARE(QAccessible::queryAccessibleInterface(view->editor())->text(QAccessible::Name), headings.at(1));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SetUpAccessibility();
    TstAccessibility test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_accessibility.moc"
