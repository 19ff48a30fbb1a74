// Shortcut files through the platform's own link object: round trips, files that are not (or no longer)
// what they claim, link paths at the length limit, a thread without COM, and shortcuts made by Windows.
#include <gtest/gtest.h>

#include "Pathgrab.h"
#include "TinyShlLnk.h"
#include "TinyUtils.h"
#include "RegistrationSupport.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace {

class Shortcut : public testing::Test {
  protected:
    void TearDown() override { TinyShlLnk::Shutdown(); }
    bool Exists(const std::string& path) const {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    TestSupport::ScratchDir dir;
};

// The fields a shortcut file holds, read back with the platform's object, independently of TinyShlLnk.
struct Stored {
    std::string arguments, workDir, description, iconFile;
    int iconIndex = -1;
    WORD hotKey = 0xFFFF;
};

Stored ReadStored(const std::string& link) {
    Stored s;
    const CLSID clsid = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    const IID iidLink = {0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    const IID iidFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    IShellLinkA* sl = nullptr;
    IPersistFile* pf = nullptr;
    if (FAILED(
            CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iidLink, reinterpret_cast<void**>(&sl))))
        return s;
    if (SUCCEEDED(sl->QueryInterface(iidFile, reinterpret_cast<void**>(&pf)))) {
        std::wstring name(link.size() + 1, L'\0');
        name.resize(
            MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, &name[0], static_cast<int>(name.size())) - 1);
        if (SUCCEEDED(pf->Load(name.c_str(), STGM_READ))) {
            char buf[MAX_PATH + 1] = "";
            sl->GetArguments(buf, sizeof buf);
            s.arguments = buf;
            buf[0] = '\0';
            sl->GetWorkingDirectory(buf, sizeof buf);
            s.workDir = buf;
            buf[0] = '\0';
            sl->GetDescription(buf, sizeof buf);
            s.description = buf;
            buf[0] = '\0';
            sl->GetIconLocation(buf, sizeof buf, &s.iconIndex);
            s.iconFile = buf;
            sl->GetHotkey(&s.hotKey);
        }
        pf->Release();
    }
    sl->Release();
    return s;
}

std::string FileBytes(const std::string& path, DWORD count) {
    std::string bytes(count, '\0');
    DWORD read = 0;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        ReadFile(f, &bytes[0], count, &read, nullptr);
        CloseHandle(f);
    }
    bytes.resize(read);
    return bytes;
}

// ---- Round trips --------------------------------------------------------------------------------

struct RoundTripCase {
    const char* name;
    std::string linkName, targetFolder, targetName;
    std::string description, arguments;
    bool withWorkDirAndIcon;
    int32_t showCmd;
    uint16_t hotKey;
};

class ShortcutRoundTrip : public Shortcut, public testing::WithParamInterface<RoundTripCase> {};

TEST_P(ShortcutRoundTrip, ReadsBackTheTargetAndFields) {
    const RoundTripCase& c = GetParam();
    const std::string folder = dir.Folder(c.targetFolder);
    const std::string target = dir.File(c.targetFolder + "\\" + c.targetName);
    const std::string link = dir.Path() + "\\" + c.linkName;
    const std::string workDir = c.withWorkDirAndIcon ? folder : std::string();
    const std::string iconFile = c.withWorkDirAndIcon ? target : std::string();
    TestSupport::CreateShortcutBytes(link, c.description, target, c.arguments, workDir, iconFile, 0,
                                     c.showCmd, c.hotKey);
    ASSERT_TRUE(Exists(link));
    EXPECT_EQ(TestSupport::ShortcutTargetBytes(link), target);

    const Stored s = ReadStored(link);
    EXPECT_EQ(s.arguments, c.arguments);
    EXPECT_EQ(s.description, c.description);
    EXPECT_EQ(s.workDir, workDir);
    // Wine's link object does not load the show command back; the file's header holds it at offset 60.
    const std::string bytes = FileBytes(link, 64);
    ASSERT_GE(bytes.size(), 64u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[60]) | static_cast<unsigned char>(bytes[61]) << 8, c.showCmd);
    EXPECT_EQ(s.hotKey, c.hotKey);
    if (c.withWorkDirAndIcon) {
        EXPECT_EQ(s.iconFile, iconFile);
        EXPECT_EQ(s.iconIndex, 0);
    }
}

