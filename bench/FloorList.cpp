// The floor of the list's end-to-end figure: the least a program can do to copy a list of its arguments
// from a menu. It opens a one-item popup menu at the cursor from a hidden window, as Pathgrab.exe does;
// the item's key ("2", the digit of Pathgrab.exe's quoted list) makes one GetLongPathNameA per argument,
// writes the CR LF lines as CF_TEXT in one clipboard write, and the program ends.
#include <windows.h>

#include <string>

namespace {

// The arguments after the program's own token; each is between double quotes or without a blank.
std::string LongLines(const char* p) {
    std::string text;
    bool first = true;
    char buffer[MAX_PATH + 1];
    while (*p) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        std::string arg;
        if (*p == '"') {
            for (++p; *p && *p != '"'; ++p) arg += *p;
            if (*p) ++p;
        } else {
            for (; *p && *p != ' ' && *p != '\t'; ++p) arg += *p;
        }
        if (first) { // the program itself
            first = false;
            continue;
        }
        const DWORD n = GetLongPathNameA(arg.c_str(), buffer, sizeof buffer);
        text.append(buffer, n < sizeof buffer ? n : 0);
        text += "\r\n";
    }
    return text;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = "PathgrabFloorListClass";
    RegisterClassA(&wc);
    HWND wnd = CreateWindowExA(0, wc.lpszClassName, "Floor", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance,
                               nullptr);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "&2 List");
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    SetForegroundWindow(wnd);
    const UINT picked =
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, cursor.x, cursor.y, 0,
                       wnd, nullptr);
    PostMessageA(wnd, WM_NULL, 0, 0);
    int status = 1;
    const std::string text = picked == 1 ? LongLines(GetCommandLineA()) : std::string();
    if (picked == 1 && OpenClipboard(wnd)) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
        if (void* bytes = block ? GlobalLock(block) : nullptr) {
            memcpy(bytes, text.c_str(), text.size() + 1);
            GlobalUnlock(block);
            EmptyClipboard();
            if (SetClipboardData(CF_TEXT, block)) status = 0;
        }
        CloseClipboard();
    }
    DestroyMenu(menu);
    DestroyWindow(wnd);
    return status;
}
