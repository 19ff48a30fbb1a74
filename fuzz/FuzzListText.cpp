// The list commands' texts over arbitrary arguments: one CR LF ended line per argument of at most 260
// characters of its exact text, shorter lines first, and quotes only around lines whose exact text has a
// space (where a lead byte takes a space for its trail byte, the bytes have one and the text has none).
#include "FuzzSupport.h"
#include "Pathgrab.h"
#include "TextSupport.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {
TinyUtils::TText Identity(const TinyUtils::TText& s) {
    return s;
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
    // The limit and the quotes go by the exact text (here one unit a character, as TestText reads it).
    for (const std::string& a : args) {
        const std::wstring exact = TestText(a).Wide;
        if (exact.size() > 260) continue;
        paths.push_back(flag && exact.find(L' ') != std::wstring::npos ? '"' + a + '"' : a);
        const std::string name = TinyUtils::PathFileName(a);
        names.push_back(flag ? name : TinyUtils::PathChangeExt(name, std::string()));
    }
    std::vector<TinyUtils::TText> items;
    for (const std::string& a : args)
        items.push_back(TestText(a));
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {Pathgrab::PathListText(items, flag, Identity).Bytes, paths},
        {Pathgrab::NameListText(items, flag, Identity).Bytes, names},
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
