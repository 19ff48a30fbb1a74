// The driver of scripts/run.sh: runs Pathgrab.exe on the given items as the shell would, lets the
// script take a screenshot of the menu, picks an item by its digit (or leaves with Escape), and
// saves what landed on the clipboard.
//   rundriver.exe OUTDIR PICK PATHGRAB_EXE ITEM...     PICK: 1..9, or 0 for Escape
// In OUTDIR: menu.ready (written when the menu shows; the script answers with shot.done),
// clipboard.bin (the CF_TEXT bytes, absent when there are none) and exit.txt (the program's exit code).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Win32Support.h"

using namespace TestSupport;

namespace {

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE f =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: rundriver OUTDIR PICK PATHGRAB_EXE ITEM...\n");
        return 2;
    }
    const std::string out = argv[1];
    const int pick = std::atoi(argv[2]);
    const std::string exe = argv[3];

    // Stands in for the shell window: Escape hands the foreground back to it.
    ForegroundWindow& shell = SharedForegroundWindow();
    shell.TakeForeground();
    // An empty clipboard, so that whatever is there afterwards came from the program.
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }

    std::string line = Quoted(exe);
    for (int i = 4; i < argc; ++i)
        line += " " + Quoted(argv[i]);
    Child p = Start(exe, line);
    if (!p.Started()) {
        std::fprintf(stderr, "rundriver: cannot start %s: %s\n", exe.c_str(), p.StartFailure().c_str());
        return 1;
    }
    if (WaitForPopupMenu(p, 15000)) {
        WriteFileBytes(out + "\\menu.ready", "");
        const std::string done = out + "\\shot.done";
        for (int i = 0; i < 600 && GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
            PumpMessages(50);
        TapKey(pick >= 1 && pick <= 9 ? static_cast<WORD>('0' + pick) : VK_ESCAPE);
    } else {
        std::fprintf(stderr, "rundriver: no menu appeared\n");
    }
    if (!p.Wait(15000)) {
        std::fprintf(stderr, "rundriver: the program did not end; stopping it\n");
        p.Kill();
        p.Wait(5000);
    }
    WriteFileBytes(out + "\\exit.txt", std::to_string(p.ExitCode()));
    ClipboardText clip = ReadClipboard();
    if (clip.Present) WriteFileBytes(out + "\\clipboard.bin", clip.Text);
    return 0;
}
