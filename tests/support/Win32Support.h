// Helpers of the wine and e2e tiers: processes with exact command lines, the clipboard, keys, the mouse,
// windows and scratch folders. Win32 only, so they would run unchanged on Windows.
//
// A typical end-to-end step, driving Pathgrab.exe as the shell would:
//
//     ForegroundWindow& shell = SharedForegroundWindow(); // a visible window of ours plays the shell's
//     shell.TakeForeground();
//     Child p = StartPathgrab({file});        // exact command line: "<exe>" "<file>"
//     ASSERT_TRUE(WaitForMenuKeys(p, 60000)); // its "#32768" window shows and its loop takes keys
//     TapKey('3');                            // picks the item with mnemonic 3
//     ASSERT_TRUE(p.Wait(5000));              // pumps our messages while it waits
//     EXPECT_EQ(ReadClipboard().Text, ...);
//
// Waits pump the driver's own message queue, so that messages other processes send to the driver's
// windows (activation, clipboard) never stall them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace TestSupport {

// ---- Paths ----------------------------------------------------------------------------------------

// The program under test, as a Windows path (from PATHGRAB_EXE, which CTest sets).
std::string PathgrabExe();
// A Unix path as the Windows path Wine maps it to (Z:\...); a Windows path is returned unchanged.
std::string WindowsPath(const std::string& path);
// The folder of the running test executable, without trailing backslash.
std::string OwnFolder();
// The long and short forms the system reports for an existing path (empty when it reports none).
std::string LongPathOf(const std::string& path);
std::string ShortPathOf(const std::string& path);
// The whole contents of a file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// The fields of a record whose every field ends in a zero byte.
std::vector<std::string> ZeroSeparatedFields(const std::string& record);

// ---- Processes ------------------------------------------------------------------------------------

// A started child process. The object ends a child that is still running when it goes (so that a
// failed test never leaves an instance behind whose window would end the next start at once), and
// closes the handles.
struct Child {
    PROCESS_INFORMATION pi = {};
    DWORD StartError = 0;    // GetLastError of a start that failed
    std::string CommandLine; // as the start was given it
    std::string Failure;     // why the start failed; empty once started
    Child() = default;
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    Child(Child&& other) noexcept;
    Child& operator=(Child&& other) noexcept; // ends and closes a child this object held before
    ~Child();
    bool Started() const { return pi.hProcess != nullptr; }
    // For the message of a test whose child did not start: the error, its text and the command line.
    std::string StartFailure() const;
    DWORD Id() const { return pi.dwProcessId; }
    // Waits up to timeoutMs, pumping the driver's messages; true when the process has ended.
    bool Wait(DWORD timeoutMs) const;
    bool Running() const { return Started() && !Wait(0); }
    DWORD ExitCode() const;
    void Kill() const;
};

// Starts exe with exactly this command line (GetCommandLineA of the child returns it byte for byte).
// A start that fails leaves the child not Started(), with StartError and Failure telling why.
// An empty exe lets the system find the program from the command line's first token, searched as
// CreateProcessA searches; workDir empty keeps the driver's current folder.
Child Start(const std::string& exe, const std::string& commandLine,
            const std::string& workDir = std::string());

// Starts exe with exactly this command line through the wide API, as the shell starts programs, for
// paths that the code page cannot spell.
Child StartWide(const std::wstring& exe, const std::wstring& commandLine);

// Bytes of a code page (the system's by default) as UTF-16, and back.
std::wstring WideOf(const std::string& bytes, UINT codePage = CP_ACP);
std::string BytesOf(const std::wstring& w, UINT codePage = CP_ACP);

// A command-line token between double quotes.
std::string Quoted(const std::string& s);
// Starts Pathgrab.exe with the arguments written as given (the caller quotes what needs quotes),
// after the quoted program path: "<exe>" arg1 arg2 ...
Child StartPathgrab(const std::vector<std::string>& rawArgs);

// ---- Windows --------------------------------------------------------------------------------------

// Waits for a top-level window of this class (and title, if given) that is visible when visibleOnly.
HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs, bool visibleOnly = false);
// The top-level windows of process pid; only visible ones when visibleOnly. className filters by class.
std::vector<HWND> WindowsOf(DWORD pid, bool visibleOnly, const char* className = nullptr);
// Pathgrab's hidden menu window ("PathgrabWndClass", "Pathgrab") in process p, waited for.
HWND WaitForProgramWindow(const Child& p, DWORD timeoutMs);
// The visible popup menu (class "#32768") that process p shows, waited for; nullptr on timeout.
HWND WaitForPopupMenu(const Child& p, DWORD timeoutMs);
// True once process p shows no visible popup menu (any more) within timeoutMs.
bool WaitForNoPopupMenu(const Child& p, DWORD timeoutMs);
// Waits until process p's popup menu takes keys: its "#32768" window shows, p holds the foreground (keys
// go to the foreground thread), and the menu's own loop answers a message sent to that window. True
// then, false after timeoutMs; either way LastMenuWait() tells what it saw.
bool WaitForMenuKeys(const Child& p, DWORD timeoutMs);
const std::string& LastMenuWait();
void ForgetMenuWait(); // at each test's start, so that a report never tells of an earlier test's menu
// What process p shows now (its menu windows, the foreground, its menu mode) and what the clipboard
// holds: for the message of a test whose key had no effect.
std::string MenuScene(const Child& p);
// Dispatches the driver's pending messages, for at least ms milliseconds.
void PumpMessages(DWORD ms = 0);

