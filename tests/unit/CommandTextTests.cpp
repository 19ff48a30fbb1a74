// What each menu command identifier puts on the clipboard, over the whole identifier range.
#include <gtest/gtest.h>

#include "Pathgrab.h"
#include "TextSupport.h"

#include <cstdio>
#include <string>

namespace {

// Stands in for the list commands, so that each identifier's list text can be told apart.
Pathgrab::TClip FakeListText(uint32_t Id) {
    char text[32];
    std::snprintf(text, sizeof text, "list %#x\r\n", Id);
    return TestText(text);
}

struct CommandCase {
    uint32_t id;
    std::string expected;
};

class CommandTextTable : public testing::TestWithParam<CommandCase> {
  protected:
    void SetUp() override {
        // Ampersands stay single in the copied text: only captions double them.
        Pathgrab::TargetLongPath = TestText("C:\\R&D\\plan.txt");
        Pathgrab::TargetFileName = TestText("plan.txt");
        Pathgrab::TargetBaseName = TestText("plan");
        Pathgrab::TargetFolder = TestText("C:\\R&D");
        Pathgrab::TargetShortPath = TestText("C:\\R&D\\PLAN~1.TXT");
    }
    void TearDown() override { Pathgrab::ReleaseTargets(); }
};

TEST_P(CommandTextTable, ProducesItsText) {
    const Pathgrab::TClip text = Pathgrab::CommandText(GetParam().id, FakeListText);
    EXPECT_EQ(text.Bytes, GetParam().expected);
    // Only the link carries HTML beside its text.
    EXPECT_EQ(text.Html.empty(), GetParam().id != Pathgrab::IDM_LINK) << text.Html;
    EXPECT_EQ(text.Wide, TestText(GetParam().expected).Wide) << "the exact text is another item";
}

// Quoted forms get their quotes even without a space in them.
INSTANTIATE_TEST_SUITE_P(
    Identifiers, CommandTextTable,
    testing::Values(CommandCase{0x000, ""}, CommandCase{0x0FF, ""}, CommandCase{0x100, "list 0x100\r\n"},
                    CommandCase{0x101, "list 0x101\r\n"}, CommandCase{0x102, "list 0x102\r\n"},
                    CommandCase{0x103, "list 0x103\r\n"}, CommandCase{0x104, "C:\\R&D\\plan.txt"},
                    CommandCase{0x105, "\"C:\\R&D\\plan.txt\""}, CommandCase{0x106, "plan.txt"},
                    CommandCase{0x107, "plan"}, CommandCase{0x108, "C:\\R&D"},
                    CommandCase{0x109, "\"C:\\R&D\""}, CommandCase{0x10A, ""}, CommandCase{0x10B, ""},
                    CommandCase{0x10C, ""}, CommandCase{0x10D, ""}, CommandCase{0x10E, ""},
                    CommandCase{0x10F, ""}, CommandCase{0x110, "C:\\R&D\\PLAN~1.TXT"}, CommandCase{0x111, ""},
                    CommandCase{0x112, ""}, CommandCase{0x11F, ""},
                    // No UNC name here (the target is on no network drive); the others from the long path.
                    CommandCase{0x120, ""}, CommandCase{0x121, "file:///C:/R%26D/plan.txt"},
                    CommandCase{0x122, "C:/R&D/plan.txt"}, CommandCase{0x123, "/mnt/c/R&D/plan.txt"},
                    CommandCase{0x124, "list 0x124\r\n"}, CommandCase{0x125, "list 0x125\r\n"},
                    CommandCase{0x126, "list 0x126\r\n"}, CommandCase{0x127, "list 0x127\r\n"},
                    // Outside a work tree: no path in it. The link's plain text is the path.
                    CommandCase{0x128, "/c/R&D/plan.txt"}, CommandCase{0x129, "\"C:\\\\R&D\\\\plan.txt\""},
                    CommandCase{0x12A, ""}, CommandCase{0x12B, "[plan.txt](file:///C:/R%26D/plan.txt)"},
                    CommandCase{0x12C, "C:\\R&D\\plan.txt"}, CommandCase{0x12D, "list 0x12d\r\n"},
                    CommandCase{0x12E, "list 0x12e\r\n"}, CommandCase{0x12F, "list 0x12f\r\n"},
                    CommandCase{0x130, "list 0x130\r\n"}, CommandCase{0x131, "list 0x131\r\n"},
                    CommandCase{0x132, ""}, CommandCase{0x133, "list 0x133\r\n"},
                    // A local path outside the user's folders: its PowerShell string only.
                    CommandCase{0x134, "'C:\\R&D\\plan.txt'"}, CommandCase{0x135, "list 0x135\r\n"},
                    CommandCase{0x136, ""}, CommandCase{0x137, "list 0x137\r\n"}, CommandCase{0x138, ""},
                    CommandCase{0x139, "list 0x139\r\n"}, CommandCase{0x13A, ""},
                    CommandCase{0x13B, "list 0x13b\r\n"}, CommandCase{0x13C, ""}, CommandCase{0x204, ""},
                    CommandCase{0xFFFF, ""}),
    [](const testing::TestParamInfo<CommandCase>& p) {
        char name[16];
        std::snprintf(name, sizeof name, "Id%03X", p.param.id);
        return std::string(name);
    });

TEST(CommandText, EmptyFormsGiveNoTextButQuotedOnesStillGetTheirQuotes) {
    Pathgrab::ReleaseTargets();
    EXPECT_EQ(Pathgrab::CommandText(Pathgrab::IDM_LONG_PATH, FakeListText).Wide, L"");
    EXPECT_EQ(Pathgrab::CommandText(Pathgrab::IDM_SHORT_PATH, FakeListText).Wide, L"");
    EXPECT_EQ(Pathgrab::CommandText(Pathgrab::IDM_QUOTED_LONG_PATH, FakeListText).Bytes, "\"\"");
    EXPECT_EQ(Pathgrab::CommandText(Pathgrab::IDM_QUOTED_FOLDER, FakeListText).Bytes, "\"\"");
}

} // namespace
