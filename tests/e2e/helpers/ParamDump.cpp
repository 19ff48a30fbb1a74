// Writes what the program's argument reading makes of this process's command line to the file named by
// the environment variable PARAMDUMP_OUT (the command line itself is the subject, so it carries no
// output name). Record, each field followed by a zero byte (no argument can hold one): GetCommandLineA as
// the process got it, ParamCount, ParamStr(-1), ParamStr(0) .. ParamStr(ParamCount + 1), the number of
// arguments the one-pass reading gives, then those arguments.
#include <windows.h>

#include <string>
#include <vector>

#include "Runtime.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char out[MAX_PATH];
    if (!GetEnvironmentVariableA("PARAMDUMP_OUT", out, sizeof out)) return 2;
    std::string record = GetCommandLineA();
    record += '\0';
    const int count = Runtime::ParamCount();
    record += std::to_string(count) + '\0';
    for (int i = -1; i <= count + 1; ++i) record += Runtime::ParamStr(i) + '\0';
    const std::vector<std::string> all = Runtime::ParamStrs();
    record += std::to_string(all.size()) + '\0';
    for (const std::string& arg : all) record += arg + '\0';
    HANDLE f = CreateFileA(out, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    const BOOL ok = WriteFile(f, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(f);
    return ok && written == record.size() ? 0 : 4;
}
