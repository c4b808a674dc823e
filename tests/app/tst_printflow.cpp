#include "app/supiska.h"
#include "common/gridmodel.h"
#include "support/pdftext.h"
#include "support/scripteddialogs.h"

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Button = Dialogs::Button;

const QString RemoveIncomplete = QStringLiteral("Odstrániť nekompletné riadky?");
const QString EmptyList = QStringLiteral("Prázdna alebo nekompletná databáza!\r\nSúpisku nie je možné vytlačiť.");
const QString NoEstablishment = QStringLiteral("Nie je zvolená prevádzka.");

// One complete establishment in Windows-1250.
const QByteArray Bistro = "1;001234;Bistro;Hlavn\xe1 1;Nitra;35757442;Nov\xe1k;02;1234567;02/1234568;info@bistro.sk;\r\n";

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The program over a data folder holding DB.csv and supiska.csv, printing
// into PDF files of a folder of its own.
struct Program
{
    QTemporaryDir dir;
    QTemporaryDir out;
    ScriptedDialogs dialogs;
    std::unique_ptr<TForm2> form;

    Program(const QByteArray &db, const QByteArray &list)
    {
        write(QStringLiteral("DB.csv"), db);
        write(QStringLiteral("supiska.csv"), list);
        form = std::make_unique<TForm2>(dir.path(), &dialogs);
        form->show();
        dialogs.clear();
    }
    void write(const QString &name, const QByteArray &contents) const
    {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    QString pdf() const { return out.filePath(QStringLiteral("list.pdf")); }
    GridModel &model() const { return form->voucherList().grid(); }
    QStringList nominals() const
    {
        QStringList texts;
        for (int r = 1; r < model().RowCount(); ++r)
            texts << model().Cell(0, r);
        return texts;
    }
    void printFilled() const
    {
        QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("btTlacSupiskySHodnotami")), Qt::LeftButton);
    }
    void printBlank() const
    {
        QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("btTlacCistejSupisky")), Qt::LeftButton);
    }
};

QString todaysExportName()
{
    return QDate::currentDate().toString(QStringLiteral("yyMMdd")) + QStringLiteral("001234.txt");
}

} // namespace

class TstPrintFlow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void noEstablishmentPrintsNothing();
    void emptyListIsNotPrintedButTheBlankFormIs();
    void zeroCountGoesWithoutAQuestion();
    void halfFilledRowIsRemovedOnYes();
    void markedCellsStopThePrint();
    void cancelledDialogBringsTheEntryRowBack();
    void exportFileBesideThePrint();
    void missingExportDirectoryPrintsNothing();
    void rowsOverSeveralPages();

private:
    QTemporaryDir settingsDir_;
};

void TstPrintFlow::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
}

void TstPrintFlow::init()
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Milbor"),
                       QStringLiteral("Kelvaro"));
    settings.clear();
}

void TstPrintFlow::noEstablishmentPrintsNothing()
{
    Program p(QByteArray(), "10;1;10;\r\n");
    p.dialogs.printTo(p.pdf());
    // The database window opens; closing it, the user lets its empty row go.
    p.dialogs.answer({Button::Ok, Button::Yes});
    p.printFilled();
    QCOMPARE(p.dialogs.texts(), QStringList({NoEstablishment, RemoveIncomplete}));
    QCOMPARE(p.dialogs.modalShown(), QStringList({QStringLiteral("Databáza prevádzok")}));
    QVERIFY(p.dialogs.printOffers().isEmpty());
    QCOMPARE(p.nominals(), QStringList({QStringLiteral("10"), QString()}));

    p.dialogs.clear();
    p.dialogs.answer({Button::Ok, Button::Yes});
    p.printBlank();
    QCOMPARE(p.dialogs.texts(), QStringList({NoEstablishment, RemoveIncomplete}));
    QVERIFY(p.dialogs.printOffers().isEmpty());
    QVERIFY(!QFile::exists(p.pdf()));
}

void TstPrintFlow::emptyListIsNotPrintedButTheBlankFormIs()
{
    Program p(Bistro, QByteArray());
    p.dialogs.answer({Button::Yes});
    p.printFilled();
    QCOMPARE(p.dialogs.texts(), QStringList({RemoveIncomplete, EmptyList}));
    QVERIFY(p.dialogs.printOffers().isEmpty());

    p.dialogs.clear();
    p.dialogs.printTo(p.pdf());
    p.printBlank();
    QVERIFY(p.dialogs.texts().isEmpty());
    QCOMPARE(p.dialogs.printOffers().size(), 1);
    QCOMPARE(p.dialogs.printOffers().first().copies, 1);
    QCOMPARE(PdfText::pageCount(p.pdf()), 1);
    QVERIFY(PdfText::pageText(PdfText::words(p.pdf()), 1).contains(QStringLiteral("Bistro")));
}

void TstPrintFlow::zeroCountGoesWithoutAQuestion()
{
    Program p(Bistro, "5;0;0;\r\n");
    p.printFilled();
    QCOMPARE(p.dialogs.texts(), QStringList({EmptyList}));
    QCOMPARE(p.nominals(), QStringList({QString()}));
}

