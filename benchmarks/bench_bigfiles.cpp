// Data files as large as the program reads (just under the size limit), each
// opened in a process of its own: from creating the main window, with every
// box answered, to the first painting of the window that shows the file, and
// then the first painting of the other window; and the process's peak
// memory beyond that of the program started without data files, as a
// multiple of the file's size.  One line per figure.
#include "app/mainwindow.h"
#include "grid/recordfile.h"
#include "grid/recordview.h"
#include "database/databasewindow.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr qint64 FileSize = RecordFileSizeLimit - 1024;

struct Kind
{
    const char *name;
    QByteArray line; // repeated up to the size; empty: one line of digits
};

const Kind Kinds[] = {
    {"one line", QByteArray()},
    {"lines of 16 bytes", QByteArrayLiteral("12;345;6789;ab;\r\n")},
    {"lines of 3 bytes", QByteArrayLiteral("7\r\n")},
};

QByteArray contents(const Kind &kind)
{
    if (kind.line.isEmpty())
        return QByteArray(FileSize, '5');
    QByteArray bytes;
    bytes.reserve(FileSize);
    while (bytes.size() + kind.line.size() <= FileSize)
        bytes += kind.line;
    return bytes;
}

qint64 peakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// The child: opens the program over the folder and prints "<load ms> <paint
// ms of the file's window> <paint ms of the other window> <peak kB>".
int openOnce(const QString &dataDir, bool database)
{
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    ScriptedDialogs dialogs;
    QElapsedTimer timer;
    timer.start();
    MainWindow form(dataDir, &dialogs);
    const qint64 loadMs = timer.elapsed();
    const auto paint = [](QWidget *window, RecordView *grid) {
        QElapsedTimer painted;
        painted.start();
        window->show();
        grid->viewport()->repaint();
        window->repaint();
        return painted.elapsed();
    };
    RecordView *list = form.findChild<RecordView *>(QStringLiteral("sgSupiska"));
    DatabaseWindow *db = form.databaseWindow();
    const qint64 listMs = paint(&form, list);
    const qint64 dbMs = paint(db, db->grid());
    std::printf("%lld %lld %lld %lld\n", loadMs, database ? dbMs : listMs, database ? listMs : dbMs, peakKb());
    return 0;
}

struct Figures
{
    qint64 loadMs = 0;
    qint64 paintMs = 0;
    qint64 otherMs = 0;
    qint64 peakKb = 0;
};

Figures launch(const QString &dataDir, bool database)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--open"), dataDir, database ? QStringLiteral("db") : QStringLiteral("list")});
    child.waitForFinished(120000);
    const QList<QByteArray> words = child.readAllStandardOutput().trimmed().split(' ');
    if (child.exitCode() != 0 || words.size() != 4) {
        std::fprintf(stderr, "bench_bigfiles: the child failed: %s\n", child.readAllStandardError().constData());
        std::exit(1);
    }
    return {words.at(0).toLongLong(), words.at(1).toLongLong(), words.at(2).toLongLong(), words.at(3).toLongLong()};
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments.at(1) == QLatin1String("--open"))
        return openOnce(arguments.at(2), arguments.at(3) == QLatin1String("db"));

    QTemporaryDir empty;
    const qint64 emptyKb = launch(empty.path(), false).peakKb;
    for (const char *fileName : {"DB.csv", "supiska.csv"}) {
        const bool database = qstrcmp(fileName, "DB.csv") == 0;
        for (const Kind &kind : Kinds) {
            QTemporaryDir dir;
            QFile file(QDir(dir.path()).filePath(QLatin1String(fileName)));
            const QByteArray bytes = contents(kind);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
                std::fprintf(stderr, "bench_bigfiles: cannot write %s\n", qPrintable(file.fileName()));
                return 1;
            }
            file.close();
            const Figures f = launch(dir.path(), database);
            const QString what = QStringLiteral("%1 of 32 MB, %2").arg(QLatin1String(fileName), QLatin1String(kind.name));
            std::printf("%s: read, checked and sorted, every box answered: %lld ms (target <= 3000 ms)\n",
                        qPrintable(what), f.loadMs);
            std::printf("%s: then the first paint of the %s: %lld ms (target <= 500 ms)\n", qPrintable(what),
                        database ? "database window" : "main window", f.paintMs);
            std::printf("%s: then the first paint of the %s: %lld ms (target <= 500 ms)\n", qPrintable(what),
                        database ? "main window" : "database window", f.otherMs);
            std::printf("%s: peak memory beyond the empty program's, in file sizes: %.1f (target <= 12)\n",
                        qPrintable(what), double(f.peakKb - emptyKb) * 1024 / double(bytes.size()));
            std::fflush(stdout);
        }
    }
    return 0;
}
