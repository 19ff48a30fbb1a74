// The one-pass argument reading against ParamStr(i), and both against an independent reading of the
// splitting rules, over seeded generated command lines set in the stand-in.
#include <gtest/gtest.h>

#include "HostStub.h"
#include "ParamLines.h"
#include "Runtime.h"

namespace {

struct CodePageCase {
    const char* name;
    unsigned codePage;
    ParamLines::TIsLead isLead;
};
void PrintTo(const CodePageCase& c, std::ostream* os) { *os << c.name; }

class ParamDifferential : public testing::TestWithParam<CodePageCase> {
  protected:
    void SetUp() override { HostStub::Current().AnsiCodePage = GetParam().codePage; }
    void TearDown() override { HostStub::Reset(); }

    // Every index when `every`, otherwise the ends and a few from the middle: ParamStr rescans the line
    // per call, and a long line has thousands of arguments.
    void Check(const std::string& line, bool every, ParamLines::Generator& gen) {
        SCOPED_TRACE(ParamLines::Escaped(line));
        HostStub::Current().CommandLine = line;
        const std::vector<std::string> expected = ParamLines::ExpectedArgs(line, GetParam().isLead);
        const std::vector<std::string> all = Runtime::ParamStrs();
        ASSERT_EQ(all, expected);
        const int count = Runtime::ParamCount();
        ASSERT_EQ(count, static_cast<int>(expected.size()));
        std::vector<int> indexes;
        if (every) {
            for (int i = 1; i <= count; ++i) indexes.push_back(i);
        } else if (count > 0) {
            indexes = {1, count};
            for (int k = 0; k < 8; ++k) indexes.push_back(1 + static_cast<int>(gen.Below(count)));
        }
        for (int i : indexes) ASSERT_EQ(Runtime::ParamStr(i), all[i - 1]) << "index " << i;
        EXPECT_EQ(Runtime::ParamStr(count + 1), "");
    }
};

TEST_P(ParamDifferential, ShortLines) {
    ParamLines::Generator gen(20240601);
    for (int n = 0; n < 4000; ++n) {
        Check(gen.Line(gen.Below(24)), true, gen);
        if (HasFatalFailure()) return;
    }
}

TEST_P(ParamDifferential, LinesNearTheCommandLineLimit) {
    ParamLines::Generator gen(7);
    for (int n = 0; n < 6; ++n) {
        Check(gen.Line(0, 32000 + gen.Below(700)), false, gen);
        if (HasFatalFailure()) return;
    }
}

// The shape the list commands meet: hundreds of quoted paths, some with spaces and double-byte names.
TEST_P(ParamDifferential, ManyQuotedPaths) {
    ParamLines::Generator gen(99);
    std::string line = "\"C:\\Tools\\Pathgrab.exe\"";
    while (line.size() < 32600) {
        std::string path = "C:\\Work\\\x83\x5C\x95\x5C ";
        for (uint32_t k = 0, n = 1 + gen.Below(20); k < n; ++k) path += gen.Piece();
        line += gen.Below(3) ? " \"" + path + "\"" : " " + path;
    }
    Check(line, true, gen);
}

INSTANTIATE_TEST_SUITE_P(CodePages, ParamDifferential,
                         testing::Values(CodePageCase{"Japanese", 932, ParamLines::IsLead932},
                                         CodePageCase{"Western", 1252, ParamLines::NoLeadBytes}),
                         [](const testing::TestParamInfo<CodePageCase>& p) { return p.param.name; });

} // namespace
