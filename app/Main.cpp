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
