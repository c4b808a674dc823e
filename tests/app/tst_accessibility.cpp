#include "app/programsetup.h"
#include "database/databasewindow.h"
#include "mainwindowfixture.h"

#include <QAccessible>
#include <QApplication>

using namespace dbtest;

namespace {

const QByteArray List("12,5;4;50;\r\n100;1000;100000;\r\n");
const QByteArray Db = establishment("1", "000123", "Bistro", "Nitra");

} // namespace

// The main window's fields and the grids' entry as a screen reader reads
// them, through Qt's accessibility; the controls' names and the grids'
// tables are read through AT-SPI by tst_atspi.
class TstAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fields_data();
    void fields();
    void gridEditorNamed();
};

void TstAccessibility::fields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("readOnly"); // and so out of the Tab chain (the keyboard test's)
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
    // A screen reader's review reads what the box shows.
    QCOMPARE(iface->text(QAccessible::Value), qobject_cast<QLineEdit *>(box)->text());
}

// The grids' tables, their cells and their headings are read through the
// AT-SPI bridge as a screen reader reads them (tst_atspi); the open entry is
// named by its column's heading.
void TstAccessibility::gridEditorNamed()
{
    MainWindowFixture w(List, Db);
    QTest::keyClick(w.grid(), Qt::Key_F2);
    QCOMPARE(QAccessible::queryAccessibleInterface(w.grid()->editor())->text(QAccessible::Name),
             QStringLiteral("Nominálna hodnota"));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SetUpAccessibility();
    TstAccessibility test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_accessibility.moc"
