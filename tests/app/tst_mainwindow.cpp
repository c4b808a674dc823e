#include "app/numericdisplay.h"
#include "app/supiska.h"
#include "common/stringgrid.h"
#include "support/filesizelimit.h"
#include "support/gridtyping.h"
#include "support/scripteddialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>


namespace {

using Button = Dialogs::Button;

const QString Inconsistent = QStringLiteral(
    "Konzistentnosť údajov v databáze je porušená!\r\n(Chybné údaje sú farebne zvýraznené)");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

// A main window over a data folder of its own.
struct Window
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<TForm2> form;

    explicit Window(const QByteArray *workingList = nullptr)
    {
        if (workingList)
            writeFile(listPath(), *workingList);
        form = std::make_unique<TForm2>(dir.path(), &dialogs);
        form->show();
    }

    QString listPath() const { return dir.filePath(QStringLiteral("supiska.csv")); }
    StringGrid *grid() const { return form->findChild<StringGrid *>(QStringLiteral("sgSupiska")); }
    GridModel &model() const { return form->voucherList().grid(); }
    QString cell(int column, int row) const { return model().Cell(column, row); }
    QString total(const char *name) const { return form->findChild<NumericDisplay *>(QLatin1String(name))->text(); }
    QStringList column(int c) const
    {
        QStringList texts;
        for (int r = 1; r < model().RowCount(); ++r)
            texts << cell(c, r);
        return texts;
    }
    void click(const char *button) const
    {
        QTest::mouseClick(form->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
    }

    void type(const QString &keys) const { typeIntoGrid(grid(), keys); }

    bool close() const
    {
        form->close();
        return !form->isVisible();
    }
};

} // namespace

class TstMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void firstStart();
    void typingAnEntry();
    void keysTheFieldsRefuse();
    void valueColumnIsNotEdited();
    void refusedSelectionDecidesTheDeletedRow();
    void deleteAllAnsweredNoStillModifies();
    void nominalValueThatIsNoNumber();
    void loadingRules_data();
    void loadingRules();
    void marksThroughEditingAndDeletion();
    void marksFollowTheirRecordsWhenARowIsDeleted();
    void closeQuestions();
    void closeWritesOnlyAChangedList();
    void failedSaveKeepsTheOldFile();
    void unreadableListIsReported();
    void paymentReferenceTakesTenDigits();
    void exportDirectoryRoundTrip();

private:
    QTemporaryDir settingsDir_;
};

void TstMainWindow::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
}

