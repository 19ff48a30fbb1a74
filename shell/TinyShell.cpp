#include "TinyShell.h"

#include "TinyUtils.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>

namespace TinyShell {

void Startup() { CoInitialize(nullptr); }
void Shutdown() { CoUninitialize(); }

std::wstring GetSpecialFolder(int32_t Csidl) {
    wchar_t buffer[MAX_PATH + 1] = {};
    // fCreate FALSE: a missing folder is reported as missing, never made behind the user's back.
    if (!SHGetSpecialFolderPathW(nullptr, buffer, Csidl, FALSE)) return std::wstring();
    // An empty answer names no folder; a lone backslash would stand for the current drive's root.
    if (buffer[0] == L'\0') return std::wstring();
    return TinyUtils::AddTrailingBackslash(std::wstring(buffer, wcsnlen(buffer, MAX_PATH + 1)));
}

std::wstring GetSendToFolder() {
    return GetSpecialFolder(CSIDL_SENDTO);
}

} // namespace TinyShell
