// Registration mode: one question, then the program's shortcut goes into Send To or out of it.
#include "Pathgrab.h"
#include "Texts.h"

#include "TinyShell.h"
#include "TinyShlLnk.h"
#include "TinyUtils.h"

namespace Pathgrab {

namespace {
// The executable's path as the loader knows it; empty when it does not fit the path limit.
std::wstring ModuleFileName() {
    wchar_t buffer[TinyUtils::PathCharLimit + 1] = {};
    const DWORD length = GetModuleFileNameW(nullptr, buffer, TinyUtils::PathCharLimit + 1);
    return length > 0 && length <= TinyUtils::PathCharLimit ? std::wstring(buffer, length) : std::wstring();
}

// One Yes/No question, through the wide API, so that it reads right in every system code page.
bool AnsweredYes(const char* Question) {
    const std::wstring question = TinyUtils::WideFromBytes(Question, Texts::TextCodePage);
    const std::wstring caption = TinyUtils::WideFromBytes(Texts::QuestionCaption, Texts::TextCodePage);
    return MessageBoxW(GetForegroundWindow(), question.c_str(), caption.c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND) == IDYES;
}
} // namespace

void RunRegistrationMode() {
    using namespace TinyUtils;
    // Our own path, the Send To folder and the shortcut are all taken in their exact text: from a
    // folder whose name the code page lacks, the ANSI path would be a look-alike that names nothing.
    const std::wstring longModulePath = ToLongPath(ModuleFileName());
    const std::wstring programFolder = PathHead(longModulePath);
    const std::wstring programPath = programFolder + Texts::ProgramFileName;
    const std::wstring sendTo = TinyShell::GetSendToFolder();
    // Without Send To every path below would be relative to the current directory: ask nothing.
    if (sendTo.empty()) return;
    const std::wstring linkPath = sendTo + Texts::ShortcutFileName;
    const bool exists = TinyShlLnk::SendToShortcutExists(Texts::ProgramFileName);
    // Our own folder unknown: a new shortcut would point nowhere, so offer none. Removing old ones
    // needs no folder of ours, so that question is still asked.
    if (!exists && programFolder.empty()) return;
    const Texts::TFace& face = FaceFor(GetUserDefaultUILanguage());
    if (!AnsweredYes(exists ? face.DeleteQuestion : face.CreateQuestion)) return;
    // Removing the program leaves nothing: every shortcut to it goes, the key's too. Adding it leaves the
    // user's own copies for one form (with /copy:) where they are.
    if (exists) {
        TinyShlLnk::DeleteSendToShortcuts(Texts::ProgramFileName);
        const std::wstring programs = TinyShell::GetProgramsFolder();
        TinyShlLnk::DeleteShortcuts(programs, Texts::ProgramFileName, Texts::ClipboardOption);
        TinyShell::NotifyFolderChanged(programs);
    } else {
        TinyShlLnk::CreateShortcut(linkPath, std::wstring(), programPath, std::wstring(),
                                   DropTrailingBackslash(programFolder), programPath, 0, SW_SHOWNORMAL, 0);
    }
}

void RunHotkeyMode() {
    using namespace TinyUtils;
    const std::wstring programFolder = PathHead(ToLongPath(ModuleFileName()));
    const std::wstring programPath = programFolder + Texts::ProgramFileName;
    const std::wstring programs = TinyShell::GetProgramsFolder();
    if (programs.empty()) return;
    const bool exists = TinyShlLnk::ShortcutExists(programs, Texts::ProgramFileName, Texts::ClipboardOption);
    if (!exists && programFolder.empty()) return;
    const Texts::TFace& face = FaceFor(GetUserDefaultUILanguage());
    if (!AnsweredYes(exists ? face.HotkeyDeleteQuestion : face.HotkeyCreateQuestion)) return;
    // The shell reads the keys of the Start menu's shortcuts: it is told of the change rather than left
    // to find it.
    if (exists) {
        TinyShlLnk::DeleteShortcuts(programs, Texts::ProgramFileName, Texts::ClipboardOption);
        TinyShell::NotifyFolderChanged(programs);
        return;
    }
    // Ctrl+Alt+Insert: Ctrl+Insert is copy, and Ctrl+Alt with a letter or a digit is AltGr, which types a
    // character on many keyboards.
    TinyShlLnk::CreateShortcut(programs + Texts::HotkeyShortcutFileName, std::wstring(), programPath,
                               Texts::ClipboardOption, DropTrailingBackslash(programFolder), programPath, 0,
                               SW_SHOWNORMAL, MAKEWORD(VK_INSERT, HOTKEYF_CONTROL | HOTKEYF_ALT));
    TinyShell::NotifyFolderChanged(programs);
}

} // namespace Pathgrab
