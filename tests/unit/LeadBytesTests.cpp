// Byte classification under the Japanese locale the test entry starts with: the stand-in's code page
// 932 on the host, the real one under Wine.
#include <gtest/gtest.h>

#include "TinyUtils.h"

#include <string>
#include <vector>

using namespace TinyUtils;

namespace {

std::vector<TByteKind> KindsOf(const std::string& s) {
    std::vector<TByteKind> kinds;
    for (size_t i = 0; i <= s.size(); ++i) kinds.push_back(ClassifyByte(s.c_str(), static_cast<int32_t>(i)));
    return kinds;
}

} // namespace

TEST(LeadBytes, JapaneseStartupLoadsTheTwoRangesOfCodePage932) {
    EXPECT_TRUE(MultiByteLocale);
    for (unsigned v = 0; v < 256; ++v) {
        bool expected = (v >= 0x81 && v <= 0x9F) || (v >= 0xE0 && v <= 0xFC);
        EXPECT_EQ(IsLeadByteValue(static_cast<unsigned char>(v)), expected) << "byte 0x" << std::hex << v;
    }
}

struct ClassifyCase {
    const char* name;
    std::string text;
    std::vector<TByteKind> kinds; // one per byte, then the terminating zero
};

class ClassifyTable : public testing::TestWithParam<ClassifyCase> {};

TEST_P(ClassifyTable, EveryPositionIncludingTheTerminator) { EXPECT_EQ(KindsOf(GetParam().text), GetParam().kinds); }

// \x83\x5C katakana so, \x8E\x9A a kanji whose trail byte is itself a lead-byte value, \x88\x9F and
// \x9F\x9F likewise, so runs of lead-byte values of any length occur.
INSTANTIATE_TEST_SUITE_P(
    Runs, ClassifyTable,
    testing::Values(
        ClassifyCase{"SoThenBackslash", "\x83\x5C\\", {bkLead, bkTrail, bkSingle, bkSingle}},
        ClassifyCase{"KanjiWithLeadValueTrailThenBackslash", "\x8E\x9A\\", {bkLead, bkTrail, bkSingle, bkSingle}},
        ClassifyCase{"LoneLeadAtEnd", "a\x83", {bkSingle, bkLead, bkSingle}},
        ClassifyCase{"FiveLeadValuesThenTrail5C",
                     "\x88\x9F\x9F\x9F\x83\x5C",
                     {bkLead, bkTrail, bkLead, bkTrail, bkLead, bkTrail, bkSingle}},
        ClassifyCase{"RunStartsAfterSingleByte", "x\x81\x81\x5C", {bkSingle, bkLead, bkTrail, bkSingle, bkSingle}},
        ClassifyCase{"HalfWidthKatakanaIsSingle", "\xB1\xB2\\", {bkSingle, bkSingle, bkSingle, bkSingle}},
        ClassifyCase{"Empty", "", {bkSingle}}),
    [](const testing::TestParamInfo<ClassifyCase>& p) { return std::string(p.param.name); });

TEST(LeadBytes, NullTextAndZeroByteAreSingle) {
    EXPECT_EQ(ClassifyByte(nullptr, 0), bkSingle);
    EXPECT_EQ(ClassifyByte(nullptr, 5), bkSingle);
    EXPECT_EQ(ClassifyByte("\x83\x5C", -1), bkSingle); // before the text: never read
    const char withZero[] = "\x83\0\x5C";
    EXPECT_EQ(ClassifyByte(withZero, 1), bkSingle);
    // The zero ends the run, so the backslash after it is a character of its own.
    EXPECT_EQ(ClassifyByte(withZero, 2), bkSingle);
}

TEST(LeadBytes, ByteKindAtIsOneBasedAndSafeAtAndBeyondTheEnd) {
    const std::string s = "C:\\\x83\x5C";
    EXPECT_EQ(ByteKindAt(s, 3), bkSingle);
    EXPECT_EQ(ByteKindAt(s, 4), bkLead);
    EXPECT_EQ(ByteKindAt(s, 5), bkTrail);
    EXPECT_EQ(ByteKindAt(s, 6), bkSingle); // the terminating zero
    // Positions outside the string are never read (the host tier runs under AddressSanitizer).
    EXPECT_EQ(ByteKindAt(s, 7), bkSingle);
    EXPECT_EQ(ByteKindAt(s, 0), bkSingle);
    EXPECT_EQ(ByteKindAt(s, -3), bkSingle);
    EXPECT_EQ(ByteKindAt(std::string(), 1), bkSingle);
}
