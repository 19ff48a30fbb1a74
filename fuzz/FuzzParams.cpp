// Command-line splitting over arbitrary command lines: the one-pass reading equals ParamStr(i) for
// every i, no token is empty, and the tokenizer never reads past the terminating NUL.
#include "FuzzSupport.h"
#include "Runtime.h"

#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    Fuzz::SelectLocale(data[0]);
    const std::string line = Fuzz::Text(data + 1, size - 1);

    // An exactly sized copy, so that a read past the NUL is caught.
    std::unique_ptr<char[]> exact(new char[line.size() + 1]);
    std::memcpy(exact.get(), line.c_str(), line.size() + 1);
    std::string token;
    const char* cursor = exact.get();
    size_t tokens = 0;
    for (;;) {
        const char* next = Runtime::ScanParam(cursor, token);
        FUZZ_CHECK(next >= cursor && next <= exact.get() + line.size());
        FUZZ_CHECK(token.size() <= static_cast<size_t>(next - cursor));
        cursor = next;
        if (token.empty()) break;
        ++tokens;
    }

    HostStub::Current().CommandLine = line;
    const int count = Runtime::ParamCount();
    FUZZ_CHECK(count >= 0 && static_cast<size_t>(count) + 1 >= tokens);
    const std::vector<std::string> all = Runtime::ParamStrs();
    FUZZ_CHECK(static_cast<int>(all.size()) == count);
    for (int i = 1; i <= count; ++i) {
        FUZZ_CHECK(!all[static_cast<size_t>(i - 1)].empty());
        FUZZ_CHECK(all[static_cast<size_t>(i - 1)] == Runtime::ParamStr(i));
    }
    FUZZ_CHECK(Runtime::ParamStr(count + 1).empty());
    FUZZ_CHECK(Runtime::ParamStr(-1).empty());
    return 0;
}
