#pragma once

#include "app/numericdisplay.h"
#include "app/supiska.h"
#include "common/gridmodel.h"
#include "database/databasefiles.h"
#include "support/gridtexts.h"
#include "support/gridtyping.h"
#include "support/scripteddialogs.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The main window over a data folder of its own holding the given
// supiska.csv and DB.csv (no file when null).  Without start it is not yet
// created, so that the test can script what its start-up shows.
struct MainWindow
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<TForm2> form;

    explicit MainWindow(const QByteArray &list = QByteArray(), const QByteArray &db = QByteArray(), bool start = true)
    {
        if (!list.isNull())
            dbtest::writeFile(path("supiska.csv"), list);
        if (!db.isNull())
            dbtest::writeFile(path("DB.csv"), db);
        if (start)
            this->start();
    }
    void start()
    {
        form = std::make_unique<TForm2>(dir.path(), &dialogs);
        form->show();
    }

    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    template <typename T = QWidget>
    T *child(const char *name) const
    {
        return form->findChild<T *>(QLatin1String(name));
    }
    StringGrid *grid() const { return child<StringGrid>("sgSupiska"); }
    GridModel &model() const { return form->voucherList().grid(); }
    QString cell(int column, int row) const { return model().Cell(column, row); }
    QString total(const char *name) const { return child<NumericDisplay>(name)->text(); }
    QStringList column(int c) const { return ColumnTexts(model(), c); }
    // Marked cells as "column,row", by row.
    QStringList marks() const { return MarkedCellNames(model()); }
    void click(const char *button) const { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    void type(const QString &keys) const { typeIntoGrid(grid(), keys); }
    bool close() const
    {
        form->close();
        return !form->isVisible();
    }
};
