// DLLs that the program needs only now and then, loaded from the system folder on first use.
#include "TinyUtils.h"

namespace TinyUtils {

void SearchSystemFolderOnly() {
    // Looked up, not imported: Windows 7 without its loader update lacks it, and must still start.
    typedef BOOL(WINAPI * TSetDefaultDllDirectories)(DWORD);
    auto setDefault = reinterpret_cast<TSetDefaultDllDirectories>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Without it, at least the current folder leaves the search.
    else
        SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* Name) {
    HMODULE module = LoadLibraryExW(Name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // A system without that flag refuses it as an invalid parameter: name the file in the system
    // folder itself, whose dependencies are then searched from there, not from the program's folder.
    if (!module && GetLastError() == ERROR_INVALID_PARAMETER) {
        wchar_t folder[MAX_PATH + 1] = {};
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH + 1);
        if (length == 0 || length > MAX_PATH) return nullptr;
        const std::wstring path = AddTrailingBackslash(std::wstring(folder, length)) + Name;
        module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    return module;
}

FARPROC SystemProcAddress(const wchar_t* Dll, const char* Name) {
    // Kept loaded for the life of the process: the function may be called again at any time.
    HMODULE module = LoadSystemLibrary(Dll);
    return module ? GetProcAddress(module, Name) : nullptr;
}

} // namespace TinyUtils
