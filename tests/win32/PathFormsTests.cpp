// Long and short forms and the folder test on real files and folders under Wine.
#include <gtest/gtest.h>

#include "Pathgrab.h"
#include "TinyUtils.h"
#include "Win32Support.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <shellapi.h>
#include <string>
#include <vector>

using namespace TinyUtils;
using TestSupport::ScratchDir;

namespace {

// The scratch folder in its long form, so that lengths below are lengths of long forms.
std::string LongBase(const ScratchDir& dir) {
    std::string base = ToLongPath(dir.Path());
    EXPECT_FALSE(base.empty());
    return base;
}

bool MakeFile(const std::string& path) {
    HANDLE f =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    CloseHandle(f);
    return true;
}

// The short form by the wide call, which has no 260-character limit on its input.
std::string ShortFormW(const std::string& asciiPath) {
    std::wstring w(asciiPath.begin(), asciiPath.end());
    wchar_t buffer[1024];
    DWORD n = GetShortPathNameW(w.c_str(), buffer, 1024);
    if (n == 0 || n >= 1024) return std::string();
    std::string out;
    for (DWORD i = 0; i < n; ++i)
        out += static_cast<char>(buffer[i]);
    return out;
}

} // namespace

TEST(FolderExists, TellsFoldersFromFilesAndMissingPaths) {
    ScratchDir dir;
    const std::string folder = dir.Folder("sub dir");
    const std::string file = dir.File("file.txt");
    EXPECT_TRUE(FolderExists(folder));
    EXPECT_TRUE(FolderExists(folder + "\\"));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_FALSE(FolderExists(dir.Path() + "\\missing"));
    EXPECT_FALSE(FolderExists(dir.Path() + "\\missing\\deeper"));
    EXPECT_FALSE(FolderExists(""));
    EXPECT_TRUE(FolderExists("C:\\"));
}

TEST(PathForms, ShortFormTurnsBackIntoTheLongForm) {
    ScratchDir dir;
    const std::string base = LongBase(dir);
    CreateDirectoryA((base + "\\Long Folder Name").c_str(), nullptr);
    const std::string longPath = base + "\\Long Folder Name\\a long file name.text";
    ASSERT_TRUE(MakeFile(longPath));
    const std::string shortPath = ToShortPath(longPath);
    ASSERT_FALSE(shortPath.empty());
    EXPECT_FALSE(ContainsSpace(shortPath)) << shortPath;
    EXPECT_NE(shortPath, longPath);
    EXPECT_EQ(ToLongPath(shortPath), longPath);
    EXPECT_EQ(ToLongPath(longPath), longPath);
}

TEST(PathForms, DoubleByteNamesWithTrailByte5C) {
    ScratchDir dir;
    const std::string base = LongBase(dir);
    // \x83\x5C katakana so, \x95\x5C the kanji "hyou": both end in the byte of a backslash.
    const std::string folder = base + "\\\x83\x5C";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string file = folder + "\\\x95\x5C.txt";
    ASSERT_TRUE(MakeFile(file));
    EXPECT_TRUE(FolderExists(folder));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_EQ(ToLongPath(folder), folder);
    EXPECT_EQ(ToLongPath(file), file);
    const std::string shortFile = ToShortPath(file);
    ASSERT_FALSE(shortFile.empty());
    EXPECT_EQ(ToLongPath(shortFile), file);
}

TEST(PathForms, MissingAndEmptyPathsGiveEmpty) {
    ScratchDir dir;
    EXPECT_EQ(ToLongPath(dir.Path() + "\\missing.txt"), "");
    EXPECT_EQ(ToShortPath(dir.Path() + "\\missing.txt"), "");
    EXPECT_EQ(ToLongPath(dir.Path() + "\\no folder\\x.txt"), "");
    EXPECT_EQ(ToLongPath(""), "");
    EXPECT_EQ(ToShortPath(""), "");
}

