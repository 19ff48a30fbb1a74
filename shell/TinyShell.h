// Shell special folders, and the functions of ole32 and shell32 that the shell modules call: the program
// imports neither, so a start that needs no shell (a file sent) loads neither.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdint>
#include <string>

namespace TinyShell {

// Module shut-down: CoUninitialize, where the module's first use started COM.
void Shutdown();

// COM on this thread for one module: CoInitialize once, at the module's first use, and CoUninitialize
// at its shut-down only when it was started.
class TComUse {
  public:
    void Start();
    void Stop();

  private:
    bool started_ = false;
};

// ole32 and shell32, from the system folder on first use. Each fails as the platform call would when
// its DLL cannot be loaded.
HRESULT ComCreateInstance(REFCLSID ClassId, IUnknown* Outer, DWORD Context, REFIID Iid, void** Obj);
void ComTaskMemFree(void* Block);
// The item list's file-system path into Path of Size characters: through SHGetPathFromIDListEx where
// the system has it (a buffer past MAX_PATH shows a path over the limit as such), else through
// SHGetPathFromIDListW, which needs MAX_PATH characters.
BOOL ShGetPathFromIDListEx(const ITEMIDLIST* IdList, LPWSTR Path, DWORD Size);

// The folder's path (Csidl is a published CSIDL_* value) with exactly one trailing backslash, or empty
// when the shell cannot give it. Asked for wide: a profile or folder name may hold characters the
// system code page lacks.
std::wstring GetSpecialFolder(int32_t Csidl);
// The user's Send To folder, as GetSpecialFolder gives it.
std::wstring GetSendToFolder();
// The user's Start menu programs folder, likewise.
std::wstring GetProgramsFolder();
// Tells the shell that the folder's contents changed (a shortcut made or deleted), so that the Start
// menu takes it up without waiting for its next reading.
void NotifyFolderChanged(const std::wstring& Folder);

} // namespace TinyShell
