// The floor of the start-up figure: the least a program can do to put a path on the clipboard the way
// Pathgrab.exe does with Shift held. It registers a class, creates a hidden window, writes its one
// argument (the caller passes it in its long form, between double quotes) as CF_TEXT and exits.
// Built a second time with FLOOR_WITH_COM, it also loads what Pathgrab.exe imports beyond that (OLE32,
// SHELL32) and initialises COM twice, as the program's module start-up does: the difference between the
// two floors is the share of the start-up that those steps cost. With FLOOR_STAMPS it stamps the same
// phase borders as the stamped program (see Stamps.h).
#include <windows.h>
#ifdef FLOOR_WITH_COM
#include <objbase.h>
#include <shlobj.h>
#endif

#include <cstring>
#ifdef FLOOR_STAMPS
#include "Stamps.h"
#endif

namespace {

// The text after the first token, without the double quotes around it.
const char* Argument(char* line) {
    char* p = line;
    if (*p == '"') {
        for (++p; *p && *p != '"'; ++p) {
        }
        if (*p) ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == '"') {
        ++p;
        char* end = std::strchr(p, '"');
        if (end) *end = '\0';
    }
    return p;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#ifdef FLOOR_STAMPS
    Bench::Stamps stamps;
    stamps.Take();
    stamps.Take(); // nothing to start
#endif
#ifdef FLOOR_WITH_COM
    CoInitialize(nullptr);
    CoInitialize(nullptr);
#endif
    const char* text = Argument(GetCommandLineA());
#ifdef FLOOR_WITH_COM
    // Never true when benchmarked; keeps SHELL32 among the imports, as it is in the program.
    if (!*text) {
        char folder[MAX_PATH];
        SHGetSpecialFolderPathA(nullptr, folder, CSIDL_SENDTO, FALSE);
    }
#endif
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = "PathgrabFloorClass";
    RegisterClassA(&wc);
    HWND wnd = CreateWindowExA(0, wc.lpszClassName, "Floor", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance,
                               nullptr);
    int status = 1;
    if (OpenClipboard(wnd)) {
        const size_t size = std::strlen(text) + 1;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
        if (void* bytes = block ? GlobalLock(block) : nullptr) {
            std::memcpy(bytes, text, size);
            GlobalUnlock(block);
            EmptyClipboard();
            if (SetClipboardData(CF_TEXT, block)) status = 0;
        }
        CloseClipboard();
    }
#ifdef FLOOR_STAMPS
    stamps.Take();
    stamps.Take(); // nothing to finish
    stamps.Write();
#endif
#ifdef FLOOR_WITH_COM
    CoUninitialize();
    CoUninitialize();
#endif
    return status;
}