TEST(PathForms, LongFormsUpTo260BytesAreWholeAnd261IsEmpty) {
    ScratchDir dir;
    const std::string base = LongBase(dir);
    const std::string folder = base + "\\d";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string shortFolder = ShortFormW(folder);
    ASSERT_FALSE(shortFolder.empty());
    for (size_t length = 258; length <= 261; ++length) {
        const std::string name(length - folder.size() - 1, static_cast<char>('a' + length - 258));
        ASSERT_LT(name.size(), 255u);
        const std::string longForm = folder + "\\" + name;
        ASSERT_EQ(longForm.size(), length);
        // Reached through the short folder: the ANSI calls take no input beyond 260 bytes.
        const std::string reachable = shortFolder + "\\" + name;
        ASSERT_TRUE(MakeFile(reachable));
        struct Remove {
            std::string path;
            ~Remove() { DeleteFileA(path.c_str()); }
        } remove{reachable};
        const std::string shortForm = ToShortPath(reachable);
        ASSERT_FALSE(shortForm.empty());
        ASSERT_LT(shortForm.size(), 260u);

        SCOPED_TRACE(testing::Message() << "long form of " << length << " bytes");
        // Whole up to the limit, though Wine's ANSI call refuses a 260-byte form on its own.
        EXPECT_EQ(ToLongPath(shortForm), length <= 260 ? longForm : "");
    }
}

