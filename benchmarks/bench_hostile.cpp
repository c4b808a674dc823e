// Start-up over each damaged data file of the test corpus: DB.csv through the
// database window, supiska.csv through the main window, each from creating
// the window to its grid's first painting.  One line per file, the median of
// three runs.  Names given on the command line choose the cases.
#include "app/supiska.h"
#include "common/stringgrid.h"
#include "database/prevadzky.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr qint64 TargetMs = 1000;

// Milliseconds from creating the window to its grid's first painting.
qint64 timeStart(const QString &dataDir, bool database)
{
    ScriptedDialogs dialogs;
    QElapsedTimer timer;
    timer.start();
    if (database) {
        TForm1 form(dataDir, dialogs);
        form.show();
        form.grid()->viewport()->repaint();
        return timer.elapsed();
    }
    TForm2 form(dataDir, &dialogs);
    form.show();
    form.findChild<StringGrid *>(QStringLiteral("sgSupiska"))->viewport()->repaint();
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

    const QDir corpus(QStringLiteral(KELVARO_HOSTILE_DIR));
    // Given names choose the cases; without, all of them.
    QStringList cases = corpus.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    const QStringList chosen = QCoreApplication::arguments().mid(1);
    if (!chosen.isEmpty())
        cases = chosen;
    if (cases.isEmpty()) {
        std::fprintf(stderr, "no damaged files in %s\n", qPrintable(corpus.path()));
        return 1;
    }
    for (const char *fileName : {"DB.csv", "supiska.csv"}) {
        for (const QString &name : cases) {
            QTemporaryDir dataDir;
            if (!QFile::copy(corpus.filePath(name + QLatin1Char('/') + QLatin1String(fileName)),
                             dataDir.filePath(QLatin1String(fileName)))) {
                std::fprintf(stderr, "cannot copy %s of %s\n", fileName, qPrintable(name));
                return 1;
            }
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
