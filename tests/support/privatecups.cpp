#include "privatecups.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <csignal>

#include <sys/prctl.h>
#include <unistd.h>

namespace {

const QString CupsPdfBackend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
const QString CupsPdfPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
constexpr int StartTimeoutMs = 10000;
constexpr int JobsTimeoutMs = 30000;
constexpr int PollMs = 50;

QString findProgram(const QString &name)
{
    const QString found = QStandardPaths::findExecutable(name);
    if (!found.isEmpty())
        return found;
    return QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
}

struct Run
{
    bool ok = false;
    QString output;
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C")); // messages read below
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(StartTimeoutMs);
    return {finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
            QString::fromLocal8Bit(process.readAll())};
}

bool writeText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) == text.toUtf8().size();
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

} // namespace

PrivateCups::PrivateCups() : dir_(QDir::tempPath() + QStringLiteral("/kelvaro-cups-XXXXXX"))
{
    if (!dir_.isValid())
        return;
    // The scheduler runs its filters as the user lp, who must reach the spool.
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                           | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    for (const char *folder : {"conf", "etc", "spool/tmp", "cache", "state", "log", "pdf", "tmp"})
        QDir(dir_.path()).mkpath(QLatin1String(folder));
    qputenv("CUPS_SERVER", QFile::encodeName(path(QStringLiteral("cups.sock"))));
}

PrivateCups::~PrivateCups()
{
    stop();
}

QString PrivateCups::pdfFolder() const
{
    return path(QStringLiteral("pdf"));
}

QString PrivateCups::writeConfiguration()
{
    const QString cupsd = QStringLiteral("Listen %1\n"
                                         "LogLevel warn\n"
                                         "Browsing No\n"
                                         "WebInterface No\n"
                                         // A job that its backend fails ends there instead of stopping the queue.
                                         "ErrorPolicy abort-job\n"
                                         // Local clients only; root administers through the
                                         // socket's peer credentials.
                                         "<Location />\n"
                                         "  Order allow,deny\n"
                                         "  Allow localhost\n"
                                         "</Location>\n")
                              .arg(path(QStringLiteral("cups.sock")));
    const QString files = QStringLiteral("ServerRoot %1/conf\n"
                                         "RequestRoot %1/spool\n"
                                         "TempDir %1/spool/tmp\n"
                                         "CacheDir %1/cache\n"
                                         "StateDir %1/state\n"
                                         "ErrorLog %1/log/error_log\n"
                                         "AccessLog %1/log/access_log\n"
                                         "PageLog %1/log/page_log\n"
                                         "Printcap %1/printcap\n")
                              .arg(dir_.path());
    // What the backend finds under /etc/cups in the scheduler's namespace.
    const QString cupsPdf = QStringLiteral("Out %1/pdf\n"
                                           "AnonDirName %1/pdf\n"
                                           "Spool %1/cups-pdf-spool\n"
                                           "Log %1/log\n"
                                           "GSTmp %1/tmp\n")
                                .arg(dir_.path());
    if (!writeText(path(QStringLiteral("conf/cupsd.conf")), cupsd)
        || !writeText(path(QStringLiteral("conf/cups-files.conf")), files)
        || !writeText(path(QStringLiteral("etc/cups-pdf.conf")), cupsPdf))
        return QStringLiteral("cannot write the configuration into ") + dir_.path();
    return {};
}

