// The tokenizer on literal command lines: the same assertions meet the stand-in's CharNextA on the
// host and the real one of code page 932 under Wine.
#include <gtest/gtest.h>

#include "Runtime.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> Tokens(const std::string& line) {
    std::vector<std::string> tokens;
    std::string token;
    const char* cursor = line.c_str();
    for (;;) {
        cursor = Runtime::ScanParam(cursor, token);
        if (token.empty()) break;
        tokens.push_back(token);
    }
    return tokens;
}

struct ScanCase {
    const char* name;
    std::string line;
    std::vector<std::string> tokens;
};

class ScanParamTable : public testing::TestWithParam<ScanCase> {};

TEST_P(ScanParamTable, SplitsAsSpecified) { EXPECT_EQ(Tokens(GetParam().line), GetParam().tokens); }

// \x83\x5C is katakana so (its trail byte is a backslash); \x95\x5C is a kanji with the same trail byte;
// \x83\x22 does not exist in code page 932, but a trail byte never counts as a quote.
INSTANTIATE_TEST_SUITE_P(
    CommandLines, ScanParamTable,
    testing::Values(
        ScanCase{"QuotedWithSpace", "prog \"C:\\My Files\\a.txt\" b.txt", {"prog", "C:\\My Files\\a.txt", "b.txt"}},
        ScanCase{"EmptyPairSkipped", "prog \"\" x", {"prog", "x"}},
        ScanCase{"QuoteInsideToken", "prog a\"b c\"d e", {"prog", "ab cd", "e"}},
        ScanCase{"BackslashDoesNotEscape", "prog \"C:\\dir\\\" next", {"prog", "C:\\dir\\", "next"}},
        ScanCase{"UnterminatedQuote", "prog \"abc def", {"prog", "abc def"}},
        ScanCase{"LoneQuoteEndsList", "prog a \"", {"prog", "a"}},
        ScanCase{"TabsAndControlBytes", "prog\ta\x01" "b\x1f" "c", {"prog", "a", "b", "c"}},
        ScanCase{"OnlyProgram", "prog", {"prog"}},
        ScanCase{"LeadingSeparators", "   prog   a  ", {"prog", "a"}},
        ScanCase{"EmptyPairsRepeated", "prog \"\"\"\" \"\" y", {"prog", "y"}},
        ScanCase{"DoubleByteTrail5C", "prog C:\\\x83\x5C\\x.txt", {"prog", "C:\\\x83\x5C\\x.txt"}},
        ScanCase{"DoubleByteInQuotes", "prog \"C:\\\x95\x5C dir\\\x83\x5C\" z", {"prog", "C:\\\x95\x5C dir\\\x83\x5C", "z"}},
        ScanCase{"HighBytesBelongToTokens", "prog \xE0\x40\xFC\xFC", {"prog", "\xE0\x40\xFC\xFC"}}),
    [](const testing::TestParamInfo<ScanCase>& p) { return std::string(p.param.name); });

TEST(ScanParam, ReturnsCursorAtTheSeparatorThatEndedTheToken) {
    const std::string line = "ab \"c d\"e  f";
    std::string token;
    const char* cursor = Runtime::ScanParam(line.c_str(), token);
    EXPECT_EQ(token, "ab");
    EXPECT_EQ(cursor, line.c_str() + 2);
    cursor = Runtime::ScanParam(cursor, token);
    EXPECT_EQ(token, "c de");
    EXPECT_EQ(cursor, line.c_str() + 9);
}

TEST(ScanParam, LoneLeadByteAtTheEndIsKeptAndNothingIsReadPastTheNul) {
    std::string token;
    const std::string line = "a\x83";
    const char* end = Runtime::ScanParam(line.c_str(), token);
    EXPECT_EQ(token, "a\x83");
    EXPECT_EQ(*end, '\0');
}

} // namespace
