// The one-pass argument reading against ParamStr(i) under the real CharNextA of code page 932: child
// processes started with seeded generated command lines record both readings, and the driver holds
// them against each other and against an independent reading of the splitting rules.
#include <gtest/gtest.h>

#include "ParamLines.h"
#include "Win32Support.h"

#include <string>
#include <vector>

namespace {

using namespace TestSupport;

struct Record {
    std::string commandLine; // as the child got it
    int count = -1;
    std::vector<std::string> onePass;
    std::vector<std::string> byIndex; // ParamStr(1) .. ParamStr(count + 1)
};

std::string HelperExe() { return OwnFolder() + "\\ParamDump.exe"; }

bool IsLeadHere(unsigned char b) { return IsDBCSLeadByte(b) != 0; }

class ParamDifferentialWine : public testing::Test {
  protected:
    void SetUp() override {
        out_ = scratch_.Path() + "\\record.bin";
        SetEnvironmentVariableA("PARAMDUMP_OUT", out_.c_str());
    }
    void TearDown() override { SetEnvironmentVariableA("PARAMDUMP_OUT", nullptr); }

    // Runs the helper with exactly this command line and reads back its record.
    Record Run(const std::string& line) {
        Record r;
        DeleteFileA(out_.c_str());
        Child child = Start(HelperExe(), line);
        if (!child.Started()) {
            ADD_FAILURE() << child.StartFailure();
            return r;
        }
        // Its ParamStr per argument is quadratic in the line: many seconds near the limit on a busy machine.
        EXPECT_TRUE(child.Wait(300000));
        EXPECT_EQ(child.ExitCode(), 0u);
        // Command line, ParamCount, ParamStr(-1) .. ParamStr(count + 1), the one-pass count and arguments.
        const std::vector<std::string> f = ZeroSeparatedFields(ReadFileBytes(out_));
        if (f.size() < 6) return r;
        r.commandLine = f[0];
        r.count = std::stoi(f[1]);
        if (r.count < 0 || f.size() < static_cast<size_t>(r.count) + 6) return r;
        const auto byIndexBegin = f.begin() + 4; // ParamStr(1)
        r.byIndex.assign(byIndexBegin, byIndexBegin + r.count + 1);
        const size_t onePass = std::stoul(f[static_cast<size_t>(r.count) + 5]);
        if (f.size() != static_cast<size_t>(r.count) + 6 + onePass) return r;
        r.onePass.assign(f.end() - static_cast<std::ptrdiff_t>(onePass), f.end());
        return r;
    }

    // Returns whether the line reached the child unchanged.
    bool Check(const std::string& line) {
        SCOPED_TRACE(ParamLines::Escaped(line));
        const Record r = Run(line);
        EXPECT_EQ(r.count, static_cast<int>(r.onePass.size()));
        EXPECT_EQ(r.byIndex.size(), r.onePass.size() + 1);
        if (r.byIndex.size() == r.onePass.size() + 1) {
            EXPECT_EQ(std::vector<std::string>(r.byIndex.begin(), r.byIndex.end() - 1), r.onePass);
            EXPECT_EQ(r.byIndex.back(), "");
        }
        // Against the line the child really got: the system may replace bytes that are no characters of
        // the code page on the way.
        EXPECT_EQ(r.onePass, ParamLines::ExpectedArgs(r.commandLine, IsLeadHere))
            << "child's line: " << ParamLines::Escaped(r.commandLine);
        return r.commandLine == line;
    }

    ScratchDir scratch_;
    std::string out_;
};

TEST_F(ParamDifferentialWine, GeneratedLines) {
    ParamLines::Generator gen(20240601, true);
    for (int n = 0; n < 120 && !HasFailure(); ++n) {
        const std::string line = gen.Line(gen.Below(24));
        // A line of characters arrives byte for byte, so the comparison never sees only the conversion.
        EXPECT_TRUE(Check(line)) << "changed on the way: " << ParamLines::Escaped(line);
    }
}

TEST_F(ParamDifferentialWine, LinesNearTheCommandLineLimit) {
    ParamLines::Generator gen(7, true);
    for (int n = 0; n < 3 && !HasFailure(); ++n) EXPECT_TRUE(Check(gen.Line(0, 32000 + gen.Below(700))));
}

} // namespace