// 表 (0x95 0x5C) and ソ (0x83 0x5C) end in a backslash byte that is no path delimiter.
INSTANTIATE_TEST_SUITE_P(
    Paths, ShortcutRoundTrip,
    testing::Values(
        RoundTripCase{"AsRegistered", "Pathgrabber.lnk", "prog", "Pathgrab.exe", "", "", true, 1, 0},
        RoundTripCase{"Spaces", "my link.lnk", "a folder", "the target.exe", "", "", false, 1, 0},
        RoundTripCase{"Trail5CNames", "\x95\x5C\x83\x5C.lnk", "\x95\x5C", "\x83\x5C\x95\x5C.txt", "", "",
                      true, 1, 0},
        RoundTripCase{"AllFields", "full.lnk", "t", "t.exe", "a description", "-x \"y z\"", true, 3, 0x0241}),
    [](const testing::TestParamInfo<RoundTripCase>& p) { return std::string(p.param.name); });

// ---- Files that are not readable shortcuts -----------------------------------------------------

TEST_F(Shortcut, TargetOfAFileThatIsNoShortcutIsEmpty) {
    EXPECT_EQ(TestSupport::ShortcutTargetBytes(dir.File("plain.lnk", "just some text, not a shortcut")), "");
    EXPECT_EQ(TestSupport::ShortcutTargetBytes(dir.File("empty.lnk", "")), "");
}

TEST_F(Shortcut, TargetOfAMissingFileIsEmpty) {
    EXPECT_EQ(TestSupport::ShortcutTargetBytes(dir.Path() + "\\missing.lnk"), "");
    EXPECT_EQ(TestSupport::ShortcutTargetBytes(""), "");
}

TEST_F(Shortcut, DeletedTargetComesBackAsStored) {
    const std::string target = dir.File("gone.txt");
    const std::string link = dir.Path() + "\\gone.lnk";
    TestSupport::CreateShortcutBytes(link, "", target, "", "", "", 0, 1, 0);
    ASSERT_TRUE(DeleteFileA(target.c_str()));
    EXPECT_EQ(TestSupport::ShortcutTargetBytes(link), target);
}

// ---- Targets on a network that never answers -----------------------------------------------------

std::wstring sentLine;
LPWSTR WINAPI SentLine() {
    return &sentLine[0];
}
SHORT WINAPI OnlyShiftDown(int key) {
    return key == VK_SHIFT ? SHORT(0x8000) : SHORT(0);
}

