// Helpers for the Send To and registration tests: the shell's Send To folder and its registry values,
// shortcuts read back through the shell, the question box of another process, and a spy on the link
// objects this process creates. Win32 only.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Win32Support.h"

namespace TestSupport {

// The shell's Send To folder without a trailing backslash, or empty when the shell cannot give it.
std::string ShellSendToFolder();

// Names of the entries of a folder (without "." and ".."), sorted.
std::vector<std::string> FolderEntries(const std::string& dir);

// Creates a folder and its missing parents through the wide API, so that long paths work too.
bool MakeFolders(const std::string& path);

// Text of code page 932 for a UTF-8 literal, through the system's own conversion tables.
std::string Cp932(const char* utf8);

// What a shortcut file holds, read back through IShellLinkA and IShellLinkW (COM must be initialised).
struct ShortcutFields {
    bool Loaded = false;
    std::string Path;
    std::wstring IdListPath; // the path of its item list, through IShellLinkW
    std::string WorkDir;
    std::string Arguments;
    std::string IconFile;
    int IconIndex = -1;
    int ShowCmd = -1;
    WORD HotKey = 0;
};
ShortcutFields ReadShortcut(const std::string& linkPath);
// Writes a shortcut to target with the program's own shortcut writer (initialising COM on the calling
// thread when needed); long link paths are fine.
void WriteShortcut(const std::string& linkPath, const std::string& target);

// The shortcut calls, which take and give exact text, for tests written in bytes of the system code
// page: their paths read with that code page, a target given back in it.
std::string ShortcutTargetBytes(const std::string& linkPath);
void CreateShortcutBytes(const std::string& linkPath, const std::string& description,
                         const std::string& target, const std::string& arguments, const std::string& workDir,
                         const std::string& iconFile, int32_t iconIndex, int32_t showCmd, uint16_t hotKey);

// The two registration questions, as code page 932 bytes derived from their Unicode reading.
std::string CreateQuestion();
std::string DeleteQuestion();
// The create question as the wide API shows it where the UI language is uiLanguage (English where it
// is not Japanese).
std::wstring CreateQuestionShown(LANGID uiLanguage);

// Empties the prefix's real Send To folder for one test and puts its former contents back afterwards.
class SendToSandbox {
  public:
    SendToSandbox();
    ~SendToSandbox();
    SendToSandbox(const SendToSandbox&) = delete;
    SendToSandbox& operator=(const SendToSandbox&) = delete;
    const std::string& Folder() const { return dir_; } // without trailing backslash

  private:
    std::string dir_;
    std::string stash_;
};

// Points the user's Send To (both shell folder registry values; value names another shell folder, such
// as "Programs") at folder until the object ends.
class SendToRedirect {
  public:
    explicit SendToRedirect(const std::string& folder, const char* value = "SendTo");
    ~SendToRedirect();
    SendToRedirect(const SendToRedirect&) = delete;
    SendToRedirect& operator=(const SendToRedirect&) = delete;

  private:
    struct Saved {
        const char* key;
        bool present = false;
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    Saved saved_[2];
    const char* value_;
};

// Removes everything inside dir (read-only, hidden and system entries too); dir itself stays.
void ClearFolder(const std::string& dir);

// The registration question of a child process, as the driver sees it.
struct QuestionBox {
    HWND Box = nullptr;
    std::string Text;      // the static control's text, as code page 932 bytes
    std::wstring WideText; // the same through GetDlgItemTextW, whatever the code pages
    bool Buttons[8] = {};  // Buttons[IDOK..IDNO]: which standard buttons the box holds
    int DefaultButton = 0; // the identifier of the button with BS_DEFPUSHBUTTON, 0 if none
    bool Foreground = false;
};
// Waits for a visible "#32770" box with caption "Pathgrabber" of that process. Box stays null when
// the process ends first or the time runs out.
QuestionBox WaitForQuestion(const Child& child, DWORD timeoutMs);
// Presses one of the box's buttons (IDYES, IDNO) as a click would.
void ClickButton(HWND box, int id);

// Counts the link objects this process creates while the object lives (one per link object that the
// shortcut code creates), through a counting factory registered for the link object's class. COM must
// be started on the thread.
class CoCreateSpy {
  public:
    CoCreateSpy();
    ~CoCreateSpy();
    CoCreateSpy(const CoCreateSpy&) = delete;
    CoCreateSpy& operator=(const CoCreateSpy&) = delete;
    bool Installed() const;
    int Calls() const;

  private:
    DWORD cookie_ = 0;
};

} // namespace TestSupport
