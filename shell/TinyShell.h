// Shell special folders.
#pragma once
#include <cstdint>
#include <string>

namespace TinyShell {

// Module start-up and shut-down: one CoInitialize, one CoUninitialize.
void Startup();
void Shutdown();

// The folder's path (Csidl is a published CSIDL_* value) with exactly one trailing backslash, or empty
// when the shell cannot give it. Asked for wide: a profile or folder name may hold characters the
// system code page lacks.
std::wstring GetSpecialFolder(int32_t Csidl);
// The user's Send To folder, as GetSpecialFolder gives it.
std::wstring GetSendToFolder();

} // namespace TinyShell
