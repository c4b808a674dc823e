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

const QString PdfPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

QString program(const QString &name)
{
    return QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/bin", "/sbin", "/bin"});
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

// Polls until done() or the deadline; false on the deadline.
template <typename Done> bool waitFor(int milliseconds, Done done)
{
    for (const QDeadlineTimer deadline(milliseconds); !done(); QThread::msleep(50))
        if (deadline.hasExpired())
            return false;
    return true;
}

} // namespace

PrivateCups::PrivateCups() : dir_(QDir::tempPath() + "/kelvaro-cups-XXXXXX")
{
    // The scheduler runs its filters as the user lp, who must reach the spool.
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                           | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    for (const char *folder : {"conf", "etc", "spool/tmp", "cache", "state", "log", "pdf", "tmp"})
        QDir(dir_.path()).mkpath(folder);
    qputenv("CUPS_SERVER", QFile::encodeName(path("cups.sock")));
}

std::optional<QString> PrivateCups::tool(const QString &name, const QStringList &arguments) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C"); // messages read below
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program(name), QStringList{"-h", path("cups.sock")} + arguments);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(process.readAll());
}

QString PrivateCups::start()
{
    if (!dir_.isValid() || program("cupsd").isEmpty() || !QFile::exists(PdfPpd))
        return "no temporary folder, or the packages cups and printer-driver-cups-pdf are not installed";
    if (geteuid() != 0)
        return "the private scheduler needs root: it mounts in a namespace of its own and runs the cups-pdf "
               "backend as root";
    // Local clients only; a job that its backend fails ends there instead of
    // stopping the queue.  cups-pdf.conf is what the backend finds in /etc/cups.
    const QString root = dir_.path();
    const std::pair<const char *, QString> files[] = {
        {"conf/cupsd.conf", "Listen " + path("cups.sock") + "\nLogLevel warn\nBrowsing No\nWebInterface No\n"
                            "ErrorPolicy abort-job\n<Location />\n  Order allow,deny\n  Allow localhost\n</Location>\n"},
        {"conf/cups-files.conf", QString("ServerRoot %1/conf\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                                         "CacheDir %1/cache\nStateDir %1/state\nErrorLog %1/log/error_log\n"
                                         "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                                         "Printcap %1/printcap\n").arg(root)},
        {"etc/cups-pdf.conf",
         QString("Out %1/pdf\nAnonDirName %1/pdf\nSpool %1/cups-pdf-spool\nLog %1/log\nGSTmp %1/tmp\n").arg(root)}};
    for (const auto &[name, text] : files) {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) != text.toUtf8().size())
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
    if (waitFor(10000, [this] {
            return cupsd_.state() == QProcess::NotRunning
                || tool("lpstat", {"-r"}).value_or("").startsWith("scheduler is running");
        }) && cupsd_.state() != QProcess::NotRunning)
        return {};
    stop();
    return "cupsd does not answer\n" + logs();
}

QString PrivateCups::addPdfQueue(const QString &name)
{
    return tool("lpadmin", {"-p", name, "-E", "-v", "cups-pdf:/", "-P", PdfPpd}) ? QString() : "lpadmin failed\n" + logs();
}

QString PrivateCups::waitUntilIdle(const QString &queue)
{
    if (waitFor(30000, [&] { return tool("lpstat", {"-o", queue}) == ""; }))
        return {};
    return "jobs of " + queue + " still pending:\n" + tool("lpstat", {"-o", queue}).value_or("") + logs();
}

void PrivateCups::stop()
{
    if (cupsd_.state() == QProcess::NotRunning)
        return;
    cupsd_.terminate();
    if (!cupsd_.waitForFinished(10000))
        cupsd_.kill();
    cupsd_.waitForFinished(10000);
}

QString PrivateCups::logs() const
{
    QString text;
    for (const QString &log : QDir(path("log")).entryList({"cupsd-output", "error_log", "cups-pdf-*_log"}, QDir::Files))
        text += readText(path("log/" + log));
    return text;
}
