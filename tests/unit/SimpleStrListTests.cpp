// The string list: growth, text in and out, and the sort (shorter first, then the user's locale).
#include <gtest/gtest.h>

#include "SimpleStrList.h"

#include <algorithm>
#include <string>
#include <vector>

using SimpleStrList::TSimpleStrList;

namespace {

std::vector<std::string> Items(const TSimpleStrList& list) {
    std::vector<std::string> items;
    for (int32_t i = 0; i < list.Count; ++i) items.push_back(list.Get(i));
    return items;
}

void Fill(TSimpleStrList& list, const std::vector<std::string>& items) {
    for (const std::string& s : items) list.Add(s);
}

std::string Text(const TSimpleStrList& list) {
    std::string text = "left over";
    list.GetText(text);
    return text;
}

int Calls = 0;

// Orders by numeric value, so equal keys and the pivot's movement can be checked exactly.
int32_t ByNumber(TSimpleStrList& list, int32_t i, int32_t j) {
    ++Calls;
    return std::stoi(list.Get(i)) - std::stoi(list.Get(j));
}

// Comparisons that are no order at all: every answer "less", or every answer "greater".
int32_t AlwaysLess(TSimpleStrList&, int32_t, int32_t) { return -1; }
int32_t AlwaysGreater(TSimpleStrList&, int32_t, int32_t) { return 1; }

} // namespace

TEST(SimpleStrList, GrowsByEightSlotsAtATime) {
    TSimpleStrList list;
    EXPECT_EQ(list.Capacity, 0);
    for (int n = 1; n <= 25; ++n) {
        list.Add("s" + std::to_string(n));
        EXPECT_EQ(list.Count, n);
        EXPECT_EQ(list.Capacity, (n + 7) / 8 * 8) << "after " << n << " items";
    }
    EXPECT_EQ(list.Get(0), "s1");
    EXPECT_EQ(list.Get(8), "s9");
    EXPECT_EQ(list.Get(24), "s25");
}

TEST(SimpleStrList, ClearEmptiesAndTheNextAddStartsAgainAtEight) {
    TSimpleStrList list;
    Fill(list, {"a", "b", "c", "d", "e", "f", "g", "h", "i"});
    list.Clear();
    EXPECT_EQ(list.Count, 0);
    EXPECT_EQ(list.Capacity, 0);
    EXPECT_EQ(Text(list), "");
    list.Add("x");
    EXPECT_EQ(list.Capacity, 8);
    EXPECT_EQ(Items(list), std::vector<std::string>{"x"});
}

TEST(SimpleStrList, PutAndExchangeInRangeOnly) {
    TSimpleStrList list;
    Fill(list, {"a", "b", "c"});
    list.Put(1, "B");
    list.Exchange(0, 2);
    list.Exchange(1, 1);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"c", "B", "a"}));
    // Slots beyond Count exist (Capacity is 8) but hold no items: they are out of range too.
    list.Put(3, "x");
    list.Put(-1, "x");
    list.Exchange(0, 3);
    list.Exchange(-1, 0);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"c", "B", "a"}));
    EXPECT_EQ(list.Get(3), "");
    EXPECT_EQ(list.Get(-1), "");
    EXPECT_EQ(list.Get(1000), "");
}

TEST(SimpleStrList, GetTextEndsEveryItemWithCrLf) {
    TSimpleStrList list;
    EXPECT_EQ(Text(list), "");
    list.Add("x");
    EXPECT_EQ(Text(list), "x\r\n");
    list.Add("");
    EXPECT_EQ(Text(list), "x\r\n\r\n");
    list.Add("C:\\\x83\x5C\\a b");
    EXPECT_EQ(Text(list), "x\r\n\r\nC:\\\x83\x5C\\a b\r\n");
}

struct SetTextCase {
    const char* name;
    const char* text;
    std::vector<std::string> items;
};

class SetTextTable : public testing::TestWithParam<SetTextCase> {};

TEST_P(SetTextTable, SplitsAtEveryLineEndForm) {
    TSimpleStrList list;
    Fill(list, {"old", "items"});
    list.SetText(GetParam().text);
    EXPECT_EQ(Items(list), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, SetTextTable,
    testing::Values(SetTextCase{"CrLf", "a\r\nb", {"a", "b"}},
                    SetTextCase{"FinalCrLf", "a\r\n", {"a"}},
                    SetTextCase{"LfLf", "a\n\nb", {"a", "", "b"}},
                    SetTextCase{"LoneCrLf", "\r\n", {""}},
                    SetTextCase{"LoneCr", "a\rb", {"a", "b"}},
                    SetTextCase{"LoneLf", "a\nb\n", {"a", "b"}},
                    SetTextCase{"LfCrIsTwoLineEnds", "a\n\rb", {"a", "", "b"}},
                    SetTextCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}},
                    SetTextCase{"NoLineEnd", "a b", {"a b"}},
                    SetTextCase{"DoubleByteText", "\x83\x5C\r\n\x83\x41", {"\x83\x5C", "\x83\x41"}},
                    SetTextCase{"Empty", "", {}},
                    SetTextCase{"Null", nullptr, {}}),
    [](const testing::TestParamInfo<SetTextCase>& p) { return std::string(p.param.name); });

