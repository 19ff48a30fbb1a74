// The list's sort when CompareStringA fails: every comparison of equal-length strings then answers
// "less", which must neither run the sort out of the list nor lose items.
#include <gtest/gtest.h>

#include "HostStub.h"
#include "SimpleStrList.h"

#include <algorithm>
#include <string>
#include <vector>

using SimpleStrList::TSimpleStrList;

namespace {

class StrListCompareFails : public testing::Test {
  protected:
    void SetUp() override { HostStub::Current().CompareFails = true; }
    void TearDown() override { HostStub::Reset(); }
};

TEST_F(StrListCompareFails, LocaleComparisonAnswersLess) {
    EXPECT_EQ(SimpleStrList::CompareStrLocale("a", "a"), -2);
    EXPECT_EQ(SimpleStrList::CompareStrLenFirst("ab", "a"), 1); // lengths still decide without the call
}

TEST_F(StrListCompareFails, SortKeepsEveryItemAndStillOrdersByLength) {
    for (int n : {2, 3, 8, 9, 33}) {
        std::vector<std::string> items;
        for (int i = 0; i < n; ++i) items.push_back(std::string(1 + i % 3, static_cast<char>('a' + i % 26)));
        TSimpleStrList list;
        for (const std::string& s : items) list.Add(s);
        list.Sort();
        std::vector<std::string> after;
        for (int32_t i = 0; i < list.Count; ++i) after.push_back(list.Get(i));
        for (size_t i = 1; i < after.size(); ++i) EXPECT_LE(after[i - 1].size(), after[i].size()) << "n=" << n;
        std::sort(after.begin(), after.end());
        std::sort(items.begin(), items.end());
        EXPECT_EQ(after, items) << "n=" << n;
    }
}

} // namespace
