// A shortcut sent alone: followed to its stored target unless Ctrl is held at start, recognised by its
// last extension in any letter case, and copied at once with Shift. Real shortcut files, made by the
// program's own shortcut writer, point from a folder "docs" to a file in a folder "data".
#include "E2eFixture.h"
#include "MenuE2eSupport.h"
#include "RegistrationSupport.h"

#include <optional>

namespace E2e {
namespace {

struct Paths {
    std::string Target, TargetFolder, Link;
};

struct ShortcutCase {
    const char* Name;
    const char* Link; // the shortcut file's name in "docs"
    bool Ctrl, Shift;
    bool Second; // a further file follows the shortcut on the command line
    char Digit;  // the menu item picked; 0: no menu, the copy happens at start
    std::string (*Text)(const Paths&);
    bool Copied = false; // copied as a file list and read with /clipboard, where no key counts
};

// The menu of a followed target without spaces: 1 long path, 2 name, 3 base, 4 folder, 5 short path.
const ShortcutCase Cases[] = {
    {"FollowedWithoutCtrl", "report.lnk", false, false, false, '1', [](const Paths& p) { return p.Target; }},
    {"FollowedWhenMixedCase", "report.Lnk", false, false, false, '1',
     [](const Paths& p) { return p.Target; }},
    {"FollowedWhenUpperCase", "report.LNK", false, false, false, '1',
     [](const Paths& p) { return p.Target; }},
    {"EveryFormIsTheTargets", "report.lnk", false, false, false, '4',
     [](const Paths& p) { return p.TargetFolder; }},
    {"TakenAsItselfWithCtrl", "report.lnk", true, false, false, '1', [](const Paths& p) { return p.Link; }},
    {"OnlyTheLastExtensionCounts", "notes.lnk.txt", false, false, false, '1',
     [](const Paths& p) { return p.Link; }},
    {"ShiftCopiesTheTargetAtOnce", "report.lnk", false, true, false, 0,
     [](const Paths& p) { return p.Target; }},
    {"ShiftWithCtrlCopiesTheShortcutItself", "report.lnk", true, true, false, 0,
     [](const Paths& p) { return p.Link; }},
    {"ShiftWithSeveralCopiesTheFirstsTarget", "report.lnk", false, true, true, 0,
     [](const Paths& p) { return p.Target; }},
    {"CopiedIsFollowedWhateverKeysAreHeld", "report.lnk", true, true, false, '1',
     [](const Paths& p) { return p.Target; }, true},
};

class Shortcut : public ProgramTest, public testing::WithParamInterface<ShortcutCase> {};

TEST_P(Shortcut, CopiesTheFormOfWhatItStandsFor) {
    const ShortcutCase& c = GetParam();
    ScratchDir dir;
    const std::string root = LongPathOf(dir.Path());
    Paths paths;
    paths.TargetFolder = MakeFolder(root, "data");
    paths.Target = MakeItem(root, "data/report.xls", std::string());
    paths.Link = MakeFolder(root, "docs") + "\\" + c.Link;
    WriteShortcut(paths.Link, paths.Target);
    // The link is sent in its short form: the extension test must see the long name.
    const std::string sent = ShortPathOf(paths.Link);
    ASSERT_FALSE(sent.empty()) << "no shortcut file was written";
    ASSERT_NE(sent, paths.Link);

    std::vector<std::string> args = {Quoted(sent)};
    if (c.Second) args.push_back(Quoted(MakeItem(root, "other.txt", std::string())));
    if (c.Copied) {
        ASSERT_TRUE(WriteClipboard(DropFiles({WideOf(sent)}), CF_HDROP));
        args = {"/clipboard"};
    }
    std::optional<KeyHeld> ctrl, shift;
    if (c.Ctrl) ctrl.emplace(VK_CONTROL);
    if (c.Shift) shift.emplace(VK_SHIFT);
    Child p;
    if (c.Digit) {
        ASSERT_NE(StartWithMenu(p, args), nullptr);
        // The keys count only at start; a held Ctrl would keep the digit from reaching the menu.
        if (ctrl) ctrl->Release();
        if (shift) shift->Release();
        PressInMenu(p, static_cast<WORD>(c.Digit));
    } else {
        p = StartPathgrab(args);
    }
    ExpectEndsWithZero(p);
    ExpectClipboard(c.Text(paths));
}

INSTANTIATE_TEST_SUITE_P(Keys, Shortcut, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<ShortcutCase>& i) {
                             return std::string(i.param.Name);
                         });

} // namespace
} // namespace E2e
