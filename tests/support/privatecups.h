#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <optional>

// A CUPS scheduler of the test's own, with its configuration, spool and logs
// in a temporary folder and reached through a socket there: printing goes
// through a real queue while the machine's own CUPS set-up is neither used
// nor changed.  The cups-pdf backend reads its settings from /etc/cups, so the
// scheduler runs in a mount namespace of its own in which a folder of the
// test's stands in for it.  This takes root, as the backend itself does.
class PrivateCups
{
public:
    // Points this process's CUPS client at the socket (CUPS_SERVER, read once
    // by libcups): construct it before the application object.
    PrivateCups();
    ~PrivateCups() { stop(); }

    // Each returns an empty text on success, or what went wrong.
    QString start();
    // A cups-pdf queue; its jobs end as PDF files in pdfFolder(), one a job.
    QString addPdfQueue(const QString &name);
    // Waits until the queue holds no pending job: after a print, until the
    // job is done or failed.
    QString waitUntilIdle(const QString &queue);
    void stop();

    QString pdfFolder() const { return path("pdf"); }
    // The scheduler's and the backend's logs, for a failure's message.
    QString logs() const;

private:
    QString path(const QString &name) const { return dir_.filePath(name); }
    // Runs a CUPS tool against the private socket; its output, none on failure.
    std::optional<QString> tool(const QString &name, const QStringList &arguments) const;

    QTemporaryDir dir_;
    QProcess cupsd_;
};
