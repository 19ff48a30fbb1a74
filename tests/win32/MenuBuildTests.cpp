// BuildPopupMenu against the real menu functions. It reads the argument count from the process's own
// command line, so each case runs in a child started with the command line the case needs; the child
// reads the built menu back and compares it with the computed content item by item.
#include <gtest/gtest.h>

#include "MenuSupport.h"
#include "Pathgrab.h"
#include "Runtime.h"
#include "TinyUtils.h"

#include <string>
#include <vector>

namespace {

struct BuildCase {
    const char* name;
    std::string args; // after the program name, exactly as passed
    std::string longPath;
    int argCount;
    bool folder;
    int itemCount; // separators included
};

// C:\windows exists in every Wine prefix; the other paths exist nowhere.
const std::vector<BuildCase> Cases = {
    {"OneFileWithSpaces", "\"C:\\My Files\\a b.txt\"", "C:\\My Files\\a b.txt", 1, false, 12},
    {"NoArguments", "", "C:\\Work\\plan.txt", 0, false, 10},
    {"ExistingFolder", "C:\\windows", "C:\\windows", 1, true, 9},
    {"AmpersandAndTrail5C", "C:\\R&D\\\x95\x5C.txt", "C:\\R&D\\\x95\x5C.txt", 1, false, 10},
    {"TwoFiles", "a.txt \"C:\\My Files\\b.txt\"", "C:\\Work\\a.txt", 2, false, 9},
};

const BuildCase* FindCase(const std::string& name) {
    for (const BuildCase& c : Cases)
        if (name == c.name) return &c;
    return nullptr;
}

class BuildPopupMenuTable : public testing::TestWithParam<BuildCase> {};

TEST_P(BuildPopupMenuTable, BuildsTheComputedMenu) {
    EXPECT_EQ(TestSupport::RunSelfAsChild("BuildPopupMenuChild.*", GetParam().name, GetParam().args), 0u)
        << "the child's own output says what differed";
}

INSTANTIATE_TEST_SUITE_P(CommandLines, BuildPopupMenuTable, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<BuildCase>& p) {
                             return std::string(p.param.name);
                         });

TEST(BuildPopupMenuChild, MatchesComputedEntries) {
    const BuildCase* c = FindCase(TestSupport::ChildCase());
    if (!c) GTEST_SKIP() << "runs only as the child of BuildPopupMenuTable";
    ASSERT_EQ(Runtime::ParamCount(), c->argCount) << "the child's command line is not what the case needs";

    using namespace Pathgrab;
    TargetLongPath = c->longPath;
    TargetFolder = TinyUtils::PathFolder(c->longPath);
    TargetShortPath = "C:\\SHORT~1\\X~1.TXT";
    TargetFileName = TinyUtils::PathFileName(c->longPath);
    TargetBaseName = TinyUtils::PathChangeExt(TargetFileName, std::string());
    BuildPopupMenu();
    ASSERT_TRUE(PopupMenuHandle != nullptr && IsMenu(PopupMenuHandle));

    const std::vector<TMenuEntry> expected = MenuEntries(c->argCount, c->folder);
    ASSERT_EQ(GetMenuItemCount(PopupMenuHandle), c->itemCount);
    ASSERT_EQ(static_cast<int>(expected.size()), c->itemCount);
    for (int i = 0; i < c->itemCount; ++i) {
        const TMenuEntry& e = expected[i];
        const UINT state = GetMenuState(PopupMenuHandle, i, MF_BYPOSITION);
        if (e.Separator) {
            EXPECT_NE(state & MF_SEPARATOR, 0u) << "position " << i;
            continue;
        }
        // A plain enabled string item: not grayed, checked, default or a submenu.
        EXPECT_EQ(state, 0u) << "position " << i;
        EXPECT_EQ(GetMenuItemID(PopupMenuHandle, i), e.Id) << "position " << i;
        char caption[600] = "";
        const int n = GetMenuStringA(PopupMenuHandle, i, caption, sizeof caption, MF_BYPOSITION);
        EXPECT_EQ(std::string(caption, n > 0 ? n : 0), e.Caption) << "position " << i;
    }
    DestroyMenu(PopupMenuHandle);
    PopupMenuHandle = nullptr;
    ReleaseTargets();
}

} // namespace
