// Module start-up and finalisation, apart from the entry so that in-process tests can run them.
#include "Pathgrab.h"

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

} // namespace Pathgrab
