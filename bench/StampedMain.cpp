// Pathgrab.exe with time stamps around its entry's three steps: built and linked like the program, for
// the split of the start-up figure.
#include "Pathgrab.h"
#include "Stamps.h"

namespace Pathgrab {
// The program's WinMain, renamed where the entry file is compiled for this build.
int PathgrabProgramEntry(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
} // namespace Pathgrab

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Bench::Stamps stamps;
    stamps.Take();
    Pathgrab::StartModules();
    stamps.Take();
    Pathgrab::PathgrabProgramEntry(GetModuleHandleA(nullptr), nullptr, nullptr, 0);
    stamps.Take();
    Pathgrab::FinalizeModules();
    stamps.Take();
    stamps.Write();
    return 0;
}
