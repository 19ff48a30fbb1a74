// Path splitting and the small text operations. The same assertions meet code page 932 of the
// stand-in on the host and the real locale under Wine.
#include <gtest/gtest.h>

#include "TextSupport.h"
#include "TinyUtils.h"

#include <climits>
#include <cstring>
#include <string>
#include <vector>

using namespace TinyUtils;

namespace {

// K is katakana so (its trail byte is a backslash), A is katakana a.
#define K "\x83\x5C"
#define A "\x83\x41"

const char* const Unchanged = nullptr; // in a column: the input itself

struct PathRow {
    const char* input;
    const char* head;
    const char* folder;
    const char* fileName;
    const char* ext;
    const char* noExt;
    const char* addBackslash;
    const char* dropBackslash;
};

std::string Or(const char* expected, const char* input) { return expected ? expected : input; }

class PathTable : public testing::TestWithParam<PathRow> {};

TEST_P(PathTable, EveryOperation) {
    const PathRow& r = GetParam();
    const std::string in = r.input;
    EXPECT_EQ(PathHead(in), Or(r.head, r.input));
    EXPECT_EQ(PathFolder(in), Or(r.folder, r.input));
    EXPECT_EQ(PathFileName(in), Or(r.fileName, r.input));
    EXPECT_EQ(PathExt(in), Or(r.ext, r.input));
    EXPECT_EQ(PathChangeExt(in, ""), Or(r.noExt, r.input));
    EXPECT_EQ(AddTrailingBackslash(in), Or(r.addBackslash, r.input));
    EXPECT_EQ(DropTrailingBackslash(in), Or(r.dropBackslash, r.input));
    // The exact text of the same path splits alike, one unit a character.
    const std::wstring w = TestText(in).Wide;
    auto wide = [](const std::string& bytes) { return TestText(bytes).Wide; };
    EXPECT_EQ(PathHead(w), wide(Or(r.head, r.input)));
    EXPECT_EQ(PathFolder(w), wide(Or(r.folder, r.input)));
    EXPECT_EQ(PathFileName(w), wide(Or(r.fileName, r.input)));
    EXPECT_EQ(PathExt(w), wide(Or(r.ext, r.input)));
    EXPECT_EQ(PathChangeExt(w, L""), wide(Or(r.noExt, r.input)));
    EXPECT_EQ(AddTrailingBackslash(w), wide(Or(r.addBackslash, r.input)));
    EXPECT_EQ(DropTrailingBackslash(w), wide(Or(r.dropBackslash, r.input)));
}

// Columns: input, PathHead, PathFolder, PathFileName, PathExt, PathChangeExt(""), AddTrailingBackslash,
// DropTrailingBackslash.
INSTANTIATE_TEST_SUITE_P(
    Japanese, PathTable,
    testing::Values(
        PathRow{"C:\\dir\\file.txt", "C:\\dir\\", "C:\\dir", "file.txt", ".txt", "C:\\dir\\file", "C:\\dir\\file.txt\\", Unchanged},
        PathRow{"file.txt", "", "", Unchanged, ".txt", "file", "file.txt\\", Unchanged},
        PathRow{"C:file.txt", "C:", "C:", "file.txt", ".txt", "C:file", "C:file.txt\\", Unchanged},
        PathRow{"C:\\", Unchanged, Unchanged, "", "", Unchanged, Unchanged, "C:"},
        PathRow{"C:\\dir", "C:\\", "C:\\", "dir", "", Unchanged, "C:\\dir\\", Unchanged},
        PathRow{"C:\\dir\\", Unchanged, "C:\\dir", "", "", Unchanged, Unchanged, "C:\\dir"},
        PathRow{"\\\\server\\share\\file.txt", "\\\\server\\share\\", "\\\\server\\share", "file.txt", ".txt",
                "\\\\server\\share\\file", "\\\\server\\share\\file.txt\\", Unchanged},
        PathRow{"\\\\server", "\\\\", "\\\\", "server", "", Unchanged, "\\\\server\\", Unchanged},
        PathRow{"", "", "", "", "", "", "\\", ""},
        PathRow{"archive.tar.gz", "", "", Unchanged, ".gz", "archive.tar", "archive.tar.gz\\", Unchanged},
        PathRow{".profile", "", "", Unchanged, ".profile", "", ".profile\\", Unchanged},
        PathRow{"file.", "", "", Unchanged, ".", "file", "file.\\", Unchanged},
        PathRow{"C:\\d.x\\file", "C:\\d.x\\", "C:\\d.x", "file", "", Unchanged, "C:\\d.x\\file\\", Unchanged},
        PathRow{"C:\\" K, "C:\\", "C:\\", K, "", Unchanged, "C:\\" K "\\", Unchanged},
        PathRow{"C:\\" K "\\file.txt", "C:\\" K "\\", "C:\\" K, "file.txt", ".txt", "C:\\" K "\\file",
                "C:\\" K "\\file.txt\\", Unchanged},
        PathRow{"C:\\" A "1\\file.txt", "C:\\" A "1\\", "C:\\" A "1", "file.txt", ".txt", "C:\\" A "1\\file",
                "C:\\" A "1\\file.txt\\", Unchanged},
        PathRow{"C:\\dir\\\\", Unchanged, Unchanged, "", "", Unchanged, Unchanged, "C:\\dir\\"},
        PathRow{"a\\b", "a\\", "a", "b", "", Unchanged, "a\\b\\", Unchanged}),
    [](const testing::TestParamInfo<PathRow>& p) { return "Row" + std::to_string(p.index); });

// Plays a system whose ANSI code page has no lead bytes (1252, say): the lead bytes come from the
// system code page, which a running process cannot change, so the module state is set as the start-up
// leaves it there. The destructor runs the real start-up again.
class SingleByteSystem {
  public:
    SingleByteSystem() {
        std::memset(LeadByteSet, 0, sizeof LeadByteSet);
        MultiByteLocale = false;
    }
    ~SingleByteSystem() { Startup(); }
    SingleByteSystem(const SingleByteSystem&) = delete;
    SingleByteSystem& operator=(const SingleByteSystem&) = delete;
};

TEST(PathStrings, SingleByteSystemTakesTheTrailByteOfSoForABackslash) {
    SingleByteSystem english;
    ASSERT_FALSE(MultiByteLocale);
    const std::string p = "C:\\" K;
    EXPECT_EQ(PathHead(p), "C:\\\x83\\");
    EXPECT_EQ(PathFolder(p), "C:\\\x83");
    EXPECT_EQ(PathFileName(p), "");
    EXPECT_EQ(AddTrailingBackslash(p), p);
    EXPECT_EQ(DropTrailingBackslash(p), "C:\\\x83");
    EXPECT_EQ(PathFileName("C:\\" K "\\file.txt"), "file.txt");
    EXPECT_EQ(PathFolder("C:\\" K "\\file.txt"), "C:\\" K "\\");
}

// Every lead byte of code page 932 followed by 0x5C, at the end of a path, in a name after a kanji
// whose trail byte is itself a lead-byte value: no operation may split or strip at that 0x5C.
TEST(PathStrings, NoOperationSplitsAtATrailByte5C) {
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        const std::string ch = {static_cast<char>(lead), '\x5C'};
        for (const std::string& name : {ch, "x" + ch, "\x8E\x9A" + ch, ch + ch}) {
            const std::string folder = "C:\\d" + ch;
            const std::string path = folder + "\\" + name;
            SCOPED_TRACE(testing::Message() << "lead 0x" << std::hex << lead << ", name length " << name.size());
            EXPECT_EQ(PathFileName(path), name);
            EXPECT_EQ(PathHead(path), folder + "\\");
            EXPECT_EQ(PathFolder(path), folder);
            EXPECT_EQ(PathFolder(folder + "\\"), folder);
            EXPECT_EQ(PathExt(path), "");
            EXPECT_EQ(PathChangeExt(path, ".bak"), path + ".bak");
            EXPECT_EQ(DropTrailingBackslash(path), path);
            EXPECT_EQ(AddTrailingBackslash(path), path + "\\");
            EXPECT_EQ(LastDelimiterIndex("\\", name), 0);
        }
    }
}

