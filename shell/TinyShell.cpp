#include "TinyShell.h"

#include "TinyUtils.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>

namespace TinyShell {

void Startup() { CoInitialize(nullptr); }
void Shutdown() { CoUninitialize(); }

std::string GetSpecialFolder(int32_t Csidl) {
    char buffer[MAX_PATH + 1] = {};
    // fCreate FALSE: a missing folder is reported as missing, never made behind the user's back.
    if (!SHGetSpecialFolderPathA(nullptr, buffer, Csidl, FALSE)) return std::string();
    // An empty answer names no folder; a lone backslash would stand for the current drive's root.
    if (buffer[0] == '\0') return std::string();
    // AddTrailingBackslash, not a byte test: a final 0x5C may be the second byte of a character.
    return TinyUtils::AddTrailingBackslash(std::string(buffer, strnlen(buffer, sizeof buffer)));
}

std::string GetSendToFolder() { return GetSpecialFolder(CSIDL_SENDTO); }

} // namespace TinyShell