QString PrivateCups::start()
{
    if (!dir_.isValid())
        return QStringLiteral("no temporary folder: ") + dir_.errorString();
    const QString cupsd = findProgram(QStringLiteral("cupsd"));
    const QString lpstat = findProgram(QStringLiteral("lpstat"));
    if (cupsd.isEmpty() || lpstat.isEmpty())
        return QStringLiteral("cupsd or lpstat not found: the package cups is not installed");
    if (!QFile::exists(CupsPdfBackend) || !QFile::exists(CupsPdfPpd))
        return QStringLiteral("the cups-pdf backend or its PPD is missing: "
                              "the package printer-driver-cups-pdf is not installed");
    if (geteuid() != 0)
        return QStringLiteral("the private scheduler needs root: it mounts in a namespace of its own "
                              "and runs the cups-pdf backend as root");
    if (const QString error = writeConfiguration(); !error.isEmpty())
        return error;

    cupsd_.setProgram(findProgram(QStringLiteral("unshare")));
    cupsd_.setArguments({QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
                         QStringLiteral("sh"), QStringLiteral("-c"),
                         QStringLiteral("mount --bind \"$0\" /etc/cups && exec \"$1\" -f -c \"$2\" -s \"$3\""),
                         path(QStringLiteral("etc")), cupsd, path(QStringLiteral("conf/cupsd.conf")),
                         path(QStringLiteral("conf/cups-files.conf"))});
    // The scheduler goes with the test even when the test dies unexpectedly.
    cupsd_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    cupsd_.setProcessChannelMode(QProcess::MergedChannels);
    cupsd_.setStandardOutputFile(path(QStringLiteral("log/cupsd-output")));
    cupsd_.start();
    if (!cupsd_.waitForStarted(StartTimeoutMs))
        return QStringLiteral("cupsd did not start: ") + cupsd_.errorString();

    const QDeadlineTimer deadline(StartTimeoutMs);
    const QStringList ask{QStringLiteral("-h"), path(QStringLiteral("cups.sock")), QStringLiteral("-r")};
    // lpstat tells that the scheduler is not running with success too.
    for (Run answer = run(lpstat, ask); !answer.ok || !answer.output.startsWith(QLatin1String("scheduler is running"));
         answer = run(lpstat, ask)) {
        if (cupsd_.state() == QProcess::NotRunning || deadline.hasExpired()) {
            stop();
            return QStringLiteral("cupsd does not answer\n") + logs();
        }
        QThread::msleep(PollMs);
    }
    return {};
}

QString PrivateCups::addPdfQueue(const QString &name)
{
    const Run added = run(findProgram(QStringLiteral("lpadmin")),
                          {QStringLiteral("-h"), path(QStringLiteral("cups.sock")), QStringLiteral("-p"), name,
                           QStringLiteral("-E"), QStringLiteral("-v"), QStringLiteral("cups-pdf:/"),
                           QStringLiteral("-P"), CupsPdfPpd});
    return added.ok ? QString() : QStringLiteral("lpadmin failed: ") + added.output;
}

QString PrivateCups::waitUntilIdle(const QString &queue)
{
    const QString lpstat = findProgram(QStringLiteral("lpstat"));
    const QStringList pendingJobs{QStringLiteral("-h"), path(QStringLiteral("cups.sock")), QStringLiteral("-o"), queue};
    const QDeadlineTimer deadline(JobsTimeoutMs);
    for (Run pending = run(lpstat, pendingJobs); !pending.ok || !pending.output.isEmpty();
         pending = run(lpstat, pendingJobs)) {
        if (deadline.hasExpired())
            return QStringLiteral("jobs of %1 still pending:\n%2\n%3").arg(queue, pending.output, logs());
        QThread::msleep(PollMs);
    }
    return {};
}

void PrivateCups::stop()
{
    if (cupsd_.state() == QProcess::NotRunning)
        return;
    cupsd_.terminate();
    if (!cupsd_.waitForFinished(StartTimeoutMs)) {
        cupsd_.kill();
        cupsd_.waitForFinished(StartTimeoutMs);
    }
}

QString PrivateCups::logs() const
{
    QString text = readText(path(QStringLiteral("log/cupsd-output"))) + readText(path(QStringLiteral("log/error_log")));
    const QStringList backendLogs =
        QDir(path(QStringLiteral("log"))).entryList({QStringLiteral("cups-pdf-*_log")}, QDir::Files);
    for (const QString &log : backendLogs) {
        const QStringList lines = readText(path(QStringLiteral("log/") + log)).split(QLatin1Char('\n'));
        for (const QString &line : lines)
            if (line.contains(QLatin1String("[ERROR]")))
                text += line + QLatin1Char('\n');
    }
    return text;
}
