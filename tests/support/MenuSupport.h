// Re-running the test program itself as a child process, for checks that need a command line of their
// own (the argument count the program reads) or that end the process (its exit code).
#pragma once
#include <windows.h>

#include <string>

namespace TestSupport {

// The case a parent asked this process to run, or empty when the process is not such a child.
std::string ChildCase();

// Runs this test program again with exactly `args` after its quoted name, limited to the tests that
// match `filter`, as child case `caseName`. Returns its exit code; 0xFFFFFFFF when it could not be
// started or had to be ended after timeoutMs.
DWORD RunSelfAsChild(const std::string& filter, const std::string& caseName, const std::string& args,
                     DWORD timeoutMs = 30000);

} // namespace TestSupport
