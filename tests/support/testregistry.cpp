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
    HKEY keys[2] = {};

    OwnRegistry()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
        for (int i = 0; i < 2; ++i) {
            RegCreateKeyExW(HKEY_CURRENT_USER, (path + (i ? L"\\user" : L"\\machine")).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &keys[i], nullptr);
        }
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, keys[0]);
        RegOverridePredefKey(HKEY_CURRENT_USER, keys[1]);
    }
    ~OwnRegistry()
    {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        for (HKEY key : keys)
            RegCloseKey(key);
        RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    }
} const ownRegistry;

} // namespace
