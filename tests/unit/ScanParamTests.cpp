// The tokenizer on literal command lines: the same assertions meet the stand-in's CharNextA on the
// host and the real one of code page 932 under Wine.
#include <gtest/gtest.h>

#include "Pathgrab.h"
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

// The options before the items: one row per rule. Copy is the name /copy: was given, First the first item.
struct OptionsCase {
    const char* name;
    std::vector<std::wstring> args;
    Pathgrab::TOptionFault fault;
    bool clipboard, hotkey;
    const char* copy;
    size_t first;
};

class OptionsTable : public testing::TestWithParam<OptionsCase> {};

TEST_P(OptionsTable, ReadsTheRule) {
    const OptionsCase& c = GetParam();
    const Pathgrab::TOptions o = Pathgrab::ReadOptions(c.args);
    EXPECT_EQ(o.Fault, c.fault);
    EXPECT_EQ(o.Clipboard, c.clipboard);
    EXPECT_EQ(o.Hotkey, c.hotkey);
    EXPECT_STREQ(o.Copy ? o.Copy->Name : nullptr, c.copy);
    if (c.fault == Pathgrab::ofNone) {
        EXPECT_EQ(o.FirstItem, c.first);
    }
}

using namespace Pathgrab;
INSTANTIATE_TEST_SUITE_P(
    Rules, OptionsTable,
    testing::Values(
        OptionsCase{"Clipboard", {L"/clipboard"}, ofNone, true, false, nullptr, 1},
        OptionsCase{"LettersInAnyCase", {L"/ClipBoard", L"/COPY:Web"}, ofNone, true, false, "web", 2},
        OptionsCase{"CopyThenItems", {L"/copy:unc", L"C:\\a", L"/copy:web"}, ofNone, false, false, "unc", 1},
        OptionsCase{"ServerPathIsAnItem", {L"//srv/share/a"}, ofNone, false, false, nullptr, 0},
        OptionsCase{"AsciiLettersOnly", {L"/cl\u0130pboard"}, ofNone, false, false, nullptr, 0},
        OptionsCase{"Hotkey", {L"/hotkey"}, ofNone, false, true, nullptr, 1},
        OptionsCase{"UnknownOption", {L"/cop", L"C:\\a"}, ofUnknownOption, false, false, nullptr, 0},
        OptionsCase{"NameOnANamelessOption", {L"/clipboard:x"}, ofUnknownOption, false, false, nullptr, 0},
        OptionsCase{"UnknownName", {L"/copy:bogus", L"C:\\a"}, ofUnknownName, false, false, nullptr, 0},
        OptionsCase{"CopyWithoutName", {L"/copy", L"C:\\a"}, ofUnknownName, false, false, nullptr, 0},
        OptionsCase{
            "CopyTwice", {L"/copy:long", L"/copy:long", L"C:\\a"}, ofCopyTwice, false, false, "long", 0},
        OptionsCase{
            "ClipboardWithFiles", {L"/clipboard", L"C:\\a"}, ofClipboardAndFiles, true, false, nullptr, 0},
        OptionsCase{"HotkeyWithMore", {L"/hotkey", L"/clipboard"}, ofHotkeyAndMore, true, true, nullptr, 0},
        OptionsCase{"OptionsWithoutItems", {L"/copy:web"}, ofNoItems, false, false, "web", 0}),
    [](const testing::TestParamInfo<OptionsCase>& p) { return std::string(p.param.name); });

} // namespace