// A stored server path stands without a question to the server; a network drive's path is asked within
// the bound, and its drive then not again; Shift copies the server path at once.
TEST_F(Shortcut, ToAServerThatIsGoneIsReadWithinTheBound) {
    const std::wstring unc = L"\\\\gone\\share\\a.txt", onZ = L"Z:\\gone\\a.txt";
    const std::wstring uncLink = TestSupport::WideOf(dir.Path()) + L"\\unc.lnk";
    const std::wstring zLink = TestSupport::WideOf(dir.Path()) + L"\\z.lnk";
    TinyShlLnk::CreateShortcut(uncLink, L"", unc, L"", L"", L"", 0, SW_SHOWNORMAL, 0);
    TinyShlLnk::CreateShortcut(zLink, L"", onZ, L"", L"", L"", 0, SW_SHOWNORMAL, 0);
    TestSupport::SilentNetwork network;
    ASSERT_TRUE(network.Installed());
    TinyUtils::ForgetNetwork(); // what was learnt of Z: before is another network's
    DWORD start = GetTickCount();
    EXPECT_EQ(TinyShlLnk::GetShortcutTarget(uncLink), unc);
    EXPECT_EQ(network.Asked(), 0);
    EXPECT_EQ(TinyShlLnk::GetShortcutTarget(zLink), onZ);
    EXPECT_EQ(TinyShlLnk::GetShortcutTarget(zLink), onZ);
    EXPECT_EQ(network.Asked(), 1) << "the item list's path, once";
    EXPECT_LT(GetTickCount() - start, TinyUtils::UniversalNameWaitMs + 1000);

    sentLine = L"\"Pathgrab.exe\" \"" + uncLink + L"\"";
    TestSupport::ImportPatch line("kernel32.dll", "GetCommandLineW", &SentLine);
    TestSupport::ImportPatch keys("user32.dll", "GetAsyncKeyState", &OnlyShiftDown);
    ASSERT_TRUE(line.Installed() && keys.Installed());
    start = GetTickCount();
    const LONG asked = network.Asked();
    Pathgrab::ShowPathMenu(nullptr);
    EXPECT_LT(GetTickCount() - start, TinyUtils::UniversalNameWaitMs);
    EXPECT_EQ(TestSupport::ReadClipboard().Wide, unc);
    EXPECT_EQ(network.Asked(), asked);
    MSG posted; // the end it posts to its window, here to no window
    while (PeekMessageA(&posted, nullptr, WM_DESTROY, WM_DESTROY, PM_REMOVE)) {
    }
    Pathgrab::ReleaseTargets();
    TinyUtils::SetUniversalNameQuery(nullptr); // Z: counts as silent no more
}

SHORT WINAPI NoKeyDown(int) {
    return 0;
}
BOOL WINAPI NoMenu(HMENU, UINT, int, int, int, HWND, const RECT*) {
    return FALSE;
}

// A shortcut to a server that is gone opens its menu within the bound, without Shift too: its short form
// and folder test are the server's questions, in either namespace. A shortcut that itself lies on a
// drive or a server that is gone (spelt with slashes, as a path pasted from elsewhere may be) is not
// opened: it stands for itself, as with Ctrl, and Shift copies its own path as Windows reads it.
TEST_F(Shortcut, OnOrToAServerThatIsGoneOpensWithinTheBound) {
    TestSupport::SilentNetwork network;
    TinyUtils::SetLongPathQuery(TestSupport::SilentNetwork::LongPathName);
    TestSupport::ImportPatch line("kernel32.dll", "GetCommandLineW", &SentLine);
    TestSupport::ImportPatch menu("user32.dll", "TrackPopupMenu", &NoMenu);
    const std::wstring local = TestSupport::WideOf(dir.Path()) + L"\\gone.lnk";
    const struct {
        std::wstring link, target, copied;
    } rows[] = {{local, L"\\\\?\\UNC\\gone\\share\\a.txt", L"\\\\?\\UNC\\gone\\share\\a.txt"},
                {local, L"\\\\gone\\share\\a.txt", L"\\\\gone\\share\\a.txt"},
                {L"Z:\\\u6848\u4EF6.lnk", L"", L"Z:\\\u6848\u4EF6.lnk"},
                {L"//gone/share/\u6848\u4EF6.lnk", L"", L"\\\\gone\\share\\\u6848\u4EF6.lnk"}};
    for (const auto& r : rows)
        for (const bool shift : {false, true}) {
            SCOPED_TRACE(r.copied + (shift ? L" Shift" : L""));
            if (!r.target.empty())
                TinyShlLnk::CreateShortcut(r.link, L"", r.target, L"", L"", L"", 0, SW_SHOWNORMAL, 0);
            TestSupport::ImportPatch keys("user32.dll", "GetAsyncKeyState",
                                          shift ? &OnlyShiftDown : &NoKeyDown);
            TinyUtils::ForgetNetwork();
            sentLine = L"\"Pathgrab.exe\" \"" + r.link + L"\"";
            const DWORD start = GetTickCount();
            Pathgrab::ShowPathMenu(nullptr);
            EXPECT_LT(GetTickCount() - start, 2 * TinyUtils::UniversalNameWaitMs);
            EXPECT_EQ(shift ? TestSupport::ReadClipboard().Wide : Pathgrab::TargetLongPath.Wide, r.copied);
            DestroyMenu(Pathgrab::PopupMenuHandle);
            Pathgrab::PopupMenuHandle = nullptr;
            Pathgrab::ReleaseTargets();
        }
    TinyUtils::SetLongPathQuery(nullptr);
    MSG posted; // what it posts to its window, here to no window
    while (PeekMessageA(&posted, nullptr, 0, 0, PM_REMOVE)) {
    }
}

