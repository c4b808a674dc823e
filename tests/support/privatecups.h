#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A CUPS scheduler of the test's own: started in the foreground with its
// configuration, spool and logs in a temporary folder and reached through a
// socket there, so that printing goes through a real queue as on the
// merchant's machine while the machine's own CUPS set-up is neither used nor
// changed.
//
// The cups-pdf backend reads its settings from a fixed path under /etc/cups.
// The scheduler therefore runs in a mount namespace of its own in which a
// folder of the test's stands in for /etc/cups: the backend, a child of the
// scheduler, writes its PDFs, spool and log into the temporary folder, and
// nothing outside the namespace sees the change.  This takes root, as the
// backend itself does.
class PrivateCups
{
public:
    // Makes the folders and points this process's CUPS client at the socket
    // (CUPS_SERVER, which libcups reads once): construct it before anything
    // in the process uses CUPS, that is before the application object.
    PrivateCups();
    ~PrivateCups(); // stops the scheduler

    // Each returns an empty text on success, or what went wrong.
    QString start();
    // A queue on the cups-pdf backend with its driver's own PPD; its jobs end
    // as PDF files in pdfFolder(), one file a job.
    QString addPdfQueue(const QString &name);
    // Waits until the queue holds no pending job.  Qt hands a job over to the
    // scheduler before its print ends, so after a print this is the job done
    // or failed.
    QString waitUntilIdle(const QString &queue);
    void stop();

    QString pdfFolder() const;
    // The scheduler's and the backend's logs, for a failure's message.
    QString logs() const;

private:
    QString path(const QString &name) const { return dir_.filePath(name); }
    QString writeConfiguration();

    QTemporaryDir dir_;
    QProcess cupsd_;
};
