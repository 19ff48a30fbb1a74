// ParamCount, ParamStr and the one-pass reading against command lines set in the stand-in.
#include <gtest/gtest.h>

#include "HostStub.h"
#include "Runtime.h"

namespace {

class Params : public testing::Test {
  protected:
    void TearDown() override { HostStub::Reset(); }
    void Line(const std::string& s) { HostStub::Current().CommandLine = s; }
};

TEST_F(Params, CountAndStringsFollowTheTokens) {
    Line("\"C:\\Program Files\\Pathgrab.exe\" \"C:\\My Files\\a.txt\" b.txt");
    EXPECT_EQ(Runtime::ParamCount(), 2);
    EXPECT_EQ(Runtime::ParamStr(1), "C:\\My Files\\a.txt");
    EXPECT_EQ(Runtime::ParamStr(2), "b.txt");
    EXPECT_EQ(Runtime::ParamStr(3), "");
    EXPECT_EQ(Runtime::ParamStr(-1), "");
}

TEST_F(Params, ZeroIsTheModuleFileNameNotTheFirstToken) {
    Line("pg \"x\"");
    // The second sits one byte below the 260-byte limit.
    for (const std::string& name :
         {std::string("C:\\Tools\\Other Name.exe"), "C:\\" + std::string(243, 'd') + "\\Pathgrab.exe"}) {
        HostStub::Current().ModuleFileName = name;
        EXPECT_EQ(Runtime::ParamStr(0), name);
    }
}

TEST_F(Params, OnlyTheProgramNameGivesNoArguments) {
    Line("Pathgrab.exe");
    EXPECT_EQ(Runtime::ParamCount(), 0);
    EXPECT_EQ(Runtime::ParamStr(1), "");
    EXPECT_TRUE(Runtime::ParamStrs().empty());
}

TEST_F(Params, EmptyTokenEndsTheList) {
    Line("p a \"\" b \"");
    // The empty pair is skipped like white space; the lone quote at the end is an empty token.
    EXPECT_EQ(Runtime::ParamCount(), 2);
    EXPECT_EQ(Runtime::ParamStr(2), "b");
}

TEST_F(Params, OnePassReadingEqualsParamStrForEveryIndex) {
    for (const char* line : {"p a b c", "p \"a b\"c \"\" d\te", "p \x83\x5C \"\x83\x5C\\\" x", "p \"unterminated x y",
                             "p", "", "\"\" a", "p \x01\x02 a\x7F\x80"}) {
        Line(line);
        std::vector<std::string> all = Runtime::ParamStrs();
        ASSERT_EQ(static_cast<int>(all.size()), Runtime::ParamCount()) << line;
        for (int i = 1; i <= Runtime::ParamCount(); ++i) EXPECT_EQ(all[i - 1], Runtime::ParamStr(i)) << line;
    }
}

// Every UTF-16 unit is taken whole: 一 ends in a NUL byte, Ｂ and 丢 in a quote's, 丠 in a blank's.
TEST_F(Params, WideReadingTakesEveryUnitWhole) {
    HostStub::Current().WideCommandLine = L"p \u4E00\u89A7.txt \uFF22\u4E22 \"a \u4E20b\"";
    EXPECT_EQ(Runtime::WideParamStrs(),
              (std::vector<std::wstring>{L"\u4E00\u89A7.txt", L"\uFF22\u4E22", L"a \u4E20b"}));
}

} // namespace