// ---- Link path length ---------------------------------------------------------------------------

// A link file whose whole path is exactly `length` bytes, written through the wide file functions
// (the ANSI ones stop at 260 bytes).
class LongLinkPath : public Shortcut {
  protected:
    std::string LinkOfLength(size_t length) {
        const std::string folder = dir.Folder(std::string(200, 'f'));
        std::string link = folder + "\\" + std::string(length - folder.size() - 1 - 4, 'n') + ".lnk";
        made_.push_back(link);
        TestSupport::CreateShortcutBytes(link, "", target_, "", "", "", 0, 1, 0);
        return link;
    }
    void SetUp() override {
        Shortcut::SetUp();
        target_ = dir.File("t.txt");
    }
    void TearDown() override {
        for (const std::string& link : made_) {
            std::wstring wide(link.begin(), link.end());
            DeleteFileW(wide.c_str());
        }
        Shortcut::TearDown();
    }
    std::string target_;

  private:
    std::vector<std::string> made_;
};

TEST_F(LongLinkPath, Of260BytesIsRead) {
    EXPECT_EQ(TestSupport::ShortcutTargetBytes(LinkOfLength(260)), target_);
}

TEST_F(LongLinkPath, Of261BytesGivesEmptyWithoutOverflow) {
    const std::string link = LinkOfLength(261);
    std::wstring wide(link.begin(), link.end());
    ASSERT_NE(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES) << "the long link could not be made";
    EXPECT_EQ(TestSupport::ShortcutTargetBytes(link), "");
    EXPECT_EQ(TestSupport::ShortcutTargetBytes(link + std::string(4000, 'x')), "");
}

// ---- A thread without COM: no link object can be created ---------------------------------------

struct NoComWork {
    std::string existingLink, newLink, target;
    std::string read = "(not run)";
};

DWORD WINAPI WithoutCom(void* param) {
    NoComWork& w = *static_cast<NoComWork*>(param);
    w.read = TestSupport::ShortcutTargetBytes(w.existingLink);
    TestSupport::CreateShortcutBytes(w.newLink, "", w.target, "", "", "", 0, 1, 0);
    return 0;
}

TEST_F(Shortcut, WithoutLinkObjectReadGivesEmptyAndWriteDoesNothing) {
    NoComWork w;
    w.target = dir.File("t.txt");
    w.existingLink = dir.Path() + "\\exists.lnk";
    w.newLink = dir.Path() + "\\new.lnk";
    TestSupport::CreateShortcutBytes(w.existingLink, "", w.target, "", "", "", 0, 1, 0);
    ASSERT_EQ(TestSupport::ShortcutTargetBytes(w.existingLink), w.target);

    HANDLE thread = CreateThread(nullptr, 0, WithoutCom, &w, 0, nullptr);
    ASSERT_TRUE(thread != nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_EQ(w.read, "");
    EXPECT_FALSE(Exists(w.newLink));
}

// ---- Shortcuts made by Windows ------------------------------------------------------------------

struct FixtureCase {
    const char* file;
    std::string target;
};

class WindowsMadeShortcut : public Shortcut, public testing::WithParamInterface<FixtureCase> {};

TEST_P(WindowsMadeShortcut, ReadsTheStoredPath) {
    const std::string folder = TestSupport::WindowsPath(PATHGRAB_LNK_FIXTURES);
    ASSERT_NE(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES)
        << "shortcut fixtures missing: expected " << folder;
    const std::string link = folder + "\\" + GetParam().file;
    ASSERT_TRUE(Exists(link)) << link;
    std::string expected = GetParam().target;
    if (expected == "(Desktop)") {
        char desktop[MAX_PATH + 1] = "";
        ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE));
        expected = desktop;
    }
    EXPECT_EQ(TestSupport::ShortcutTargetBytes(link), expected);
}