TEST(PathStrings, ChangeExtReplacesOnlyTheLastExtension) {
    EXPECT_EQ(PathChangeExt("C:\\dir\\file", ".bak"), "C:\\dir\\file.bak");
    EXPECT_EQ(PathChangeExt("a.b.c", ".d"), "a.b.d");
    EXPECT_EQ(PathChangeExt("a.tar.gz", ".zip"), "a.tar.zip");
    EXPECT_EQ(PathChangeExt("C:\\d.x\\file", ".lnk"), "C:\\d.x\\file.lnk");
    EXPECT_EQ(PathChangeExt("C:\\dir\\", ".txt"), "C:\\dir\\.txt");
    // The search for the dot stops at the folder's backslash, not at so's trail byte.
    EXPECT_EQ(PathChangeExt("C:\\d.x\\" K, ".bak"), "C:\\d.x\\" K ".bak");
}

TEST(PathStrings, LastDelimiterIndexSkipsTheLeadBeforeATrailDelimiter) {
    EXPECT_EQ(LastDelimiterIndex("\\:", "C:\\a\\b"), 5);
    EXPECT_EQ(LastDelimiterIndex("\\:", "C:\\" K), 3);
    EXPECT_EQ(LastDelimiterIndex("\\:", K), 0);
    EXPECT_EQ(LastDelimiterIndex(".", "a.b" K), 2);
    EXPECT_EQ(LastDelimiterIndex("\\", std::string("a\\\0b", 4)), 2); // a zero byte is never a delimiter
    EXPECT_EQ(LastDelimiterIndex("", "C:\\"), 0);
}

