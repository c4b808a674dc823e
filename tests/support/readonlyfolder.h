#pragma once

#include <QFile>
#include <QString>
#include <QTest>

#ifdef Q_OS_WIN
// Folders that stay read-only also for an administrator are made with Linux's
// means; the checks that need one are skipped on Windows.
#define SKIP_WITHOUT_READ_ONLY_FOLDER() \
    QSKIP("A folder that stays read-only for an administrator is made by dropping CAP_DAC_OVERRIDE, on Linux only.")
struct ReadOnlyFolder { explicit ReadOnlyFolder(const QString &) {} };
#else
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#define SKIP_WITHOUT_READ_ONLY_FOLDER() (void)0

// While it lives, nothing can be created, renamed or removed in the folder,
// also when the tests run as root: its write bits are taken away, and the
// calling thread gives up the capability that lets root write regardless
// (CAP_DAC_OVERRIDE) from its effective set, taking it back at the end.
// Files already in the folder stay writable in place.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &path) : path_(QFile::encodeName(path))
    {
        ::chmod(path_.constData(), 0500);
        dropped_ = setOverride(false);
    }
    // The folders are the tests' own, which only their owner may enter.
    ~ReadOnlyFolder()
    {
        if (dropped_)
            setOverride(true);
        ::chmod(path_.constData(), 0700);
    }
    Q_DISABLE_COPY(ReadOnlyFolder)

private:
    // Switches CAP_DAC_OVERRIDE in the effective set, within the permitted
    // set, which stays as it is; false when there was nothing to switch off.
    static bool setOverride(bool on)
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
        const __u32 bit = 1u << CAP_DAC_OVERRIDE;
        if (::syscall(SYS_capget, &header, data) != 0 || (!on && !(data[0].effective & bit)))
            return false;
        data[0].effective = on ? data[0].effective | bit : data[0].effective & ~bit;
        return ::syscall(SYS_capset, &header, data) == 0;
    }

    QByteArray path_;
    bool dropped_ = false;
};
#endif
