// Pathgrab.exe as a process: the single-instance guard, the hidden window, the commands posted to it,
// the ways it ends, and the Shift copy at start. Every end is checked for exit code 0 and every
// clipboard for its exact bytes.
#include "E2eFixture.h"

#include <cstdlib>

namespace E2e {
namespace {

// The forms of one real file, as the program should produce them.
struct Target {
    std::string Long, Short, Name, Base, Folder;
};

// A file whose folder holds a space and whose name holds double-byte characters with a 0x5C trail
// byte: "表 ソ.txt" in a folder "a b".
class WithTarget : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        T.Folder = LongPathOf(Dir.Folder("a b"));
        T.Name = "\x95\x5C \x83\x5C.txt"; // 表 ソ.txt
        T.Base = "\x95\x5C \x83\x5C";
        Dir.File("a b\\" + T.Name);
        T.Long = T.Folder + "\\" + T.Name;
        T.Short = ShortPathOf(T.Long);
        ASSERT_FALSE(T.Folder.empty());
        ASSERT_FALSE(T.Short.empty());
        // The program gets the short form and must find the long one itself.
        ASSERT_NE(T.Short, T.Long);
    }

    ScratchDir Dir;
    Target T;
};

// ---- The single-instance guard ---------------------------------------------------------------------

class SingleInstance : public WithTarget {};

TEST_F(SingleInstance, SecondStartWithArgumentsEndsAtOnceAndLeavesTheFirstAlone) {
    Child first;
    HWND menu = StartWithMenu(first, {Quoted(T.Long)});
    ASSERT_NE(menu, nullptr);

    Child second = StartPathgrab({Quoted(T.Long)});
    ExpectEndsWithZero(second);
    EXPECT_TRUE(WindowsOf(second.Id(), false).empty());
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindowVisible(menu)) << "the first instance's menu was closed";
    ExpectClipboardUntouched();

    DismissByClickAway(first, menu);
    ASSERT_TRUE(Shell.TakeForeground());
    ExpectEndsWithZero(first);
    ExpectClipboardUntouched();
}

TEST_F(SingleInstance, SecondStartWithoutArgumentsAsksNothing) {
    Child first;
    HWND menu = StartWithMenu(first, {Quoted(T.Long)});
    ASSERT_NE(menu, nullptr);

    Child second = StartPathgrab({});
    // Without the guard this start would ask its registration question and wait for an answer: watch
    // for any window of it until it ends.
    bool askedSomething = false;
    for (const DWORD start = GetTickCount();
         !askedSomething && !second.Wait(20) && GetTickCount() - start < EndTimeoutMs;)
        askedSomething = !WindowsOf(second.Id(), true).empty();
    EXPECT_FALSE(askedSomething);
    ExpectEndsWithZero(second, 0);
    EXPECT_TRUE(first.Running());
    ExpectClipboardUntouched();

    DismissByClickAway(first, menu);
    ExpectEndsWithZero(first);
}

// ---- The hidden window -------------------------------------------------------------------------------

class HiddenWindow : public WithTarget {};

TEST_F(HiddenWindow, IsNeverVisibleAndHasNoSize) {
    Child p;
    HWND menu = StartWithMenu(p, {Quoted(T.Long)});
    ASSERT_NE(menu, nullptr);
    HWND wnd = WaitForProgramWindow(p, 1000);
    ASSERT_NE(wnd, nullptr);

    auto expectHidden = [&] {
        EXPECT_FALSE(IsWindowVisible(wnd));
        EXPECT_EQ(GetWindowLongA(wnd, GWL_STYLE) & WS_VISIBLE, 0);
        // Asked for 0 x 0 at (0, 0); the system raises an overlapped window to its smallest tracking
        // size, so that is what a window asked no larger than that ends up with.
        RECT r = {1, 1, 1, 1};
        GetWindowRect(wnd, &r);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXMINTRACK));
        EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYMINTRACK));
        // Nothing of the program's shows but the menu itself.
        for (HWND w : WindowsOf(p.Id(), true)) {
            char cls[64] = "";
            GetClassNameA(w, cls, sizeof cls);
            EXPECT_STREQ(cls, "#32768");
        }
    };
    expectHidden();
    PostMessageA(wnd, WM_CLOSE, 0, 0);
    ExpectEndsWithZero(p);
    ExpectClipboardUntouched();
}

