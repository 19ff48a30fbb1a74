// TSimpleStrList: the text of a list is its items each followed by CR LF and reads back as the same
// list when no item holds CR or LF; any text read and written again has every line end turned into
// CR LF; the sort gives a permutation in the list's own order.
#include "FuzzSupport.h"
#include "SimpleStrList.h"

#include <algorithm>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    Fuzz::SelectLocale(data[0]);
    HostStub::Current().CompareFails = (data[0] & 2) != 0;
    // Items are separated by 0xFF in the input.
    std::vector<std::string> items(1);
    for (size_t i = 1; i < size; ++i) {
        if (data[i] == 0xFF)
            items.emplace_back();
        else if (data[i] != 0)
            items.back() += static_cast<char>(data[i]);
    }
    SimpleStrList::TSimpleStrList list;
    for (const std::string& s : items)
        list.Add(s);
    FUZZ_CHECK(list.Count == static_cast<int32_t>(items.size()));
    FUZZ_CHECK(list.Capacity % 8 == 0 && list.Capacity >= list.Count && list.Capacity - list.Count < 8);

    std::string text;
    list.GetText(text);
    std::string joined;
    for (const std::string& s : items)
        joined += s + "\r\n";
    FUZZ_CHECK(text == joined);

    const bool plain = std::none_of(items.begin(), items.end(), [](const std::string& s) {
        return s.find_first_of("\r\n") != std::string::npos;
    });
    SimpleStrList::TSimpleStrList back;
    back.SetText(text.c_str());
    if (plain) {
        FUZZ_CHECK(back.Count == list.Count);
        for (int32_t i = 0; i < back.Count; ++i)
            FUZZ_CHECK(back.Get(i) == items[static_cast<size_t>(i)]);
    }

    // The raw input as a text: CR LF, a lone CR and a lone LF each end one line, and a last line
    // without a line end still counts.
    const std::string raw = Fuzz::Text(data + 1, size - 1);
    std::string normal;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' || raw[i] == '\n') {
            normal += "\r\n";
            if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') ++i;
        } else {
            normal += raw[i];
        }
    }
    if (!raw.empty() && raw.back() != '\r' && raw.back() != '\n') normal += "\r\n";
    SimpleStrList::TSimpleStrList lines;
    lines.SetText(raw.c_str());
    std::string rewritten;
    lines.GetText(rewritten);
    FUZZ_CHECK(rewritten == normal);

    list.Sort();
    std::vector<std::string> sorted;
    for (int32_t i = 0; i < list.Count; ++i)
        sorted.push_back(list.Get(i));
    std::vector<std::string> a = sorted, b = items;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    FUZZ_CHECK(a == b);
    for (size_t i = 1; i < sorted.size(); ++i) {
        FUZZ_CHECK(sorted[i - 1].size() <= sorted[i].size());
        if (!HostStub::Current().CompareFails)
            FUZZ_CHECK(SimpleStrList::CompareStrLenFirst(sorted[i - 1], sorted[i]) <= 0);
    }
    return 0;
}
