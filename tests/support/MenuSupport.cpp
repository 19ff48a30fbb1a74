#include "MenuSupport.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <set>
#include <vector>

namespace TestSupport {

namespace {
const char ChildCaseVariable[] = "PATHGRAB_TEST_CHILD";

std::set<DWORD> ProcessesNamed(const std::string& name) {
    std::set<DWORD> ids;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return ids;
    PROCESSENTRY32 e = {};
    e.dwSize = sizeof e;
    for (BOOL more = Process32First(snap, &e); more; more = Process32Next(snap, &e))
        if (lstrcmpiA(e.szExeFile, name.c_str()) == 0) ids.insert(e.th32ProcessID);
    CloseHandle(snap);
    return ids;
}
} // namespace

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
    char old[1024];
    DWORD n = GetEnvironmentVariableA(name, old, sizeof old);
    had_ = n > 0 && n < sizeof old;
    if (had_) old_.assign(old, n);
    SetEnvironmentVariableA(name, value);
}

ScopedEnv::~ScopedEnv() {
    SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr);
}

const Machine Cp932JapaneseUi = {"Cp932JapaneseUi", "ja_JP.UTF-8", "ja_JP.UTF-8", 932, 0x0411};
const Machine Cp1252JapaneseUi = {"Cp1252JapaneseUi", "en_US.UTF-8", "ja_JP.UTF-8", 1252, 0x0411};
const Machine Cp936JapaneseUi = {"Cp936JapaneseUi", "zh_CN.UTF-8", "ja_JP.UTF-8", 936, 0x0411};
const Machine Cp1252EnglishUi = {"Cp1252EnglishUi", "en_US.UTF-8", "en_US.UTF-8", 1252, 0x0409};

Child StartOnMachine(const Machine& m, const std::string& exe, const std::string& args) {
    Child c;
    char loader[MAX_PATH + 1] = "";
    if (!GetEnvironmentVariableA("WINELOADER", loader, MAX_PATH)) {
        c.Failure = "WINELOADER is not set: no Wine loader to start on another machine with";
        return c;
    }
    const std::string name = exe.substr(exe.find_last_of('\\') + 1);
    const std::set<DWORD> before = ProcessesNamed(name);
    std::string line = std::string("env -u LC_ALL LC_CTYPE=") + m.CType + " LC_MESSAGES=" + m.Messages + " " +
                       loader + " \"" + exe + "\"";
    if (!args.empty()) line += " " + args;
    c.CommandLine = line;
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION launcher = {}; // a Unix process: Wine gives no handle to it
    if (!CreateProcessA("Z:\\usr\\bin\\env", buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &launcher)) {
        c.StartError = GetLastError();
        c.Failure = "CreateProcessA of env(1) failed, error " + std::to_string(c.StartError);
        return c;
    }
    // As long as a start from a Windows process may take on a busy machine.
    const DWORD AppearMs = 60000;
    for (DWORD start = GetTickCount(); GetTickCount() - start < AppearMs; Sleep(20)) {
        for (DWORD id : ProcessesNamed(name)) {
            if (before.count(id)) continue;
            c.pi.hProcess =
                OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, id);
            if (!c.pi.hProcess) continue;
            c.pi.dwProcessId = id;
            return c;
        }
    }
    c.Failure = "env(1) started, but no new process " + name + " appeared within " +
                std::to_string(AppearMs / 1000) + " s";
    return c;
}

std::string ChildCase() {
    char value[256];
    DWORD n = GetEnvironmentVariableA(ChildCaseVariable, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

DWORD RunSelfAsChild(const std::string& filter, const std::string& caseName, const std::string& args,
                     DWORD timeoutMs, const Machine* machine) {
    char self[MAX_PATH + 1] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    // The filter travels in the environment: on the command line it would count as an argument.
    ScopedEnv filterVar("GTEST_FILTER", filter.c_str());
    ScopedEnv caseVar(ChildCaseVariable, caseName.c_str());
    // Its output then says only what failed.
    ScopedEnv briefVar("GTEST_BRIEF", "1");
    std::string line = "\"" + std::string(self) + "\"";
    if (!args.empty()) line += " " + args;
    Child c = machine ? StartOnMachine(*machine, self, args) : Start(self, line);
    if (!c.Started()) {
        ADD_FAILURE() << "child case " << caseName << " did not start: " << c.StartFailure();
        return 0xFFFFFFFF;
    }
    if (!c.Wait(timeoutMs)) {
        ADD_FAILURE() << "child case " << caseName << " did not end within " << timeoutMs << " ms";
        c.Kill();
        return 0xFFFFFFFF;
    }
    return c.ExitCode();
}

} // namespace TestSupport