// A visible window of the driver's own, standing in for the window that is in front when the shell
// starts the program (which Escape hands the foreground back to) and for "another application"
// becoming active. It lies in the top right corner of the screen, out of the menu's way.
class ForegroundWindow {
  public:
    ForegroundWindow();
    ~ForegroundWindow();
    ForegroundWindow(const ForegroundWindow&) = delete;
    ForegroundWindow& operator=(const ForegroundWindow&) = delete;
    HWND Handle() const { return wnd_; }
    // Makes it the foreground window; true once the system reports it so.
    bool TakeForeground(DWORD timeoutMs = 30000) const;

  private:
    HWND wnd_ = nullptr;
};

// One ForegroundWindow for the whole test program, made on first use and left to the process's end:
// destroying a window that has been in front costs about two seconds under Wine.
ForegroundWindow& SharedForegroundWindow();

// ---- Keyboard and mouse (SendInput) ---------------------------------------------------------------

void KeyDown(WORD vk);
void KeyUp(WORD vk);
void TapKey(WORD vk);

// Holds a key down for the life of the object: released also when an assertion leaves the test early.
class KeyHeld {
  public:
    explicit KeyHeld(WORD vk);
    ~KeyHeld();
    KeyHeld(const KeyHeld&) = delete;
    KeyHeld& operator=(const KeyHeld&) = delete;
    void Release();

  private:
    WORD vk_;
    bool down_;
};

// Moves the mouse to (x, y) in screen coordinates and clicks the left button there.
void ClickAt(int x, int y);
// Clicks a point of the screen that lies outside rect avoid and outside the ForegroundWindow corner:
// closes a popup menu; under a desktop without window manager it activates nothing.
void ClickAwayFrom(const RECT& avoid);
// Puts the cursor in the middle of the screen, where the program opens its menu.
void CenterCursor();

// ---- Clipboard ------------------------------------------------------------------------------------

// Clipboard access for checks: Text is empty and Present false when there is no CF_TEXT entry; Wide
// and Locale are the CF_UNICODETEXT and CF_LOCALE entries (empty, 0 when absent), Html the "HTML Format"
// one.
struct ClipboardText {
    bool Present = false;
    std::string Text;
    std::wstring Wide;
    LCID Locale = 0;
    std::string Html;
};
ClipboardText ReadClipboard();
// Empties the clipboard and puts text in it as format (0: leaves it empty).
bool WriteClipboard(const std::string& text, UINT format = CF_TEXT);
// A CF_HDROP block of the files, as a file manager copies them.
std::string DropFiles(const std::vector<std::wstring>& files);

// Keeps the clipboard open for the life of the object, as another program can: meanwhile every other
// process's OpenClipboard fails.
class ClipboardHold {
  public:
    ClipboardHold();
    ~ClipboardHold();
    ClipboardHold(const ClipboardHold&) = delete;
    ClipboardHold& operator=(const ClipboardHold&) = delete;
    bool Held() const { return held_; }
    void Release();

  private:
    bool held_;
};

// ---- Calls of the code under test ---------------------------------------------------------------

// Points this executable's import of module!function at replacement for the life of the object, so
// that a test can count or fail the calls that the code linked into it makes (the system's own calls
// are not affected).
class ImportPatch {
  public:
    ImportPatch(const char* module, const char* function, void* replacement);
    template <typename Fn>
    ImportPatch(const char* module, const char* function, Fn* replacement)
        : ImportPatch(module, function, reinterpret_cast<void*>(replacement)) {}
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;
    bool Installed() const { return slot_ != nullptr; }
    void* Original() const { return original_; }

  private:
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

// GetShortPathNameW as a volume without 8.3 names answers it: with the long name itself.
DWORD WINAPI LongNameAsShortName(LPCWSTR path, LPWSTR buffer, DWORD size);

// A network whose servers never answer, for the life of the object: the file-system calls of the code
// under test (GetFileAttributesW, GetShortPathNameW) wait far longer than any bound of the program, and
// then fail, for a server's path (\\server\..., \\?\UNC\server\..., \\.\UNC\...) and for a path on
// drive Z: (also as \\?\Z:\), which GetDriveTypeW then calls a network drive. Every other path is
// answered as before. The object's end answers whatever still waits. The program looks its long-form
// call up instead of importing it: a test hands it LongPathName through SetLongPathQuery.
class SilentNetwork {
  public:
    static constexpr DWORD SilenceMs = 20000;
    SilentNetwork();
    ~SilentNetwork();
    SilentNetwork(const SilentNetwork&) = delete;
    SilentNetwork& operator=(const SilentNetwork&) = delete;
    bool Installed() const {
        return attributes_.Installed() && shortPath_.Installed() && driveType_.Installed();
    }
    // The calls that met the silence.
    LONG Asked() const;
    // GetLongPathNameW as this network answers it.
    static DWORD WINAPI LongPathName(LPCWSTR path, LPWSTR buffer, DWORD size);

  private:
    ImportPatch attributes_, shortPath_, driveType_;
};

// ---- Scratch files --------------------------------------------------------------------------------

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
