#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include "RegistrationSupport.h"
#include "TinyShell.h"

using namespace TestSupport;

TEST(GetSendToFolder, IsTheShellsFolderWithOneTrailingBackslash) {
    const std::string shell = ShellSendToFolder();
    ASSERT_FALSE(shell.empty());
    EXPECT_EQ(TinyShell::GetSendToFolder(), WideOf(shell + "\\"));
}

// Each case points Send To at a folder as the registry spells it, and expects that folder back with
// exactly one backslash at the end.
struct FolderCase {
    const char* label;
    std::string registered; // relative to the scratch folder, or absolute when it holds a colon
    std::string expected;
};

TEST(GetSpecialFolder, EndsInExactlyOneBackslash) {
    ScratchDir scratch;
    const std::string base = scratch.Path();
    const std::string so = "\x83\x5C"; // ソ: its second byte is 0x5C, which is no backslash
    ASSERT_TRUE(MakeFolders(base + "\\plain"));
    ASSERT_TRUE(MakeFolders(base + "\\" + so));
    ASSERT_TRUE(MakeFolders(base + "\\dir" + so));
    const FolderCase cases[] = {
        {"plain folder", base + "\\plain", base + "\\plain\\"},
        {"registered with its backslash", base + "\\plain\\", base + "\\plain\\"},
        {"name ending in a 0x5C trail byte", base + "\\dir" + so, base + "\\dir" + so + "\\"},
        {"name that is one such character", base + "\\" + so, base + "\\" + so + "\\"},
        {"drive root", "C:\\", "C:\\"},
    };
    for (const FolderCase& c : cases) {
        SCOPED_TRACE(c.label);
        SendToRedirect redirect(c.registered);
        // The shell may normalise the registered spelling; whatever it answers, we add one backslash at most.
        const std::string shell = ShellSendToFolder();
        ASSERT_FALSE(shell.empty());
        EXPECT_EQ(TinyShell::GetSpecialFolder(CSIDL_SENDTO), WideOf(c.expected));
    }
}

TEST(GetSpecialFolder, MissingFolderGivesEmptyNotABackslash) {
    ScratchDir scratch;
    SendToRedirect redirect(scratch.Path() + "\\missing");
    EXPECT_EQ(TinyShell::GetSpecialFolder(CSIDL_SENDTO), L"");
    EXPECT_EQ(TinyShell::GetSendToFolder(), L"");
    // Asked not to create it, the lookup must not have made it either.
    EXPECT_EQ(GetFileAttributesA((scratch.Path() + "\\missing").c_str()), INVALID_FILE_ATTRIBUTES);
}
