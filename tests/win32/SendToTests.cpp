// The walks over Send To, run against a scratch folder that the shell is told is Send To.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Pathgrab.h"
#include "RegistrationSupport.h"
#include "TinyShell.h"
#include "TinyShlLnk.h"

using namespace TestSupport;
using Names = std::vector<std::string>;

namespace {

const wchar_t Exe[] = L"Pathgrab.exe";

class SendToWalk : public ::testing::Test {
  protected:
    void SetUp() override {
        CoInitialize(nullptr);
        dir_ = scratch_.Folder("SendTo");
        redirect_.reset(new SendToRedirect(dir_));
    }
    void TearDown() override {
        redirect_.reset();
        CoUninitialize();
    }
    std::string Link(const std::string& name, const std::string& target, DWORD attributes = 0) {
        const std::string path = dir_ + "\\" + name;
        WriteShortcut(path, target);
        if (attributes) SetFileAttributesA(path.c_str(), attributes);
        return path;
    }
    void RedirectTo(const std::string& folder) {
        redirect_.reset();
        redirect_.reset(new SendToRedirect(folder));
        dir_ = folder;
    }

    ScratchDir scratch_;
    std::string dir_;
    std::unique_ptr<SendToRedirect> redirect_;
};

} // namespace

// Only the whole file name of the stored target counts, letter case aside; its folder plays no part.
TEST_F(SendToWalk, MatchesTheTargetsWholeFileNameInAnyCase) {
    const struct {
        const char* target;
        bool matches;
    } cases[] = {
        {"C:\\apps\\Pathgrab.exe", true},      {"C:\\other place\\PATHGRAB.EXE", true},
        {"C:\\tmp\\pathgrab.eXe", true},       {"C:\\apps\\xPathgrab.exe", false},
        {"C:\\apps\\Pathgrab.exe.bak", false}, {"C:\\apps\\Pathgrab.ex", false},
        {"C:\\apps\\Pathgrab", false},         {"C:\\Pathgrab.exe\\tool.exe", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        ClearFolder(dir_);
        Link("entry.lnk", c.target);
        ASSERT_EQ(ReadShortcut(dir_ + "\\entry.lnk").Path, c.target); // the shell keeps what we stored
        EXPECT_EQ(TinyShlLnk::SendToShortcutExists(Exe), c.matches);
        TinyShlLnk::DeleteSendToShortcuts(Exe);
        EXPECT_EQ(FolderEntries(dir_), c.matches ? Names{} : Names{"entry.lnk"});
    }
}

TEST_F(SendToWalk, EmptyFolderOrNoShortcutsFindsNothing) {
    EXPECT_FALSE(TinyShlLnk::SendToShortcutExists(Exe));
    // A shortcut to the program under another extension is not one of the *.lnk entries.
    Link("notalink.txt", "C:\\apps\\Pathgrab.exe");
    scratch_.File("SendTo\\Pathgrab.exe.txt");
    EXPECT_FALSE(TinyShlLnk::SendToShortcutExists(Exe));
    TinyShlLnk::DeleteSendToShortcuts(Exe);
    EXPECT_EQ(FolderEntries(dir_), (Names{"Pathgrab.exe.txt", "notalink.txt"}));
}

TEST_F(SendToWalk, DeletesEveryMatchAndOnlyMatches) {
    Link("mine.lnk", "C:\\a\\Pathgrab.exe");
    Link("hidden.lnk", "C:\\b\\PATHGRAB.EXE", FILE_ATTRIBUTE_HIDDEN);
    Link("system.lnk", "C:\\c\\pathgrab.exe", FILE_ATTRIBUTE_SYSTEM);
    Link("both.lnk", "C:\\d\\Pathgrab.exe", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    Link("Pathgrabber.lnk", "C:\\a\\notepad.exe");
    Link("contains.lnk", "C:\\a\\xPathgrab.exe");
    scratch_.Folder("SendTo\\x.lnk");
    scratch_.File("SendTo\\junk.lnk", "not a shortcut");
    Link("notalink.txt", "C:\\a\\Pathgrab.exe");
    // Names the code page lacks: the ANSI search gives them as look-alikes, which name no file.
    for (const wchar_t* name : {L"\u0141\u00F3d\u017A.lnk", L"\uD55C\uAE00.lnk"})
        TinyShlLnk::CreateShortcut(WideOf(dir_) + L"\\" + name, L"", L"C:\\e\\Pathgrab.exe", L"", L"", L"", 0,
                                   SW_SHOWNORMAL, 0);

    CoCreateSpy spy;
    ASSERT_TRUE(spy.Installed());
    TinyShlLnk::DeleteSendToShortcuts(Exe);
    // Nine *.lnk files opened once each; the folder named like one is not.
    EXPECT_EQ(spy.Calls(), 9);
    EXPECT_EQ(FolderEntries(dir_),
              (Names{"Pathgrabber.lnk", "contains.lnk", "junk.lnk", "notalink.txt", "x.lnk"}));
    EXPECT_FALSE(TinyShlLnk::SendToShortcutExists(Exe));
}

TEST_F(SendToWalk, HiddenAndSystemShortcutsAreExamined) {
    const DWORD attributes[] = {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM,
                                FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, FILE_ATTRIBUTE_ARCHIVE};
    for (DWORD a : attributes) {
        SCOPED_TRACE(a);
        ClearFolder(dir_);
        Link("only.lnk", "C:\\apps\\Pathgrab.exe", a);
        EXPECT_TRUE(TinyShlLnk::SendToShortcutExists(Exe));
        TinyShlLnk::DeleteSendToShortcuts(Exe);
        EXPECT_EQ(FolderEntries(dir_), Names{});
    }
}

TEST_F(SendToWalk, ExistsStopsAtTheFirstMatch) {
    Link("a.lnk", "C:\\one\\Pathgrab.exe");
    Link("b.lnk", "C:\\two\\Pathgrab.exe");
    Link("c.lnk", "C:\\three\\Pathgrab.exe");
    {
        CoCreateSpy spy;
        ASSERT_TRUE(spy.Installed());
        EXPECT_TRUE(TinyShlLnk::SendToShortcutExists(Exe));
        EXPECT_EQ(spy.Calls(), 1);
    }
    {
        CoCreateSpy spy;
        EXPECT_FALSE(TinyShlLnk::SendToShortcutExists(L"Other.exe"));
        EXPECT_EQ(spy.Calls(), 3); // without a match every shortcut is opened
    }
    EXPECT_EQ(FolderEntries(dir_).size(), 3u);
}

// A shortcut that cannot be deleted stays, the walk goes on to the others, and a later check finds it.
TEST_F(SendToWalk, FailedDeletionLeavesTheWalkGoing) {
    const std::string probe = scratch_.File("probe");
    SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_READONLY);
    const bool readOnlyRefused = !DeleteFileA(probe.c_str());
    const struct {
        const char* label;
        bool readOnly; // else held open without delete sharing
    } cases[] = {{"read-only", true}, {"held open", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        if (c.readOnly && !readOnlyRefused) continue; // this system deletes read-only files
        ClearFolder(dir_);
        Link("a.lnk", "C:\\one\\Pathgrab.exe");
        const std::string stuck =
            Link("b_stuck.lnk", "C:\\apps\\Pathgrab.exe", c.readOnly ? FILE_ATTRIBUTE_READONLY : 0);
        Link("c.lnk", "C:\\two\\Pathgrab.exe");
        Link("d.lnk", "C:\\three\\Pathgrab.exe");
        HANDLE hold = c.readOnly ? INVALID_HANDLE_VALUE
                                 : CreateFileA(stuck.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                               OPEN_EXISTING, 0, nullptr);
        TinyShlLnk::DeleteSendToShortcuts(Exe);
        EXPECT_EQ(FolderEntries(dir_), Names{"b_stuck.lnk"});
        EXPECT_TRUE(TinyShlLnk::SendToShortcutExists(Exe));
        if (hold != INVALID_HANDLE_VALUE) CloseHandle(hold);
    }
}

// Without a Send To folder nothing is examined: the current directory is no stand-in for it.
TEST_F(SendToWalk, NoSendToFolderExaminesNothing) {
    const std::string cwd = scratch_.Folder("cwd");
    WriteShortcut(cwd + "\\mine.lnk", "C:\\apps\\Pathgrab.exe");
    RedirectTo(scratch_.Path() + "\\missing");
    char previous[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(sizeof previous, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(cwd.c_str()));
    CoCreateSpy spy;
    const bool exists = TinyShlLnk::SendToShortcutExists(Exe);
    TinyShlLnk::DeleteSendToShortcuts(Exe);
    SetCurrentDirectoryA(previous);
    EXPECT_FALSE(exists);
    EXPECT_EQ(spy.Calls(), 0);
    EXPECT_EQ(FolderEntries(cwd), Names{"mine.lnk"});
}

// Folder and entry name together can pass 260 bytes; such a shortcut cannot be read, so it is
// neither found nor deleted, and nothing overruns.
TEST_F(SendToWalk, LinkPathsOver260BytesAreNotRead) {
    std::string deep = scratch_.Path();
    while (deep.size() < 230)
        deep += "\\" + std::string(20, 'd');
    deep = deep.substr(0, 240);
    ASSERT_TRUE(MakeFolders(deep));
    RedirectTo(deep);
    ASSERT_EQ(ShellSendToFolder(), deep);

    Link("fits.lnk", "C:\\apps\\Pathgrab.exe"); // 241 + 8 bytes
    EXPECT_TRUE(TinyShlLnk::SendToShortcutExists(Exe));
    TinyShlLnk::DeleteSendToShortcuts(Exe);
    EXPECT_EQ(FolderEntries(deep), Names{});

    const std::string longName = std::string(30, 'n') + ".lnk"; // 241 + 34 bytes
    Link(longName, "C:\\apps\\Pathgrab.exe");
    ASSERT_EQ(FolderEntries(deep), Names{longName});
    EXPECT_FALSE(TinyShlLnk::SendToShortcutExists(Exe));
    TinyShlLnk::DeleteSendToShortcuts(Exe);
    EXPECT_EQ(FolderEntries(deep), Names{longName});
}

// An unreadable shortcut has an empty target name; an empty program name must not claim it.
TEST_F(SendToWalk, EmptyNameMatchesNothing) {
    scratch_.File("SendTo\\junk.lnk", "not a shortcut");
    Link("mine.lnk", "C:\\apps\\Pathgrab.exe");
    EXPECT_FALSE(TinyShlLnk::SendToShortcutExists(L""));
    TinyShlLnk::DeleteSendToShortcuts(L"");
    EXPECT_EQ(FolderEntries(dir_), (Names{"junk.lnk", "mine.lnk"}));
    EXPECT_FALSE(TinyShlLnk::SendToShortcutExists(L"x.exe"));
}

namespace {
std::wstring moduleAnswer;
DWORD WINAPI ModuleFileNameAs(HMODULE, LPWSTR buffer, DWORD size) {
    const DWORD n = static_cast<DWORD>(moduleAnswer.size());
    if (n >= size) return 0;
    wcscpy(buffer, moduleAnswer.c_str());
    return n;
}
int WINAPI AnswerYes(HWND, LPCWSTR, LPCWSTR, UINT) {
    return IDYES;
}
} // namespace

DWORD askedAt = 0;
int WINAPI AnswerNoNoting(HWND, LPCWSTR, LPCWSTR, UINT) {
    askedAt = GetTickCount();
    return IDNO;
}

// Registration compares the targets' names only: a shortcut to a server that is gone asks it nothing.
TEST_F(SendToWalk, ShortcutToAGoneServerDelaysNoQuestion) {
    Link("nas.lnk", "\\\\gone\\share\\Pathgrab.exe");
    TestSupport::SilentNetwork network;
    ImportPatch box("user32.dll", "MessageBoxW", &AnswerNoNoting);
    ASSERT_TRUE(network.Installed() && box.Installed());
    TinyUtils::ForgetNetwork();
    const DWORD start = GetTickCount();
    Pathgrab::RunRegistrationMode();
    EXPECT_LT(askedAt - start, 1000u);
    EXPECT_EQ(network.Asked(), 0);
    EXPECT_TRUE(TinyShlLnk::SendToShortcutExists(Exe));
    TinyUtils::ForgetNetwork();
}

namespace {
// Wine 8's CreateSymbolicLinkW answers TRUE and makes no link, so a link is played by a Unix symbolic link
// in the prefix's drive, made by /bin/ln and removed by /bin/rm (an empty target; DeleteFileA left such a
// link in place): Wine starts a Unix program by its Z: path but gives no handle to wait on, so the link
// itself is waited for.
bool UnixLink(const std::string& folder, const std::string& name, const std::string& target) {
    std::string command = target.empty() ? "/bin/rm -f " + name : "/bin/ln -s \"" + target + "\" " + name;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(target.empty() ? "Z:\\bin\\rm" : "Z:\\bin\\ln", &command[0], nullptr, nullptr, FALSE,
                        0, nullptr, folder.c_str(), &si, &pi))
        return false;
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 30000; Sleep(20))
        if ((GetFileAttributesA((folder + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES) != target.empty())
            return true;
    return false;
}
} // namespace

// Started through its 8.3 path (Windows hands the program that path), registration writes the long one:
// an 8.3 path in a shortcut breaks when the volume's short names change. Started through a link, as
// winget's alias pathgrab.exe starts it, the loader gives the link's path, and the shortcut goes to the
// program's name in the link's folder. Started the same way again, it finds that shortcut and deletes it.
TEST_F(SendToWalk, RegistrationWritesTheLongPathAndFindsItAgainHoweverStarted) {
    const std::string folder = scratch_.Folder("Long Folder Name");
    const std::string exe = scratch_.File("Long Folder Name\\Pathgrab.exe");
    const std::string alias = scratch_.Folder("Links"), other = scratch_.Folder("Other Links");
    // Removed while their target is there, however the test ends: a link left dangling is no entry that
    // the scratch folder's removal finds, and the folder would stay in the prefix.
    struct Unlinked {
        std::string alias, other;
        ~Unlinked() {
            UnixLink(alias, "pathgrab.exe", "");
            UnixLink(other, "pg.exe", "");
        }
    } unlinked{alias, other};
    ASSERT_TRUE(UnixLink(alias, "pathgrab.exe", "../Long Folder Name/Pathgrab.exe"));
    ASSERT_TRUE(UnixLink(other, "pg.exe", "../Long Folder Name/Pathgrab.exe"));
    const struct {
        const char* label;
        std::string started, folder;
    } cases[] = {
        {"8.3 path", ShortPathOf(exe), folder},
        {"link differing in case", alias + "\\pathgrab.exe", alias},
        {"link of another name", other + "\\pg.exe", other},
    };
    ASSERT_NE(cases[0].started, exe);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        moduleAnswer = WideOf(c.started);
        ImportPatch module("kernel32.dll", "GetModuleFileNameW", &ModuleFileNameAs);
        ImportPatch box("user32.dll", "MessageBoxW", &AnswerYes);
        ASSERT_TRUE(module.Installed() && box.Installed());
        Pathgrab::RunRegistrationMode();
        const ShortcutFields f = ReadShortcut(dir_ + "\\Pathgrabber.lnk");
        EXPECT_EQ(f.Path, c.folder + "\\Pathgrab.exe");
        EXPECT_EQ(f.WorkDir, c.folder);
        Pathgrab::RunRegistrationMode(); // a shortcut not found would be made again here
        EXPECT_EQ(FolderEntries(dir_), Names{});
        TinyShlLnk::Shutdown();
        TinyShell::Shutdown();
    }
}
