// Pictures of both menu layouts as the user sees them, left in the build tree (e2e-artifacts/*.bmp,
// turned into PNG by the CTest step that follows) so that the Japanese captions can be looked at.
#include "E2eFixture.h"
#include "MenuE2eSupport.h"

namespace E2e {
namespace {

class MenuScreenshot : public ProgramTest {
  protected:
    void Take(const std::vector<std::string>& items, const char* picture) {
        const std::string out = ArtifactsDir();
        if (out.empty()) GTEST_SKIP() << "PATHGRAB_ARTIFACTS is not set";
        const std::string root = LongPathOf(Dir.Path());
        std::vector<std::string> args;
        for (const std::string& item : items)
            args.push_back(Quoted(MakeItem(root, item, std::string())));
        Child p;
        HWND menu = StartWithMenu(p, args);
        ASSERT_NE(menu, nullptr);
        PumpMessages(400); // the menu paints after it shows
        EXPECT_TRUE(SaveWindowShot(menu, 10, out + "\\" + picture));
        PressInMenu(VK_ESCAPE);
        ExpectEndsWithZero(p);
    }

    ScratchDir Dir;
};

// 報告書 (95 F1 8D 90 8F 91) in a folder with a space and an ampersand: every form shows.
TEST_F(MenuScreenshot, SingleItem) {
    Take({"R&D Files/\x95\xF1\x8D\x90\x8F\x91 2024.txt"}, "menu-single.bmp");
}

TEST_F(MenuScreenshot, SeveralItems) {
    Take({"Work/b.txt", "Work/a.txt"}, "menu-list.bmp");
}

} // namespace
} // namespace E2e
