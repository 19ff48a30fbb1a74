// Writes what this process's command line reads as, both ways, to the file named by the environment
// variable PARAMDIFF_OUT (the command line is the subject, so it carries no output name). Record, each
// field followed by a zero byte (no argument can hold one): GetCommandLineA as the process got it,
// ParamCount, the number of one-pass arguments, the one-pass arguments, then ParamStr(1) ..
// ParamStr(ParamCount + 1).
#include <windows.h>

#include <string>
#include <vector>

#include "Runtime.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char out[MAX_PATH];
    if (!GetEnvironmentVariableA("PARAMDIFF_OUT", out, sizeof out)) return 2;
    std::string record = GetCommandLineA();
    record += '\0';
    const int count = Runtime::ParamCount();
    const std::vector<std::string> all = Runtime::ParamStrs();
    record += std::to_string(count) + '\0' + std::to_string(all.size()) + '\0';
    for (const std::string& arg : all) record += arg + '\0';
    for (int i = 1; i <= count + 1; ++i) record += Runtime::ParamStr(i) + '\0';
    HANDLE f = CreateFileA(out, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    const BOOL ok = WriteFile(f, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(f);
    return ok && written == record.size() ? 0 : 4;
}