void TstMainWindow::firstStart()
{
    QFile::remove(settingsDir_.filePath(QStringLiteral("Milbor/Kelvaro.conf")));
    Window w;
    QCOMPARE(w.model().headerData(0, Qt::Horizontal).toString(), QStringLiteral("Nominálna hodnota"));
    QCOMPARE(w.model().headerData(2, Qt::Horizontal).toString(), QStringLiteral("Hodnota kupónov"));
    QCOMPARE(w.model().RowCount(), 2);
    QCOMPARE(w.total("ebSpoluPocet"), QStringLiteral("0"));
    QCOMPARE(w.total("ebSpoluHodnota"), QStringLiteral("0,00"));
    QCOMPARE(w.form->findChild<QLineEdit *>(QStringLiteral("ebDatumObj"))->text(),
             QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    QVERIFY(w.form->findChild<QCheckBox *>(QStringLiteral("cbSubor"))->isChecked());
    QCOMPARE(w.form->windowTitle(), QStringLiteral("Kelvaro"));
    QVERIFY(w.dialogs.shown().isEmpty());
    QVERIFY(w.form->saveDir().isEmpty());
    // The settings store exists afterwards, empty.
    QVERIFY(QFileInfo::exists(settingsDir_.filePath(QStringLiteral("Milbor/Kelvaro.conf"))));
}

void TstMainWindow::typingAnEntry()
{
    Window w;
    w.type(QStringLiteral("12,5\t4\r"));
    QCOMPARE(w.column(0), QStringList({QStringLiteral("12,5"), QString()}));
    QCOMPARE(w.cell(2, 1), QStringLiteral("50"));
    QCOMPARE(w.total("ebSpoluPocet"), QStringLiteral("4"));
    QCOMPARE(w.total("ebSpoluHodnota"), QStringLiteral("50,00"));
    QVERIFY(!w.grid()->isEditorOpen());

    // The next entry goes into the new empty row; confirmed rows are sorted.
    QVERIFY(w.model().SetCurrentCell(0, 2));
    w.type(QStringLiteral("1,05\t3\r"));
    QCOMPARE(w.column(0), QStringList({QStringLiteral("1,05"), QStringLiteral("12,5"), QString()}));
    QCOMPARE(w.column(2), QStringList({QStringLiteral("3,15"), QStringLiteral("50"), QString()}));
    QCOMPARE(w.total("ebSpoluPocet"), QStringLiteral("7"));
    QCOMPARE(w.total("ebSpoluHodnota"), QStringLiteral("53,15"));

    // The largest row that can be typed keeps its exact value.
    QVERIFY(w.model().SetCurrentCell(0, 3));
    w.type(QStringLiteral("999,99\t99999\r"));
    QCOMPARE(w.cell(2, 3), QStringLiteral("99998000,01"));
    QCOMPARE(w.total("ebSpoluHodnota"), QStringLiteral("99 998 053,16"));
    QCOMPARE(w.total("ebSpoluPocet"), QStringLiteral("100 006"));
    QVERIFY(w.form->isModified());
}

void TstMainWindow::keysTheFieldsRefuse()
{
    Window w;
    w.type(QStringLiteral("1234"));
    QCOMPARE(w.cell(0, 1), QStringLiteral("123"));
    w.type(QStringLiteral(",5,67x."));
    QCOMPARE(w.cell(0, 1), QStringLiteral("123,56"));
    w.type(QStringLiteral("\t1234567"));
    QCOMPARE(w.cell(1, 1), QStringLiteral("12345"));
    w.type(QStringLiteral("\r"));
    QCOMPARE(w.cell(2, 1), QStringLiteral("1525348,2"));
}

void TstMainWindow::valueColumnIsNotEdited()
{
    Window w;
    QVERIFY(w.model().SetCurrentCell(2, 1));
    QTest::keyClick(w.grid(), Qt::Key_F2);
    QVERIFY(!w.grid()->isEditorOpen());
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Pole je vypĺňané automaticky.")}));
    // Typing into it does nothing at all.
    w.type(QStringLiteral("5"));
    QCOMPARE(w.cell(2, 1), QString());
    QCOMPARE(w.dialogs.texts().size(), 1);
}

void TstMainWindow::refusedSelectionDecidesTheDeletedRow()
{
    const QByteArray list("10;1;10;\r\n20;1;20;\r\n30;1;30;\r\n");
    Window w(&list);
    // Editing row 1, the user clicks row 3: the selection stays, but row 3
    // is the row that "Vymazať riadok" then deletes.
    w.type(QStringLiteral("5"));
    QVERIFY(w.grid()->isEditorOpen());
    QTest::keyClick(w.grid()->editor(), Qt::Key_Down);
    QCOMPARE(w.model().CurrentRow(), 1);
    const QRect row3 = w.grid()->visualRect(w.model().index(2, 0));
    QTest::mouseClick(w.grid()->viewport(), Qt::LeftButton, {}, row3.center());
    QCOMPARE(w.model().CurrentRow(), 1);
    QVERIFY(w.grid()->isEditorOpen());

    w.click("btVymazatRiadok");
    QCOMPARE(w.column(0), QStringList({QStringLiteral("5"), QStringLiteral("20"), QString()}));
    QCOMPARE(w.total("ebSpoluPocet"), QStringLiteral("2"));
    QCOMPARE(w.total("ebSpoluHodnota"), QStringLiteral("25,00"));

    // The entry is over: the selection moves freely again.
    QVERIFY(w.model().SetCurrentCell(0, 2));
}

void TstMainWindow::deleteAllAnsweredNoStillModifies()
{
    const QByteArray list("10;1;10;\r\n");
    Window w(&list);
    QVERIFY(!w.form->isModified());
    w.dialogs.answer({Button::No});
    w.click("btVymazatVsetko");
    QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Chcete určite vymazať položky?")}));
    QCOMPARE(w.column(0), QStringList({QStringLiteral("10"), QString()}));
    QVERIFY(w.form->isModified());

    w.dialogs.answer({Button::Yes});
    w.click("btVymazatVsetko");
    QCOMPARE(w.model().RowCount(), 2);
    QCOMPARE(w.column(0), QStringList({QString()}));
    QCOMPARE(w.total("ebSpoluHodnota"), QStringLiteral("0,00"));
}

void TstMainWindow::nominalValueThatIsNoNumber()
{
    Window w;
    w.type(QStringLiteral(",\t3\r"));
    // The row has no value, adds nothing, and no entry row follows it.
    QCOMPARE(w.cell(2, 1), QString());
    QCOMPARE(w.model().RowCount(), 2);
    QCOMPARE(w.total("ebSpoluPocet"), QStringLiteral("0"));
    QVERIFY(w.form->HasIncompleteRows());
    w.form->RemoveIncompleteRows();
    QCOMPARE(w.column(0), QStringList({QString()}));
}

void TstMainWindow::loadingRules_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("nominals");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("marked"); // "column,row"
    QTest::addColumn<QString>("totalValue");

    QTest::newRow("sorted, entry row added")
        << QByteArray("20;1;20;\r\n10;5;50;\r\n") << QStringList{"10", "20", ""} << QStringList{"50", "20", ""}
        << QStringList{} << "70,00";
    QTest::newRow("no trailing semicolon, value computed")
        << QByteArray("10;5") << QStringList{"10", ""} << QStringList{"50", ""} << QStringList{} << "50,00";
    QTest::newRow("extra fields ignored")
        << QByteArray("10;5;50;x;y;\r\n") << QStringList{"10", ""} << QStringList{"50", ""} << QStringList{}
        << "50,00";
    QTest::newRow("blanks trimmed") << QByteArray(" 10 ; 5 ;50;\r\n") << QStringList{"10", ""}
                                    << QStringList{"50", ""} << QStringList{} << "50,00";
    QTest::newRow("missing count marks the row")
        << QByteArray("10;;0;\r\n") << QStringList{"10"} << QStringList{"0"}
        << QStringList{"0,1", "1,1", "2,1"} << "0,00";
    QTest::newRow("three decimals") << QByteArray("12,345;1;\r\n") << QStringList{"12,345", ""}
                                    << QStringList{"", ""}
                                    << QStringList{"0,1"} << "0,00";
    QTest::newRow("empty line dropped with its marks")
        << QByteArray("10;1;10;\r\n\r\n20;1;20;\r\n") << QStringList{"10", "20", ""} << QStringList{"10", "20", ""}
        << QStringList{} << "30,00";
    QTest::newRow("bare line feeds make one line")
        << QByteArray("10;1;10;\n20;2;40;\n") << QStringList{"10", ""} << QStringList{"10", ""} << QStringList{}
        << "10,00";
    QTest::newRow("Ctrl-Z ends the file") << QByteArray("10;1;10;\r\n\x1a" "20;1;20;\r\n")
                                          << QStringList{"10", ""} << QStringList{"10", ""} << QStringList{}
                                          << "10,00";
    QTest::newRow("CR alone ends a line") << QByteArray("10;1;\r20;1;\r") << QStringList{"10", "20", ""}
                                          << QStringList{"10", "20", ""} << QStringList{} << "30,00";
    QTest::newRow("empty file") << QByteArray() << QStringList{""} << QStringList{""} << QStringList{} << "0,00";
    QTest::newRow("letters and long counts")
        << QByteArray("1a;1;\r\n5;123456;\r\n") << QStringList{"1a", "5"} << QStringList{"", ""}
        << QStringList{"0,1", "1,2"} << "0,00";
}

