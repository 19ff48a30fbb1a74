#include "MenuSupport.h"

#include <vector>

namespace TestSupport {

namespace {

const char ChildCaseVariable[] = "PATHGRAB_TEST_CHILD";

// Sets an environment variable for the children started while the object lives, then restores it.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        char old[1024];
        DWORD n = GetEnvironmentVariableA(name, old, sizeof old);
        had_ = n > 0 && n < sizeof old;
        if (had_) old_.assign(old, n);
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedEnv() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

} // namespace

std::string ChildCase() {
    char value[256];
    DWORD n = GetEnvironmentVariableA(ChildCaseVariable, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

DWORD RunSelfAsChild(const std::string& filter, const std::string& caseName, const std::string& args,
                     DWORD timeoutMs) {
    char self[MAX_PATH + 1] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    // The filter travels in the environment: on the command line it would count as an argument.
    ScopedEnv filterVar("GTEST_FILTER", filter);
    ScopedEnv caseVar(ChildCaseVariable, caseName);
    // Its output then says only what failed.
    ScopedEnv briefVar("GTEST_BRIEF", "1");
    std::string line = "\"" + std::string(self) + "\"";
    if (!args.empty()) line += " " + args;
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(self, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 0xFFFFFFFF;
    DWORD code = 0xFFFFFFFF;
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, 0xFFFFFFFF);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

} // namespace TestSupport
