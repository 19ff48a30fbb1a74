// Target preparation, the popup menu and the list commands' argument reading.
#include "Pathgrab.h"
#include "Texts.h"

#include "Runtime.h"
#include "TinyShlLnk.h"
#include "TinyUtils.h"

namespace Pathgrab {

void ShowPathMenu(HWND Wnd) {
    using namespace TinyUtils;
    TargetLongPath = ToLongPath(Runtime::ParamStr(1));
    // Ctrl up: a shortcut stands for its target, read as stored (not resolved, not lengthened again).
    if (GetAsyncKeyState(VK_CONTROL) >= 0 && UpperCaseLocale(PathExt(TargetLongPath)) == Texts::ShortcutExt)
        TargetLongPath = TinyShlLnk::GetShortcutTarget(TargetLongPath);
    if (GetAsyncKeyState(VK_SHIFT) < 0) {
        PutClipboardText(Wnd, TargetLongPath);
        PostMessageA(Wnd, WM_DESTROY, 0, 0);
        return;
    }
    TargetFolder = PathFolder(TargetLongPath);
    TargetShortPath = ToShortPath(TargetLongPath);
    TargetFileName = PathFileName(TargetLongPath);
    TargetBaseName = PathChangeExt(TargetFileName, std::string());
    BuildPopupMenu();
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    // The menu closes on a click elsewhere, and another application's activation reaches us as
    // WM_ACTIVATEAPP, only while our window is the foreground window.
    SetForegroundWindow(Wnd);
    TrackPopupMenu(PopupMenuHandle, TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, cursor.x, cursor.y, 0, Wnd,
                   nullptr);
    // Left with Escape: hand the foreground back, and the loss of activation ends the program.
    if ((GetAsyncKeyState(VK_ESCAPE) & 1) && PrevForegroundWnd) SetForegroundWindow(PrevForegroundWnd);
}

void BuildPopupMenu() {
    using TinyUtils::WideFromBytes;
    PopupMenuHandle = CreatePopupMenu();
    const Texts::TFace& face = FaceFor(GetUserDefaultUILanguage());
    for (const TMenuEntry& e :
         MenuEntries(Runtime::ParamCount(), TinyUtils::FolderExists(TargetLongPath), face)) {
        if (e.Separator) {
            AppendMenuW(PopupMenuHandle, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        // Our texts are code page 932 whatever the system's code page is; the path forms are the
        // system's own bytes.
        const std::wstring caption =
            WideFromBytes(e.Fixed, Texts::TextCodePage) + WideFromBytes(e.Form, CP_ACP);
        AppendMenuW(PopupMenuHandle, MF_STRING, e.Id, caption.c_str());
    }
}

void MakePathListText(bool Quote, std::string& Text) {
    Text = PathListText(Runtime::ParamStrs(), Quote, TinyUtils::ToLongPath);
}

void MakeNameListText(bool WithExt, std::string& Text) {
    Text = NameListText(Runtime::ParamStrs(), WithExt, TinyUtils::ToLongPath);
}

} // namespace Pathgrab
