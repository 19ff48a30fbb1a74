#include <gtest/gtest.h>

#include "TinyUtils.h"
#include "Win32Support.h"

TEST(PutClipboardText, PlacesTheBytesUnconverted) {
    const std::string text = "C:\\\x83\x5C\\a b\r\nline2\r\n";
    TinyUtils::PutClipboardText(nullptr, text);
    TestSupport::ClipboardText got = TestSupport::ReadClipboard();
    EXPECT_TRUE(got.Present);
    EXPECT_EQ(got.Text, text);
}
