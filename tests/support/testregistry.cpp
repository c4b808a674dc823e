// On Windows the program's setting lives in the registry, which
// QSettings::setPath cannot move.  Each test program therefore gets a registry
// of its own, as it gets a settings folder of its own elsewhere: before main()
// runs, this process's HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER are pointed at
// two empty keys of its own, which are removed when it ends.

#include <qt_windows.h>

#include <string>

namespace {

class OwnRegistry
{
public:
    OwnRegistry() : path_(L"Software\\Kelvaro tests\\" + std::to_wstring(GetCurrentProcessId()))
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        machine_ = create(L"\\machine");
        user_ = create(L"\\user");
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_);
        RegOverridePredefKey(HKEY_CURRENT_USER, user_);
    }
    ~OwnRegistry()
    {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(machine_);
        RegCloseKey(user_);
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    }
    OwnRegistry(const OwnRegistry &) = delete;
    OwnRegistry &operator=(const OwnRegistry &) = delete;

private:
    HKEY create(const wchar_t *name) const
    {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, (path_ + name).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr);
        return key;
    }

    std::wstring path_;
    HKEY machine_ = nullptr;
    HKEY user_ = nullptr;
};

const OwnRegistry ownRegistry;

} // namespace
