// Registration mode: one question, then the program's shortcut goes into Send To or out of it.
#include "Pathgrab.h"
#include "Texts.h"

#include "Runtime.h"
#include "TinyShell.h"
#include "TinyShlLnk.h"
#include "TinyUtils.h"

namespace Pathgrab {

void RunRegistrationMode() {
    using namespace TinyUtils;
    const std::string modulePath = Runtime::ParamStr(0);
    const std::string longModulePath = ToLongPath(modulePath);
    const std::string programFolder = PathHead(longModulePath);
    const std::string programPath = programFolder + Texts::ProgramFileName;
    const std::string sendTo = TinyShell::GetSendToFolder();
    // Without Send To every path below would be relative to the current directory: ask nothing.
    if (sendTo.empty()) return;
    const std::string linkPath = sendTo + Texts::ShortcutFileName;
    const bool exists = TinyShlLnk::SendToShortcutExists(Texts::ProgramFileName);
    // Our own folder unknown: a new shortcut would point nowhere, so offer none. Removing old ones
    // needs no folder of ours, so that question is still asked.
    if (!exists && programFolder.empty()) return;
    const Texts::TFace& face = FaceFor(GetUserDefaultUILanguage());
    // Through the wide API, so that the question reads right in every system code page.
    const std::wstring question =
        WideFromBytes(exists ? face.DeleteQuestion : face.CreateQuestion, Texts::TextCodePage);
    const std::wstring caption = WideFromBytes(Texts::QuestionCaption, Texts::TextCodePage);
    if (MessageBoxW(GetForegroundWindow(), question.c_str(), caption.c_str(),
                    MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND) != IDYES)
        return;
    TinyShlLnk::DeleteSendToShortcuts(Texts::ProgramFileName);
    if (!exists)
        TinyShlLnk::CreateShortcut(linkPath, std::string(), programPath, std::string(),
                                   DropTrailingBackslash(programFolder), programPath, 0, SW_SHOWNORMAL, 0);
}

} // namespace Pathgrab
