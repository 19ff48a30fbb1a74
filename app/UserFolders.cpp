// The user's folders as this process's environment names them: read once, on the first question, so
// that a Shift start reads none.
#include "Pathgrab.h"

#include <cwchar>

namespace Pathgrab {

namespace {

// A variable's value; empty where it is not set.
std::wstring Variable(const wchar_t* Name) {
    const DWORD size = GetEnvironmentVariableW(Name, nullptr, 0);
    if (size == 0) return std::wstring();
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(Name, &value[0], size);
    value.resize(length < size ? length : 0);
    return value;
}

TinyUtils::TUserFolders ReadUserFolders() {
    // The order decides between two folders of one length (OneDrive and OneDriveCommercial often are).
    static const wchar_t* const names[] = {
        L"OneDriveCommercial", L"OneDrive",     L"LOCALAPPDATA",      L"APPDATA",   L"USERPROFILE", L"PUBLIC",
        L"ProgramData",        L"ProgramFiles", L"ProgramFiles(x86)", L"SystemRoot"};
    TinyUtils::TUserFolders folders;
    for (const wchar_t* name : names) {
        // A 32-bit program on 64-bit Windows sees the x86 folder in ProgramFiles; ProgramW6432 holds what
        // %ProgramFiles% is to every 64-bit program that reads the path.
        std::wstring value = std::wcscmp(name, L"ProgramFiles") == 0 ? Variable(L"ProgramW6432") : L"";
        folders.emplace_back(name, value.empty() ? Variable(name) : value);
    }
    return folders;
}

} // namespace

TText UserFolderPathOf(const TText& LongPath) {
    static const TinyUtils::TUserFolders folders = ReadUserFolders();
    return TinyUtils::UserFolderPath(folders, LongPath);
}

} // namespace Pathgrab