void TstMainWindow::loadingRules()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, nominals);
    QFETCH(QStringList, values);
    QFETCH(QStringList, marked);
    QFETCH(QString, totalValue);

    Window w(&file);
    QCOMPARE(w.column(0), nominals);
    QCOMPARE(w.column(2), values);
    QStringList found;
    for (int r = 1; r < w.model().RowCount(); ++r) {
        for (int c = 0; c < 3; ++c) {
            if (w.form->voucherList().isMarked(c, r))
                found << QStringLiteral("%1,%2").arg(c).arg(r);
        }
    }
    QCOMPARE(found, marked);
    QCOMPARE(w.total("ebSpoluHodnota"), totalValue);
    QCOMPARE(w.dialogs.texts(), marked.isEmpty() ? QStringList() : QStringList({Inconsistent}));
    QVERIFY(!w.form->isModified());
}

void TstMainWindow::marksThroughEditingAndDeletion()
{
    const QByteArray list("10;;\r\n20;1;20;\r\n");
    Window w(&list);
    QVERIFY(w.form->HasMarkedCells());
    QCOMPARE(w.total("ebSpoluPocet"), QStringLiteral("0"));
    // Marked cells are painted red, and so are the blanked totals.
    const QImage shot = w.grid()->viewport()->grab().toImage();
    const QRect marked = w.grid()->visualRect(w.model().index(0, 2));
    QCOMPARE(shot.pixelColor(marked.center() + QPoint(30, 0)), QColor(255, 0, 0));
    QCOMPARE(w.form->findChild<NumericDisplay *>(QStringLiteral("ebSpoluPocet"))->palette().color(QPalette::Base),
             QColor(255, 0, 0));

    // A count typed in removes that cell's mark only; the value cell stays
    // marked, since it cannot be edited.
    QVERIFY(w.model().SetCurrentCell(1, 1));
    w.type(QStringLiteral("2\r"));
    QVERIFY(!w.form->voucherList().isMarked(1, 1));
    QVERIFY(w.form->voucherList().isMarked(0, 1));
    QVERIFY(w.form->voucherList().isMarked(2, 1));
    QCOMPARE(w.total("ebSpoluHodnota"), QStringLiteral("0,00"));

    // Deleting the row takes its marks; the totals come back.
    QVERIFY(w.model().SetCurrentCell(0, 1));
    w.click("btVymazatRiadok");
    QVERIFY(!w.form->HasMarkedCells());
    QCOMPARE(w.total("ebSpoluHodnota"), QStringLiteral("20,00"));
    QCOMPARE(w.form->findChild<NumericDisplay *>(QStringLiteral("ebSpoluPocet"))->palette().color(QPalette::Base),
             QColor(210, 210, 210));
}