TEST(SimpleStrList, SetTextOfNullLeavesNoSlots) {
    TSimpleStrList list;
    Fill(list, {"a"});
    list.SetText(nullptr);
    EXPECT_EQ(list.Count, 0);
    EXPECT_EQ(list.Capacity, 0);
}

TEST(SimpleStrList, SortPutsShorterFirstThenTheLocaleOrder) {
    TSimpleStrList list;
    Fill(list, {"b", "aa", "a"});
    list.Sort();
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "b", "aa"}));

    TSimpleStrList files;
    Fill(files, {"file10", "file2"});
    files.Sort();
    EXPECT_EQ(Items(files), (std::vector<std::string>{"file2", "file10"}));
}

TEST(SimpleStrList, QuickSortSortsEveryPermutationWithDuplicates) {
    std::vector<std::string> items = {"1", "2", "2", "3", "5", "5", "7"};
    std::vector<std::string> sorted = items;
    do {
        TSimpleStrList list;
        Fill(list, items);
        list.SortWith(ByNumber);
        ASSERT_EQ(Items(list), sorted);
    } while (std::next_permutation(items.begin(), items.end()));
}

TEST(SimpleStrList, SortOfNoneOrOneItemComparesNothing) {
    TSimpleStrList list;
    Calls = 0;
    list.SortWith(ByNumber);
    list.Sort();
    list.Add("1");
    list.SortWith(ByNumber);
    EXPECT_EQ(Calls, 0);
    EXPECT_EQ(Text(list), "1\r\n");
}

TEST(SimpleStrList, ComparisonsThatAreNoOrderStayInsideTheList) {
    for (auto compare : {AlwaysLess, AlwaysGreater}) {
        TSimpleStrList list;
        std::vector<std::string> items;
        for (int i = 0; i < 40; ++i) items.push_back(std::to_string(i));
        Fill(list, items);
        list.SortWith(compare);
        std::vector<std::string> after = Items(list);
        std::sort(after.begin(), after.end());
        std::sort(items.begin(), items.end());
        EXPECT_EQ(after, items); // nothing lost or duplicated
    }
}

namespace {
class Reversed : public TSimpleStrList {
  public:
    void SortWith(SimpleStrList::TStrListCompare) override {
        if (Count > 1) QuickSort(0, Count - 1, ByNumberDescending);
    }
    static int32_t ByNumberDescending(TSimpleStrList& l, int32_t i, int32_t j) { return ByNumber(l, j, i); }
};
} // namespace

TEST(SimpleStrList, SortGoesThroughTheOverriddenSortWith) {
    Reversed derived;
    TSimpleStrList& list = derived;
    Fill(list, {"2", "10", "1"});
    list.Sort();
    EXPECT_EQ(Items(list), (std::vector<std::string>{"10", "2", "1"}));
}

TEST(SimpleStrList, CompareStrLenFirstCountsBytes) {
    using SimpleStrList::CompareStrLenFirst;
    EXPECT_EQ(CompareStrLenFirst("abc", "a"), 2);
    EXPECT_EQ(CompareStrLenFirst("z", "aaaa"), -3);
    EXPECT_EQ(CompareStrLenFirst("", "a"), -1);
    EXPECT_EQ(CompareStrLenFirst("", ""), 0);
    // One double-byte character is two bytes: longer than "z", as long as "ab".
    EXPECT_EQ(CompareStrLenFirst("\x83\x41", "z"), 1);
    EXPECT_EQ(CompareStrLenFirst("\x83\x41", "abc"), -1);
    EXPECT_EQ(CompareStrLenFirst("ab", "ac"), -1);
    EXPECT_EQ(CompareStrLenFirst("ac", "ab"), 1);
}

TEST(SimpleStrList, CompareStrLocaleAnswersMinusOneZeroOne) {
    using SimpleStrList::CompareStrLocale;
    EXPECT_EQ(CompareStrLocale("a", "b"), -1);
    EXPECT_EQ(CompareStrLocale("b", "a"), 1);
    EXPECT_EQ(CompareStrLocale("same", "same"), 0);
    EXPECT_EQ(CompareStrLocale("", ""), 0);
    // Differing only in case is never equal, and the order is antisymmetric.
    int up = CompareStrLocale("File", "file");
    EXPECT_NE(up, 0);
    EXPECT_EQ(CompareStrLocale("file", "File"), -up);
    // The lengths are passed: bytes after an embedded zero still count.
    EXPECT_NE(CompareStrLocale(std::string("a\0b", 3), std::string("a\0c", 3)), 0);
}
