#pragma once

#include "app/mainwindow.h"
#include "common/windowstyle.h"
#include "database/databasefiles.h"
#include "support/gridtexts.h"
#include "support/gridtyping.h"
#include "support/scripteddialogs.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QTemporaryDir>
#include <QTest>

// The main window over a data folder of its own holding the given
// supiska.csv and DB.csv (no file when null).  Without start it is not yet
// created, so that the test can prepare what its start-up meets.
struct MainWindowFixture
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> form;
    std::unique_ptr<QAbstractItemModelTester> modelTester;

    explicit MainWindowFixture(const QByteArray &list = {}, const QByteArray &db = {}, bool start = true)
    {
        if (!list.isNull())
            dbtest::writeFile(path("supiska.csv"), list);
        if (!db.isNull())
            dbtest::writeFile(path("DB.csv"), db);
        if (start)
            this->start();
    }
    void start(const QString &dataDir = {})
    {
        form = std::make_unique<MainWindow>(dataDir.isEmpty() ? dir.path() : dataDir, &dialogs);
        modelTester = std::make_unique<QAbstractItemModelTester>(&model());
        form->show();
    }
    // A file in the data folder; no name, no file.
    QString path(const QString &name) const { return name.isEmpty() ? QString() : dir.filePath(name); }
    template <typename T = QWidget>
    T *child(const char *name) const { return form->findChild<T *>(QLatin1String(name)); }
    RecordView *grid() const { return child<RecordView>("sgSupiska"); }
    VoucherModel &model() const { return form->voucherModel(); }
    QStringList column(int c) const { return ColumnTexts(model(), c); }
    // The cells painted in the marks' colours, named as MarkedCellNames()
    // names them.
    QStringList paintedMarks() const
    {
        const QImage shown = grid()->viewport()->grab().toImage();
        QStringList found;
        for (int r = 0; r < model().rowCount(); ++r)
            for (int c = 0; c < model().columnCount(); ++c) {
                const QRect cell = grid()->visualRect(model().index(r, c));
                if (shown.pixelColor(cell.right() - 3, cell.center().y()) == MarkBrush())
                    found << QStringLiteral("%1,%2").arg(c).arg(r);
            }
        return found;
    }
    // What a user does, in order: characters typed into the grid ("\t" Tab,
    // "\r" Enter, "\b" Backspace), "^" F2, "@cr" a click on cell (c, r) with
    // one digit each, "|" a click on the first cell of the last row, "~k" Alt+K.
    void play(const QString &script) const
    {
        for (int i = 0; i < script.size(); ++i) {
            const QChar c = script.at(i);
            if (c == QLatin1Char('@') || c == QLatin1Char('|')) {
                const bool last = c == QLatin1Char('|');
                const int row = last ? model().rowCount() - 1 : script.at(i + 2).digitValue();
                clickCell(grid(), row, last ? 0 : script.at(i + 1).digitValue());
                i += last ? 0 : 2;
            } else if (c == QLatin1Char('~')) {
                form->activateWindow(); // shortcuts go to the active window
                QVERIFY(QTest::qWaitForWindowActive(form.get()));
                QTest::keyClick(grid(), script.at(++i).toLatin1(), Qt::AltModifier);
                // A button's mnemonic presses it for a moment before it clicks.
                const auto buttons = form->findChildren<QAbstractButton *>();
                QTRY_VERIFY(std::none_of(buttons.cbegin(), buttons.cend(), [](auto *b) { return b->isDown(); }));
            } else if (c == QLatin1Char('^')) {
                QTest::keyClick(grid(), Qt::Key_F2);
            } else {
                typeIntoGrid(grid(), c);
            }
        }
    }
    bool close() const { return form->close() && !form->isVisible(); }
};
