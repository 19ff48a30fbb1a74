#include "TinyShell.h"

#include "TinyUtils.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

namespace TinyShell {

void Startup() { CoInitialize(nullptr); }
void Shutdown() { CoUninitialize(); }

std::string GetSpecialFolder(int32_t Csidl) {
    char buffer[MAX_PATH + 1] = {};
    if (!SHGetSpecialFolderPathA(nullptr, buffer, Csidl, FALSE)) return std::string();
    buffer[MAX_PATH] = '\0';
    return TinyUtils::AddTrailingBackslash(buffer);
}

std::string GetSendToFolder() { return GetSpecialFolder(CSIDL_SENDTO_FOLDER); }

} // namespace TinyShell