// ---- Commands posted to the window --------------------------------------------------------------------

struct CommandCase {
    const char* Name;
    WPARAM WParam;
    std::string (*Text)(const Target&); // nullptr: the clipboard stays as it was
};

std::string Q(const std::string& s) {
    return "\"" + s + "\"";
}

const CommandCase CommandCases[] = {
    {"ListLongPaths", 0x100, [](const Target& t) { return t.Long + "\r\n"; }},
    {"ListNamesWithExt", 0x102, [](const Target& t) { return t.Name + "\r\n"; }},
    {"LongPath", 0x104, [](const Target& t) { return t.Long; }},
    {"QuotedLongPath", 0x105, [](const Target& t) { return Q(t.Long); }},
    {"FileName", 0x106, [](const Target& t) { return t.Name; }},
    {"NameWithoutExt", 0x107, [](const Target& t) { return t.Base; }},
    {"Folder", 0x108, [](const Target& t) { return t.Folder; }},
    {"QuotedFolder", 0x109, [](const Target& t) { return Q(t.Folder); }},
    {"ShortPath", 0x110, [](const Target& t) { return t.Short; }},
    // Only the low word names the command (an accelerator sets the high word to 1).
    {"HighWordIgnored", 0x10104, [](const Target& t) { return t.Long; }},
    {"GapAfterQuotedFolder", 0x10A, nullptr},
    {"GapBeforeShortPath", 0x10F, nullptr},
    {"Cancel", 0x111, nullptr},
    {"BelowTheTable", 0x0FF, nullptr},
    {"AboveTheTable", 0x112, nullptr},
    {"HighWordOnly", 0x10000, nullptr},
};

class PostedCommand : public WithTarget, public testing::WithParamInterface<CommandCase> {};

TEST_P(PostedCommand, CopiesItsTextOrNothingAndEnds) {
    const CommandCase& c = GetParam();
    Child p;
    // The short form as argument: every form must come from the long path the program finds.
    HWND menu = StartWithMenu(p, {Quoted(T.Short)});
    ASSERT_NE(menu, nullptr);
    HWND wnd = WaitForProgramWindow(p, 1000);
    ASSERT_NE(wnd, nullptr);
    // Queued ahead of the close that the menu's end posts, as a choice made in the menu is.
    ASSERT_TRUE(PostMessageA(wnd, WM_COMMAND, c.WParam, 0));
    DismissByClickAway(p, menu);
    ExpectEndsWithZero(p);
    if (c.Text)
        ExpectClipboard(c.Text(T));
    else
        ExpectClipboardUntouched();
}

INSTANTIATE_TEST_SUITE_P(Ids, PostedCommand, testing::ValuesIn(CommandCases),
                         [](const testing::TestParamInfo<CommandCase>& i) {
                             return std::string(i.param.Name);
                         });

// ---- How the process ends ---------------------------------------------------------------------------

class Ending : public WithTarget {};

// The menu closed without a choice while the program is still the active application (under Xvfb a
// click elsewhere activates nothing): it ends all the same, and no hidden instance is left to swallow
// the next Send To.
TEST_F(Ending, MenuClosedWithoutAChoiceEndsIt) {
    Child p;
    HWND menu = StartWithMenu(p, {Quoted(T.Long)});
    ASSERT_NE(menu, nullptr);
    DismissByClickAway(p, menu);
    ExpectEndsWithZero(p);
    ExpectClipboardUntouched();
}

TEST_F(Ending, CloseFromAnotherProcessEndsIt) {
    Child p;
    ASSERT_NE(StartWithMenu(p, {Quoted(T.Long)}), nullptr);
    ASSERT_TRUE(PostMessageA(WaitForProgramWindow(p, 1000), WM_CLOSE, 0, 0));
    ExpectEndsWithZero(p);
    ExpectClipboardUntouched();
}

