#include <gtest/gtest.h>

#include "TinyUtils.h"
#include "Win32Support.h"

#include <thread>

TEST(PutClipboardText, PlacesTheBytesUnconvertedAndTheSameTextInUnicode) {
    const std::string text = "C:\\\x83\x5C\\a b\r\nline2\r\n";
    TinyUtils::PutClipboardText(nullptr, text);
    TestSupport::ClipboardText got = TestSupport::ReadClipboard();
    EXPECT_TRUE(got.Present);
    EXPECT_EQ(got.Text, text);
    // U+30BD is katakana so, 0x83 0x5C in code page 932; a Unicode paste reads the same path.
    EXPECT_EQ(got.Wide, L"C:\\\u30BD\\a b\r\nline2\r\n");
    EXPECT_EQ(got.Locale, GetSystemDefaultLCID());
}

TEST(PutClipboardText, EmptyTextLeavesTheClipboardAlone) {
    ASSERT_TRUE(TestSupport::WriteClipboard("sentinel"));
    TinyUtils::PutClipboardText(nullptr, std::string());
    EXPECT_EQ(TestSupport::ReadClipboard().Text, "sentinel");
}

// Another program holding the clipboard for a moment delays the copy instead of losing it.
TEST(PutClipboardText, WaitsOutABriefHolder) {
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([opened] {
        if (OpenClipboard(nullptr)) {
            SetEvent(opened);
            Sleep(100);
            CloseClipboard();
        }
        SetEvent(opened);
    });
    WaitForSingleObject(opened, 5000);
    TinyUtils::PutClipboardText(nullptr, "C:\\held.txt");
    holder.join();
    CloseHandle(opened);
    EXPECT_EQ(TestSupport::ReadClipboard().Text, "C:\\held.txt");
}