namespace {

// A path sent wide, in both readings on a 932 system: its exact text always; as bytes the path itself
// when the code page holds it, its 8.3 form when only that is held, else the text with '?' for what
// the code page lacks, which names no file.
TEST(PathForms, PathTextOfWhatTheShellSent) {
    ScratchDir dir;
    const std::wstring base(dir.Path().begin(), dir.Path().end()); // the scratch path is ASCII
    const std::wstring accent = base + L"\\caf\u00E9.txt", yen = base + L"\\a\u00A5b.txt";
    for (const std::wstring& made : {accent, yen})
        CloseHandle(CreateFileW(made.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    auto shortOf = [](const std::wstring& path) {
        wchar_t buffer[MAX_PATH] = {};
        GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
        return std::string(buffer, buffer + wcslen(buffer)); // 8.3 forms of these are ASCII
    };
    const struct {
        std::wstring sent;
        std::string expected;
    } rows[] = {
        {base + L"\\\u8868.txt", dir.Path() + "\\\x95\x5C.txt"}, // held: the bytes, even for a missing file
        {accent, shortOf(accent)},                               // e-acute: not in 932
        {yen, shortOf(yen)},                                     // the yen sign would best-fit to "\"
        {base + L"\\missing\u00E9.txt", dir.Path() + "\\missing?.txt"}, // no 8.3 form to fall back on
        {L"", ""},
    };
    for (const auto& r : rows) {
        const TText t = PathText(r.sent);
        EXPECT_EQ(t.Bytes, r.expected);
        EXPECT_EQ(t.Wide, r.sent);
    }
}

// On a volume without 8.3 names the short-path call answers with the long name itself. The Unicode
// paste is still the exact path, and the ANSI text names no file, not the look-alike beside it.
TEST(PathForms, VolumeWithoutShortNamesStillCopiesExactly) {
    ScratchDir dir;
    const std::wstring base(dir.Path().begin(), dir.Path().end());
    const std::wstring accent = base + L"\\caf\u00E9 au lait.txt";
    CloseHandle(CreateFileW(accent.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(MakeFile(dir.Path() + "\\cafe au lait.txt"));
    TText t;
    {
        TestSupport::ImportPatch noShortNames("kernel32.dll", "GetShortPathNameW",
                                              &TestSupport::LongNameAsShortName);
        ASSERT_TRUE(noShortNames.Installed());
        t = PathText(ToLongPath(accent));
    }
    PutClipboardText(nullptr, t);
    const TestSupport::ClipboardText got = TestSupport::ReadClipboard();
    EXPECT_EQ(got.Wide, accent);
    EXPECT_EQ(got.Text, dir.Path() + "\\caf? au lait.txt");
    EXPECT_EQ(GetFileAttributesA(got.Text.c_str()), INVALID_FILE_ATTRIBUTES) << "names a file";
}

} // namespace

namespace {

// ---- Network drives, played in process: Wine's own WNetGetUniversalNameW answers ERROR_NOT_CONNECTED
// for every drive, so a stand-in answers for the redirector and Z: is made a network drive.

UINT WINAPI ZIsRemote(LPCWSTR Root) {
    return (Root[0] | 0x20) == L'z' ? DRIVE_REMOTE : DRIVE_FIXED;
}

int queries = 0;
HANDLE neverAnswered = nullptr;

// Z: is mapped to \\fileserv\共有 share.
DWORD WINAPI ShareOfZ(LPCWSTR Path, DWORD Level, LPVOID Buffer, LPDWORD Size) {
    ++queries;
    if (neverAnswered) WaitForSingleObject(neverAnswered, TestSupport::SilentNetwork::SilenceMs);
    const std::wstring unc = L"\\\\fileserv\\\u5171\u6709 share" + std::wstring(Path + 2);
    auto* info = static_cast<UNIVERSAL_NAME_INFOW*>(Buffer);
    if (Level != UNIVERSAL_NAME_INFO_LEVEL || *Size < sizeof *info + (unc.size() + 1) * 2)
        return ERROR_MORE_DATA;
    info->lpUniversalName = reinterpret_cast<wchar_t*>(info + 1);
    lstrcpyW(info->lpUniversalName, unc.c_str());
    return NO_ERROR;
}

class NetworkDrive : public testing::Test {
  protected:
    void SetUp() override {
        queries = 0;
        SetUniversalNameQuery(ShareOfZ);
    }
    void TearDown() override { SetUniversalNameQuery(nullptr); }
    TestSupport::ImportPatch driveType_{"kernel32.dll", "GetDriveTypeW", &ZIsRemote};
};

// The UNC item and list, through the program's own effect: the share's Japanese and space exact, its
// bytes those of code page 932; a local drive is never asked.
TEST_F(NetworkDrive, UncItemAndList) {
    ASSERT_TRUE(driveType_.Installed());
    const std::wstring rest = L"\\\u55B6\u696D\\\u898B\u7A4D\u66F8.xlsx";
    Pathgrab::TargetLongPath = {std::string(), L"Z:" + rest};
    Pathgrab::TargetUncPath = Pathgrab::UncText(Pathgrab::TargetLongPath);
    const TText item = Pathgrab::CommandText(Pathgrab::IDM_UNC_PATH, nullptr);
    EXPECT_EQ(item.Wide, L"\\\\fileserv\\\u5171\u6709 share" + rest);
    EXPECT_EQ(item.Bytes,
              "\\\\fileserv\\\x8B\xA4\x97\x4C share\\\x89\x63\x8B\xC6\\\x8C\xA9\x90\xCF\x8F\x91.xlsx");
    EXPECT_EQ(
        Pathgrab::CommandText(Pathgrab::IDM_FILE_URI, nullptr).Bytes,
        "file://fileserv/%E5%85%B1%E6%9C%89%20share/%E5%96%B6%E6%A5%AD/%E8%A6%8B%E7%A9%8D%E6%9B%B8.xlsx");
    Pathgrab::ReleaseTargets();
    const TText list = Pathgrab::MoreFormListText(
        Pathgrab::IDM_LIST_UNC_PATHS, {{"C:\\a.txt", L"C:\\a.txt"}, {"Z:\\b.txt", L"Z:\\b.txt"}},
        [](const TText& a) { return a; }, {Pathgrab::UncText, Pathgrab::RepoDepthOf});
    EXPECT_EQ(list.Wide, L"C:\\a.txt\r\n\\\\fileserv\\\u5171\u6709 share\\b.txt\r\n");
    EXPECT_EQ(queries, 2) << "only the network drive's paths are asked";
}

// The lists' offer asks every item: a network drive anywhere among others, a lower-case drive letter, a
// WSL share among other shares.
TEST_F(NetworkDrive, ListOfferAsksEveryItem) {
    // First, while no drive's type is known: the drive behind the device prefix.
    EXPECT_TRUE(Pathgrab::ListOfferOf({L"C:\\a.txt", L"\\\\?\\Z:\\b.txt"}).Unc);
    EXPECT_TRUE(Pathgrab::ListOfferOf({L"Z:\\b.txt", L"C:\\a.txt"}).Unc);
    EXPECT_TRUE(Pathgrab::ListOfferOf({L"C:\\a.txt", L"z:\\b.txt"}).Unc);
    EXPECT_FALSE(Pathgrab::ListOfferOf({L"C:\\a.txt", L"\\\\srv\\s\\b.txt"}).Unc);
    EXPECT_TRUE(Pathgrab::ListOfferOf({L"\\\\srv\\s\\b.txt", L"\\\\wsl$\\Ubuntu\\a"}).Wsl);
    EXPECT_EQ(Pathgrab::UncText({std::string(), L"z:\\a.txt"}).Wide,
              L"\\\\fileserv\\\u5171\u6709 share\\a.txt");
}

namespace {
int attributeReads = 0;
DWORD WINAPI CountedAttributes(LPCWSTR Path) {
    ++attributeReads;
    return GetFileAttributesW(Path);
}
} // namespace

// The work tree of an item: ".git" a folder or a file (a worktree), the root itself no path in it, and
// on a network drive no question at all, so that a server that is gone costs nothing.
TEST_F(NetworkDrive, WorkTreeDepthAsksOnlyLocalFolders) {
    ScratchDir dir;
    CreateDirectoryA((dir.Folder("repo") + "\\.git").c_str(), nullptr);
    dir.Folder("repo\\src");
    dir.Folder("wt");
    dir.File("wt\\.git", "gitdir: elsewhere");
    const std::wstring root = TestSupport::WideOf(dir.Path());
    auto depth = [](const std::wstring& p) { return Pathgrab::RepoDepthOf({std::string(), p}); };
    EXPECT_EQ(depth(root + L"\\repo\\src\\a.txt"), 2);
    EXPECT_EQ(depth(root + L"\\repo"), 0);
    EXPECT_EQ(depth(root + L"\\wt\\x.txt"), 1);
    EXPECT_EQ(depth(root + L"\\a.txt"), -1);
    EXPECT_EQ(depth(L"\\\\?\\" + root + L"\\repo\\src\\a.txt"), 2); // walked as its drive path
    EXPECT_EQ(depth(root + L"\\repo\\.git\\config"), -1);           // git refuses such a path
    // The first item in a work tree settles the offer, whatever follows it.
    EXPECT_TRUE(Pathgrab::ListOfferOf({root + L"\\repo\\src\\a.txt", root + L"\\a.txt"}).Repo);
    TestSupport::ImportPatch reads("kernel32.dll", "GetFileAttributesW", &CountedAttributes);
    ASSERT_TRUE(reads.Installed());
    attributeReads = 0;
    EXPECT_EQ(depth(L"Z:\\repo\\a.txt"), -1);
    EXPECT_EQ(depth(L"\\\\gone\\share\\a.txt"), -1);
    EXPECT_EQ(attributeReads, 0);
}

// The one command line of several items reads back, item for item, as the system splits it.
TEST(CommandLineList, SplitsBackIntoTheItems) {
    const std::vector<TText> args = {{"C:\\R&D\\x.txt", L"C:\\R&D\\x.txt"},
                                     {"C:\\My Files\\a b.txt", L"C:\\My Files\\a b.txt"},
                                     {"C:\\a (1)\\", L"C:\\a (1)\\"},
                                     {"C:\\plain.txt", L"C:\\plain.txt"},
                                     {"\\\\srv\\s\\c;d^e.txt", L"\\\\srv\\s\\c;d^e.txt"}};
    const TText line = Pathgrab::MoreFormListText(Pathgrab::IDM_LIST_COMMAND_LINE, args,
                                                  [](const TText& a) { return a; }, {nullptr, nullptr});
    EXPECT_EQ(line.Wide.find(L'\r'), std::wstring::npos);
    int count = 0;
    wchar_t** argv = CommandLineToArgvW((L"prog " + line.Wide).c_str(), &count);
    ASSERT_NE(argv, nullptr);
    std::vector<std::wstring> got(argv + 1, argv + count), wanted;
    LocalFree(argv);
    for (const TText& a : args)
        wanted.push_back(a.Wide);
    std::sort(got.begin(), got.end());
    std::sort(wanted.begin(), wanted.end());
    EXPECT_EQ(got, wanted) << line.Bytes;
}

// A redirector that never answers holds the menu for the bound only, and that drive is not asked again.
TEST_F(NetworkDrive, SilentServerIsWaitedForABoundedTime) {
    neverAnswered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const DWORD start = GetTickCount();
    EXPECT_EQ(UniversalName(L"Z:\\a.txt", 300), L"");
    EXPECT_EQ(UniversalName(L"Z:\\b.txt", 300), L"");
    const DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 250u);
    EXPECT_LT(took, 1500u);
    EXPECT_EQ(queries, 1);
    SetEvent(neverAnswered); // the worker left behind ends now, into memory it still holds
    Sleep(50);
    CloseHandle(neverAnswered);
    neverAnswered = nullptr;
}

std::wstring sentLine;
LPWSTR WINAPI SentLine() {
    return &sentLine[0];
}
SHORT WINAPI NoKeyDown(int) {
    return 0;
}
DWORD menuShownAt = 0;
BOOL WINAPI NoteTheMenu(HMENU, UINT, int, int, int, HWND, const RECT*) {
    menuShownAt = GetTickCount();
    return FALSE;
}

// A file on a network drive whose redirector never answers, or whose file system does not either: the
// menu still opens within the bound, without the forms the network did not give.
TEST_F(NetworkDrive, MenuOfASilentServerOpensWithinTheBound) {
    const std::wstring file = TestSupport::WideOf(TestSupport::OwnFolder()) + L"\\win32_tests.exe";
    ASSERT_EQ(DriveIndex(file), 'Z' - 'A');
    sentLine = L"\"Pathgrab.exe\" \"" + file + L"\"";
    TestSupport::ImportPatch line("kernel32.dll", "GetCommandLineW", &SentLine);
    TestSupport::ImportPatch keys("user32.dll", "GetAsyncKeyState", &NoKeyDown);
    TestSupport::ImportPatch menu("user32.dll", "TrackPopupMenu", &NoteTheMenu);
    neverAnswered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    for (bool fileSystemToo : {false, true}) {
        SCOPED_TRACE(fileSystemToo ? "the file system silent too" : "the redirector silent");
        std::unique_ptr<TestSupport::SilentNetwork> silent(fileSystemToo ? new TestSupport::SilentNetwork
                                                                         : nullptr);
        SetLongPathQuery(fileSystemToo ? TestSupport::SilentNetwork::LongPathName : nullptr);
        SetUniversalNameQuery(ShareOfZ);
        const DWORD start = GetTickCount();
        Pathgrab::ShowPathMenu(nullptr);
        EXPECT_LT(menuShownAt - start, UniversalNameWaitMs + 1000);
        EXPECT_EQ(Pathgrab::TargetLongPath.Wide, file);
        EXPECT_EQ(Pathgrab::TargetUncPath.Wide, L"");
        DestroyMenu(Pathgrab::PopupMenuHandle);
        Pathgrab::PopupMenuHandle = nullptr;
        Pathgrab::ReleaseTargets();
        SetLongPathQuery(nullptr);
    }
    SetEvent(neverAnswered); // the workers left behind end now, into memory they still hold
    Sleep(50);
    CloseHandle(neverAnswered);
    neverAnswered = nullptr;
    MSG posted; // what it posts to its window, here to no window
    while (PeekMessageA(&posted, nullptr, 0, 0, PM_REMOVE)) {
    }
}

// /copy:unc on a file of a network drive copies its UNC path, through the menu's own command, and opens
// no menu.
TEST_F(NetworkDrive, CopyUncCopiesWithoutAMenu) {
    const std::wstring file = TestSupport::WideOf(TestSupport::OwnFolder()) + L"\\win32_tests.exe";
    sentLine = L"\"Pathgrab.exe\" /copy:unc \"" + file + L"\"";
    TestSupport::ImportPatch line("kernel32.dll", "GetCommandLineW", &SentLine);
    TestSupport::ImportPatch keys("user32.dll", "GetAsyncKeyState", &NoKeyDown);
    TestSupport::ImportPatch menu("user32.dll", "TrackPopupMenu", &NoteTheMenu);
    // A window owns what it copies: after EmptyClipboard with no owner, Windows refuses SetClipboardData.
    HWND wnd = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    menuShownAt = 0;
    Pathgrab::ShowPathMenu(wnd);
    EXPECT_EQ(menuShownAt, 0u) << "a menu opened";
    EXPECT_EQ(TestSupport::ReadClipboard().Wide, L"\\\\fileserv\\\u5171\u6709 share" + file.substr(2));
    Pathgrab::ReleaseTargets();
    DestroyWindow(wnd);
}

// A list of files on a drive whose server never answers: the first item waits for the bound, the rest
// are not asked again, and every line is the item as it was sent.
TEST_F(NetworkDrive, ListOnASilentDriveTakesTheBoundOnce) {
    TestSupport::SilentNetwork silent;
    SetLongPathQuery(TestSupport::SilentNetwork::LongPathName);
    ForgetNetwork();
    sentLine = L"\"Pathgrab.exe\"";
    std::wstring expected;
    for (int i = 10; i < 30; ++i) {
        sentLine += L" Z:\\gone\\f" + std::to_wstring(i) + L".txt";
        expected += L"Z:\\gone\\f" + std::to_wstring(i) + L".txt\r\n";
    }
    TestSupport::ImportPatch line("kernel32.dll", "GetCommandLineW", &SentLine);
    const DWORD start = GetTickCount();
    TText list;
    Pathgrab::MakePathListText(false, list);
    EXPECT_LT(GetTickCount() - start, 2 * UniversalNameWaitMs);
    EXPECT_EQ(list.Wide, expected);
    SetLongPathQuery(nullptr);
}

// A local folder that is a symbolic link into a share that is gone (as mklink /D makes it): its items
// wait for the bound once, charged to that server, and the local drive's next item is still asked.
std::wstring linkFolder;
std::wstring LinkIntoGone(const std::wstring& Path) {
    return Path == linkFolder ? L"\\\\?\\UNC\\gone\\share" : std::wstring();
}
LONG localAsked = 0;
DWORD WINAPI SilentBehindTheLink(LPCWSTR Path, LPWSTR Buffer, DWORD Size) {
    if (std::wstring(Path).rfind(linkFolder, 0) != 0) {
        InterlockedIncrement(&localAsked);
        return GetLongPathNameW(Path, Buffer, Size);
    }
    WaitForSingleObject(neverAnswered, TestSupport::SilentNetwork::SilenceMs);
    return 0;
}

TEST(LinkIntoAShare, IsBoundedAsTheShareItLeadsTo) {
    ScratchDir dir;
    const std::wstring local = TestSupport::WideOf(dir.File("b.txt"));
    linkFolder = TestSupport::WideOf(dir.Path()) + L"\\Srv";
    SetLinkTargetQuery(LinkIntoGone);
    SetLongPathQuery(SilentBehindTheLink);
    neverAnswered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    sentLine = L"\"Pathgrab.exe\" " + linkFolder + L"\\a.txt " + linkFolder + L"\\c.txt " + local;
    TestSupport::ImportPatch line("kernel32.dll", "GetCommandLineW", &SentLine);
    localAsked = 0;
    const DWORD start = GetTickCount();
    TText list;
    Pathgrab::MakePathListText(false, list);
    EXPECT_LT(GetTickCount() - start, 2 * UniversalNameWaitMs);
    EXPECT_NE(list.Wide.find(linkFolder + L"\\c.txt\r\n"), std::wstring::npos) << "as sent";
    EXPECT_EQ(localAsked, 1);
    EXPECT_TRUE(IsSilent(NetworkSlot(L"\\\\GONE\\share\\x")));
    EXPECT_FALSE(IsSilent(NetworkSlot(local)));
    SetEvent(neverAnswered);
    Sleep(50);
    CloseHandle(neverAnswered);
    neverAnswered = nullptr;
    SetLongPathQuery(nullptr);
    SetLinkTargetQuery(nullptr);
}

// ---- A system whose code page is UTF-8, as Windows answers there ---------------------------------------

// The system's own conversions, which the stand-ins below hand on to.
void* realToBytes = nullptr;
void* realToWide = nullptr;
UINT WINAPI Utf8CodePage() {
    return CP_UTF8;
}
// For UTF-8, Windows takes only the flags 0 and WC_ERR_INVALID_CHARS, and neither a default character
// nor the flag that says one was used (Wine takes all three).
int WINAPI StrictWideToUtf8(UINT cp, DWORD flags, LPCWSTR w, int nw, LPSTR s, int ns, LPCSTR def,
                            LPBOOL used) {
    if (cp == CP_ACP || cp == CP_UTF8) {
        if (flags & ~DWORD(WC_ERR_INVALID_CHARS)) {
            SetLastError(ERROR_INVALID_FLAGS);
            return 0;
        }
        if (def || used) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        cp = CP_UTF8;
    }
    return reinterpret_cast<decltype(&WideCharToMultiByte)>(realToBytes)(cp, flags, w, nw, s, ns, def, used);
}
int WINAPI Utf8ToWide(UINT cp, DWORD flags, LPCSTR s, int ns, LPWSTR w, int nw) {
    return reinterpret_cast<decltype(&MultiByteToWideChar)>(realToWide)(cp == CP_ACP ? CP_UTF8 : cp, flags, s,
                                                                        ns, w, nw);
}
std::wstring eightDotThree;
DWORD WINAPI EightDotThree(LPCWSTR, LPWSTR Buffer, DWORD Size) {
    return TestSupport::LongNameAsShortName(eightDotThree.c_str(), Buffer, Size);
}
bool shiftHeld = false;
SHORT WINAPI ShiftIfHeld(int key) {
    return shiftHeld && key == VK_SHIFT ? SHORT(0x8000) : SHORT(0);
}

// The menu of one item opens with every byte form the UTF-8 of its exact one, and Shift copies those
// bytes, where before every conversion failed and the program ended.
TEST(Utf8System, MenuOfOneItemAndShiftCopy) {
    ScratchDir dir;
    const std::wstring file = TestSupport::WideOf(dir.Path()) + L"\\caf\u00E9 \u898B\u7A4D.txt";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const std::wstring longFile = ToLongPath(file);
    sentLine = L"\"Pathgrab.exe\" \"" + longFile + L"\"";
    {
        TestSupport::ImportPatch acp("kernel32.dll", "GetACP", &Utf8CodePage);
        TestSupport::ImportPatch toBytes("kernel32.dll", "WideCharToMultiByte", &StrictWideToUtf8);
        TestSupport::ImportPatch toWide("kernel32.dll", "MultiByteToWideChar", &Utf8ToWide);
        TestSupport::ImportPatch line("kernel32.dll", "GetCommandLineW", &SentLine);
        TestSupport::ImportPatch keys("user32.dll", "GetAsyncKeyState", &ShiftIfHeld);
        TestSupport::ImportPatch menu("user32.dll", "TrackPopupMenu", &NoteTheMenu);
        ASSERT_TRUE(acp.Installed() && toBytes.Installed() && toWide.Installed());
        shiftHeld = false;
        realToBytes = toBytes.Original();
        realToWide = toWide.Original();
        TinyUtils::Startup(); // the lead bytes of UTF-8: none
        Pathgrab::ShowPathMenu(nullptr);
        ASSERT_NE(Pathgrab::PopupMenuHandle, nullptr);
        using Pathgrab::TMenuEntry;
        for (const TMenuEntry& e : Pathgrab::MenuEntries(1, false, Pathgrab::FaceFor(0x0411)))
            for (const TMenuEntry& f : e.Submenu.empty() ? std::vector<TMenuEntry>{e} : e.Submenu)
                EXPECT_EQ(f.Form.Bytes, TestSupport::BytesOf(f.Form.Wide, CP_UTF8)) << f.Id;
        EXPECT_EQ(Pathgrab::TargetLongPath.Bytes, TestSupport::BytesOf(longFile, CP_UTF8));
        DestroyMenu(Pathgrab::PopupMenuHandle);
        Pathgrab::PopupMenuHandle = nullptr;
        Pathgrab::ReleaseTargets();
        shiftHeld = true;
        Pathgrab::ShowPathMenu(nullptr);
        EXPECT_EQ(TestSupport::ReadClipboard().Text, TestSupport::BytesOf(longFile, CP_UTF8))
            << Pathgrab::TargetLongPath.Bytes;
        Pathgrab::ReleaseTargets();
        // A name UTF-8 cannot write (a lone surrogate, which NTFS allows) stands as any name the code
        // page lacks: by its 8.3 form, or with '?' on a volume without 8.3 names; never by U+FFFD.
        const std::wstring lone = TestSupport::WideOf(dir.Path()) + L"\\a\xD800.txt";
        eightDotThree = TestSupport::WideOf(dir.Path()) + L"\\A~1.TXT";
        sentLine = L"\"Pathgrab.exe\" \"" + lone + L"\"";
        SetLongPathQuery(&TestSupport::LongNameAsShortName); // the name is its own long form
        for (const bool shortNames : {true, false}) {
            TestSupport::ImportPatch shortPath("kernel32.dll", "GetShortPathNameW",
                                               shortNames ? &EightDotThree
                                                          : &TestSupport::LongNameAsShortName);
            Pathgrab::ShowPathMenu(nullptr);
            EXPECT_EQ(TestSupport::ReadClipboard().Text,
                      dir.Path() + (shortNames ? "\\A~1.TXT" : "\\a?.txt"));
            Pathgrab::ReleaseTargets();
        }
        SetLongPathQuery(nullptr);
    }
    TinyUtils::Startup();
    MSG posted; // what it posts to its window, here to no window
    while (PeekMessageA(&posted, nullptr, 0, 0, PM_REMOVE)) {
    }
}

} // namespace
