// The list's sort against the real CompareStringA of the Japanese user locale.
#include <gtest/gtest.h>

#include "SimpleStrList.h"

#include <string>
#include <vector>

using SimpleStrList::TSimpleStrList;

namespace {

std::vector<std::string> Sorted(const std::vector<std::string>& items) {
    TSimpleStrList list;
    for (const std::string& s : items) list.Add(s);
    list.Sort();
    std::vector<std::string> out;
    for (int32_t i = 0; i < list.Count; ++i) out.push_back(list.Get(i));
    return out;
}

} // namespace

TEST(StrListLocale, EqualLengthCaseVariantsTakeThePlatformsOrder) {
    const std::vector<std::string> expected = {"abc", "abC", "aBc", "aBC", "Abc", "AbC", "ABc", "ABC"};
    EXPECT_EQ(Sorted({"ABC", "aBc", "abC", "Abc", "ABc", "abc", "AbC", "aBC"}), expected);
    EXPECT_EQ(Sorted({"abc", "ABC", "AbC", "aBC", "ABc", "Abc", "aBc", "abC"}), expected);
}

TEST(StrListLocale, CaseAndKanaTypeNeverCompareEqual) {
    using SimpleStrList::CompareStrLocale;
    EXPECT_EQ(CompareStrLocale("a", "A"), -1);
    EXPECT_EQ(CompareStrLocale("A", "a"), 1);
    // Hiragana a and katakana a: the kana type counts.
    EXPECT_NE(CompareStrLocale("\x82\xA0", "\x83\x41"), 0);
    // Fullwidth a and fullwidth A: the case of wide letters counts too.
    EXPECT_NE(CompareStrLocale("\x82\x81", "\x82\x60"), 0);
}

TEST(StrListLocale, LinguisticOrderWithinOneLength) {
    // Case is a weaker difference than the letter: "b" orders after "A" although "A" is upper case,
    // and a longer name still comes after every shorter one.
    EXPECT_EQ(Sorted({"bb", "Ab", "ab", "Ba", "a"}), (std::vector<std::string>{"a", "ab", "Ab", "Ba", "bb"}));
}
