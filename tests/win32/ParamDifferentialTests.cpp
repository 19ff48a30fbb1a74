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

std::vector<std::string> Fields(const std::string& data) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t zero; (zero = data.find('\0', start)) != std::string::npos; start = zero + 1)
        fields.push_back(data.substr(start, zero - start));
    return fields;
}

std::string FileContents(const std::string& path) {
    std::string data;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return data;
    char chunk[8192];
    DWORD got = 0;
    while (ReadFile(f, chunk, sizeof chunk, &got, nullptr) && got) data.append(chunk, got);
    CloseHandle(f);
    return data;
}

std::string HelperExe() {
    char buffer[MAX_PATH + 1];
    DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::string path(buffer, n);
    return path.substr(0, path.find_last_of('\\') + 1) + "ParamDiffDump.exe";
}

bool IsLeadHere(unsigned char b) { return IsDBCSLeadByte(b) != 0; }

class ParamDifferentialWine : public testing::Test {
  protected:
    void SetUp() override {
        out_ = scratch_.Path() + "\\record.bin";
        SetEnvironmentVariableA("PARAMDIFF_OUT", out_.c_str());
    }
    void TearDown() override { SetEnvironmentVariableA("PARAMDIFF_OUT", nullptr); }

    // Runs the helper with exactly this command line and reads back its record.
    Record Run(const std::string& line) {
        Record r;
        DeleteFileA(out_.c_str());
        Child child = Start(HelperExe(), line);
        EXPECT_TRUE(child.Wait(20000));
        EXPECT_EQ(child.ExitCode(), 0u);
        std::vector<std::string> f = Fields(FileContents(out_));
        if (f.size() < 3) return r;
        r.commandLine = f[0];
        r.count = std::stoi(f[1]);
        const size_t onePass = std::stoul(f[2]);
        if (f.size() != 3 + onePass + static_cast<size_t>(r.count) + 1) return r;
        r.onePass.assign(f.begin() + 3, f.begin() + 3 + onePass);
        r.byIndex.assign(f.begin() + 3 + onePass, f.end());
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
