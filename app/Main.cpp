// Process entry and the mode choice.
#include "Pathgrab.h"
#include "Texts.h"

#include "Runtime.h"

namespace Pathgrab {

int WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    // A menu of ours is already up: leave it alone, show nothing, touch nothing.
    if (FindWindowA(Texts::WindowClassName, Texts::WindowTitle)) return 0;
    if (Runtime::ParamCount() == 0) {
        RunRegistrationMode();
        return 0;
    }
    // A wrong command line copies nothing: a script that made it learns so from the exit code.
    const TOptions options = StartOptions();
    if (options.Fault != ofNone) {
        ShowOptionFault(options);
        return 2;
    }
    if (options.Hotkey) {
        RunHotkeyMode();
        return 0;
    }
    // The copied files are read here, once, before any window of ours exists.
    if (options.Clipboard && Items().empty()) {
        ShowMessage(FaceFor(GetUserDefaultUILanguage()).NoCopiedFiles);
        return 1;
    }
    return RunMenuMode(hInstance);
}

} // namespace Pathgrab

// The modules start in a fixed order here rather than by static initialisation, and stop in reverse.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Pathgrab::StartModules();
    const int exitCode = Pathgrab::WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, 0);
    Pathgrab::FinalizeModules();
    return exitCode;
}
