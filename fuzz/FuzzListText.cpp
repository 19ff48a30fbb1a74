// The list commands' texts over arbitrary arguments: one CR LF ended line per argument of at most 260
// characters (a lead byte and the byte after it are one), shorter lines first, and quotes only around
// lines with a space.
#include "FuzzSupport.h"
#include "Pathgrab.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {
std::string Identity(const std::string& s) { return s; }

size_t Characters(const std::string& s) {
    size_t n = 0;
    for (size_t i = 0; i < s.size(); ++n)
        i += TinyUtils::MultiByteLocale && TinyUtils::IsLeadByteValue(static_cast<unsigned char>(s[i])) &&
                     i + 1 < s.size()
                 ? 2
                 : 1;
    return n;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        FUZZ_CHECK(end != std::string::npos);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    Fuzz::SelectLocale(data[0]);
    // Arguments are separated by 0xFF; a byte 0x01 stands for a run of 100 'x' so long arguments occur.
    std::vector<std::string> args(1);
    for (size_t i = 2; i < size; ++i) {
        if (data[i] == 0xFF)
            args.emplace_back();
        else if (data[i] == 0x01)
            args.back().append(100, 'x');
        else if (data[i] != 0 && data[i] != '\r' && data[i] != '\n')
            args.back() += static_cast<char>(data[i]);
    }
    const bool flag = data[1] & 1;
    // What each listed argument must become, in any order: the sort may reorder but never change lines.
    std::vector<std::string> paths, names;
    for (const std::string& a : args) {
        if (Characters(a) > 260) continue;
        paths.push_back(flag && a.find(' ') != std::string::npos ? '"' + a + '"' : a);
        const std::string name = TinyUtils::PathFileName(a);
        names.push_back(flag ? name : TinyUtils::PathChangeExt(name, std::string()));
    }
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {Pathgrab::PathListText(args, flag, Identity), paths},
        {Pathgrab::NameListText(args, flag, Identity), names},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines = Lines(c.first);
        FUZZ_CHECK(lines.size() == c.second.size());
        for (size_t i = 1; i < lines.size(); ++i) FUZZ_CHECK(lines[i - 1].size() <= lines[i].size());
        std::vector<std::string> want = c.second;
        std::sort(lines.begin(), lines.end());
        std::sort(want.begin(), want.end());
        FUZZ_CHECK(lines == want);
    }
    return 0;
}
