#include "privatecups.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QStandardPaths>
#include <QThread>

#include <csignal>

#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString PdfPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

QString program(const QString &name)
{
    return QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/bin"});
}

} // namespace

PrivateCups::PrivateCups() : dir_(QDir::tempPath() + "/kelvaro-cups-XXXXXX")
{
    // The scheduler runs its filters as the user lp, who must reach the spool.
    chmod(QFile::encodeName(dir_.path()).constData(), 0755);
    for (const char *folder : {"conf", "etc", "spool/tmp", "cache", "state", "log", "pdf", "tmp"})
        QDir(dir_.path()).mkpath(folder);
    qputenv("CUPS_SERVER", QFile::encodeName(path("cups.sock")));
}

std::optional<QString> PrivateCups::tool(const QString &name, const QStringList &arguments) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program(name), QStringList{"-h", path("cups.sock")} + arguments);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(process.readAll());
}

QString PrivateCups::start()
{
    if (!dir_.isValid() || geteuid() != 0 || program("cupsd").isEmpty() || !QFile::exists(PdfPpd))
        return "the private scheduler needs root (it mounts in a namespace of its own and runs the cups-pdf backend "
               "as root), a temporary folder and the packages cups and printer-driver-cups-pdf";
    // Local clients only; a job that its backend fails ends there instead of
    // stopping the queue.  cups-pdf.conf is what the backend finds in /etc/cups.
    const QString files[][2] = {
        {"conf/cupsd.conf", "Listen %1/cups.sock\nLogLevel warn\nBrowsing No\nWebInterface No\nErrorPolicy abort-job\n"
                            "<Location />\n  Order allow,deny\n  Allow localhost\n</Location>\n"},
        {"conf/cups-files.conf", "ServerRoot %1/conf\nRequestRoot %1/spool\nTempDir %1/spool/tmp\nCacheDir %1/cache\n"
                                 "StateDir %1/state\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                                 "PageLog %1/log/page_log\nPrintcap %1/printcap\n"},
        {"etc/cups-pdf.conf", "Out %1/pdf\nAnonDirName %1/pdf\nSpool %1/cups-pdf-spool\nLog %1/log\nGSTmp %1/tmp\n"}};
    for (const auto &[name, text] : files) {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(text.arg(dir_.path()).toUtf8()) < 0)
            return "cannot write " + file.fileName();
    }
    cupsd_.setProgram(program("unshare"));
    cupsd_.setArguments({"--mount", "--propagation", "private", "sh", "-c",
                         "mount --bind \"$0\" /etc/cups && exec \"$1\" -f -c \"$2\" -s \"$3\"", path("etc"),
                         program("cupsd"), path("conf/cupsd.conf"), path("conf/cups-files.conf")});
    // The scheduler goes with the test even when the test dies unexpectedly.
    cupsd_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    cupsd_.setProcessChannelMode(QProcess::MergedChannels);
    cupsd_.setStandardOutputFile(path("log/cupsd-output"));
    cupsd_.start();
    // The scheduler is ready once it listens on its socket.
    for (const QDeadlineTimer deadline(10000); cupsd_.state() != QProcess::NotRunning && !deadline.hasExpired();
         QThread::msleep(50))
        if (QFile::exists(path("cups.sock")))
            return {};
    stop();
    return "cupsd does not answer\n" + logs();
}

QString PrivateCups::addPdfQueue(const QString &name)
{
    const bool added = tool("lpadmin", {"-p", name, "-E", "-v", "cups-pdf:/", "-P", PdfPpd}).has_value();
    return added ? QString() : "lpadmin failed\n" + logs();
}

QString PrivateCups::waitUntilIdle(const QString &queue)
{
    for (const QDeadlineTimer deadline(30000); !deadline.hasExpired(); QThread::msleep(50))
        if (tool("lpstat", {"-o", queue}) == "")
            return {};
    return "jobs of " + queue + " still pending:\n" + tool("lpstat", {"-o", queue}).value_or("") + logs();
}

void PrivateCups::stop()
{
    cupsd_.terminate();
    if (!cupsd_.waitForFinished(10000))
        cupsd_.kill();
    cupsd_.waitForFinished(10000);
}

QString PrivateCups::logs() const
{
    QString text;
    const QDir folder(path("log"));
    for (const QString &log : folder.entryList({"cupsd-output", "error_log", "cups-pdf-*_log"}, QDir::Files)) {
        QFile file(folder.filePath(log));
        text += file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }
    return text;
}