TEST_F(Ending, AnotherApplicationBecomingActiveEndsIt) {
    Child p;
    HWND menu = StartWithMenu(p, {Quoted(T.Long)});
    ASSERT_NE(menu, nullptr);
    DismissByClickAway(p, menu);
    ASSERT_TRUE(Shell.TakeForeground());
    ExpectEndsWithZero(p);
    ExpectClipboardUntouched();
}

TEST_F(Ending, BeingActivatedChangesNothing) {
    Child p;
    HWND menu = StartWithMenu(p, {Quoted(T.Long)});
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(PostMessageA(WaitForProgramWindow(p, 1000), WM_ACTIVATEAPP, TRUE, 0));
    EXPECT_FALSE(p.Wait(500));
    EXPECT_TRUE(IsWindowVisible(menu));
    DismissByClickAway(p, menu);
    ExpectEndsWithZero(p);
    ExpectClipboardUntouched();
}

TEST_F(Ending, CommandIsCopiedBeforeALaterLossOfActivationEndsIt) {
    Child p;
    HWND menu = StartWithMenu(p, {Quoted(T.Long)});
    ASSERT_NE(menu, nullptr);
    HWND wnd = WaitForProgramWindow(p, 1000);
    // Three closes follow each other (the command's, the loss of activation's, the menu's end); the
    // process still ends once, normally.
    ASSERT_TRUE(PostMessageA(wnd, WM_COMMAND, 0x105, 0));
    ASSERT_TRUE(PostMessageA(wnd, WM_ACTIVATEAPP, FALSE, 0));
    DismissByClickAway(p, menu);
    ExpectEndsWithZero(p);
    ExpectClipboard(Q(T.Long));
}

// ---- Shift held at start ----------------------------------------------------------------------------

class ShiftCopy : public WithTarget {};

TEST_F(ShiftCopy, CopiesTheLongPathAtOnce) {
    KeyHeld shift(VK_SHIFT);
    Child p = StartPathgrab({Quoted(T.Short)});
    ExpectEndsWithZero(p);
    shift.Release();
    ExpectClipboard(T.Long);
    // No menu, so no key may be sent to one; the wait says what it saw instead.
    EXPECT_FALSE(WaitForMenuKeys(p, 0));
    EXPECT_NE(LastMenuWait().find("ended; menus: none"), std::string::npos) << LastMenuWait();
}

TEST_F(ShiftCopy, CopiesOnlyTheFirstArgument) {
    const std::string other = Dir.File("other.txt");
    KeyHeld shift(VK_SHIFT);
    Child p = StartPathgrab({Quoted(T.Short), Quoted(other)});
    ExpectEndsWithZero(p);
    shift.Release();
    ExpectClipboard(T.Long);
}

TEST_F(ShiftCopy, ClipboardHeldByAnotherProcessKeepsItsContents) {
    ClipboardHold hold;
    ASSERT_TRUE(hold.Held());
    KeyHeld shift(VK_SHIFT);
    Child p = StartPathgrab({Quoted(T.Long)});
    ExpectEndsWithZero(p);
    shift.Release();
    hold.Release();
    ExpectClipboardUntouched();
}

// The 32-bit program on 64-bit Windows (PATHGRAB_EXE_X86, set where the 64-bit rig can run it): a file
// that only the real System32 holds is found, not looked for in SysWOW64.
TEST_F(ShiftCopy, X86ProgramSeesTheRealSystem32) {
    const char* x86 = std::getenv("PATHGRAB_EXE_X86");
    if (!x86 || !*x86) GTEST_SKIP() << "no x86 program to run in a 64-bit prefix here";
    char system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
    const std::string file = std::string(system) + "\\pathgrab-real-system32.txt";
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "a 64-bit process writes to the real System32";
    CloseHandle(h);
    struct Remove {
        std::string path;
        ~Remove() { DeleteFileA(path.c_str()); }
    } remove{file};
    const std::string exe = WindowsPath(x86);
    KeyHeld shift(VK_SHIFT);
    Child p = Start(exe, Quoted(exe) + " " + Quoted(file));
    ExpectEndsWithZero(p);
    shift.Release();
    ExpectClipboard(LongPathOf(file));
}

} // namespace
} // namespace E2e