TEST(PathStrings, DoubleAmpersands) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a&b", "a&&b"}, {"a&&b", "a&&&&b"}, {"a&", "a&&"}, {"&", "&&"}, {"&a", "&&a"},
        {"", ""},        {"plain", "plain"}, {"C:\\" K "&" A, "C:\\" K "&&" A},
    };
    for (const auto& c : cases) EXPECT_EQ(DoubleAmpersands(c.first), c.second) << c.first;
}

TEST(PathStrings, IntToDecimal) {
    EXPECT_EQ(IntToDecimal(0), "0");
    EXPECT_EQ(IntToDecimal(-5), "-5");
    EXPECT_EQ(IntToDecimal(12), "12");
    EXPECT_EQ(IntToDecimal(-1), "-1");
    EXPECT_EQ(IntToDecimal(1000000), "1000000");
    EXPECT_EQ(IntToDecimal(INT32_MAX), "2147483647");
    EXPECT_EQ(IntToDecimal(INT32_MIN), "-2147483648");
}

TEST(PathStrings, ContainsSpace) {
    EXPECT_TRUE(ContainsSpace("C:\\My Files\\a.txt"));
    EXPECT_TRUE(ContainsSpace(" "));
    EXPECT_FALSE(ContainsSpace(""));
    EXPECT_FALSE(ContainsSpace("C:\\dir\tx\\" K)); // a tab or an ideographic space is no blank
    EXPECT_FALSE(ContainsSpace("\x81\x40"));
}

