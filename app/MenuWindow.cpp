// The hidden menu window: its class, the message loop and the command handling.
#include "Pathgrab.h"
#include "Texts.h"

#include "TinyUtils.h"

namespace Pathgrab {

MSG LoopMsg;
HWND PrevForegroundWnd = nullptr;
HMENU PopupMenuHandle = nullptr;

TClip ListTextOf(uint32_t Id) {
    TClip text;
    switch (Id) {
    case IDM_LIST_LONG_PATHS: MakePathListText(false, text); break;
    case IDM_LIST_QUOTED_LONG_PATHS: MakePathListText(true, text); break;
    case IDM_LIST_NAMES_WITH_EXT: MakeNameListText(true, text); break;
    case IDM_LIST_NAMES_WITHOUT_EXT: MakeNameListText(false, text); break;
    default:
        MakeMoreFormListText(Id, text);
        break;
    }
    return text;
}

namespace {

// Closing is a posted WM_DESTROY, not DestroyWindow: a command chosen in the menu is still queued
// ahead of it and gets handled first.
void PostClose(HWND Wnd) { PostMessageA(Wnd, WM_DESTROY, 0, 0); }

} // namespace

ATOM RegisterWndClass(HINSTANCE hInstance) {
    WNDCLASSA wc = {};
    wc.style = 0;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = hInstance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszMenuName = Texts::WindowTitle; // no such menu resource exists, so no menu bar
    wc.lpszClassName = Texts::WindowClassName;
    return RegisterClassA(&wc);
}

HWND CreateMainWnd(HINSTANCE hInstance) {
    // Never shown: no WS_VISIBLE, no size, and nothing ever shows, sizes or moves it.
    return CreateWindowExA(0, Texts::WindowClassName, Texts::WindowTitle, WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                           nullptr, hInstance, nullptr);
}

LRESULT CALLBACK WndProc(HWND Wnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    switch (Msg) {
    case WM_CREATE: ShowPathMenu(Wnd); break;
    case WM_DESTROY: PostQuitMessage(0); break;
    case WM_CLOSE: PostClose(Wnd); break;
    case WM_ACTIVATEAPP:
        // Another application became active: the menu was left without a choice.
        if (wParam == 0) PostClose(Wnd);
        break;
    case WM_COMMAND: {
        const TClip text = CommandText(LOWORD(wParam), ListTextOf);
        if (!text.Wide.empty()) TinyUtils::PutClipboardText(Wnd, text, text.Html);
        PostClose(Wnd);
        break;
    }
    }
    return DefWindowProcA(Wnd, Msg, wParam, lParam);
}

int RunMenuMode(HINSTANCE hInstance) {
    PrevForegroundWnd = GetForegroundWindow();
    if (!RegisterWndClass(hInstance)) return 0;
    if (!CreateMainWnd(hInstance)) return 0;
    // GetMessageA answers -1 only for a bad window filter, and there is none; > 0 keeps an error from
    // spinning the loop all the same.
    while (GetMessageA(&LoopMsg, nullptr, 0, 0) > 0) {
        TranslateMessage(&LoopMsg);
        DispatchMessageA(&LoopMsg);
    }
    if (PopupMenuHandle) DestroyMenu(PopupMenuHandle);
    return static_cast<int>(LoopMsg.wParam);
}

} // namespace Pathgrab
