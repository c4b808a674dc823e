#pragma once

#include <QFile>
#include <QString>
#include <QTest>

#ifdef Q_OS_WIN
// Folders that stay read-only also for an administrator are made with Linux's
// means; the checks that need one are skipped on Windows.
#define SKIP_WITHOUT_READ_ONLY_FOLDER() \
    QSKIP("A folder that stays read-only for an administrator is made by acting as another user, on Linux only.")
// A destructor of its own, as the real one has: a guard held only for its
// lifetime is no unused variable.
struct ReadOnlyFolder { explicit ReadOnlyFolder(const QString &) {} ~ReadOnlyFolder() {} };
#else
#include <sys/stat.h>
#include <unistd.h>

#define SKIP_WITHOUT_READ_ONLY_FOLDER() (void)0

// While it lives, nothing can be created, renamed or removed in the folder,
// also when the tests run as root: its write bits are taken away, and root
// acts as the unprivileged user nobody, whom they bind, until the end.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &path) : path_(QFile::encodeName(path))
    {
        ::chmod(path_.constData(), 0555);
        asNobody_ = ::geteuid() == 0 && ::seteuid(65534) == 0;
    }
    // The folders are the tests' own, which only their owner may enter.
    ~ReadOnlyFolder()
    {
        if (asNobody_ && ::seteuid(0) != 0)
            qFatal("ReadOnlyFolder: root's rights not taken back");
        ::chmod(path_.constData(), 0700);
    }
    Q_DISABLE_COPY(ReadOnlyFolder)

private:
    QByteArray path_;
    bool asNobody_ = false;
};
#endif
