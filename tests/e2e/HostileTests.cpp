// Hostile inputs end to end: whatever the shell passes and whatever lies in Send To, the program ends
// with exit code 0, touches the clipboard only as its command says, and leaves every file but its own
// shortcut alone. The table with the reasoning behind each row is tests/e2e/HOSTILE.md.
#include <shlobj.h>

#include <cstring>
#include <memory>

#include "E2eFixture.h"
#include "RegistrationSupport.h"

namespace E2e {
namespace {

using Names = std::vector<std::string>;

constexpr DWORD BoxTimeoutMs = 60000;
constexpr size_t CommandLineLimit = 32767; // characters, the terminating NUL included

void WriteBytes(const std::string& path, const std::string& bytes);

void Put32(std::string& b, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A shortcut whose stored target is longer than the link object would accept through SetPath (it
// refuses paths over 260 bytes): written by hand as the smallest file of the published layout, a
// header and a link-info block with a local base path.
std::string ShortcutBytesWithTarget(const std::string& target) {
    std::string b;
    Put32(b, 0x4C);
    b.append("\x01\x14\x02\0\0\0\0\0\xC0\0\0\0\0\0\0\x46", 16); // CLSID_ShellLink
    Put32(b, 0x02);                                             // flags: has link info
    b.append(4 + 3 * 8 + 4 + 4, '\0');                          // attributes, times, size, icon
    Put32(b, SW_SHOWNORMAL);
    b.append(2 + 10, '\0'); // hot key, reserved
    const uint32_t headerSize = 0x1C, volumeSize = 0x11;
    const uint32_t pathOffset = headerSize + volumeSize;
    const uint32_t suffixOffset = pathOffset + static_cast<uint32_t>(target.size()) + 1;
    Put32(b, suffixOffset + 1);
    Put32(b, headerSize);
    Put32(b, 1); // volume id and local base path
    Put32(b, headerSize);
    Put32(b, pathOffset);
    Put32(b, 0);
    Put32(b, suffixOffset);
    Put32(b, volumeSize);
    Put32(b, DRIVE_FIXED);
    Put32(b, 0x12345678);
    Put32(b, 0x10);
    b += '\0'; // empty volume label
    b += target;
    b += '\0';
    b += '\0';   // empty common path suffix
    Put32(b, 0); // end of the extra data
    return b;
}

// The shortcut header (size and class id) followed by bytes of a fixed pseudo-random stream, so that
// the reader gets past its first check before it meets garbage.
std::string RandomShortcutBytes() {
    std::string bytes("\x4C\0\0\0\x01\x14\x02\0\0\0\0\0\xC0\0\0\0\0\0\0\x46", 20);
    unsigned state = 0x2545F491u;
    while (bytes.size() < 1024) {
        state = state * 1103515245u + 12345u;
        bytes += static_cast<char>(state >> 23);
    }
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

// The shared scene of the menu-mode rows: a folder with a space, a file in it, and hostile shortcuts.
struct Scene {
    std::unique_ptr<ScratchDir> scratch;
    std::string dir;       // long form, "...\a b"
    std::string file;      // dir\f.txt
    std::string fileShort; // its 8.3 form: no space, no quotes needed
    std::string dirShort;
    std::string deep;        // dir\<60 x 表>\<60 x 表>\f.txt: over 260 bytes, well within 260 characters
    std::string accentShort; // the 8.3 form of dir\café.txt, beside which lies dir\cafe.txt

    std::string Line(const std::string& rawArgs) const { return Quoted(PathgrabExe()) + " " + rawArgs; }
    std::string In(const char* name) const { return dir + "\\" + name; }
};
Scene* TheScene = nullptr;

enum class Act {
    Shift,         // Shift held at start: copy at once
    Escape,        // menu shown, left with Escape
    PickOne,       // menu shown, item 1 picked with its digit key
    PickOneHeld,   // the same while another process holds the clipboard open
    AnswerNoToAsk, // no argument after all: the registration question, answered No
    ClickAway,     // menu shown, closed by a click elsewhere that activates nothing
    ShiftWide,     // Shift held, the line (UTF-8 here) started wide, as the shell starts programs
};

struct HostileRow {
    const char* Name;
    std::string (*Line)(const Scene&);
    Act How;
    std::string (*Clipboard)(const Scene&); // the clipboard's text afterwards; nullptr: the sentinel stays
};

std::string Repeat(const std::string& s, size_t n) {
    std::string r;
    for (size_t i = 0; i < n; ++i)
        r += s;
    return r;
}

// As many copies of the file's short path as fit, then blanks up to one character below the limit.
std::string LineAtTheLimit(const Scene& s) {
    std::string line = Quoted(PathgrabExe());
    while (line.size() + 1 + s.fileShort.size() <= CommandLineLimit - 1)
        line += " " + s.fileShort;
    return line + std::string(CommandLineLimit - 1 - line.size(), ' ');
}
size_t CopiesAtTheLimit(const Scene& s) {
    const size_t head = Quoted(PathgrabExe()).size();
    return (CommandLineLimit - 1 - head) / (1 + s.fileShort.size());
}

const std::string Over260 = std::string(300, 'y') + ".txt";

// With Shift, an argument that yields no path copies nothing: the user's clipboard stays.
const HostileRow Rows[] = {
    {"MissingPathShift", [](const Scene& s) { return s.Line(Quoted(s.In("missing.txt"))); }, Act::Shift,
     nullptr},
    {"MissingPathMenu", [](const Scene& s) { return s.Line(Quoted(s.In("missing.txt"))); }, Act::PickOne,
     nullptr},
    {"ArgumentOver260Bytes", [](const Scene& s) { return s.Line(s.dirShort + "\\" + Over260); }, Act::Shift,
     nullptr},
    {"ListLeavesOutArgumentOver260Bytes",
     [](const Scene& s) { return s.Line(s.fileShort + " " + s.dirShort + "\\" + Over260); }, Act::PickOne,
     [](const Scene& s) { return s.file + "\r\n"; }},
    {"CommandLineAtTheLimit", LineAtTheLimit, Act::PickOne,
     [](const Scene& s) { return Repeat(s.file + "\r\n", CopiesAtTheLimit(s)); }},
    {"UnterminatedQuote", [](const Scene& s) { return s.Line("\"" + s.file); }, Act::PickOne,
     [](const Scene& s) { return s.file; }},
    // Wine's process start turns the line into UTF-16 and back: a lone lead byte at the very end is
    // dropped, and one before another byte becomes U+30FB together with that byte. Either way the
    // program must read what arrives: here a single argument.
    {"LoneLeadByteEndsTheLine", [](const Scene& s) { return s.Line(s.fileShort + " \x83"); }, Act::PickOne,
     [](const Scene& s) { return s.file; }},
    // The lead byte takes the closing quote with it: one argument, naming no file.
    {"LoneLeadByteBeforeTheClosingQuote",
     [](const Scene& s) { return s.Line("\"" + s.fileShort + "\x83\" " + s.fileShort); }, Act::PickOne,
     nullptr},
    {"OnlyControlBytes", [](const Scene& s) { return s.Line("\x01\x02\t\x0B\x1F"); }, Act::AnswerNoToAsk,
     nullptr},
    {"OnlyEmptyQuotePairs", [](const Scene& s) { return s.Line("\"\" \"\"\"\" \"\""); }, Act::AnswerNoToAsk,
     nullptr},
    {"ZeroLengthShortcut", [](const Scene& s) { return s.Line(Quoted(s.In("empty.lnk"))); }, Act::Shift,
     nullptr},
    {"RandomBytesShortcut", [](const Scene& s) { return s.Line(Quoted(s.In("random.lnk"))); }, Act::Escape,
     nullptr},
    {"ShortcutToItself", [](const Scene& s) { return s.Line(Quoted(s.In("self.lnk"))); }, Act::Shift,
     [](const Scene& s) { return s.In("self.lnk"); }},
    {"ShortcutTargetOver260Bytes", [](const Scene& s) { return s.Line(Quoted(s.In("long.lnk"))); },
     Act::Shift, nullptr},
    {"ClipboardHeldByAnotherProcess", [](const Scene& s) { return s.Line(s.fileShort); }, Act::PickOneHeld,
     nullptr},
    {"DoubleBytePathOver260Bytes", [](const Scene& s) { return s.Line(Quoted(s.deep)); }, Act::Shift,
     [](const Scene& s) { return s.deep; }},
    // The ANSI line would say ...\cafe.txt, another file: the 8.3 form names the one sent.
    {"NameTheCodePageLacks", [](const Scene& s) { return s.Line(Quoted(s.dir + "\\caf\xC3\xA9.txt")); },
     Act::ShiftWide, [](const Scene& s) { return s.accentShort; }},
    {"MenuClosedWithoutAChoice", [](const Scene& s) { return s.Line(s.fileShort); }, Act::ClickAway, nullptr},
};

class HostileInput : public ProgramTest, public testing::WithParamInterface<HostileRow> {
  protected:
    static void SetUpTestSuite() {
        CoInitialize(nullptr);
        TheScene = new Scene;
        Scene& s = *TheScene;
        s.scratch.reset(new ScratchDir);
        s.dir = LongPathOf(s.scratch->Folder("a b"));
        s.file = s.scratch->File("a b\\f.txt");
        s.fileShort = ShortPathOf(s.file);
        s.dirShort = ShortPathOf(s.dir);
        WriteBytes(s.In("empty.lnk"), std::string());
        WriteBytes(s.In("random.lnk"), RandomShortcutBytes());
        WriteShortcut(s.In("self.lnk"), s.In("self.lnk"));
        WriteBytes(s.In("long.lnk"),
                   ShortcutBytesWithTarget(s.dir + "\\" + std::string(280, 't') + "\\x.txt"));
        std::string hyo;
        for (int i = 0; i < 60; ++i)
            hyo += "\x95\x5C";
        CreateDirectoryA((s.dir + "\\" + hyo).c_str(), nullptr);
        CreateDirectoryA((s.dir + "\\" + hyo + "\\" + hyo).c_str(), nullptr);
        s.deep = s.dir + "\\" + hyo + "\\" + hyo + "\\f.txt";
        WriteBytes(s.deep, "x");
        WriteBytes(s.In("cafe.txt"), "decoy");
        const std::wstring accent = WideOf(s.dir) + L"\\caf\u00E9.txt";
        CloseHandle(CreateFileW(accent.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        wchar_t shortForm[MAX_PATH] = {};
        GetShortPathNameW(accent.c_str(), shortForm, MAX_PATH);
        char bytes[MAX_PATH] = {};
        WideCharToMultiByte(CP_ACP, 0, shortForm, -1, bytes, MAX_PATH, nullptr, nullptr);
        s.accentShort = bytes;
    }
    static void TearDownTestSuite() {
        delete TheScene;
        TheScene = nullptr;
        CoUninitialize();
    }

    void SetUp() override {
        ProgramTest::SetUp();
        sandbox_.reset(new SendToSandbox);
        const Scene& s = *TheScene;
        ASSERT_FALSE(s.dir.empty());
        ASSERT_EQ((s.fileShort + s.dirShort).find_first_of(" \""), std::string::npos) << s.fileShort;
        ASSERT_EQ(LongPathOf(s.fileShort), s.file);
        ASSERT_EQ(ReadShortcut(s.In("self.lnk")).Path, s.In("self.lnk"));
        ASSERT_GT(ReadShortcut(s.In("long.lnk")).Path.size(), 300u) << "the long target was not stored";
        sendToBefore_ = FolderEntries(sandbox_->Folder());
        sceneBefore_ = FolderEntries(s.dir);
    }
    void TearDown() override {
        ProgramTest::TearDown();
        sandbox_.reset();
    }

    std::unique_ptr<SendToSandbox> sandbox_;
    Names sendToBefore_, sceneBefore_;
};

TEST_P(HostileInput, EndsWithZeroAndTouchesOnlyTheClipboard) {
    const HostileRow& row = GetParam();
    const Scene& s = *TheScene;
    const std::string line = row.Line(s);
    ASSERT_LT(line.size(), CommandLineLimit);
    std::unique_ptr<KeyHeld> shift(row.How == Act::Shift || row.How == Act::ShiftWide ? new KeyHeld(VK_SHIFT)
                                                                                      : nullptr);
    Child p;
    if (row.How == Act::ShiftWide) {
        p = StartWide(std::wstring(), WideOf(line, CP_UTF8));
    } else {
        p = Start(PathgrabExe(), line);
    }
    ASSERT_TRUE(p.Started()) << p.StartFailure();
    switch (row.How) {
    case Act::Shift:
    case Act::ShiftWide:
        ExpectEndsWithZero(p);
        shift.reset();
        break;
    case Act::ClickAway: {
        HWND menu = WaitForPopupMenu(p, StartTimeoutMs);
        ASSERT_NE(menu, nullptr) << "no popup menu appeared";
        DismissByClickAway(p, menu);
        ExpectEndsWithZero(p);
        break;
    }
    case Act::Escape:
    case Act::PickOne:
    case Act::PickOneHeld: {
        ASSERT_NE(WaitForPopupMenu(p, StartTimeoutMs), nullptr) << "no popup menu appeared";
        std::unique_ptr<ClipboardHold> hold(row.How == Act::PickOneHeld ? new ClipboardHold : nullptr);
        if (hold) {
            ASSERT_TRUE(hold->Held());
        }
        ASSERT_TRUE(WaitForMenuKeys(p, StartTimeoutMs)) << LastMenuWait();
        TapKey(row.How == Act::Escape ? VK_ESCAPE : '1');
        ExpectEndsWithZero(p);
        break;
    }
    case Act::AnswerNoToAsk: {
        QuestionBox q = WaitForQuestion(p, BoxTimeoutMs);
        ASSERT_NE(q.Box, nullptr) << "no registration question: the line was not read as argument-free";
        EXPECT_EQ(q.Text, CreateQuestion());
        ClickButton(q.Box, IDNO);
        ExpectEndsWithZero(p);
        break;
    }
    }
    if (row.Clipboard) {
        ExpectClipboard(row.Clipboard(s));
    } else {
        ExpectClipboardUntouched();
    }
    EXPECT_EQ(FolderEntries(sandbox_->Folder()), sendToBefore_);
    EXPECT_EQ(FolderEntries(s.dir), sceneBefore_);
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileInput, testing::ValuesIn(Rows),
                         [](const testing::TestParamInfo<HostileRow>& i) {
                             return std::string(i.param.Name);
                         });

// Registration mode against a hostile Send To folder.
class HostileSendTo : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        CoInitialize(nullptr);
        sandbox_.reset(new SendToSandbox);
        ASSERT_EQ(FolderEntries(sendTo()), Names{});
    }
    void TearDown() override {
        ProgramTest::TearDown();
        sandbox_.reset();
        CoUninitialize();
    }
    const std::string& sendTo() const { return sandbox_->Folder(); }
    std::string inSendTo(const std::string& name) const { return sendTo() + "\\" + name; }

    // Starts the program without arguments, expects this question, answers it; exit code 0.
    void AskAndAnswer(const std::string& question, int answer) {
        Child p = Start(PathgrabExe(), Quoted(PathgrabExe()));
        QuestionBox q = WaitForQuestion(p, BoxTimeoutMs);
        ASSERT_NE(q.Box, nullptr) << "no question was shown";
        EXPECT_EQ(q.Text, question);
        ClickButton(q.Box, answer);
        ExpectEndsWithZero(p);
        ExpectClipboardUntouched();
    }

    std::unique_ptr<SendToSandbox> sandbox_;
};

// Shortcuts that cannot be read, or whose target cannot be read whole, do not count as the program's;
// Yes creates the program's own shortcut beside them and leaves their bytes alone.
TEST_F(HostileSendTo, UnreadableShortcutsNeitherCountNorGo) {
    WriteBytes(inSendTo("empty.lnk"), std::string());
    WriteBytes(inSendTo("random.lnk"), RandomShortcutBytes());
    WriteShortcut(inSendTo("self.lnk"), inSendTo("self.lnk"));
    WriteBytes(inSendTo("long.lnk"),
               ShortcutBytesWithTarget("C:\\" + std::string(280, 't') + "\\Pathgrab.exe"));
    const Names junk = FolderEntries(sendTo());
    std::vector<std::string> bytes;
    for (const std::string& name : junk)
        bytes.push_back(ReadFileBytes(inSendTo(name)));
    ASSERT_EQ(junk.size(), 4u);

    AskAndAnswer(CreateQuestion(), IDYES);
    EXPECT_EQ(FolderEntries(sendTo()),
              (Names{"Pathgrabber.lnk", "empty.lnk", "long.lnk", "random.lnk", "self.lnk"}));
    for (size_t i = 0; i < junk.size(); ++i)
        EXPECT_EQ(ReadFileBytes(inSendTo(junk[i])), bytes[i]) << junk[i];
}

// A matching shortcut the platform refuses to delete: the walk deletes the others, the refused one
// stays, and the next start still finds it and asks to delete again.
TEST_F(HostileSendTo, UndeletableShortcutIsFoundAgain) {
    const std::string probe = inSendTo("probe");
    WriteBytes(probe, "x");
    SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_READONLY);
    const bool refused = !DeleteFileA(probe.c_str());
    ClearFolder(sendTo());
    if (!refused) GTEST_SKIP() << "this system deletes read-only files";

    WriteShortcut(inSendTo("a.lnk"), "C:\\one\\Pathgrab.exe");
    WriteShortcut(inSendTo("b_stuck.lnk"), "C:\\apps\\Pathgrab.exe");
    WriteShortcut(inSendTo("c.lnk"), "C:\\two\\pathgrab.exe");
    SetFileAttributesA(inSendTo("b_stuck.lnk").c_str(), FILE_ATTRIBUTE_READONLY);

    AskAndAnswer(DeleteQuestion(), IDYES);
    EXPECT_EQ(FolderEntries(sendTo()), Names{"b_stuck.lnk"});
    AskAndAnswer(DeleteQuestion(), IDNO);
    EXPECT_EQ(FolderEntries(sendTo()), Names{"b_stuck.lnk"});
}

// The program run from a folder full of DLLs planted under the names of those that it or the system
// loads for it, as a download folder can be: the process searches the system folder only, so none is
// loaded, whether a file is sent, Shift copies, a shortcut is followed or the question is asked.
using PlantedDlls = HostileSendTo;

TEST_F(PlantedDlls, NoneIsLoadedInAnyMode) {
    // The program's own imports and what they pull in are mapped before it runs (on Windows they are
    // known DLLs, which no folder can stand in for); everything else the program, the shell or COM loads.
    const char* const names[] = {"shcore",   "shell32", "ole32",    "oleaut32", "combase",         "rpcrt4",
                                 "propsys",  "shlwapi", "comctl32", "uxtheme",  "version",         "imm32",
                                 "mpr",      "msimg32", "userenv",  "profapi",  "windows.storage", "cfgmgr32",
                                 "advapi32", "sechost", "ucrtbase", "setupapi", "netapi32"};
    ScratchDir scratch;
    const std::string dir = LongPathOf(scratch.Folder("Downloads"));
    const std::string exe = dir + "\\Pathgrab.exe";
    ASSERT_TRUE(CopyFileA(PathgrabExe().c_str(), exe.c_str(), FALSE));
    for (const char* name : names)
        ASSERT_TRUE(CopyFileA((OwnFolder() + "\\PlantedDll.dll").c_str(),
                              (dir + "\\" + name + ".dll").c_str(), FALSE));
    const Names planted = FolderEntries(dir);
    const std::string file = scratch.File("report.txt");
    const std::string link = dir + "\\report.lnk";
    WriteShortcut(link, file);
    const std::string line = Quoted(exe) + " ";

    {
        Child p = Start(exe, line + Quoted(file));
        ASSERT_TRUE(WaitForMenuKeys(p, StartTimeoutMs)) << LastMenuWait();
        TapKey('1');
        ExpectEndsWithZero(p);
        ExpectClipboard(file);
    }
    for (const std::string& sent : {file, link}) {
        WriteClipboard(Sentinel);
        KeyHeld shift(VK_SHIFT);
        Child p = Start(exe, line + Quoted(sent));
        ExpectEndsWithZero(p);
        shift.Release();
        ExpectClipboard(file);
    }
    {
        Child p = Start(exe, Quoted(exe));
        QuestionBox q = WaitForQuestion(p, BoxTimeoutMs);
        ASSERT_NE(q.Box, nullptr) << "no question was shown";
        ClickButton(q.Box, IDNO);
        ExpectEndsWithZero(p);
    }
    DeleteFileA(link.c_str());
    EXPECT_EQ(FolderEntries(dir), planted) << "a .loaded marker names a planted DLL that was loaded";
}

} // namespace
} // namespace E2e