TEST(PathStrings, UpperCaseLocaleKeepsLengthAndDoubleByteCharacters) {
    EXPECT_EQ(UpperCaseLocale("C:\\dir\\file.lnk"), "C:\\DIR\\FILE.LNK");
    EXPECT_EQ(UpperCaseLocale(""), "");
    // \x82\x61 is fullwidth B: its trail byte has the value of "a" but is no letter of its own.
    EXPECT_EQ(UpperCaseLocale("a\x82\x61" "b" K), "A\x82\x61" "B" K);
    const std::string original = "abc";
    UpperCaseLocale(original);
    EXPECT_EQ(original, "abc");
}

// The bytes that stand for an item: its own when exact, else its 8.3 form's when exact, else its own
// with '?' (also where the 8.3 form is the long name itself, as on a volume without 8.3 names).
TEST(StandInBytes, ExactThenShortFormThenTheMarkedText) {
    const struct {
        TConversion text, shortForm;
        const char* expected;
    } rows[] = {
        {{"C:\\My Files\\a.txt", true}, {"C:\\MYFILE~1\\a.txt", true}, "C:\\My Files\\a.txt"},
        {{"C:\\caf?.txt", false}, {"C:\\CAF_~1.TXT", true}, "C:\\CAF_~1.TXT"},
        {{"C:\\caf?.txt", false}, {"C:\\caf?.txt", false}, "C:\\caf?.txt"},
        {{"C:\\caf?.txt", false}, {"", true}, "C:\\caf?.txt"}, // no short form at all
        {{"", true}, {"", true}, ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(StandInBytes(r.text, r.shortForm), r.expected) << r.expected;
}

// The item list's path wherever it names one, the stored path where it does not or where it is a
// network path; either over the path limit is unreadable. A list that names nothing stands against a
// stored path that names something (another file), not against one that names nothing either. The
// file system is asked only about drive paths, the stored one only after the list, never a server:
// "L" the list's path asked, "S" the stored one.
struct HeldPaths {
    std::wstring stored;
    bool storedExists;
    std::wstring list;
    bool listExists;
};
const HeldPaths* held = nullptr;
std::string asked;

bool AnswerFromRow(const std::wstring& path) {
    const bool list = path == held->list;
    asked += list ? "L" : "S";
    return list ? held->listExists : held->storedExists;
}

TEST(ShortcutTarget, ItemListFirstExceptOverTheNetwork) {
    const std::wstring over = L"C:\\" + std::wstring(258, L'x'), at = over.substr(0, 260);
    const std::wstring cafe = L"C:\\W\\caf\u00E9.txt", hangul = L"C:\\W\\\uD55C\uAE00 memo.txt";
    const struct {
        HeldPaths link;
        std::wstring expected;
        const char* asked;
    } rows[] = {
        {{L"C:\\W\\cafe.txt", true, cafe, true}, cafe, "L"}, // the look-alike beside it
        {{L"C:\\W\\?? memo.txt", false, hangul, true}, hangul, "L"},
        {{L"..\\..\\d\\f.txt", false, L"M:\\d\\f.txt", true}, L"M:\\d\\f.txt", "L"}, // relative as stored
        {{L"C:\\W\\cafe.txt", true, cafe, false}, cafe, "LS"}, // target gone, look-alike not
        {{L"G:\\T\\\u00E9cole.txt", false, L"G:\\(\\\uB73B", false},
         L"G:\\T\\\u00E9cole.txt",
         "LS"},                                                     // misread
        {{L"C:\\W\\f.txt", true, L"", false}, L"C:\\W\\f.txt", ""}, // no list, or no file-system path
        {{L"C:\\a.txt", true, L"C:\\d\\?\x01", false}, L"C:\\a.txt", ""},
        {{L"C:\\a.txt", true, L"C:\\d:x", false}, L"C:\\a.txt", ""},
        {{L"C:\\W\\cafe.txt", true, L"C:\\W\\caf?.txt", true}, L"C:\\W\\cafe.txt", ""},
        {{L"", false, L"", false}, L"", ""}, // an app or a Control Panel item
        {{L"\\\\srv\\share\\f.txt", true, L"N:\\f.txt", true}, L"\\\\srv\\share\\f.txt", ""},
        {{L"\\\\gone\\share\\a.txt", false, L"", false}, L"\\\\gone\\share\\a.txt", ""},
        {{L"\\\\?\\C:\\W\\f.txt", true, L"C:\\W\\f.txt", true}, L"C:\\W\\f.txt", "L"}, // no server
        {{L"\\\\.\\C:\\W\\f.txt", true, L"c:\\W\\f.txt", false}, L"c:\\W\\f.txt", "LS"},
        {{L"C:\\W\\f.txt", true, L"\\\\srv\\s\\f.txt", true}, L"\\\\srv\\s\\f.txt", "S"},
        {{at, true, at, true}, at, "L"},
        {{L"C:\\f.txt", true, over, true}, L"", "L"}, // never the stored one instead
        {{over, true, L"", false}, L"", ""},
    };
    for (const auto& r : rows) {
        held = &r.link;
        asked.clear();
        EXPECT_EQ(ShortcutTarget({r.link.stored, r.link.list}, AnswerFromRow), r.expected)
            << r.expected.size();
        EXPECT_EQ(asked, r.asked) << r.expected.size();
    }
}

TEST(PathStrings, StringToBufferCopiesUpToAZeroAndTerminates) {
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(StringToBuffer(buffer, "C:\\" K), buffer);
    EXPECT_EQ(std::string(buffer, 6), std::string("C:\\" K "\0", 6));
    EXPECT_EQ(buffer[6], '#');

    std::memset(buffer, '#', sizeof buffer);
    StringToBuffer(buffer, std::string("ab\0cd", 5));
    EXPECT_EQ(std::string(buffer, 4), std::string("ab\0#", 4));

    std::memset(buffer, '#', sizeof buffer);
    StringToBuffer(buffer, "");
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], '#');
}

