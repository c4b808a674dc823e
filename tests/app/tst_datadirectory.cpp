// Where the data files live: beside the executable, or in the user's folder
// when the program runs from the folder it is installed into.
#include "app/datadirectory.h"
#include "mainwindowfixture.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

using namespace dbtest;

class TstDataDirectory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void decidedByTheInstalledFolder_data();
    void decidedByTheInstalledFolder();
    void userFolderMadeByTheFirstSave();

private:
    QTemporaryDir root_;
};

void TstDataDirectory::initTestCase()
{
    // A prefix with its binary folder, a link to it and a build folder.
    const QDir root(root_.path());
    QVERIFY(root.mkpath(QStringLiteral("usr/bin/kelvaro")));
    QVERIFY(root.mkpath(QStringLiteral("build")));
#ifndef Q_OS_WIN
    QVERIFY(QFile::link(root.filePath(QStringLiteral("usr/bin")), root.filePath(QStringLiteral("bin"))));
#endif
}

void TstDataDirectory::decidedByTheInstalledFolder_data()
{
    QTest::addColumn<QString>("executableDir");
    QTest::addColumn<QString>("installedDir");
    QTest::addColumn<bool>("userFolder");
    const QString bin = root_.filePath(QStringLiteral("usr/bin"));
    QTest::newRow("installed") << bin << bin << true;
#ifndef Q_OS_WIN
    // On Windows QFile::link makes a shortcut, which no path leads through.
    QTest::newRow("installed, reached through a link") << root_.filePath(QStringLiteral("bin"))
                                                       << bin + QStringLiteral("/../bin") << true;
#endif
    QTest::newRow("build folder") << root_.filePath(QStringLiteral("build")) << bin << false;
    QTest::newRow("a folder inside the installed one") << bin + QStringLiteral("/kelvaro") << bin << false;
    QTest::newRow("installed folder missing") << root_.filePath(QStringLiteral("build"))
                                              << root_.filePath(QStringLiteral("opt/bin")) << false;
}

void TstDataDirectory::decidedByTheInstalledFolder()
{
    QFETCH(QString, executableDir);
    QFETCH(QString, installedDir);
    QFETCH(bool, userFolder);
    QCOMPARE(DataDirectory(executableDir, installedDir),
             userFolder ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : executableDir);
}

void TstDataDirectory::userFolderMadeByTheFirstSave()
{
    // No folder yet reads as no files; saving the list makes the folder.
    MainWindow w(QByteArray(), QByteArray(), false);
    const QString data = w.dir.filePath(QStringLiteral("Milbor/Kelvaro"));
    w.form = std::make_unique<TForm2>(data, &w.dialogs);
    w.form->show();
    QVERIFY(w.dialogs.shown().isEmpty());
    QCOMPARE(w.column(0), QStringList({""}));
    w.type(QStringLiteral("10\t1\r"));
    QVERIFY(w.close());
    QVERIFY(w.dialogs.shown().isEmpty());
    QCOMPARE(readAll(data + QStringLiteral("/supiska.csv")), QByteArray("10;1;10;\r\n"));
}

QTEST_MAIN(TstDataDirectory)
#include "tst_datadirectory.moc"
