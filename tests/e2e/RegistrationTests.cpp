// Registration mode end to end: Pathgrab.exe started without arguments asks its question, and the
// driver answers it and checks the prefix's real Send To folder.
#include <gtest/gtest.h>

#include <memory>

#include "MenuSupport.h"
#include "RegistrationSupport.h"
#include "Win32Support.h"

#include <commctrl.h>

using namespace TestSupport;
using Names = std::vector<std::string>;

namespace {

constexpr DWORD BoxTimeoutMs = 60000;
constexpr DWORD EndTimeoutMs = 60000;

class Registration : public testing::Test {
  protected:
    void SetUp() override {
        CoInitialize(nullptr);
        sandbox_.reset(new SendToSandbox);
        ASSERT_FALSE(sendTo().empty()) << "the prefix has no Send To folder";
        ASSERT_EQ(FolderEntries(sendTo()), Names{});
        shell_->TakeForeground();
    }
    void TearDown() override {
        sandbox_.reset();
        CoUninitialize();
    }
    // One stand-in for the window in front per suite: making and ending one costs seconds under Wine.
    static void SetUpTestSuite() { shell_ = new ForegroundWindow; }
    static void TearDownTestSuite() {
        delete shell_;
        shell_ = nullptr;
    }

    const std::string& sendTo() const { return sandbox_->Folder(); }
    std::string inSendTo(const std::string& name) const { return sendTo() + "\\" + name; }

    // A copy of the program as folder\name, so that its folder is known and holds nothing else.
    static std::string Install(const std::string& folder, const std::string& name = "Pathgrab.exe") {
        const std::string exe = folder + "\\" + name;
        EXPECT_TRUE(CopyFileA(PathgrabExe().c_str(), exe.c_str(), FALSE));
        return exe;
    }
    static Child Run(const std::string& exe, const std::string& workDir = std::string()) {
        Child c = Start(exe, Quoted(exe), workDir);
        EXPECT_TRUE(c.Started()) << c.StartFailure();
        return c;
    }

    // The process asks the question with exactly this text, gets answer, and ends with exit code 0.
    static void ExpectQuestionAndAnswer(const Child& c, const std::string& text, int answer) {
        QuestionBox q = WaitForQuestion(c, BoxTimeoutMs);
        ASSERT_NE(q.Box, nullptr) << "no question was shown";
        EXPECT_EQ(q.Text, text);
        ClickButton(q.Box, answer);
        ExpectEndsWithZero(c);
    }
    // The process ends with exit code 0 without asking anything.
    static void ExpectNoQuestion(const Child& c) {
        QuestionBox q = WaitForQuestion(c, BoxTimeoutMs);
        EXPECT_EQ(q.Box, nullptr) << "a question was shown: " << q.Text;
        if (q.Box) ClickButton(q.Box, IDNO);
        ExpectEndsWithZero(c);
    }
    static void ExpectEndsWithZero(const Child& c) {
        ASSERT_TRUE(c.Wait(EndTimeoutMs)) << "the program did not end";
        EXPECT_EQ(c.ExitCode(), 0u);
    }

    // The one shortcut registration makes, pointing at folder\Pathgrab.exe.
    void ExpectOwnShortcut(const std::string& folder) {
        ASSERT_EQ(FolderEntries(sendTo()), Names{"Pathgrabber.lnk"});
        ShortcutFields f = ReadShortcut(inSendTo("Pathgrabber.lnk"));
        ASSERT_TRUE(f.Loaded);
        EXPECT_EQ(f.Path, folder + "\\Pathgrab.exe");
        EXPECT_EQ(f.WorkDir, folder);
        EXPECT_EQ(f.IconFile, folder + "\\Pathgrab.exe");
        EXPECT_EQ(f.IconIndex, 0);
        EXPECT_EQ(f.Arguments, "");
        EXPECT_EQ(f.ShowCmd, SW_SHOWNORMAL);
    }

