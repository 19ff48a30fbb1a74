// Helpers of the wine and e2e tiers: processes with exact command lines, the clipboard, keys,
// windows and scratch folders. Win32 only, so they would run unchanged on Windows.
#pragma once
#include <windows.h>

#include <string>

namespace TestSupport {

// The program under test, as a Windows path (from PATHGRAB_EXE, which CTest sets).
std::string PathgrabExe();
// A Unix path as the Windows path Wine maps it to (Z:\...); a Windows path is returned unchanged.
std::string WindowsPath(const std::string& path);

// A started child process; the handles are closed with the object.
struct Child {
    PROCESS_INFORMATION pi = {};
    Child() = default;
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    Child(Child&& other) noexcept;
    ~Child();
    // Waits up to timeoutMs; true when the process has ended.
    bool Wait(DWORD timeoutMs) const;
    DWORD ExitCode() const;
    void Kill() const;
};

// Starts exe with exactly this command line (GetCommandLineA of the child returns it byte for byte).
Child Start(const std::string& exe, const std::string& commandLine);

// Clipboard access for checks: Text is empty and Present false when there is no CF_TEXT entry.
struct ClipboardText {
    bool Present = false;
    std::string Text;
};
ClipboardText ReadClipboard();
bool WriteClipboard(const std::string& text);

// Holds or releases a key through SendInput.
void KeyDown(WORD vk);
void KeyUp(WORD vk);
void TapKey(WORD vk);

// Waits for a top-level window of this class (and title, if given) that is visible when visibleOnly.
HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs, bool visibleOnly = false);

// A fresh folder under the temporary directory, removed with its contents by the object.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& Path() const { return path_; } // without trailing backslash
    std::string File(const std::string& name, const std::string& contents = "x") const;
    std::string Folder(const std::string& name) const;

  private:
    std::string path_;
};

void RemoveTree(const std::string& path);

} // namespace TestSupport
