// Shortcut files through the shell's link object, and the walks over Send To that find and delete
// the program's shortcuts.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace TinyShlLnk {

// Module shut-down: CoUninitialize, where the module's first use (a shortcut read or written) started
// COM.
void Shutdown();

// What happens when the link object refuses IShellLinkW or IPersistFile: the process ends with exit
// code 228. The program sets a handler that runs its shut-down steps first; none set: ExitProcess(228).
constexpr UINT InterfaceRefusedExitCode = 228;
typedef void (*TRefusalHandler)();
void SetRefusalHandler(TRefusalHandler Handler);

HRESULT CreateComInstance(REFCLSID ClassId, IUnknown*& Obj);

// Shortcuts are written and read through the wide interface, so that a path the system code page
// lacks is stored and read as it is.
void CreateShortcut(const std::wstring& LinkFile, const std::wstring& Description, const std::wstring& Target,
                    const std::wstring& Arguments, const std::wstring& WorkDir, const std::wstring& IconFile,
                    int32_t IconIndex, int32_t ShowCmd, uint16_t HotKey);

// The shortcut's target, read without resolving: the file-system path of its item list, which the
// shell opens; the path stored in it for a network path, or where the list gives none or none that
// exists (see TinyUtils::ShortcutTarget); empty when it cannot be read. Without AskFileSystem, the
// path as stored, read with no question to the file system or a server: enough where only its file
// name counts.
// Arguments, where given, gets the shortcut's arguments from the same reading.
std::wstring GetShortcutTarget(const std::wstring& LinkFile, bool AskFileSystem = true,
                               std::wstring* Arguments = nullptr);
// The same where the shortcut file itself lies on a network (a drive or a server, or a link into
// one): read within the network bound; Unread where its network does not answer in time, or did not
// once before.
std::wstring GetShortcutTargetWithinBound(const std::wstring& LinkFile, const std::wstring& Unread);

// Whether some shortcut in Send To targets a file named ExeName (letter case aside) with no arguments: a
// copy the user made with arguments of their own is not the one registration makes.
bool SendToShortcutExists(const std::wstring& ExeName);
// Deletes every shortcut in Send To that targets a file named ExeName.
void DeleteSendToShortcuts(const std::wstring& ExeName);

// Whether some shortcut in Folder (with its trailing backslash) targets a file named ExeName with exactly
// these arguments, letter case aside in both.
bool ShortcutExists(const std::wstring& Folder, const std::wstring& ExeName, const std::wstring& Arguments);
// Deletes every such shortcut in Folder.
void DeleteShortcuts(const std::wstring& Folder, const std::wstring& ExeName, const std::wstring& Arguments);

} // namespace TinyShlLnk