void TstMainWindow::marksFollowTheirRecordsWhenARowIsDeleted()
{
    // After the sort the mark list is no longer in row order.
    const QByteArray list("20;abc;\r\n10;5;x;\r\n30;1;z;\r\n");
    Window w(&list);
    QCOMPARE(w.column(0), QStringList({QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30"), QString()}));
    QVERIFY(w.form->voucherList().isMarked(2, 1));
    QVERIFY(w.form->voucherList().isMarked(1, 2));
    QVERIFY(w.form->voucherList().isMarked(2, 3));

    QVERIFY(w.model().SetCurrentCell(0, 1));
    w.click("btVymazatRiadok");
    QCOMPARE(w.column(0), QStringList({QStringLiteral("20"), QStringLiteral("30"), QString()}));
    QVERIFY(w.form->voucherList().isMarked(1, 1));
    QVERIFY(!w.form->voucherList().isMarked(2, 1));
    QVERIFY(w.form->voucherList().isMarked(2, 2));
    QVERIFY(!w.form->voucherList().isMarked(1, 2));
}

void TstMainWindow::closeQuestions()
{
    {
        // An empty list has an incomplete row: No keeps the program open.
        Window w;
        w.dialogs.answer({Button::No});
        QVERIFY(!w.close());
        QCOMPARE(w.dialogs.texts(), QStringList({QStringLiteral("Odstrániť nekompletné riadky?")}));
        w.dialogs.answer({Button::Yes});
        QVERIFY(w.close());
        QVERIFY(!QFileInfo::exists(w.listPath()));
    }
    {
        // Marks: answering No keeps the program open, and still writes the
        // changed list.
        const QByteArray list("10;;\r\n20;1;20;\r\n");
        Window w(&list);
        w.dialogs.clear();
        w.dialogs.answer({Button::No});
        QVERIFY(w.model().SetCurrentCell(0, 2));
        w.type(QStringLiteral("\b3\r"));
        QVERIFY(!w.close());
        QCOMPARE(w.dialogs.texts().first(),
                 QStringLiteral("Databáza je v nekonzistentnom stave!\r\nÚdaje nebudú umožnené.\r\n"
                                "Chcete napriek tomu ukončiť editáciu databázy?"));
        // Incomplete rows are not written, and values stay as they were
        // while marks exist.
        QCOMPARE(readAll(w.listPath()), QByteArray("3;1;20;\r\n"));
        QVERIFY(!w.form->isModified());
        w.dialogs.answer({Button::Yes});
        QVERIFY(w.close());
    }
}

void TstMainWindow::closeWritesOnlyAChangedList()
{
    const QByteArray list("10;1;10;\r\n");
    Window w(&list);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-3600);
    {
        QFile file(w.listPath());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(before, QFileDevice::FileModificationTime));
    }
    QVERIFY(w.close());
    QCOMPARE(QFileInfo(w.listPath()).lastModified(), before);

    Window changed(&list);
    QVERIFY(changed.model().SetCurrentCell(0, 2));
    changed.type(QStringLiteral("5\t2\r"));
    QVERIFY(changed.close());
    QCOMPARE(readAll(changed.listPath()), QByteArray("5;2;10;\r\n10;1;10;\r\n"));
}

void TstMainWindow::failedSaveKeepsTheOldFile()
{
    const QByteArray list("10;1;10;\r\n20;1;20;\r\n30;1;30;\r\n");
    Window w(&list);
    QVERIFY(w.model().SetCurrentCell(0, 4));
    w.type(QStringLiteral("40\t1\r"));

    // A write that fails part-way: files may not grow past 8 bytes.
    bool closed = false;
    {
        FileSizeLimit limit(8);
        closed = w.close();
    }

    QVERIFY(closed);
    QCOMPARE(readAll(w.listPath()), list);
    QCOMPARE(w.dialogs.texts().last(),
             QStringLiteral("Chyba pri exportovaní súpisky do súboru \"%1\"!").arg(w.listPath()));
    QVERIFY(w.form->isModified());
}

void TstMainWindow::unreadableListIsReported()
{
    Window w;
    QDir(w.dir.path()).mkdir(QStringLiteral("supiska.csv"));
    ScriptedDialogs dialogs;
    TForm2 form(w.dir.path(), &dialogs);
    QCOMPARE(dialogs.texts(),
             QStringList({QStringLiteral("Chyba pri importovaní databázy zo súboru \"%1\"!").arg(w.listPath())}));
    QCOMPARE(form.voucherList().grid().RowCount(), 2);
    // Saving onto a folder fails too, and says so.
    QVERIFY(form.voucherList().grid().SetCurrentCell(0, 1));
    dialogs.answer({Button::Yes});
    form.voucherList().grid().SetCell(0, 1, QStringLiteral("5"));
    form.voucherList().grid().SetCell(1, 1, QStringLiteral("1"));
    form.close();
}

void TstMainWindow::paymentReferenceTakesTenDigits()
{
    Window w;
    auto *box = w.form->findChild<QLineEdit *>(QStringLiteral("ebSpecSymb"));
    QTest::keyClicks(box, QStringLiteral("12a 3-45678901234"));
    QCOMPARE(box->text(), QStringLiteral("1234567890"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("123456789"));
    // Pasted text is held to the same rules.
    box->clear();
    box->insert(QStringLiteral("12x4"));
    QCOMPARE(box->text(), QString());
    box->insert(QStringLiteral("0123456789"));
    QCOMPARE(box->text(), QStringLiteral("0123456789"));
}

void TstMainWindow::exportDirectoryRoundTrip()
{
    QTemporaryDir exports;
    {
        Window w;
        w.dialogs.chooseDirectory(QString());
        w.form->findChild<QAction *>(QStringLiteral("Nastavenia1"))->trigger();
        QCOMPARE(w.dialogs.texts(),
                 QStringList({QStringLiteral("Zvolte si adresár, kam sa majú ukladať súbory súpisky.")}));
        QVERIFY(w.form->saveDir().isEmpty());

        w.dialogs.chooseDirectory(exports.path());
        w.form->findChild<QAction *>(QStringLiteral("Nastavenia1"))->trigger();
        QCOMPARE(w.form->saveDir(), exports.path() + QLatin1Char('/'));
    }
    {
        Window w;
        QCOMPARE(w.form->saveDir(), exports.path() + QLatin1Char('/'));
    }
    {
        // A value stored by hand is used as it stands; one of another type
        // is no directory.
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Milbor"),
                           QStringLiteral("Kelvaro"));
        settings.setValue(QStringLiteral("saveDir"), QStringLiteral("/srv/export"));
        settings.sync();
        Window w;
        QCOMPARE(w.form->saveDir(), QStringLiteral("/srv/export"));
        settings.setValue(QStringLiteral("saveDir"), QStringList({QStringLiteral("a"), QStringLiteral("b")}));
        settings.sync();
        Window other;
        QCOMPARE(other.form->saveDir(), QString());
    }
}

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
