// The OneDrive client's records of what it syncs where, read from the user's registry, never written.
#include "Guards.h"
#include "TinyUtils.h"

#include <algorithm>
#include <climits>

namespace TinyUtils {

namespace {

// Loaded from the system folder when an address is first asked for: a DLL of that name lying beside
// the program is never loaded in its place.
TSystemProc<decltype(RegOpenKeyExW)> regOpenKeyEx(L"advapi32.dll", "RegOpenKeyExW");
TSystemProc<decltype(RegEnumKeyExW)> regEnumKeyEx(L"advapi32.dll", "RegEnumKeyExW");
TSystemProc<decltype(RegQueryValueExW)> regQueryValueEx(L"advapi32.dll", "RegQueryValueExW");
TSystemProc<decltype(RegCloseKey)> regCloseKey(L"advapi32.dll", "RegCloseKey");

constexpr size_t MaxValueChars = 2048;

// A REG_SZ value of at most MaxValueChars characters; empty for any other.
std::wstring StringValue(HKEY Key, const wchar_t* Name) {
    // One more than the longest: a value stored without its terminating zero may fill it to the end.
    wchar_t text[MaxValueChars + 1];
    DWORD type = 0, size = sizeof text;
    if (regQueryValueEx.get()(Key, Name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::wstring();
    // The registry keeps what its writer gave: the zero may be missing, or stand before the end.
    const std::wstring value(text, std::find(text, text + size / sizeof(wchar_t), L'\0'));
    return value.size() <= MaxValueChars ? value : std::wstring();
}

// -1 where absent; TSyncRoot::WrongType where it is present but unreadable as a REG_DWORD.
int DwordValue(HKEY Key, const wchar_t* Name) {
    DWORD type = 0, value = 0, size = sizeof value;
    const LONG status =
        regQueryValueEx.get()(Key, Name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (status == ERROR_FILE_NOT_FOUND) return -1;
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return TSyncRoot::WrongType;
    // Read as an int, a value above INT_MAX could pass for one of the marks.
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

} // namespace

std::vector<TSyncRoot> ReadSyncRoots() {
    std::vector<TSyncRoot> roots;
    if (!regOpenKeyEx.get() || !regEnumKeyEx.get() || !regQueryValueEx.get() || !regCloseKey.get())
        return roots;
    Guards::UniqueHKey providers(regCloseKey.get());
    if (regOpenKeyEx.get()(HKEY_CURRENT_USER, L"Software\\SyncEngines\\Providers\\OneDrive", 0, KEY_READ,
                           providers.put()) != ERROR_SUCCESS)
        return roots;
    // Each subkey is one library, folder or shortcut, named by an id of the client's.
    wchar_t id[256]; // the longest key name and its zero
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof id / sizeof id[0];
        if (regEnumKeyEx.get()(providers.get(), index, id, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        Guards::UniqueHKey root(regCloseKey.get());
        if (regOpenKeyEx.get()(providers.get(), id, 0, KEY_QUERY_VALUE, root.put()) != ERROR_SUCCESS)
            continue;
        roots.push_back({StringValue(root.get(), L"MountPoint"), StringValue(root.get(), L"UrlNamespace"),
                         StringValue(root.get(), L"FullRemotePath"), StringValue(root.get(), L"LibraryType"),
                         DwordValue(root.get(), L"IsFolderScope")});
    }
    return roots;
}

} // namespace TinyUtils
