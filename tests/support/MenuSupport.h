// Re-running the test program itself as a child process, for checks that need a command line of their
// own (the argument count the program reads) or that end the process (its exit code).
#pragma once
#include <windows.h>

#include <string>

#include "Win32Support.h"

namespace TestSupport {

// Sets an environment variable (or removes it, for a null value) for the children started while the
// object lives, then restores it.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

// A Windows machine as Wine plays it for a process: LC_CTYPE picks the system code page, LC_MESSAGES
// the UI language.
struct Machine {
    const char* Name;
    const char* CType;
    const char* Messages;
    UINT CodePage;     // what GetACP answers there
    LANGID UiLanguage; // what GetUserDefaultUILanguage answers there
};
extern const Machine Cp932JapaneseUi, Cp1252JapaneseUi, Cp936JapaneseUi, Cp1252EnglishUi;

// Starts exe (a Windows path) with args after its quoted name, on machine m. Under Wine a process that
// a Windows process starts keeps its parent's locale whatever its environment block says; only a start
// from the Unix side reads LC_CTYPE and LC_MESSAGES anew. So it goes through env(1) and the Wine
// loader (the arguments then travel as UTF-8), and the new process is found by its file name.
Child StartOnMachine(const Machine& m, const std::string& exe, const std::string& args);

// The case a parent asked this process to run, or empty when the process is not such a child.
std::string ChildCase();

// Runs this test program again with exactly `args` after its quoted name, limited to the tests that
// match `filter`, as child case `caseName`. Returns its exit code; 0xFFFFFFFF when it could not be
// started or had to be ended after timeoutMs.
// With a machine, the child runs on that machine (see StartOnMachine).
DWORD RunSelfAsChild(const std::string& filter, const std::string& caseName, const std::string& args,
                     DWORD timeoutMs = 30000, const Machine* machine = nullptr);

} // namespace TestSupport