// The forms other programs read, each in both readings. The URI column was generated with Python 3.11's
// pathlib.PureWindowsPath(exact).as_uri(), an implementation independent of ours; nullptr: no such form.
struct OtherFormsRow {
    const char* name;
    std::string bytes;
    std::wstring exact;
    const char* uri;
    std::string slashBytes, wslBytes;
};

void PrintTo(const OtherFormsRow& r, std::ostream* os) {
    *os << r.name;
}

class OtherForms : public testing::TestWithParam<OtherFormsRow> {};

TEST_P(OtherForms, BothReadings) {
    const OtherFormsRow& r = GetParam();
    const TText path = {r.bytes, r.exact};
    const TText uri = FileUri(path), slash = ForwardSlashPath(path), wsl = WslPath(path);
    EXPECT_EQ(uri.Bytes, r.uri ? r.uri : "");
    EXPECT_EQ(uri.Wide, std::wstring(uri.Bytes.begin(), uri.Bytes.end()));
    EXPECT_EQ(slash.Bytes, r.slashBytes);
    EXPECT_EQ(wsl.Bytes, r.wslBytes);
    // The exact reading changes the same delimiters: every slash of its form stands where a backslash was.
    std::wstring wideSlash = r.exact;
    for (wchar_t& c : wideSlash)
        if (c == L'\\') c = L'/';
    EXPECT_EQ(slash.Wide, wideSlash);
    const size_t tail =
        r.exact.size() >= 2 && r.exact[1] == L':' ? 2 : r.exact.find(L'\\', r.exact.find(L'\\', 2) + 1);
    const std::wstring wslWide =
        r.wslBytes.empty()
            ? L""
            : (r.exact[1] == L':' ? std::wstring(L"/mnt/") + wchar_t(r.exact[0] | 0x20) : L"") +
                  (tail == std::wstring::npos ? L"/" : wideSlash.substr(tail));
    EXPECT_EQ(wsl.Wide, wslWide);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, OtherForms,
    testing::Values(
        OtherFormsRow{"DriveWithSpace", "C:\\My Files\\a b.txt", L"C:\\My Files\\a b.txt",
                      "file:///C:/My%20Files/a%20b.txt", "C:/My Files/a b.txt", "/mnt/c/My Files/a b.txt"},
        OtherFormsRow{"Reserved", "C:\\R&D\\x#1%.txt", L"C:\\R&D\\x#1%.txt", "file:///C:/R%26D/x%231%25.txt",
                      "C:/R&D/x#1%.txt", "/mnt/c/R&D/x#1%.txt"},
        OtherFormsRow{"DriveRoot", "C:\\", L"C:\\", "file:///C:/", "C:/", "/mnt/c/"},
        OtherFormsRow{"Folder", "D:\\Projects\\src", L"D:\\Projects\\src", "file:///D:/Projects/src",
                      "D:/Projects/src", "/mnt/d/Projects/src"},
        // The code page lacks the e-acute: its bytes hold a '?'. 共有 is 0x8B 0xA4 0x97 0x4C.
        OtherFormsRow{"Share", "\\\\fileserv\\\x8B\xA4\x97\x4C share\\caf?.txt",
                      L"\\\\fileserv\\\u5171\u6709 share\\caf\u00E9.txt",
                      "file://fileserv/%E5%85%B1%E6%9C%89%20share/caf%C3%A9.txt",
                      "//fileserv/\x8B\xA4\x97\x4C share/caf?.txt", ""},
        OtherFormsRow{"WslShare", "\\\\wsl$\\Ubuntu\\home\\u\\a.txt", L"\\\\wsl$\\Ubuntu\\home\\u\\a.txt",
                      "file://wsl%24/Ubuntu/home/u/a.txt", "//wsl$/Ubuntu/home/u/a.txt", "/home/u/a.txt"},
        OtherFormsRow{"WslLocalhost", "\\\\wsl.localhost\\Ubuntu\\home\\u\\a.txt",
                      L"\\\\wsl.localhost\\Ubuntu\\home\\u\\a.txt",
                      "file://wsl.localhost/Ubuntu/home/u/a.txt", "//wsl.localhost/Ubuntu/home/u/a.txt",
                      "/home/u/a.txt"},
        OtherFormsRow{"WslRootAnyCase", "\\\\WSL$\\Ubuntu", L"\\\\WSL$\\Ubuntu", "file://WSL%24/Ubuntu/",
                      "//WSL$/Ubuntu", "/"},
        // 表 is 0x95 0x5C: its trail byte stays, only the delimiters change.
        OtherFormsRow{"TrailByte5C", "C:\\\x95\x5C\\\x95\x5C.txt", L"C:\\\u8868\\\u8868.txt",
                      "file:///C:/%E8%A1%A8/%E8%A1%A8.txt", "C:/\x95\x5C/\x95\x5C.txt",
                      "/mnt/c/\x95\x5C/\x95\x5C.txt"},
        // Bytes from the 8.3 form; the URI from the exact text, the emoji as its four UTF-8 bytes.
        OtherFormsRow{"Emoji", "C:\\NOTES~1.TXT", L"C:\\\U0001F4C4 notes.txt",
                      "file:///C:/%F0%9F%93%84%20notes.txt", "C:/NOTES~1.TXT", "/mnt/c/NOTES~1.TXT"},
        OtherFormsRow{"Relative", "a\\b.txt", L"a\\b.txt", nullptr, "a/b.txt", ""},
        OtherFormsRow{"Device", "\\\\?\\C:\\x", L"\\\\?\\C:\\x", nullptr, "//?/C:/x", ""},
        // A lone surrogate has no UTF-8: no URI rather than one naming another file.
        OtherFormsRow{"LoneSurrogate", "C:\\?.txt", L"C:\\\xD800.txt", nullptr, "C:/?.txt", "/mnt/c/?.txt"}),
    [](const testing::TestParamInfo<OtherFormsRow>& p) { return std::string(p.param.name); });

} // namespace