// What Wine 8 reports (code page 932). The item list stands where it names an existing item: the
// Desktop itself in desktop.lnk, which is the user's own when opened. Elsewhere the targets exist
// nowhere here, and the stored path stands (Wine reads the lists of Windows after XP as texts that
// name nothing, G:\( and a Hangul syllable for the e-acute file): its ANSI bytes come back
// unconverted, relative paths stay relative (the XP file's list says M:\...), and shortcuts without
// a local path give nothing.
INSTANTIATE_TEST_SUITE_P(
    Fixtures, WindowsMadeShortcut,
    testing::Values(FixtureCase{"PyTkinterToPSScript.exe-shortcut-ja.lnk",
                                "C:\\PyTkinterToPSScript\\exe\\PyTkinterToPSScript.exe"},
                    FixtureCase{"desktop.lnk", "(Desktop)"},
                    // D:\ööö\äöüàéèíïóòúü.txt as UTF-8 bytes
                    FixtureCase{"diacritic_symbols.lnk",
                                "D:\\\xc3\xb6\xc3\xb6\xc3\xb6\\\xc3\xa4\xc3\xb6\xc3\xbc\xc3\xa0\xc3\xa9"
                                "\xc3\xa8\xc3\xad\xc3\xaf\xc3\xb3\xc3\xb2\xc3\xba\xc3\xbc.txt"},
                    FixtureCase{"local_emoji.lnk", "C:\\Users\\Public\\Downloads\\test??and??.txt"},
                    FixtureCase{"local_file.lnk", "C:\\Windows\\explorer.exe"},
                    FixtureCase{"local_folder.lnk", "C:\\Users\\stray\\Desktop\\New folder"},
                    FixtureCase{"recent1.lnk", "C:\\Users\\heznik\\Downloads\\2020M09_01_contract.pdf"},
                    FixtureCase{"testWin7NetworkPath.lnk", ""},
                    FixtureCase{"testWin7SpaceFolder.lnk", "G:\\Temp\\foo bar\\History.txt"},
                    FixtureCase{"testWin7Eacute.lnk", "G:\\Temp\\\xe9"
                                                      "cole.txt"},
                    FixtureCase{"testWinXpLongFilename.lnk",
                                "..\\..\\..\\..\\..\\..\\thisisanextralongfoldername\\"
                                "thisisasuperhugelongfilename\\thisisasuperlongfilename.txt"},
                    FixtureCase{"testWinXpNotepadDefault.lnk", "C:\\WINDOWS\\system32\\notepad.exe"},
                    FixtureCase{"testWinXpSystemIni.lnk", "C:\\WINDOWS\\system.ini"},
                    FixtureCase{"testWinXpUsbDrive.lnk", "G:\\usbdrive.txt"},
                    FixtureCase{"uwp_calc.lnk", ""}),
    [](const testing::TestParamInfo<FixtureCase>& p) {
        std::string name;
        for (const char* c = p.param.file; *c && *c != '.'; ++c)
            if (isalnum(static_cast<unsigned char>(*c))) name += *c;
        return name;
    });

} // namespace
