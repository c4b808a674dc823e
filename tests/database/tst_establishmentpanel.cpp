#include "app/supiska.h"
#include "common/gridmodel.h"
#include "database/prevadzky.h"
#include "databasefiles.h"
#include "support/gridtyping.h"
#include "support/scripteddialogs.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace dbtest;

namespace {

using Button = Dialogs::Button;

const QByteArray Bistro = record({"1", "000123", "Bistro", "Hlavn\xe1 1", "Nitra", "35757442", "Nov\xe1k", "02",
                                  "1234567", "02/1234568", "info@bistro.sk"});
const QByteArray Cajovna = record({"2", "000045", "\xc8" "ajov\xf2" "a", "Kapitulsk\xe1 3", "Levice", "31333532", "",
                                   "037", "654321", "037/654322", ""});

const char *const PanelBoxes[] = {"ebIntCPrevadzky", "ebDruhProduktu", "ebKodPrevadzky", "ebNazovPrevadzky",
                                  "ebUlicaCislo",    "ebMesto",        "ebICO",          "ebKontaktnaOsoba",
                                  "ebTelefon",       "ebFax",          "ebEmail"};

// The main window over a data folder with the given DB.csv.
struct Program
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<TForm2> form;

    explicit Program(const QByteArray &db)
    {
        writeFile(dbPath(), db);
    }
    void start()
    {
        form = std::make_unique<TForm2>(dir.path(), &dialogs);
        form->show();
    }

    QString dbPath() const { return dir.filePath(QStringLiteral("DB.csv")); }
    QLineEdit *box(const char *name) const { return form->findChild<QLineEdit *>(QLatin1String(name)); }
    QStringList panel() const
    {
        QStringList texts;
        for (const char *name : PanelBoxes)
            texts << box(name)->text();
        return texts;
    }
    // The user opens "Databáza prevádzok", does what is asked and closes it.
    void inDatabaseWindow(std::function<void(TForm1 &)> action)
    {
        dialogs.inModal([action](QDialog &dialog) { action(static_cast<TForm1 &>(dialog)); });
        form->findChild<QAction *>(QStringLiteral("DBPrevadzok"))->trigger();
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
    void panelBoxesTellWhereToEdit();
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
    p.start();
    QVERIFY(p.dialogs.modalShown().isEmpty());
    // Row 1 after loading: the lowest internal number.
    QCOMPARE(p.panel(), QStringList({"1", "01", "000123", "Bistro", "Hlavná 1", "Nitra", "35757442", "Novák",
                                     "02/1234567", "02/1234568", "info@bistro.sk"}));
    QVERIFY(p.box("ebDruhProduktu")->font().bold());
    QVERIFY(p.box("ebMesto")->isReadOnly());

    p.inDatabaseWindow([](TForm1 &db) { QVERIFY(db.table().grid().SetCurrentCell(3, 2)); });
    QCOMPARE(p.dialogs.modalShown(), QStringList({QStringLiteral("Databáza prevádzok")}));
    QCOMPARE(p.panel(), QStringList({"2", "01", "000045", "Čajovňa", "Kapitulská 3", "Levice", "31333532", "",
                                     "037/654321", "037/654322", ""}));

    // The entry row is no establishment: the panel empties.
    p.inDatabaseWindow([](TForm1 &db) { QVERIFY(db.table().grid().SetCurrentCell(0, 3)); });
    QCOMPARE(p.panel(), QStringList(11, QString()));

    // Nor is a row whose IČO the user has just emptied.
    p.inDatabaseWindow([&p](TForm1 &db) {
        QVERIFY(db.table().grid().SetCurrentCell(5, 1));
        typeIntoGrid(db.grid(), QStringLiteral("\r\b\b\b\b\b\b\b\b\r"));
        p.dialogs.answer({Button::No});
    });
    QVERIFY(p.dialogs.texts().contains(QStringLiteral("Odstrániť nekompletné riadky?")));
    QCOMPARE(p.panel(), QStringList(11, QString()));
}

void TstEstablishmentPanel::inconsistentDatabaseIsShownFirst()
{
    // A complete row with a bad e-mail address is marked, yet it is an
    // establishment the panel shows.
    Program p(record({"1", "000123", "Bistro", "Hlavn\xe1 1", "Nitra", "35757442", "", "02", "1234567", "0", "x@"}));
    bool mainWindowShown = true;
    int markedInWindow = 0;
    p.dialogs.inModal([&](QDialog &dialog) {
        mainWindowShown = dialog.parentWidget()->isVisible();
        markedInWindow = static_cast<TForm1 &>(dialog).table().markedCells().size();
    });
    p.dialogs.answer({Button::Ok, Button::No});
    p.start();
    QVERIFY(!mainWindowShown);
    QCOMPARE(markedInWindow, 1);
    QCOMPARE(p.dialogs.modalShown(), QStringList({QStringLiteral("Databáza prevádzok")}));
    const QString question = QStringLiteral(
        "Databáza je v nekonzistentnom stave!\r\nÚdaje nebudú uložené.\r\nChcete napriek tomu ukončiť editáciu databázy?");
    QCOMPARE(p.dialogs.texts(),
             QStringList({QStringLiteral("Konzistentnosť údajov v databáze je porušená!\r\n"
                                         "(Chybné údaje sú farebne zvýraznené)"),
                          question}));
    QVERIFY(p.dialogs.modalCloseRefused());
    QCOMPARE(p.box("ebTelefon")->text(), QStringLiteral("02/1234567"));
    QCOMPARE(p.box("ebEmail")->text(), QStringLiteral("x@"));
}

void TstEstablishmentPanel::panelBoxesTellWhereToEdit()
{
    Program p(Bistro);
    p.start();
    p.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.form.get()));
    QTest::mouseClick(p.box("ebMesto"), Qt::LeftButton);
    QCOMPARE(p.dialogs.texts(), QStringList({QStringLiteral("Pole je možné editovať v databáze prevádzok")}));
    QCOMPARE(QApplication::focusWidget(), p.form->findChild<QWidget *>(QStringLiteral("sgSupiska")));
    QTest::keyClicks(p.box("ebMesto"), QStringLiteral("x"));
    QCOMPARE(p.box("ebMesto")->text(), QStringLiteral("Nitra"));
}

