#pragma once

#include <sys/resource.h>

// While it lives, no file may grow past the given size: a write beyond fails
// part-way, as on a full disk, also for root.  Such a write also raises
// SIGXFSZ, which ends the process unless it is ignored: the program ignores
// it (IgnoreFileSizeSignal), and a test that uses this calls the same.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limited = old_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit old_{};
};
