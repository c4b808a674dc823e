// On Windows the program's setting lives in the registry, which
// QSettings::setPath cannot move.  Each test program therefore gets a registry
// of its own, as it gets a settings folder of its own elsewhere: before main()
// runs, this process's HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER are pointed at
// two empty keys of its own, which are removed when it ends.

#include <qt_windows.h>

#include <string>

namespace {

struct OwnRegistry
{
    const std::wstring path = L"Software\\Kelvaro tests\\" + std::to_wstring(GetCurrentProcessId());
    HKEY machine = nullptr;
    HKEY user = nullptr;

    OwnRegistry()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
        RegCreateKeyExW(HKEY_CURRENT_USER, (path + L"\\machine").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &machine, nullptr);
        RegCreateKeyExW(HKEY_CURRENT_USER, (path + L"\\user").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &user,
                        nullptr);
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine);
        RegOverridePredefKey(HKEY_CURRENT_USER, user);
    }
    ~OwnRegistry()
    {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(machine);
        RegCloseKey(user);
        RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    }
} const ownRegistry;

} // namespace