void TstPrintFlow::halfFilledRowIsRemovedOnYes()
{
    Program p(Bistro, "10;2;20;\r\n20;1;20;\r\n");
    QVERIFY(p.model().SetCurrentCell(0, 3));
    p.model().SetCell(0, 3, QStringLiteral("50"));

    p.dialogs.answer({Button::No});
    p.printFilled();
    QCOMPARE(p.dialogs.texts(), QStringList({RemoveIncomplete}));
    QCOMPARE(p.nominals(), QStringList({QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("50")}));

    p.dialogs.clear();
    p.dialogs.answer({Button::Yes});
    p.dialogs.printTo(p.pdf());
    p.printFilled();
    QCOMPARE(p.dialogs.texts(), QStringList({RemoveIncomplete}));
    const Dialogs::PrintOffer offer = p.dialogs.printOffers().first();
    QCOMPARE(offer.copies, 2);
    QVERIFY(offer.collate);
    QCOMPARE(PdfText::pageCount(p.pdf()), 1);
    // The entry row is back after printing.
    QCOMPARE(p.nominals(), QStringList({QStringLiteral("10"), QStringLiteral("20"), QString()}));
}

void TstPrintFlow::markedCellsStopThePrint()
{
    Program p(Bistro, "10;1;10;\r\n20;1;x;\r\n");
    QVERIFY(p.form->HasMarkedCells());
    p.dialogs.printTo(p.pdf());
    p.printFilled();
    QCOMPARE(p.dialogs.texts(),
             QStringList({QStringLiteral("Nekonzistentné dáta!\r\nSúpisku nie je možné vytlačiť.")}));
    QVERIFY(p.dialogs.printOffers().isEmpty());
}

void TstPrintFlow::cancelledDialogBringsTheEntryRowBack()
{
    QTemporaryDir exports;
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Milbor"), QStringLiteral("Kelvaro"))
        .setValue(QStringLiteral("saveDir"), exports.path() + QLatin1Char('/'));
    Program p(Bistro, "10;2;20;\r\n");
    p.dialogs.printTo(QString());
    p.printFilled();
    QCOMPARE(p.dialogs.printOffers().size(), 1);
    QCOMPARE(p.nominals(), QStringList({QStringLiteral("10"), QString()}));
    QVERIFY(QDir(exports.path()).isEmpty());
}

void TstPrintFlow::exportFileBesideThePrint()
{
    QTemporaryDir exports;
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Milbor"), QStringLiteral("Kelvaro"))
        .setValue(QStringLiteral("saveDir"), exports.path() + QLatin1Char('/'));
    Program p(Bistro, "2,5;10;25;\r\n");
    p.dialogs.printTo(p.pdf());
    p.printFilled();
    QVERIFY(p.dialogs.texts().isEmpty());
    const QString exported = exports.filePath(todaysExportName());
    QCOMPARE(QDir(exports.path()).entryList(QDir::Files), QStringList({todaysExportName()}));
    const QByteArray file = readAll(exported);
    QCOMPARE(file.count("\r\n"), 21);
    QVERIFY(file.startsWith("Druh produktu:\t01\r\n\r\nIntern\xe9 \xe8\xedslo prev\xe1" "dzky:\t1\r\n"));
    QVERIFY(file.contains("\r\n2,5\t10\t25\r\n\r\nCelkov\xfd po\xe8" "et kup\xf3nov:\t10\r\n"));
    QVERIFY(file.contains("kup\xf3nov:\t25,00 \x80\r\n"));

    // Unticked: nothing is written.
    QVERIFY(QFile::remove(exported));
    p.form->findChild<QCheckBox *>(QStringLiteral("cbSubor"))->setChecked(false);
    p.dialogs.printTo(p.out.filePath(QStringLiteral("second.pdf")));
    p.printFilled();
    QVERIFY(QDir(exports.path()).isEmpty());
    QCOMPARE(PdfText::pageCount(p.out.filePath(QStringLiteral("second.pdf"))), 1);
}

void TstPrintFlow::missingExportDirectoryPrintsNothing()
{
    QTemporaryDir gone;
    const QString missing = gone.path() + QStringLiteral("/missing/");
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Milbor"), QStringLiteral("Kelvaro"))
        .setValue(QStringLiteral("saveDir"), missing);
    Program p(Bistro, "10;1;10;\r\n");
    p.dialogs.printTo(p.pdf());
    p.printFilled();
    QCOMPARE(p.dialogs.texts(), QStringList({QStringLiteral("Invalid filename.")}));
    QCOMPARE(p.dialogs.shown().first().box, Dialogs::Box::StopError);
    QVERIFY(!QFile::exists(p.pdf()));
    QCOMPARE(p.nominals(), QStringList({QStringLiteral("10"), QString()}));
}

void TstPrintFlow::rowsOverSeveralPages()
{
    QByteArray list;
    for (int i = 1; i <= 43; ++i)
        list += QByteArray::number(i) + ";1;" + QByteArray::number(i) + ";\r\n";
    Program p(Bistro, list);
    p.form->findChild<QCheckBox *>(QStringLiteral("cbSubor"))->setChecked(false);
    p.dialogs.printTo(p.pdf());
    p.printFilled();
    QVERIFY(p.dialogs.texts().isEmpty());
    QCOMPARE(PdfText::pageCount(p.pdf()), 3);
    QCOMPARE(p.model().RowCount(), 45);
}

QTEST_MAIN(TstPrintFlow)
#include "tst_printflow.moc"
