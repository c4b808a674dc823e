#pragma once

#include <QTest>

// A file size limit that limits nothing.
constexpr qint64 NoFileSizeLimit = -1;

#ifdef Q_OS_WIN
// Windows has no file size limit of a process's own: a full disk cannot be
// made there, and the checks that need one are left out.
// A destructor of its own, as the real one has: a guard held only for its
// lifetime is no unused variable.
struct FileSizeLimit { explicit FileSizeLimit(qint64) {} ~FileSizeLimit() {} };
#else
#include <sys/resource.h>

// While it lives, no file may grow past the given size: a write beyond fails
// part-way, as on a full disk, also for root.  Such a write also raises
// SIGXFSZ, which ends the process unless it is ignored: the program ignores
// it (IgnoreFileSizeSignal), and a test that uses this calls the same.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        const rlimit limited{bytes < 0 ? RLIM_INFINITY : rlim_t(bytes), old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }
    Q_DISABLE_COPY(FileSizeLimit)

private:
    rlimit old_{};
};
#endif
