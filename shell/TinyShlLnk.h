// Shortcut files through the shell's link object, and the walks over Send To that find and delete
// the program's shortcuts.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace TinyShlLnk {

// Module start-up and shut-down: one CoInitialize, one CoUninitialize.
void Startup();
void Shutdown();

// What happens when the link object refuses IShellLinkA or IPersistFile: the process ends with exit
// code 228. The program sets a handler that runs its shut-down steps first; none set: ExitProcess(228).
constexpr UINT InterfaceRefusedExitCode = 228;
typedef void (*TRefusalHandler)();
void SetRefusalHandler(TRefusalHandler Handler);

HRESULT CreateComInstance(REFCLSID ClassId, IUnknown*& Obj);

void CreateShortcut(const std::string& LinkFile, const std::string& Description, const std::string& Target,
                    const std::string& Arguments, const std::string& WorkDir, const std::string& IconFile,
                    int32_t IconIndex, int32_t ShowCmd, uint16_t HotKey);

// The target path stored in the shortcut, read without resolving; empty when it cannot be read.
std::string GetShortcutTarget(const std::string& LinkFile);

// Whether some shortcut in Send To targets a file named ExeName (letter case aside).
bool SendToShortcutExists(const std::string& ExeName);
// Deletes every shortcut in Send To that targets a file named ExeName.
void DeleteSendToShortcuts(const std::string& ExeName);

} // namespace TinyShlLnk