    ScratchDir scratch_;
    static ForegroundWindow* shell_;
    std::unique_ptr<SendToSandbox> sandbox_;
};

// Yes creates Pathgrabber.lnk for Pathgrab.exe in the program's folder, in long form, whatever the
// running file is called and however it was started.
TEST_F(Registration, YesToCreateMakesTheShortcut) {
    const std::string plain = scratch_.Folder("inst");
    const std::string spaced = scratch_.Folder("Long Folder Name");
    const std::string spacedExe = Install(spaced);
    const std::string shortExe = ShortPathOf(spacedExe);
    ASSERT_NE(shortExe, "");
    ASSERT_NE(shortExe, spacedExe) << "no 8.3 form to start from";
    ASSERT_EQ(LongPathOf(spaced), spaced);
    const struct {
        const char* label;
        std::string exe;
        std::string folder;
    } cases[] = {
        {"started as Pathgrab.exe", Install(plain), plain},
        {"running under another name", Install(plain, "Other.exe"), plain},
        // Wine reports the module's long name even then; Windows keeps the short form it was started by.
        {"started through its short path", shortExe, spaced},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ClearFolder(sendTo());
        Child p = Run(c.exe);
        ExpectQuestionAndAnswer(p, CreateQuestion(), IDYES);
        ExpectOwnShortcut(c.folder);
    }
}

TEST_F(Registration, NoToCreateChangesNothing) {
    Child p = Run(Install(scratch_.Folder("inst")));
    ExpectQuestionAndAnswer(p, CreateQuestion(), IDNO);
    EXPECT_EQ(FolderEntries(sendTo()), Names{});
}

// The question reads exactly in its language whatever the system code page is: Japanese where the UI
// is Japanese, English elsewhere. Read through the wide API, so no conversion of ours is in the way.
TEST_F(Registration, QuestionReadsRightOnEveryMachine) {
    const std::string exe = Install(scratch_.Folder("inst"));
    for (const Machine* m : {&Cp932JapaneseUi, &Cp1252JapaneseUi, &Cp936JapaneseUi, &Cp1252EnglishUi}) {
        SCOPED_TRACE(m->Name);
        Child p = StartOnMachine(*m, exe, std::string());
        ASSERT_TRUE(p.Started()) << p.StartFailure();
        QuestionBox q = WaitForQuestion(p, BoxTimeoutMs);
        ASSERT_NE(q.Box, nullptr) << "no question was shown";
        EXPECT_EQ(q.WideText, CreateQuestionShown(m->UiLanguage));
        ClickButton(q.Box, IDNO);
        ExpectEndsWithZero(p);
        EXPECT_EQ(FolderEntries(sendTo()), Names{});
    }
}

// Yes and No only, Yes the default (Enter answers Yes), and the box comes to the front.
TEST_F(Registration, QuestionBoxIsYesNoWithYesDefault) {
    const std::string folder = scratch_.Folder("inst");
    Child p = Run(Install(folder));
    QuestionBox q = WaitForQuestion(p, BoxTimeoutMs);
    ASSERT_NE(q.Box, nullptr);
    EXPECT_TRUE(q.Buttons[IDYES]);
    EXPECT_TRUE(q.Buttons[IDNO]);
    EXPECT_FALSE(q.Buttons[IDOK]);
    EXPECT_FALSE(q.Buttons[IDCANCEL]);
    EXPECT_EQ(q.DefaultButton, IDYES);
    EXPECT_TRUE(q.Foreground);
    TapKey(VK_RETURN);
    ExpectEndsWithZero(p);
    ExpectOwnShortcut(folder);
}

ForegroundWindow* Registration::shell_ = nullptr;

// The shortcuts of a user who named them as they liked: every one to a Pathgrab.exe goes, hidden
// and system ones too; the rest stays and nothing is created.
class RegistrationWithShortcuts : public Registration {
  protected:
    void SetUp() override {
        Registration::SetUp();
        WriteShortcut(inSendTo("My paths.lnk"), "C:\\elsewhere\\PATHGRAB.EXE");
        WriteShortcut(inSendTo("hidden.lnk"), "C:\\old\\pathgrab.exe");
        WriteShortcut(inSendTo("system.lnk"), "C:\\tools\\Pathgrab.exe");
        SetFileAttributesA(inSendTo("hidden.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesA(inSendTo("system.lnk").c_str(), FILE_ATTRIBUTE_SYSTEM);
        WriteShortcut(inSendTo("Pathgrabber.lnk"), "C:\\windows\\notepad.exe");
        WriteShortcut(inSendTo("contains.lnk"), "C:\\elsewhere\\xPathgrab.exe");
        CreateDirectoryA(inSendTo("x.lnk").c_str(), nullptr);
        before_ = FolderEntries(sendTo());
        ASSERT_EQ(before_.size(), 6u);
    }
    Names before_;
};

TEST_F(RegistrationWithShortcuts, YesToDeleteRemovesEveryShortcutToTheProgram) {
    Child p = Run(PathgrabExe());
    ExpectQuestionAndAnswer(p, DeleteQuestion(), IDYES);
    EXPECT_EQ(FolderEntries(sendTo()), (Names{"Pathgrabber.lnk", "contains.lnk", "x.lnk"}));
    EXPECT_EQ(ReadShortcut(inSendTo("Pathgrabber.lnk")).Path, "C:\\windows\\notepad.exe");
    EXPECT_EQ(ReadShortcut(inSendTo("contains.lnk")).Path, "C:\\elsewhere\\xPathgrab.exe");
}

TEST_F(RegistrationWithShortcuts, NoToDeleteChangesNothing) {
    Child p = Run(PathgrabExe());
    ExpectQuestionAndAnswer(p, DeleteQuestion(), IDNO);
    EXPECT_EQ(FolderEntries(sendTo()), before_);
}

TEST_F(Registration, RunningMenuSuppressesTheQuestion) {
    const std::string file = scratch_.File("target.txt");
    Child menu = Start(PathgrabExe(), Quoted(PathgrabExe()) + " " + Quoted(file));
    ASSERT_NE(WaitForProgramWindow(menu, BoxTimeoutMs), nullptr);
    Child p = Run(PathgrabExe());
    ExpectNoQuestion(p);
    EXPECT_EQ(FolderEntries(sendTo()), Names{});
    EXPECT_TRUE(menu.Running());
    menu.Kill();
    menu.Wait(EndTimeoutMs);
}

// /hotkey makes the key's shortcut in the Start menu and, asked again, removes it. A Send To copy of the
// user's own, with an argument, is no registration: the question stays "create", and Yes keeps the copy;
// "delete" removes every shortcut to the program, and the key's.
TEST_F(Registration, HotkeyShortcutComesAndGoes) {
    const std::string folder = scratch_.Folder("inst"), exe = Install(folder);
    const std::string programs = scratch_.Folder("Programs");
    SendToRedirect redirect(programs, "Programs");
    const std::string create =
        Cp932("キーボード ショートカット Ctrl+Alt+Insert で、コピーしたファイルのパスを "
              "Pathgrabber で開けるようにしますか?");
    const Names key = {"Pathgrabber (copied files).lnk"};
    auto hotkey = [&](const std::string& question) {
        Child p = Start(exe, Quoted(exe) + " /hotkey");
        ExpectQuestionAndAnswer(p, question, IDYES);
    };
    hotkey(create);
    ASSERT_EQ(FolderEntries(programs), key);
    const ShortcutFields f = ReadShortcut(programs + "\\" + key[0]);
    EXPECT_EQ(f.Path, exe);
    EXPECT_EQ(f.Arguments, "/clipboard");
    EXPECT_EQ(f.HotKey, MAKEWORD(VK_INSERT, HOTKEYF_CONTROL | HOTKEYF_ALT));
    hotkey(Cp932("Pathgrabber のキーボード ショートカット (Ctrl+Alt+Insert) を削除しますか?"));
    EXPECT_EQ(FolderEntries(programs), Names{});
    hotkey(create);
    CreateShortcutBytes(inSendTo("Web address.lnk"), "", exe, "/copy:web", folder, exe, 0, SW_SHOWNORMAL, 0);
    ExpectQuestionAndAnswer(Run(exe), CreateQuestion(), IDYES);
    EXPECT_EQ(FolderEntries(sendTo()), (Names{"Pathgrabber.lnk", "Web address.lnk"}));
    ExpectQuestionAndAnswer(Run(exe), DeleteQuestion(), IDYES);
    EXPECT_EQ(FolderEntries(sendTo()), Names{});
    EXPECT_EQ(FolderEntries(programs), Names{});
}

// Without a Send To folder nothing is asked, and nothing is made or removed anywhere else, not in the
// current directory either.
TEST_F(Registration, NoSendToFolderAsksNothing) {
    const std::string inst = scratch_.Folder("inst");
    const std::string exe = Install(inst);
    const std::string cwd = scratch_.Folder("cwd");
    WriteShortcut(cwd + "\\mine.lnk", exe);
    SendToRedirect redirect(scratch_.Path() + "\\missing");
    ASSERT_EQ(ShellSendToFolder(), "");
    Child p = Run(exe, cwd);
    ExpectNoQuestion(p);
    EXPECT_EQ(FolderEntries(cwd), Names{"mine.lnk"});
    EXPECT_EQ(FolderEntries(inst), Names{"Pathgrab.exe"});
    EXPECT_EQ(FolderEntries(scratch_.Path()), (Names{"cwd", "inst"}));
}

// A program in a folder whose name the system code page lacks (its ANSI path is a look-alike that names
// nothing) asks its question all the same, and its shortcut points at exactly its path.
TEST_F(Registration, ProgramInAFolderTheCodePageLacksRegistersExactly) {
    const std::wstring folder =
        std::wstring(scratch_.Path().begin(), scratch_.Path().end()) + L"\\T\u00F6\u00F6ls \uD234\uC2A4";
    const std::wstring exe = folder + L"\\Pathgrab.exe";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::string exePath = PathgrabExe();
    const std::wstring source(exePath.begin(), exePath.end());
    ASSERT_TRUE(CopyFileW(source.c_str(), exe.c_str(), FALSE));
    char ansi[MAX_PATH + 1] = {};
    WideCharToMultiByte(CP_ACP, 0, exe.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
    ASSERT_EQ(LongPathOf(ansi), "") << "the ANSI form of the path still names the file";

    {
        Child p = StartWide(exe, L"\"" + exe + L"\"");
        ExpectQuestionAndAnswer(p, CreateQuestion(), IDYES);
        ASSERT_EQ(FolderEntries(sendTo()), Names{"Pathgrabber.lnk"});
        const ShortcutFields f = ReadShortcut(inSendTo("Pathgrabber.lnk"));
        EXPECT_TRUE(f.Loaded);
        // The item list the shell starts the target by. (Wine keeps the stored path itself only in the
        // code page, so GetPath reads a look-alike back there.)
        EXPECT_EQ(f.IdListPath, exe);
    }
    {
        Child p = StartWide(exe, L"\"" + exe + L"\"");
        ExpectQuestionAndAnswer(p, DeleteQuestion(), IDYES);
        EXPECT_EQ(FolderEntries(sendTo()), Names{});
    }
}

// Send To deep enough that its shortcut paths pass 260 bytes: such a shortcut cannot be read and so
// does not count, and nothing overruns.
TEST_F(Registration, LongSendToPathDoesNotBreakTheCheck) {
    std::string deep = scratch_.Path();
    while (deep.size() < 250)
        deep += "\\" + std::string(30, 'd');
    deep = deep.substr(0, 250);
    // The cut can land just after a separator (the scratch folder's name varies in length): end in a name.
    if (deep.back() == '\\') deep.back() = 'd';
    ASSERT_TRUE(MakeFolders(deep));
    SendToRedirect redirect(deep);
    ASSERT_EQ(ShellSendToFolder(), deep);
    const std::string longLink = deep + "\\" + std::string(20, 'n') + ".lnk";
    WriteShortcut(longLink, "C:\\old\\Pathgrab.exe");
    ASSERT_EQ(ReadShortcut(longLink).Path, "C:\\old\\Pathgrab.exe");

    Child p = Run(PathgrabExe());
    ExpectQuestionAndAnswer(p, CreateQuestion(), IDNO);
    EXPECT_EQ(FolderEntries(deep), Names{std::string(20, 'n') + ".lnk"});
}

} // namespace
