// Start-up: from launching the process to the main window's first painting,
// the program with a 1,000-establishment DB.csv and a 50-row supiska.csv
// against a bare QMainWindow built with the same flags, and beside them the
// bare window with one line of text, the share of fonts.  All run from a
// temporary folder, since the program reads its files beside its executable,
// in alternating order after a warm-up; the figures are medians.
#include "generateddata.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <optional>
#include <vector>

namespace {

constexpr int Establishments = 1000;
constexpr int ListRows = 50;
constexpr int WarmUpRuns = 2;
constexpr int DefaultRuns = 30;
constexpr int TimeoutMs = 30000;

qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

void fail(const QString &text)
{
    std::fprintf(stderr, "bench_startup: %s\n", qPrintable(text));
    std::exit(1);
}

struct Run
{
    double ms = 0;
    QList<int> tableRows; // row counts of the main window's tables
};

// Launches the program and waits for the probe's report of its first painting.
Run launch(const QString &program, const QProcessEnvironment &environment, const QStringList &arguments = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QFileInfo(program).path());
    const qint64 start = monotonicNs();
    process.start(program, arguments);
    if (!process.waitForFinished(TimeoutMs)) {
        process.kill();
        process.waitForFinished();
        fail(QStringLiteral("%1 showed no main window within %2 s; did a message box or the database window "
                            "open first?").arg(program).arg(TimeoutMs / 1000));
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        fail(QStringLiteral("%1 failed: %2").arg(program, QString::fromLocal8Bit(process.readAllStandardError())));
    // The probe ends the program before its close would let its data folder
    // go; the next start finds the folder free, as after a normal close.
    QFile::remove(QFileInfo(program).dir().filePath(QStringLiteral("kelvaro.lock")));

    Run run;
    std::optional<qint64> painted;
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (line.startsWith("first paint ") && words.size() == 3)
            painted = words.at(2).toLongLong();
        else if (line.startsWith("rows ") && words.size() == 3)
            run.tableRows << words.at(2).toInt();
    }
    if (!painted)
        fail(QStringLiteral("%1 did not report its first painting").arg(program));
    run.ms = double(*painted - start) / 1e6;
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

QString copyInto(const QDir &dir, const QString &source, const QString &name)
{
    const QString target = dir.filePath(name);
    if (!QFile::copy(source, target))
        fail(QStringLiteral("cannot copy %1 to %2").arg(source, target));
    return target;
}

void writeFile(const QDir &dir, const QString &name, const QByteArray &contents)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        fail(QStringLiteral("cannot write %1").arg(file.fileName()));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    int runs = DefaultRuns;
    if (const qsizetype k = arguments.indexOf(QStringLiteral("-runs")); k > 0 && k + 1 < arguments.size())
        runs = std::max(1, arguments.at(k + 1).toInt());

    QTemporaryDir temporary;
    if (!temporary.isValid())
        fail(QStringLiteral("no temporary folder"));
    const QDir dir(temporary.path());
    const QDir built(QCoreApplication::applicationDirPath());
    const QString kelvaro = copyInto(dir, built.filePath(QStringLiteral("bench_startup_kelvaro")), QStringLiteral("kelvaro"));
    const QString bare = copyInto(dir, built.filePath(QStringLiteral("bench_startup_bare")), QStringLiteral("bare"));
    writeFile(dir, QStringLiteral("DB.csv"), benchdata::establishments(Establishments));
    writeFile(dir, QStringLiteral("supiska.csv"), benchdata::voucherList(ListRows));

    // The program reads its export folder setting; keep it from the user's.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));

    // The list really loaded: its view shows the data rows and the empty
    // entry row below them.  (The database window's view is made when it is
    // first shown; its table is read all the same.)
    const Run check = launch(kelvaro, environment);
    if (!check.tableRows.contains(ListRows + 1)) {
        QStringList counts;
        for (int rows : check.tableRows)
            counts << QString::number(rows);
        fail(QStringLiteral("the program's list holds %1 rows, not the generated file's %2")
                 .arg(counts.join(QStringLiteral(", ")))
                 .arg(ListRows + 1));
    }

    const QStringList withText{QStringLiteral("--text")};
    for (int k = 0; k < WarmUpRuns; ++k) {
        launch(bare, environment);
        launch(bare, environment, withText);
        launch(kelvaro, environment);
    }
    std::vector<double> programMs, bareMs, textMs;
    for (int k = 0; k < runs; ++k) {
        // Alternate which goes first.
        if (k % 2) {
            programMs.push_back(launch(kelvaro, environment).ms);
            textMs.push_back(launch(bare, environment, withText).ms);
            bareMs.push_back(launch(bare, environment).ms);
        } else {
            bareMs.push_back(launch(bare, environment).ms);
            textMs.push_back(launch(bare, environment, withText).ms);
            programMs.push_back(launch(kelvaro, environment).ms);
        }
    }
    const double program = median(programMs);
    const double yardstick = median(bareMs);
    const double text = median(textMs);
    std::printf("start-up to first paint, Kelvaro with %s establishments and %d list rows (median of %d): %.0f ms "
                "(target none)\n",
                qPrintable(QLocale(QLocale::English).toString(Establishments)), ListRows, runs, program);
    std::printf("start-up to first paint, bare QMainWindow (median of %d): %.0f ms (target none)\n", runs, yardstick);
    std::printf("start-up to first paint, bare QMainWindow with one line of text (median of %d): %.0f ms "
                "(target none)\n",
                runs, text);
    std::printf("start-up to first paint, ratio of the window with one line of text to the bare one: %.2f "
                "(target none)\n",
                text / yardstick);
    std::printf("start-up to first paint, ratio to a bare QMainWindow: %.2f (target <= 1.3)\n", program / yardstick);
    return 0;
}