void TstEstablishmentPanel::closingAsksToSaveAChangedDatabase()
{
    const QString saveQuestion = QStringLiteral("Databáza prevádzok bola zmenená.\n\rUložiť zmeny?");
    {
        Program p(Bistro);
        p.start();
        p.inDatabaseWindow([](TForm1 &db) {
            QVERIFY(db.table().grid().SetCurrentCell(2, 1));
            typeIntoGrid(db.grid(), QStringLiteral("Bistro Nov\u00e9\r"));
        });
        QCOMPARE(p.box("ebNazovPrevadzky")->text(), QStringLiteral("Bistro Nové"));

        // A refused close still asks; No leaves the file alone.
        p.dialogs.answer({Button::No, Button::No});
        QVERIFY(!p.form->close());
        QCOMPARE(p.dialogs.texts().mid(0, 2), QStringList({QStringLiteral("Odstrániť nekompletné riadky?"), saveQuestion}));
        QCOMPARE(readAll(p.dbPath()), Bistro);

        p.dialogs.clear();
        p.dialogs.answer({Button::Yes, Button::Yes});
        QVERIFY(p.form->close());
        QCOMPARE(p.dialogs.texts(), QStringList({QStringLiteral("Odstrániť nekompletné riadky?"), saveQuestion,
                                                 QStringLiteral("Databáza uložená do súboru \"DB.csv\".")}));
        QCOMPARE(readAll(p.dbPath()),
                 QByteArray("1;000123;Bistro Nov\xe9;Hlavn\xe1 1;Nitra;35757442;Nov\xe1k;02;1234567;02/1234568;"
                            "info@bistro.sk;\r\n"));
    }
    {
        // An unchanged database is not asked about.
        Program p(Bistro);
        p.start();
        p.inDatabaseWindow([](TForm1 &db) { QVERIFY(db.table().grid().SetCurrentCell(2, 2)); });
        p.dialogs.answer({Button::Yes});
        QVERIFY(p.form->close());
        QCOMPARE(p.dialogs.texts(), QStringList({QStringLiteral("Odstrániť nekompletné riadky?")}));
    }
}

QTEST_MAIN(TstEstablishmentPanel)
#include "tst_establishmentpanel.moc"
