// Command-line splitting in real child processes whose command lines the driver sets byte for byte:
// a helper that records what the argument reading makes of its line, and Pathgrab.exe copying the
// long path of a file whose name holds double-byte characters with a 0x5C trail byte.
#include "E2eFixture.h"
#include "RegistrationSupport.h"

namespace E2e {
namespace {

std::string HelperExe() {
    return OwnFolder() + "\\ParamDump.exe";
}

// What the helper recorded: ParamCount, ParamStr(-1), then ParamStr(0) .. ParamStr(ParamCount + 1).
struct Dump {
    bool Ok = false;
    int Count = -1;
    std::string Negative;
    std::vector<std::string> Strs;
};

Dump RunHelper(const std::string& exe, const std::string& commandLine,
               const std::string& workDir = std::string()) {
    Dump d;
    ScratchDir dir;
    const std::string out = dir.Path() + "\\dump.bin";
    SetEnvironmentVariableA("PARAMDUMP_OUT", out.c_str());
    Child p = Start(exe, commandLine, workDir);
    if (!p.Started()) {
        ADD_FAILURE() << p.StartFailure();
        return d;
    }
    if (!p.Wait(EndTimeoutMs) || p.ExitCode() != 0) return d;
    const std::vector<std::string> fields = ZeroSeparatedFields(ReadFileBytes(out));
    if (fields.size() < 5) return d;
    d.Count = std::atoi(fields[1].c_str());
    if (d.Count < 0 || fields.size() < static_cast<size_t>(d.Count) + 5) return d;
    d.Negative = fields[2];
    d.Strs.assign(fields.begin() + 3, fields.begin() + 3 + d.Count + 2);
    d.Ok = true;
    return d;
}

struct SplitCase {
    const char* Name;
    const char* Line; // the whole command line, program name first
    std::vector<std::string> Args;
};

// Japanese characters with a 0x5C trail byte: 表 95 5C, ソ 83 5C, 能 94 5C, 十 8F 5C.
const SplitCase SplitCases[] = {
    {"QuotedWithSpaceThenPlain", "prog \"C:\\My Files\\a.txt\" b.txt", {"C:\\My Files\\a.txt", "b.txt"}},
    {"EmptyPairIsSkipped", "prog \"\" x", {"x"}},
    {"EmptyPairsInARowAreSkipped", "prog \"\"\"\" x \"\"", {"x"}},
    {"EmptyPairInsideAToken", "prog a\"\"b", {"ab"}},
    {"QuotedRunInsideAToken", "prog a\"b c\"d e", {"ab cd", "e"}},
    {"BackslashDoesNotEscapeTheQuote", "prog \"C:\\dir\\\" next", {"C:\\dir\\", "next"}},
    {"UnterminatedQuoteRunsToTheEnd", "prog \"abc def", {"abc def"}},
    {"LoneQuoteAtTheEndEndsTheList", "prog a \"", {"a"}},
    {"TabsAndControlBytesSeparate",
     "prog\ta\x01"
     "b\x1F"
     "c\r\nd  \t",
     {"a", "b", "c", "d"}},
    {"QuotedRunKeepsControlBytes", "prog \"a\tb\r\nc\" d", {"a\tb\r\nc", "d"}},
    {"QuotedProgramNameWithSpaces", "\"C:\\Program Files\\prog.exe\" a", {"a"}},
    {"LeadingSpacesBeforeTheProgramName", "   prog a", {"a"}},
    {"OnlyTheProgramName", "prog", {}},
    {"OnlyTrailingSpace", "prog   ", {}},
    {"TrailBytesOutsideQuotes",
     "prog C:\\\x95\x5C\\\x83\x5C.txt \x94\x5C",
     {"C:\\\x95\x5C\\\x83\x5C.txt", "\x94\x5C"}},
    {"TrailByteBeforeTheClosingQuote",
     "prog \"C:\\a b\\\x83\x5C\" \"\x8F\x5C\"x",
     {"C:\\a b\\\x83\x5C", "\x8F\x5Cx"}},
    {"QuoteStraightAfterATrailByte",
     "prog \x95\x5C\"\x83\x5C \x94\x5C\"\x8F\x5C",
     {"\x95\x5C\x83\x5C \x94\x5C\x8F\x5C"}},
    // The ideographic space 81 40 is one character, not a separator.
    {"IdeographicSpaceIsNoSeparator", "prog \x95\x5C\x81\x40\x83\x5C z", {"\x95\x5C\x81\x40\x83\x5C", "z"}},
};

class ArgumentSplitting : public testing::TestWithParam<SplitCase> {};

TEST_P(ArgumentSplitting, HelperSeesTheArguments) {
    const SplitCase& c = GetParam();
    Dump d = RunHelper(HelperExe(), c.Line);
    ASSERT_TRUE(d.Ok);
    EXPECT_EQ(d.Count, static_cast<int>(c.Args.size()));
    std::vector<std::string> args(d.Strs.begin() + 1, d.Strs.end() - 1);
    EXPECT_EQ(args, c.Args);
    EXPECT_EQ(d.Strs.back(), "") << "ParamStr(ParamCount + 1)";
    EXPECT_EQ(d.Negative, "") << "ParamStr(-1)";
    // Whatever the first token says, argument 0 is the module's file name.
    EXPECT_EQ(d.Strs.front(), HelperExe());
}

INSTANTIATE_TEST_SUITE_P(Lines, ArgumentSplitting, testing::ValuesIn(SplitCases),
                         [](const testing::TestParamInfo<SplitCase>& i) {
                             return std::string(i.param.Name);
                         });

TEST(ProgramName, IsTheModuleFileNameWhateverNameStartedIt) {
    const std::string folder = OwnFolder();
    const std::string parent = folder.substr(0, folder.find_last_of('\\'));
    const std::string sub = folder.substr(parent.size() + 1);
    struct {
        const char* how;
        std::string line, workDir;
    } starts[] = {
        {"bare name", "ParamDump.exe a", folder},
        {"quoted bare name", "\"ParamDump.exe\" a", folder},
        {"relative path", sub + "\\ParamDump.exe a", parent},
        {"quoted relative path", "\"" + sub + "\\ParamDump.exe\" a", parent},
    };
    char saved[MAX_PATH];
    GetCurrentDirectoryA(sizeof saved, saved);
    for (const auto& s : starts) {
        // No application name: the system finds the program from the command line, as a shell does,
        // and a relative name counts from the starting process's current folder.
        SetCurrentDirectoryA(s.workDir.c_str());
        Dump d = RunHelper(std::string(), s.line, s.workDir);
        SetCurrentDirectoryA(saved);
        ASSERT_TRUE(d.Ok) << s.how;
        EXPECT_EQ(d.Strs.front(), HelperExe()) << s.how;
        EXPECT_EQ(d.Count, 1) << s.how;
    }
}

// Pathgrab.exe itself, with Shift held: the long path it copies shows how it read argument 1.
struct ShiftCase {
    const char* Name;
    std::string (*Arg)(const std::string& folder); // folder: "...\a b", holding the files below
    std::string (*Expected)(const std::string& folder);
};

const ShiftCase ShiftCases[] = {
    {"QuotedWithSpace", [](const std::string& f) { return "\"" + f + "\\\x95\x5C \x83\x5C.txt\""; },
     [](const std::string& f) { return f + "\\\x95\x5C \x83\x5C.txt"; }},
    {"QuotedRunsInsideOneToken",
     [](const std::string& f) { return "\"" + f + "\"\\\"\x95\x5C \x83\x5C\".txt"; },
     [](const std::string& f) { return f + "\\\x95\x5C \x83\x5C.txt"; }},
    {"TrailByteBeforeTheClosingQuote", [](const std::string& f) { return "\"" + f + "\\\x83\x5C\x95\x5C\""; },
     [](const std::string& f) { return f + "\\\x83\x5C\x95\x5C"; }},
    {"TrailBytesUnquoted",
     [](const std::string& f) {
         // The short form of the folder has no space, so the whole path can go unquoted.
         return ShortPathOf(f) + "\\\x94\x5C\x8F\x5C.txt";
     },
     [](const std::string& f) { return f + "\\\x94\x5C\x8F\x5C.txt"; }},
};

class ShiftCopyBytes : public ProgramTest, public testing::WithParamInterface<ShiftCase> {};

TEST_P(ShiftCopyBytes, CopiesTheLongPathOfArgumentOne) {
    ScratchDir dir;
    const std::string folder = LongPathOf(dir.Folder("a b"));
    ASSERT_FALSE(folder.empty());
    dir.File("a b\\\x95\x5C \x83\x5C.txt"); // 表 ソ.txt
    dir.File("a b\\\x94\x5C\x8F\x5C.txt");  // 能十.txt
    dir.Folder("a b\\\x83\x5C\x95\x5C");    // ソ表
    const std::string arg = GetParam().Arg(folder);
    KeyHeld shift(VK_SHIFT);
    Child p = StartPathgrab({arg, "\"\x95\x5C\""});
    ExpectEndsWithZero(p);
    shift.Release();
    ExpectClipboard(GetParam().Expected(folder));
}

INSTANTIATE_TEST_SUITE_P(Args, ShiftCopyBytes, testing::ValuesIn(ShiftCases),
                         [](const testing::TestParamInfo<ShiftCase>& i) {
                             return std::string(i.param.Name);
                         });

// What the options make of the clipboard and the command line: the message (whose text names what was
// wrong), the clipboard as it was, the exit code; or, where the form is not there, the menu.
struct OptionCase {
    const char* Name;
    std::vector<std::string> Args; // "%" stands for a file in no library, "?" for one that is gone
    bool EmptyClipboard;           // else it holds the test's sentinel, a text that names no path
    DWORD ExitCode;
    const wchar_t* Says; // in the message; null: no message, the menu opens
};

const OptionCase OptionCases[] = {
    {"TextNamingNoPath", {"/clipboard"}, false, 1, L"Ctrl+C"},
    {"EmptyClipboard", {"/clipboard"}, true, 1, L"Ctrl+C"},
    {"UnknownName", {"/copy:bogus", "%"}, false, 2, L"/copy:bogus"},
    {"WebOfAFileInNoLibrary", {"/copy:web", "%"}, false, 0, nullptr},
    {"QuotedOfAFileThatIsGone", {"/copy:quoted", "?"}, false, 0, nullptr},
};

class Options : public ProgramTest, public testing::WithParamInterface<OptionCase> {};

TEST_P(Options, MessageOrMenuAndTheClipboardAsItWas) {
    const OptionCase& c = GetParam();
    ScratchDir dir;
    if (c.EmptyClipboard) {
        ASSERT_TRUE(WriteClipboard(std::string(), 0));
    }
    std::vector<std::string> args;
    for (const std::string& a : c.Args)
        args.push_back(a == "%"   ? Quoted(dir.File("a.txt"))
                       : a == "?" ? Quoted(dir.Path() + "\\gone.txt")
                                  : a);
    Child p = StartPathgrab(args);
    ASSERT_TRUE(p.Started()) << p.StartFailure();
    if (c.Says) {
        const QuestionBox box = WaitForQuestion(p, StartTimeoutMs);
        ASSERT_NE(box.Box, nullptr) << "no message";
        EXPECT_NE(box.WideText.find(c.Says), std::wstring::npos);
        EXPECT_TRUE(box.Buttons[IDOK] && !box.Buttons[IDCANCEL] && !box.Buttons[IDYES]);
        ClickButton(box.Box, IDOK);
    } else {
        ASSERT_TRUE(WaitForMenuKeys(p, StartTimeoutMs)) << LastMenuWait();
        TapKey(VK_ESCAPE);
    }
    ASSERT_TRUE(p.Wait(EndTimeoutMs));
    EXPECT_EQ(p.ExitCode(), c.ExitCode);
    if (c.EmptyClipboard) {
        EXPECT_TRUE(!ReadClipboard().Present && ReadClipboard().Wide.empty());
    } else {
        ExpectClipboardUntouched();
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, Options, testing::ValuesIn(OptionCases),
                         [](const testing::TestParamInfo<OptionCase>& i) {
                             return std::string(i.param.Name);
                         });

} // namespace
} // namespace E2e
