#include "app/mainwindowfixture.h"
#include "database/prevadzky.h"
#include "databasefiles.h"

#include <QAction>
#include <QLineEdit>
#include <QSettings>

using namespace dbtest;

namespace {

using Button = Dialogs::Button;

const QByteArray Bistro = record({"1", "000123", "Bistro", "Hlavn\xe1 1", "Nitra", "35757442", "Nov\xe1k", "02",
                                  "1234567", "02/1234568", "info@bistro.sk"});
const QByteArray Cajovna = record({"2", "000045", "\xc8" "ajov\xf2" "a", "Kapitulsk\xe1 3", "Levice", "31333532", "",
                                   "037", "654321", "037/654322", ""});
const QString RemoveIncomplete = QStringLiteral("Odstrániť nekompletné riadky?");

struct Program : MainWindow
{
    explicit Program(const QByteArray &db, bool start = true) : MainWindow(QByteArray(), db, start) {}

    QLineEdit *box(const char *name) const { return child<QLineEdit>(name); }
    QStringList panel() const
    {
        QStringList texts;
        for (const char *name : {"ebIntCPrevadzky", "ebDruhProduktu", "ebKodPrevadzky", "ebNazovPrevadzky",
                                 "ebUlicaCislo", "ebMesto", "ebICO", "ebKontaktnaOsoba", "ebTelefon", "ebFax",
                                 "ebEmail"})
            texts << box(name)->text();
        return texts;
    }
    // The user opens "Databáza prevádzok", does what is asked and closes it.
    void inDatabaseWindow(std::function<void(TForm1 &)> action)
    {
        dialogs.inModal([action](QDialog &dialog) { action(static_cast<TForm1 &>(dialog)); });
        child<QAction>("DBPrevadzok")->trigger();
    }
};

} // namespace

class TstEstablishmentPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void panelShowsTheSelectedRow();
    void inconsistentDatabaseIsShownFirst();
    void closingAsksToSaveAChangedDatabase();

private:
    QTemporaryDir settingsDir_;
};

void TstEstablishmentPanel::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
}

void TstEstablishmentPanel::panelShowsTheSelectedRow()
{
    Program p(Cajovna + Bistro);
    QVERIFY(p.dialogs.modalShown().isEmpty());
    // Row 1 after loading: the lowest internal number.
    QCOMPARE(p.panel(), QStringList({"1", "01", "000123", "Bistro", "Hlavná 1", "Nitra", "35757442", "Novák",
                                     "02/1234567", "02/1234568", "info@bistro.sk"}));

    p.inDatabaseWindow([](TForm1 &db) { QVERIFY(db.table().grid().SetCurrentCell(3, 2)); });
    QCOMPARE(p.dialogs.modalShown(), QStringList({QStringLiteral("Databáza prevádzok")}));
    QCOMPARE(p.panel(), QStringList({"2", "01", "000045", "Čajovňa", "Kapitulská 3", "Levice", "31333532", "",
                                     "037/654321", "037/654322", ""}));

    // Neither the entry row nor a row whose IČO was just emptied is an
    // establishment: the panel empties.
    p.inDatabaseWindow([](TForm1 &db) { QVERIFY(db.table().grid().SetCurrentCell(0, 3)); });
    QCOMPARE(p.panel(), QStringList(11, QString()));
    p.inDatabaseWindow([&p](TForm1 &db) {
        QVERIFY(db.table().grid().SetCurrentCell(5, 1));
        typeIntoGrid(db.grid(), QStringLiteral("\r\b\b\b\b\b\b\b\b\r"));
        p.dialogs.answer({Button::No});
    });
    QVERIFY(p.dialogs.texts().contains(RemoveIncomplete));
    QCOMPARE(p.panel(), QStringList(11, QString()));
}

void TstEstablishmentPanel::inconsistentDatabaseIsShownFirst()
{
    // A complete row with a bad e-mail address is marked, yet the panel
    // shows it.
    Program p(record({"1", "000123", "Bistro", "Hlavn\xe1 1", "Nitra", "35757442", "", "02", "1234567", "0", "x@"}),
              false);
    bool mainWindowShown = true;
    int markedInWindow = 0;
    p.dialogs.inModal([&](QDialog &dialog) {
        mainWindowShown = dialog.parentWidget()->isVisible();
        markedInWindow = MarkedCellNames(static_cast<TForm1 &>(dialog).table().grid()).size();
    });
    p.dialogs.answer({Button::Ok, Button::No});
    p.start();
    QVERIFY(!mainWindowShown);
    QCOMPARE(markedInWindow, 1);
    QCOMPARE(p.dialogs.modalShown(), QStringList({QStringLiteral("Databáza prevádzok")}));
    QCOMPARE(p.dialogs.texts(), QStringList({Inconsistent, QStringLiteral("Databáza je v nekonzistentnom stave!\r\n"
                                                                          "Údaje nebudú uložené.\r\nChcete napriek "
                                                                          "tomu ukončiť editáciu databázy?")}));
    QVERIFY(p.dialogs.modalCloseRefused());
    QCOMPARE(p.box("ebTelefon")->text(), QStringLiteral("02/1234567"));
    QCOMPARE(p.box("ebEmail")->text(), QStringLiteral("x@"));
}

void TstEstablishmentPanel::closingAsksToSaveAChangedDatabase()
{
    const QString saveQuestion = QStringLiteral("Databáza prevádzok bola zmenená.\n\rUložiť zmeny?");
    {
        Program p(Bistro);
        p.inDatabaseWindow([](TForm1 &db) {
            QVERIFY(db.table().grid().SetCurrentCell(2, 1));
            typeIntoGrid(db.grid(), QStringLiteral("Bistro Nové\r"));
        });
        QCOMPARE(p.box("ebNazovPrevadzky")->text(), QStringLiteral("Bistro Nové"));

        // A refused close still asks; No leaves the file alone.
        p.dialogs.answer({Button::No, Button::No});
        QVERIFY(!p.close());
        QCOMPARE(p.dialogs.texts().mid(0, 2), QStringList({RemoveIncomplete, saveQuestion}));
        QCOMPARE(readAll(p.path("DB.csv")), Bistro);

        p.dialogs.clear();
        p.dialogs.answer({Button::Yes, Button::Yes});
        QVERIFY(p.close());
        QCOMPARE(p.dialogs.texts(), QStringList({RemoveIncomplete, saveQuestion,
                                                 QStringLiteral("Databáza uložená do súboru \"DB.csv\".")}));
        QCOMPARE(readAll(p.path("DB.csv")),
                 QByteArray("1;000123;Bistro Nov\xe9;Hlavn\xe1 1;Nitra;35757442;Nov\xe1k;02;1234567;02/1234568;"
                            "info@bistro.sk;\r\n"));
    }
    {
        // An unchanged database is not asked about.
        Program p(Bistro);
        p.inDatabaseWindow([](TForm1 &db) { QVERIFY(db.table().grid().SetCurrentCell(2, 2)); });
        p.dialogs.answer({Button::Yes});
        QVERIFY(p.close());
        QCOMPARE(p.dialogs.texts(), QStringList({RemoveIncomplete}));
    }
}

QTEST_MAIN(TstEstablishmentPanel)
#include "tst_establishmentpanel.moc"
