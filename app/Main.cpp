// Process entry, module start-up and finalisation, and the mode choice.
#include "Pathgrab.h"
#include "Texts.h"

#include "Runtime.h"
#include "TinyShell.h"
#include "TinyShlLnk.h"
#include "TinyUtils.h"

namespace Pathgrab {

namespace {
// The link object refused an interface: end as the process would, with its own exit code.
void EndOnInterfaceRefusal() {
    FinalizeModules();
    ExitProcess(TinyShlLnk::InterfaceRefusedExitCode);
}
} // namespace

void StartModules() {
    // Before anything can load a DLL: whatever lies beside the program (a download folder holds
    // anything) is never loaded in place of a system DLL, by us or by the shell and COM for us.
    TinyUtils::SearchSystemFolderOnly();
    // A drive without its disk (an empty card reader, a shortcut's removable drive) is a path that
    // cannot be read, never a system box about it.
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    TinyUtils::Startup();
    // TinyShell and TinyShlLnk start COM on their first use: a file sent needs none.
    TinyShlLnk::SetRefusalHandler(EndOnInterfaceRefusal);
    // SimpleStrList has nothing to start.
}

void FinalizeModules() {
    ReleaseTargets();
    TinyShlLnk::Shutdown();
    TinyShell::Shutdown();
}

int WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    // A menu of ours is already up: leave it alone, show nothing, touch nothing.
    if (FindWindowA(Texts::WindowClassName, Texts::WindowTitle)) return 0;
    if (Runtime::ParamCount() == 0) {
        RunRegistrationMode();
        return 0;
    }
    return RunMenuMode(hInstance);
}

} // namespace Pathgrab

// The modules start in a fixed order here rather than by static initialisation, and stop in reverse.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Pathgrab::StartModules();
    Pathgrab::WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, 0);
    Pathgrab::FinalizeModules();
    return 0;
}
