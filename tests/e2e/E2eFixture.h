// Common ground of the end-to-end tests: the clipboard holds a known text before each test, the cursor
// is where the menu should open, a visible driver window is in front (the shell's window, as it were),
// and no key is left down when a test ends.
#pragma once
#include <gtest/gtest.h>

#include "Win32Support.h"

namespace E2e {

using namespace TestSupport;

// Generous bounds: a Wine process start takes a few hundred milliseconds on a quiet machine and many
// seconds on a busy one; every wait ends as soon as its condition holds, so a passing run spends none.
constexpr DWORD StartTimeoutMs = 60000;
constexpr DWORD EndTimeoutMs = 60000;

class ProgramTest : public testing::Test {
  protected:
    void SetUp() override {
        CenterCursor();
        ASSERT_TRUE(Shell.TakeForeground());
        // Different bytes per test, with a double-byte character and a line end, so that a stale text,
        // a conversion or a truncation all show.
        Sentinel = std::string("sentinel \x95\x5C\r\n") +
                   testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_TRUE(WriteClipboard(Sentinel));
        ForgetMenuWait();
    }

    void TearDown() override {
        // Never leave a key down for the next test, whatever happened.
        KeyUp(VK_SHIFT);
        KeyUp(VK_CONTROL);
    }

    // The clipboard still holds this test's sentinel, byte for byte.
    void ExpectClipboardUntouched() const {
        ClipboardText now = ReadClipboard();
        EXPECT_TRUE(now.Present);
        EXPECT_EQ(now.Text, Sentinel);
    }

    void ExpectClipboard(const std::string& text) const {
        ClipboardText now = ReadClipboard();
        EXPECT_TRUE(now.Present);
        EXPECT_EQ(now.Text, text) << "before the key: " << LastMenuWait();
    }

    // The process ends by itself within the bound, with exit code 0.
    static void ExpectEndsWithZero(const Child& p, DWORD timeoutMs = EndTimeoutMs) {
        ASSERT_TRUE(p.Wait(timeoutMs))
            << "the program did not end\n  before the key: " << LastMenuWait() << "\n  now: " << MenuScene(p);
        EXPECT_EQ(p.ExitCode(), 0u);
    }

    // Starts Pathgrab.exe with these raw arguments and waits for its menu; the menu window is returned.
    HWND StartWithMenu(Child& p, const std::vector<std::string>& rawArgs) {
        p = StartPathgrab(rawArgs);
        // Never a minute's wait for the menu of a program that is not running.
        if (!p.Started()) {
            ADD_FAILURE() << p.StartFailure();
            return nullptr;
        }
        HWND menu = WaitForPopupMenu(p, StartTimeoutMs);
        EXPECT_NE(menu, nullptr) << "no popup menu appeared";
        return menu;
    }

    // Closes the open menu with a click outside it (under Xvfb that activates nothing else).
    static void DismissByClickAway(const Child& p, HWND menu) {
        RECT r = {};
        GetWindowRect(menu, &r);
        ClickAwayFrom(r);
        ASSERT_TRUE(WaitForNoPopupMenu(p, EndTimeoutMs)) << "the menu did not close";
    }

    ForegroundWindow& Shell = SharedForegroundWindow();
    std::string Sentinel;
};

} // namespace E2e
