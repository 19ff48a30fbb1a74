// Command-line arguments: the only way the program reads its command line.
#pragma once
#include <string>
#include <vector>

namespace Runtime {

// Reads one token starting at Cursor into Token and returns the cursor just behind it (at the separator
// or the terminating NUL that ended it). Double-byte characters are stepped whole with CharNextA.
const char* ScanParam(const char* Cursor, std::string& Token);

// Number of arguments after the program name; the command line is fetched and scanned anew each call.
int ParamCount();

// 0: the executable's file name; 1..ParamCount(): that argument; anything else: empty.
std::string ParamStr(int Index);

// ParamStr(1) .. ParamStr(ParamCount()), read in one pass over the command line: the list commands
// need every argument, and asking ParamStr for each would rescan the line from its start every time.
std::vector<std::string> ParamStrs();

// The same arguments read from the wide command line by the same rules: what the shell sent, before
// the system turned it into the ANSI code page (where characters it lacks are replaced).
std::vector<std::wstring> WideParamStrs();

} // namespace Runtime
