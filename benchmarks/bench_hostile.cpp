// Start-up over damaged data files: DB.csv through the database window,
// supiska.csv through the main window, each from creating the window to its
// grid's first painting.  One line per file, the median of three runs.  Names
// given on the command line choose the kinds of damage.
#include "app/mainwindow.h"
#include "grid/recordview.h"
#include "database/databasewindow.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr qint64 TargetMs = 1000;

// Each kind of damage, the same bytes for both files: what a merchant's disk
// may hand the program, a file cut, garbled, written by another program or no
// data file at all.
QMap<QString, QByteArray> DamagedFiles()
{
    const QByteArray establishment = "1;000100;Bistro;Hlavn\xe1 1;Nitra;35757442;;02;1234567;02/1234568;;\r\n";
    QByteArray random(16384, Qt::Uninitialized);
    QRandomGenerator generator(0x4B454C56);
    for (char &c : random)
        c = char(generator.bounded(256));
    QByteArray all;
    for (int c = 0; c < 256; ++c)
        all += establishment.left(9) + char((c + 27) % 256) + establishment.mid(9); // Ctrl-Z last
    return {
        {QStringLiteral("random-bytes"), random.replace('\x1a', '\x1b')},
        {QStringLiteral("all-bytes"), all},
        {QStringLiteral("nul-bytes"), QByteArray(" 10\0;\0" "5;\r\n2\0" "0;1;\r\n", 16) + QByteArray(200, '\0')},
        {QStringLiteral("cr-only"), QByteArray(establishment).replace("\r\n", "\r").repeated(3) + "20;1;\r"},
        {QStringLiteral("lf-only"), QByteArray(establishment).replace("\r\n", "\n").repeated(3) + "20;1;\n"},
        {QStringLiteral("ctrl-z"), establishment + "2\x1a" + establishment},
        {QStringLiteral("long-line"), establishment + QByteArray(10 << 20, '9')},
        {QStringLiteral("many-lines"), establishment.repeated(100000)},
        {QStringLiteral("long-fields"), QByteArray(1000, 'x') + ';' + QByteArray(1000, '1') + ";\r\n"},
        {QStringLiteral("many-fields"), QByteArray("10;").repeated(100000)},
    };
}

// Milliseconds from creating the window to its grid's first painting.
qint64 timeStart(const QString &dataDir, bool database)
{
    ScriptedDialogs dialogs;
    QElapsedTimer timer;
    timer.start();
    if (database) {
        DatabaseWindow form(dataDir, dialogs);
        form.show();
        form.grid()->viewport()->repaint();
        return timer.elapsed();
    }
    MainWindow form(dataDir, &dialogs);
    form.show();
    form.findChild<RecordView *>(QStringLiteral("sgSupiska"))->viewport()->repaint();
    return timer.elapsed();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The main window reads the export directory: never the user's own.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    const QMap<QString, QByteArray> damaged = DamagedFiles();
    // Given names choose the cases; without, all of them.
    QStringList cases = damaged.keys();
    const QStringList chosen = QCoreApplication::arguments().mid(1);
    if (!chosen.isEmpty())
        cases = chosen;
    for (const char *fileName : {"DB.csv", "supiska.csv"}) {
        for (const QString &name : cases) {
            QTemporaryDir dataDir;
            QFile file(dataDir.filePath(QLatin1String(fileName)));
            const QByteArray bytes = damaged.value(name);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
                std::fprintf(stderr, "cannot write %s of %s\n", fileName, qPrintable(name));
                return 1;
            }
            file.close();
            std::array<qint64, 3> runs{};
            for (qint64 &ms : runs)
                ms = timeStart(dataDir.path(), qstrcmp(fileName, "DB.csv") == 0);
            std::sort(runs.begin(), runs.end());
            const qint64 median = runs[1];
            std::printf("load hostile %s %s: %lld ms (target < %lld ms)\n", fileName, qPrintable(name), median,
                        TargetMs);
            std::fflush(stdout);
        }
    }
    return 0;
}
