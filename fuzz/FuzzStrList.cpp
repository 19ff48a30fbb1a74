// TSimpleStrList: the text of a list reads back as the same list when no item holds CR or LF, and the
// sort gives a permutation ordered shorter first.
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
    for (const std::string& s : items) list.Add(s);
    FUZZ_CHECK(list.Count == static_cast<int32_t>(items.size()));
    FUZZ_CHECK(list.Capacity % 8 == 0 && list.Capacity >= list.Count && list.Capacity - list.Count < 8);

    std::string text;
    list.GetText(text);
    size_t expectedLength = 0;
    for (const std::string& s : items) expectedLength += s.size() + 2;
    FUZZ_CHECK(text.size() == expectedLength);

    const bool plain = std::none_of(items.begin(), items.end(), [](const std::string& s) {
        return s.find_first_of("\r\n") != std::string::npos;
    });
    SimpleStrList::TSimpleStrList back;
    back.SetText(text.c_str());
    if (plain) {
        FUZZ_CHECK(back.Count == list.Count);
        for (int32_t i = 0; i < back.Count; ++i) FUZZ_CHECK(back.Get(i) == items[static_cast<size_t>(i)]);
    }

    list.Sort();
    std::vector<std::string> sorted;
    for (int32_t i = 0; i < list.Count; ++i) sorted.push_back(list.Get(i));
    std::vector<std::string> a = sorted, b = items;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    FUZZ_CHECK(a == b);
    if (!HostStub::Current().CompareFails)
        for (size_t i = 1; i < sorted.size(); ++i) FUZZ_CHECK(sorted[i - 1].size() <= sorted[i].size());
    return 0;
}
