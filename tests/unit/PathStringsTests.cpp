// Path splitting and the small text operations. The same assertions meet code page 932 of the
// stand-in on the host and the real locale under Wine.
#include <gtest/gtest.h>

#include "TextSupport.h"
#include "TinyUtils.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#ifndef _WIN32
#include <unistd.h>
#endif
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

std::string Or(const char* expected, const char* input) {
    return expected ? expected : input;
}

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
        PathRow{"C:\\dir\\file.txt", "C:\\dir\\", "C:\\dir", "file.txt", ".txt", "C:\\dir\\file",
                "C:\\dir\\file.txt\\", Unchanged},
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
            SCOPED_TRACE(testing::Message()
                         << "lead 0x" << std::hex << lead << ", name length " << name.size());
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
        {"a&b", "a&&b"}, {"a&&b", "a&&&&b"}, {"a&", "a&&"},      {"&", "&&"},
        {"&a", "&&a"},   {"", ""},           {"plain", "plain"}, {"C:\\" K "&" A, "C:\\" K "&&" A},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DoubleAmpersands(c.first), c.second) << c.first;
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
    EXPECT_EQ(UpperCaseLocale("a\x82\x61"
                              "b" K),
              "A\x82\x61"
              "B" K);
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
        {{L"\\\\?\\C:\\W\\f.txt", true, L"C:\\W\\f.txt", true}, L"C:\\W\\f.txt", "L"},   // no server
        {{L"\\\\.\\C:\\W\\f.txt", true, L"c:\\W\\f.txt", false}, L"c:\\W\\f.txt", "LS"}, // the drive's too
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
// pathlib.PureWindowsPath(exact).as_uri(), an implementation independent of ours (the web addresses of
// WebDAV folders excepted); the JSON column with Python's json.dumps(exact, ensure_ascii=False). The
// relative path is the one two levels below a work tree's root. nullptr: no such form. A device path's
// forms are those of the drive or share path it stands for (plain; empty: none); a byte reading that
// the code page could not give has no byte form at all.
struct OtherFormsRow {
    const char* name;
    std::string bytes;
    std::wstring exact;
    const char* uri;
    std::string slashBytes, wslBytes, gitBash, literal;
    std::wstring json;
    std::string argument, repo, markdown;
    const wchar_t* plain = nullptr;
};

void PrintTo(const OtherFormsRow& r, std::ostream* os) {
    *os << r.name;
}

#ifndef _WIN32
// What the reference CommonMark renderer makes of a text (UTF-32 on the host).
std::string CommonMarkHtml(const std::wstring& Text) {
    std::string utf8;
    for (const wchar_t w : Text) {
        const uint32_t c = static_cast<uint32_t>(w);
        const int extra = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        static const uint32_t lead[] = {0, 0xC0, 0xE0, 0xF0};
        utf8 += static_cast<char>(lead[extra] | c >> (6 * extra));
        for (int k = extra - 1; k >= 0; --k)
            utf8 += static_cast<char>(0x80 | (c >> (6 * k) & 0x3F));
    }
    char name[] = "/tmp/pgmdXXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0 || write(fd, utf8.data(), utf8.size()) != static_cast<ssize_t>(utf8.size())) return "no file";
    close(fd);
    FILE* renderer = popen((std::string("cmark --unsafe ") + name).c_str(), "r");
    std::string html;
    for (int c; renderer && (c = fgetc(renderer)) != EOF;)
        html += static_cast<char>(c);
    if (!renderer || pclose(renderer) != 0) html = "cmark failed (scripts/setup.sh installs it)";
    unlink(name);
    return html;
}
#endif

class OtherForms : public testing::TestWithParam<OtherFormsRow> {};

TEST_P(OtherForms, BothReadings) {
    const OtherFormsRow& r = GetParam();
    const TText path = {r.bytes, r.exact};
    const TText uri = FileUri(path), slash = ForwardSlashPath(path), wsl = WslPath(path);
    const std::string asciiUri = r.uri ? r.uri : "";
    EXPECT_EQ(uri.Bytes, r.bytes.empty() ? "" : asciiUri);
    EXPECT_EQ(uri.Wide, std::wstring(asciiUri.begin(), asciiUri.end()));
    EXPECT_EQ(slash.Bytes, r.slashBytes);
    EXPECT_EQ(wsl.Bytes, r.wslBytes);
    // The exact reading changes the same delimiters: every slash of its form stands where a backslash was.
    const std::wstring base = r.plain ? r.plain : r.exact;
    std::wstring wideSlash = base;
    for (wchar_t& c : wideSlash)
        if (c == L'\\') c = L'/';
    EXPECT_EQ(slash.Wide, wideSlash);
    const size_t tail = base.size() >= 2 && base[1] == L':' ? 2 : base.find(L'\\', base.find(L'\\', 2) + 1);
    const std::wstring wslWide =
        r.wslBytes.empty() && !r.bytes.empty()
            ? L""
            : (base[1] == L':' ? std::wstring(L"/mnt/") + wchar_t(base[0] | 0x20) : L"") +
                  (tail == std::wstring::npos ? L"/" : wideSlash.substr(tail));
    EXPECT_EQ(wsl.Wide, wslWide);
    const TText literal = StringLiteral(path);
    EXPECT_EQ(GitBashPath(path).Bytes, r.gitBash);
    EXPECT_EQ(literal.Bytes, r.literal);
    EXPECT_EQ(literal.Wide, r.json);
    EXPECT_EQ(CommandLineArgument(path).Bytes, r.argument);
    EXPECT_EQ(RepoRelativePath(path, 2).Bytes, r.repo);
    EXPECT_EQ(RepoRelativePath(path, 0).Wide, L"") << "the root itself";
    EXPECT_EQ(MarkdownLink(path, uri).Bytes, r.markdown);
#ifndef _WIN32
    // The reference CommonMark renderer makes exactly one link of it, with the file's name as its text.
    if (!r.markdown.empty())
        EXPECT_EQ(CommonMarkHtml(MarkdownLink(path, uri).Wide),
                  "<p>" + HtmlAnchor(LinkName(path).Wide, uri.Bytes) + "</p>\n");
#endif
}

INSTANTIATE_TEST_SUITE_P(
    Paths, OtherForms,
    testing::Values(
        OtherFormsRow{"DriveWithSpace", "C:\\My Files\\a b.txt", L"C:\\My Files\\a b.txt",
                      "file:///C:/My%20Files/a%20b.txt", "C:/My Files/a b.txt", "/mnt/c/My Files/a b.txt",
                      "/c/My Files/a b.txt", "\"C:\\\\My Files\\\\a b.txt\"",
                      L"\"C:\\\\My Files\\\\a b.txt\"", "\"C:\\My Files\\a b.txt\"", "My Files/a b.txt",
                      "[a b.txt](file:///C:/My%20Files/a%20b.txt)"},
        // An ampersand alone needs the quotes on a command line.
        OtherFormsRow{"Reserved", "C:\\R&D\\x#1%.txt", L"C:\\R&D\\x#1%.txt", "file:///C:/R%26D/x%231%25.txt",
                      "C:/R&D/x#1%.txt", "/mnt/c/R&D/x#1%.txt", "/c/R&D/x#1%.txt",
                      "\"C:\\\\R&D\\\\x#1%.txt\"", L"\"C:\\\\R&D\\\\x#1%.txt\"", "\"C:\\R&D\\x#1%.txt\"",
                      "R&D/x#1%.txt", "[x#1%.txt](file:///C:/R%26D/x%231%25.txt)"},
        // cmd splits a batch file's %1 and its built-ins' arguments at a comma.
        OtherFormsRow{"Comma", "C:\\a,b.txt", L"C:\\a,b.txt", "file:///C:/a%2Cb.txt", "C:/a,b.txt",
                      "/mnt/c/a,b.txt", "/c/a,b.txt", "\"C:\\\\a,b.txt\"", L"\"C:\\\\a,b.txt\"",
                      "\"C:\\a,b.txt\"", "", "[a,b.txt](file:///C:/a%2Cb.txt)"},
        // No file name may hold '*': the other characters Markdown reads as markup.
        OtherFormsRow{"MarkupInName", "C:\\W\\[draft]_v`2 & co.md", L"C:\\W\\[draft]_v`2 & co.md",
                      "file:///C:/W/%5Bdraft%5D_v%602%20%26%20co.md", "C:/W/[draft]_v`2 & co.md",
                      "/mnt/c/W/[draft]_v`2 & co.md", "/c/W/[draft]_v`2 & co.md",
                      "\"C:\\\\W\\\\[draft]_v`2 & co.md\"", L"\"C:\\\\W\\\\[draft]_v`2 & co.md\"",
                      "\"C:\\W\\[draft]_v`2 & co.md\"", "W/[draft]_v`2 & co.md",
                      "[\\[draft\\]\\_v\\`2 \\& co.md](file:///C:/W/%5Bdraft%5D_v%602%20%26%20co.md)"},
        OtherFormsRow{"DriveRoot", "C:\\", L"C:\\", "file:///C:/", "C:/", "/mnt/c/", "/c/", "\"C:\\\\\"",
                      L"\"C:\\\\\"", "C:\\", "", "[C:\\\\](file:///C:/)"},
        OtherFormsRow{"Folder", "D:\\Projects\\src", L"D:\\Projects\\src", "file:///D:/Projects/src",
                      "D:/Projects/src", "/mnt/d/Projects/src", "/d/Projects/src",
                      "\"D:\\\\Projects\\\\src\"", L"\"D:\\\\Projects\\\\src\"", "D:\\Projects\\src",
                      "Projects/src", "[src](file:///D:/Projects/src)"},
        // The code page lacks the e-acute: its bytes hold a '?'. 共有 is 0x8B 0xA4 0x97 0x4C.
        OtherFormsRow{"Share", "\\\\fileserv\\\x8B\xA4\x97\x4C share\\caf?.txt",
                      L"\\\\fileserv\\\u5171\u6709 share\\caf\u00E9.txt",
                      "file://fileserv/%E5%85%B1%E6%9C%89%20share/caf%C3%A9.txt",
                      "//fileserv/\x8B\xA4\x97\x4C share/caf?.txt", "", "",
                      "\"\\\\\\\\fileserv\\\\\x8B\xA4\x97\x4C share\\\\caf?.txt\"",
                      L"\"\\\\\\\\fileserv\\\\\u5171\u6709 share\\\\caf\u00E9.txt\"",
                      "\"\\\\fileserv\\\x8B\xA4\x97\x4C share\\caf?.txt\"", "\x8B\xA4\x97\x4C share/caf?.txt",
                      "[caf?.txt](file://fileserv/%E5%85%B1%E6%9C%89%20share/caf%C3%A9.txt)"},
        OtherFormsRow{"WslShare", "\\\\wsl$\\Ubuntu\\home\\u\\a.txt", L"\\\\wsl$\\Ubuntu\\home\\u\\a.txt",
                      "file://wsl%24/Ubuntu/home/u/a.txt", "//wsl$/Ubuntu/home/u/a.txt", "/home/u/a.txt", "",
                      "\"\\\\\\\\wsl$\\\\Ubuntu\\\\home\\\\u\\\\a.txt\"",
                      L"\"\\\\\\\\wsl$\\\\Ubuntu\\\\home\\\\u\\\\a.txt\"", "\\\\wsl$\\Ubuntu\\home\\u\\a.txt",
                      "u/a.txt", "[a.txt](file://wsl%24/Ubuntu/home/u/a.txt)"},
        OtherFormsRow{"WslLocalhost", "\\\\wsl.localhost\\Ubuntu\\home\\u\\a.txt",
                      L"\\\\wsl.localhost\\Ubuntu\\home\\u\\a.txt",
                      "file://wsl.localhost/Ubuntu/home/u/a.txt", "//wsl.localhost/Ubuntu/home/u/a.txt",
                      "/home/u/a.txt", "", "\"\\\\\\\\wsl.localhost\\\\Ubuntu\\\\home\\\\u\\\\a.txt\"",
                      L"\"\\\\\\\\wsl.localhost\\\\Ubuntu\\\\home\\\\u\\\\a.txt\"",
                      "\\\\wsl.localhost\\Ubuntu\\home\\u\\a.txt", "u/a.txt",
                      "[a.txt](file://wsl.localhost/Ubuntu/home/u/a.txt)"},
        OtherFormsRow{"WslRootAnyCase", "\\\\WSL$\\Ubuntu", L"\\\\WSL$\\Ubuntu", "file://WSL%24/Ubuntu/",
                      "//WSL$/Ubuntu", "/", "", "\"\\\\\\\\WSL$\\\\Ubuntu\"", L"\"\\\\\\\\WSL$\\\\Ubuntu\"",
                      "\\\\WSL$\\Ubuntu", "WSL$/Ubuntu", "[Ubuntu](file://WSL%24/Ubuntu/)"},
        // WebDAV folders (SharePoint, OneDrive for work): the web address opens them for everyone.
        OtherFormsRow{"WebDavSsl", "\\\\host@SSL\\DavWWWRoot\\s\\a b.docx",
                      L"\\\\host@SSL\\DavWWWRoot\\s\\a b.docx", "https://host/s/a%20b.docx",
                      "//host@SSL/DavWWWRoot/s/a b.docx", "", "",
                      "\"\\\\\\\\host@SSL\\\\DavWWWRoot\\\\s\\\\a b.docx\"",
                      L"\"\\\\\\\\host@SSL\\\\DavWWWRoot\\\\s\\\\a b.docx\"",
                      "\"\\\\host@SSL\\DavWWWRoot\\s\\a b.docx\"", "s/a b.docx",
                      "[a b.docx](https://host/s/a%20b.docx)"},
        OtherFormsRow{"WebDavSslNoRoot", "\\\\host@SSL\\s\\x.txt", L"\\\\host@SSL\\s\\x.txt",
                      "https://host/s/x.txt", "//host@SSL/s/x.txt", "", "",
                      "\"\\\\\\\\host@SSL\\\\s\\\\x.txt\"", L"\"\\\\\\\\host@SSL\\\\s\\\\x.txt\"",
                      "\\\\host@SSL\\s\\x.txt", "s/x.txt", "[x.txt](https://host/s/x.txt)"},
        OtherFormsRow{
            "WebDavPort", "\\\\host@SSL@8443\\DavWWWRoot\\x.txt", L"\\\\host@SSL@8443\\DavWWWRoot\\x.txt",
            "https://host:8443/x.txt", "//host@SSL@8443/DavWWWRoot/x.txt", "", "",
            "\"\\\\\\\\host@SSL@8443\\\\DavWWWRoot\\\\x.txt\"",
            L"\"\\\\\\\\host@SSL@8443\\\\DavWWWRoot\\\\x.txt\"", "\\\\host@SSL@8443\\DavWWWRoot\\x.txt",
            "DavWWWRoot/x.txt", "[x.txt](https://host:8443/x.txt)"},
        OtherFormsRow{"WebDavHttp", "\\\\host\\DavWWWRoot\\x.txt", L"\\\\host\\DavWWWRoot\\x.txt",
                      "http://host/x.txt", "//host/DavWWWRoot/x.txt", "", "",
                      "\"\\\\\\\\host\\\\DavWWWRoot\\\\x.txt\"", L"\"\\\\\\\\host\\\\DavWWWRoot\\\\x.txt\"",
                      "\\\\host\\DavWWWRoot\\x.txt", "DavWWWRoot/x.txt", "[x.txt](http://host/x.txt)"},
        // 表 is 0x95 0x5C: its trail byte stays, only the delimiters change, and none is escaped.
        OtherFormsRow{"TrailByte5C", "C:\\\x95\x5C\\\x95\x5C.txt", L"C:\\\u8868\\\u8868.txt",
                      "file:///C:/%E8%A1%A8/%E8%A1%A8.txt", "C:/\x95\x5C/\x95\x5C.txt",
                      "/mnt/c/\x95\x5C/\x95\x5C.txt", "/c/\x95\x5C/\x95\x5C.txt",
                      "\"C:\\\\\x95\x5C\\\\\x95\x5C.txt\"", L"\"C:\\\\\u8868\\\\\u8868.txt\"",
                      "C:\\\x95\x5C\\\x95\x5C.txt", "\x95\x5C/\x95\x5C.txt",
                      "[\x95\x5C.txt](file:///C:/%E8%A1%A8/%E8%A1%A8.txt)"},
        // Bytes from the 8.3 form; the URI from the exact text, the emoji as its four UTF-8 bytes. The exact
        // text holds a space: both readings are quoted.
        OtherFormsRow{"Emoji", "C:\\NOTES~1.TXT", L"C:\\\U0001F4C4 notes.txt",
                      "file:///C:/%F0%9F%93%84%20notes.txt", "C:/NOTES~1.TXT", "/mnt/c/NOTES~1.TXT",
                      "/c/NOTES~1.TXT", "\"C:\\\\NOTES~1.TXT\"", L"\"C:\\\\\U0001F4C4 notes.txt\"",
                      "\"C:\\NOTES~1.TXT\"", "", "[NOTES\\~1.TXT](file:///C:/%F0%9F%93%84%20notes.txt)"},
        OtherFormsRow{"Relative", "a\\b.txt", L"a\\b.txt", nullptr, "a/b.txt", "", "", "\"a\\\\b.txt\"",
                      L"\"a\\\\b.txt\"", "a\\b.txt", "", ""},
        // A drive's or a share's path in the device namespace: the quoted and literal forms as sent.
        OtherFormsRow{"DeviceDrive", "\\\\?\\C:\\x", L"\\\\?\\C:\\x", "file:///C:/x", "C:/x", "/mnt/c/x",
                      "/c/x", "\"\\\\\\\\?\\\\C:\\\\x\"", L"\"\\\\\\\\?\\\\C:\\\\x\"", "\\\\?\\C:\\x", "",
                      "[x](file:///C:/x)", L"C:\\x"},
        OtherFormsRow{"DeviceUnc", "\\\\?\\UNC\\s\\sh\\x", L"\\\\?\\UNC\\s\\sh\\x", "file://s/sh/x",
                      "//s/sh/x", "", "", "\"\\\\\\\\?\\\\UNC\\\\s\\\\sh\\\\x\"",
                      L"\"\\\\\\\\?\\\\UNC\\\\s\\\\sh\\\\x\"", "\\\\?\\UNC\\s\\sh\\x", "sh/x",
                      "[x](file://s/sh/x)", L"\\\\s\\sh\\x"},
        // Windows opens the drive's file behind \\.\ too.
        OtherFormsRow{"DeviceDot", "\\\\.\\C:\\x", L"\\\\.\\C:\\x", "file:///C:/x", "C:/x", "/mnt/c/x",
                      "/c/x", "\"\\\\\\\\.\\\\C:\\\\x\"", L"\"\\\\\\\\.\\\\C:\\\\x\"", "\\\\.\\C:\\x", "",
                      "[x](file:///C:/x)", L"C:\\x"},
        // A server's name that code page 932 lacks: its bytes begin as a device path would, and are
        // read as the share's all the same.
        OtherFormsRow{"ServerOutsideCodePage", "\\\\?\\share\\a.txt", L"\\\\\u00E9\\share\\a.txt",
                      "file://%C3%A9/share/a.txt", "//?/share/a.txt", "", "",
                      "\"\\\\\\\\?\\\\share\\\\a.txt\"", L"\"\\\\\\\\\u00E9\\\\share\\\\a.txt\"",
                      "\\\\?\\share\\a.txt", "share/a.txt", "[a.txt](file://%C3%A9/share/a.txt)"},
        // A host outside ASCII, percent-encoded as a server's name is: the address is ASCII.
        OtherFormsRow{"WebDavHostOutsideAscii", "\\\\b?cher.example@SSL\\DavWWWRoot\\a.txt",
                      L"\\\\b\u00FCcher.example@SSL\\DavWWWRoot\\a.txt", "https://b%C3%BCcher.example/a.txt",
                      "//b?cher.example@SSL/DavWWWRoot/a.txt", "", "",
                      "\"\\\\\\\\b?cher.example@SSL\\\\DavWWWRoot\\\\a.txt\"",
                      L"\"\\\\\\\\b\u00FCcher.example@SSL\\\\DavWWWRoot\\\\a.txt\"",
                      "\\\\b?cher.example@SSL\\DavWWWRoot\\a.txt", "DavWWWRoot/a.txt",
                      "[a.txt](https://b%C3%BCcher.example/a.txt)"},
        // A code page that gave no bytes (a conversion Windows refused): no byte form, never "" or [](uri).
        OtherFormsRow{"NoBytes", "", L"C:\\Users\\u\\a b.txt", "file:///C:/Users/u/a%20b.txt", "", "", "", "",
                      L"\"C:\\\\Users\\\\u\\\\a b.txt\"", "", "", ""},
        // A lone surrogate has no UTF-8: no URI rather than one naming another file.
        OtherFormsRow{"LoneSurrogate", "C:\\?.txt", L"C:\\\xD800.txt", nullptr, "C:/?.txt", "/mnt/c/?.txt",
                      "/c/?.txt", "\"C:\\\\?.txt\"", L"\"C:\\\\\xD800.txt\"", "C:\\?.txt", "", ""}),
    [](const testing::TestParamInfo<OtherFormsRow>& p) { return std::string(p.param.name); });

// The forms for the places paths go next, in both readings: the PowerShell string; the mail link and the
// smb address, of the path's UNC name where it has one and of its web address (the smb paths are Python's
// urllib.parse.quote(path, safe="/~")). Empty: no such form, and no byte form without a byte reading.
TEST(ShareForms, BothReadings) {
    // ’ (U+2019) is 0x81 0x66 in code page 932, 営業 0x89 0x63 0x8B 0xC6; an 8.3 form holds no quote.
    const std::wstring yamada = L"C:\\y\\Yamada\u2019s memo.txt",
                       eigyo = L"\\\\fs\\s\\\u55B6\u696D\\a #1%.txt";
    const TText quoted[][2] = {
        {TestText("C:\\y\\It's [1].txt"), TestText("'C:\\y\\It''s [1].txt'")},
        {{"C:\\y\\Yamada\x81\x66s memo.txt", yamada},
         {"'C:\\y\\Yamada\x81\x66\x81\x66s memo.txt'", L"'C:\\y\\Yamada\u2019\u2019s memo.txt'"}},
        {{"C:\\y\\YAMADA~1.TXT", yamada},
         {"'C:\\y\\YAMADA~1.TXT'", L"'C:\\y\\Yamada\u2019\u2019s memo.txt'"}},
        {{"", yamada}, {"", L"'C:\\y\\Yamada\u2019\u2019s memo.txt'"}},
    };
    for (const auto& q : quoted) {
        EXPECT_EQ(PowerShellString(q[0]).Bytes, q[1].Bytes);
        EXPECT_EQ(PowerShellString(q[0]).Wide, q[1].Wide);
    }
    const char* web = "https://contoso.sharepoint.com/sites/S/Shared%20Documents/a%20b.xlsx";
    const struct {
        TText path, unc;
        const char *web, *mail, *smb;
    } rows[] = {
        {{"\\\\fs\\s\\\x89\x63\x8B\xC6\\a #1%.txt", eigyo},
         {},
         "",
         "<\\\\fs\\s\\\x89\x63\x8B\xC6\\a #1%.txt>",
         "smb://fs/s/%E5%96%B6%E6%A5%AD/a%20%231%25.txt"},
        {{"", eigyo}, {}, "", "", "smb://fs/s/%E5%96%B6%E6%A5%AD/a%20%231%25.txt"},
        {TestText("Z:\\a.txt"), TestText("\\\\fs\\s\\a.txt"), "", "<\\\\fs\\s\\a.txt>", "smb://fs/s/a.txt"},
        {TestText("Z:\\b.txt"), TestText("\\\\fs\\" + std::string(250, 's') + "\\b.txt"), "", "", ""},
        {TestText("\\\\?\\UNC\\fs\\s\\a.txt"), {}, "", "<\\\\fs\\s\\a.txt>", "smb://fs/s/a.txt"},
        {TestText("\\\\host@SSL\\DavWWWRoot\\s\\a b.docx"), {}, "", "<https://host/s/a%20b.docx>", ""},
        {TestText("C:\\y\\Contoso\\a b.xlsx"), {}, web, nullptr, ""},
        {TestText("\\\\wsl$\\Ubuntu\\home\\u\\a.txt"), {}, "", "", ""},
        {TestText("C:\\y\\a.txt"), {}, "", "", ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.path.Bytes);
        const std::string mail = r.mail ? r.mail : "<" + std::string(r.web) + ">", smb = r.smb;
        const TText gotMail = MailLink(r.path, r.unc, TestText(r.web)), gotSmb = SmbAddress(r.path, r.unc);
        EXPECT_EQ(gotMail.Bytes, r.path.Bytes.empty() ? "" : mail);
        EXPECT_EQ(gotMail.Wide, r.path.Wide == eigyo ? L"<" + eigyo + L">" : TestText(mail).Wide);
        EXPECT_EQ(gotSmb.Bytes, r.path.Bytes.empty() ? "" : smb);
        EXPECT_EQ(gotSmb.Wide, std::wstring(smb.begin(), smb.end()));
    }
}

// The path from the user's folders: the longest that holds the item, the first of two of one length,
// names compared as the file system compares them; 64-bit ProgramFiles beside the x86 one, as a 32-bit
// program reads them (ProgramW6432 first). The bytes after the variable are the item's, an 8.3 form's too.
TEST(ShareForms, PathFromTheUserFolders) {
    const std::wstring hyo = TestText("C:\\Users\\\x95\x5C").Wide; // 表: its trail byte is a backslash
    const TUserFolders folders = {{L"OneDriveCommercial", L"C:\\Users\\yamada\\OneDrive - Contoso"},
                                  {L"OneDrive", L"C:\\Users\\yamada\\OneDrive - Contoso\\"},
                                  {L"LOCALAPPDATA", L"C:\\Users\\yamada\\AppData\\Local"},
                                  {L"APPDATA", L""},
                                  {L"USERPROFILE", L"C:\\Users\\yamada"},
                                  {L"PUBLIC", hyo},
                                  {L"ProgramFiles", L"C:\\Program Files"},
                                  {L"ProgramFiles(x86)", L"C:\\Program Files (x86)"},
                                  {L"SystemRoot", L"C:\\Windows"}};
    const struct {
        TText path;
        const char* expected;
        const wchar_t* wide = nullptr; // the exact text, where it is not the bytes' own
    } rows[] = {
        {TestText("C:\\Users\\yamada\\Documents\\a.txt"), "%USERPROFILE%\\Documents\\a.txt"},
        {TestText("c:\\users\\YAMADA\\AppData\\Local\\Temp\\x"), "%LOCALAPPDATA%\\Temp\\x"},
        {TestText("C:\\Users\\yamada2\\a.txt"), nullptr},
        {TestText("C:\\Users\\yamada\\OneDrive - Contoso\\f.docx"), "%OneDriveCommercial%\\f.docx"},
        {TestText("C:\\Program Files (x86)\\App\\a.exe"), "%ProgramFiles(x86)%\\App\\a.exe"},
        {TestText("C:\\Program Files\\App\\a.exe"), "%ProgramFiles%\\App\\a.exe"},
        {TestText("C:\\Users\\yamada"), "%USERPROFILE%"},
        {TestText("\\\\?\\C:\\Windows\\System32"), "%SystemRoot%\\System32"},
        {TestText("C:\\Users\\\x95\x5C\\a.txt"), "%PUBLIC%\\a.txt"},
        {{"C:\\Users\\yamada\\DOCUME~1\\CAF_~1.TXT", L"C:\\Users\\yamada\\Documents\\caf\u00E9.txt"},
         "%USERPROFILE%\\DOCUME~1\\CAF_~1.TXT",
         L"%USERPROFILE%\\Documents\\caf\u00E9.txt"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.path.Bytes);
        const TText got = UserFolderPath(folders, r.path);
        EXPECT_EQ(got.Bytes, r.expected ? r.expected : "");
        EXPECT_EQ(got.Wide, r.wide ? r.wide : TestText(r.expected ? r.expected : "").Wide);
    }
}

// The "HTML Format" text of a link: its header's offsets, counted in UTF-8 bytes from the first byte,
// point at <html>, at the end, and exactly around the anchor, whose name is escaped.
TEST(HtmlClipboard, OffsetsFrameTheAnchor) {
    const struct {
        std::wstring name;
        const char* anchor;
    } rows[] = {
        {L"R&D <1>.txt", "<a href=\"file:///X\">R&amp;D &lt;1&gt;.txt</a>"},
        {L"say \"hi\".txt", "<a href=\"file:///X\">say &quot;hi&quot;.txt</a>"},
        {L"\u898B\u7A4D\u66F8.xlsx", "<a href=\"file:///X\">\xE8\xA6\x8B\xE7\xA9\x8D\xE6\x9B\xB8.xlsx</a>"},
        {L"\U0001F4C4 notes.txt", "<a href=\"file:///X\">\xF0\x9F\x93\x84 notes.txt</a>"},
    };
    for (const auto& r : rows) {
        const std::string anchor = HtmlAnchor(r.name, "file:///X");
        EXPECT_EQ(anchor, r.anchor);
        const std::string html = HtmlClipboardText(anchor);
        auto field = [&](const char* name) {
            const size_t at = html.find(name);
            return at == std::string::npos ? std::string::npos
                                           : std::stoul(html.substr(at + std::strlen(name), 10));
        };
        ASSERT_EQ(html.rfind("Version:0.9\r\nStartHTML:", 0), 0u) << html;
        const size_t start = field("StartHTML:"), end = field("EndHTML:"), from = field("StartFragment:"),
                     to = field("EndFragment:");
        EXPECT_EQ(html.compare(start, 6, "<html>"), 0) << html;
        EXPECT_EQ(end, html.size());
        ASSERT_LE(from, to);
        EXPECT_EQ(html.substr(from, to - from), anchor);
        EXPECT_EQ(html.substr(from - 20, 20), "<!--StartFragment-->");
        EXPECT_EQ(html.substr(to), "<!--EndFragment--></body></html>");
    }
}

// A path's kind, its drive and the path it stands for, read from the text alone in either reading;
// each row is also read in the other letter case.
TEST(PathKind, EveryKindInBothLetterCases) {
    const struct {
        const char* path;
        TPathKind kind;
        int drive;
        const char* plain;
    } rows[] = {
        {"c:\\x", pkDrive, 2, "c:\\x"},
        {"z:\\", pkDrive, 25, "z:\\"},
        {"\\\\?\\c:\\x", pkDeviceDrive, 2, "c:\\x"},
        {"\\\\server\\share\\x", pkUnc, -1, "\\\\server\\share\\x"},
        {"\\\\?\\unc\\s\\sh\\x", pkDeviceUnc, -1, "\\\\s\\sh\\x"},
        {"\\\\.\\unc\\s\\sh", pkDeviceUnc, -1, "\\\\s\\sh"},
        {"\\\\.\\c:\\x", pkDeviceDrive, 2, "c:\\x"},
        {"\\\\?\\globalroot\\device\\mup\\s\\sh\\x", pkDeviceUnc, -1, "\\\\s\\sh\\x"},
        {"\\\\?\\globalroot\\device\\harddiskvolume2\\x", pkOtherDevice, -1, ""},
        {"//s/sh/x", pkUnc, -1, "\\\\s\\sh\\x"}, // read in its backslash spelling first
        {"c:/x/y", pkDrive, 2, "c:\\x\\y"},
        {"\\\\?\\c:/x", pkOtherDevice, -1, ""}, // nothing turns a slash after the device prefix
        {"\\\\.\\pipe\\x", pkOtherDevice, -1, ""},
        {"\\\\?\\volume{0a}\\x", pkOtherDevice, -1, ""},
        {"\\\\?\\uncx\\s", pkOtherDevice, -1, ""},
        {"c:x", pkOther, -1, "c:x"},
        {"\\x\\y", pkOther, -1, "\\x\\y"},
        {"\\\\\\x", pkOther, -1, "\\\\\\x"},
        {"1:\\x", pkOther, -1, "1:\\x"},
        {"", pkOther, -1, ""},
    };
    for (const auto& r : rows)
        for (const bool upper : {false, true}) {
            std::string path = r.path, plain = r.plain;
            if (upper)
                for (std::string* t : {&path, &plain})
                    for (char& c : *t)
                        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            const std::wstring wide = BackslashSpelling(std::wstring(path.begin(), path.end()));
            path.assign(wide.begin(), wide.end());
            SCOPED_TRACE(path);
            EXPECT_EQ(PathKind(path), r.kind);
            EXPECT_EQ(PathKind(wide), r.kind);
            EXPECT_EQ(DriveIndex(wide), r.drive);
            EXPECT_EQ(PlainPath(path), plain);
            EXPECT_EQ(PlainPath(wide), std::wstring(plain.begin(), plain.end()));
            EXPECT_EQ(IsNetworkPath(wide), r.kind == pkUnc || r.kind == pkDeviceUnc);
        }
}

// The target a link's reparse data names, laid out as FSCTL_GET_REPARSE_POINT gives it: the tag, sizes,
// the substitute name's offset and length in bytes, a symbolic link's flags, then the name.
TEST(ReparseTarget, AbsoluteLinksAndJunctionsOnly) {
    const struct {
        uint32_t tag;
        std::u16string name;
        size_t cut; // bytes left off the end
        const wchar_t* target;
    } rows[] = {{0xA000000C, u"\\??\\UNC\\srv\\share", 0, L"\\\\?\\UNC\\srv\\share"},
                {0xA0000003, u"\\??\\C:\\x", 0, L"\\\\?\\C:\\x"},
                {0xA000000C, u"..\\srv", 0, L""},               // relative: beside the link
                {0xA000000C, u"\\??\\UNC\\srv\\share", 2, L""}, // shorter than it says
                {0x9000001A, u"\\??\\C:\\x", 0, L""}};          // a cloud file's, no link
    for (const auto& r : rows) {
        std::vector<unsigned char> data(r.tag == 0xA000000C ? 20 : 16);
        const uint32_t head[] = {r.tag, 0, static_cast<uint32_t>(r.name.size() * 2) << 16}; // little-endian
        std::memcpy(data.data(), head, sizeof head);
        for (const char16_t c : r.name)
            data.insert(data.end(), {static_cast<unsigned char>(c), static_cast<unsigned char>(c >> 8)});
        EXPECT_EQ(ReparseTarget(data.data(), data.size() - r.cut), r.target) << r.tag;
    }
}

// The walk up to a work tree's root asks each folder once, up to the root of the drive or share.
TEST(WorkTrees, DepthBelowTheRoot) {
    static std::vector<std::wstring> folders;
    folders.clear();
    TWorkTrees trees([](const std::wstring& folder) {
        folders.push_back(folder);
        return folder == L"C:\\repo" || folder == L"C:\\repo\\wt" || folder == L"\\\\srv\\s";
    });
    EXPECT_EQ(trees.Depth(L"C:\\repo\\src\\app\\Main.cpp"), 3);
    EXPECT_EQ(trees.Depth(L"C:\\repo\\src\\app\\Other.cpp"), 3);
    EXPECT_EQ(trees.Depth(L"C:\\repo\\docs"), 1);
    EXPECT_EQ(trees.Depth(L"C:\\repo"), 0);            // the root itself
    EXPECT_EQ(trees.Depth(L"C:\\repo\\wt\\a.txt"), 1); // a worktree's .git is a file
    EXPECT_EQ(trees.Depth(L"C:\\elsewhere\\a.txt"), -1);
    EXPECT_EQ(trees.Depth(L"\\\\srv\\s\\d\\a.txt"), 2);
    EXPECT_EQ(trees.Depth(L"\\\\srv\\t\\a.txt"), -1);
    EXPECT_EQ(trees.Depth(L"\\\\?\\C:\\repo\\docs"), 1); // walked as its drive path
    for (const wchar_t* inGit : {L"C:\\repo\\.git", L"C:\\repo\\.GIT\\config", L"C:\\repo\\.Git\\refs\\x"}) {
        EXPECT_EQ(trees.Depth(inGit), -1) << inGit; // git itself refuses every such path
        EXPECT_FALSE(trees.HasRelativePath(inGit));
    }
    EXPECT_TRUE(trees.HasRelativePath(L"C:\\repo\\docs"));
    EXPECT_FALSE(trees.HasRelativePath(L"C:\\repo\\wt"));
    EXPECT_FALSE(trees.HasRelativePath(L"C:\\elsewhere\\b.txt"));
    EXPECT_EQ(std::count(folders.begin(), folders.end(), L"C:\\elsewhere\\b.txt"), 0)
        << "outside: the item is not folders";
    // Each item once, each folder once: app and src were known from the first item on.
    EXPECT_EQ(std::count(folders.begin(), folders.end(), L"C:\\repo\\src\\app"), 1);
    EXPECT_EQ(std::count(folders.begin(), folders.end(), L"C:\\"), 1);
    EXPECT_EQ(std::count(folders.begin(), folders.end(), L"\\\\srv"), 0) << "a server is no folder";
}

} // namespace

namespace {

// A CF_HDROP block: the header (list offset, fWide), then the names as given, zeros included.
std::vector<unsigned char> DropBlock(uint32_t offset, bool wide, const std::u16string& names) {
    std::vector<unsigned char> block(20, 0);
    std::memcpy(&block[0], &offset, 4);
    block[16] = wide;
    for (char16_t c : names) {
        block.push_back(static_cast<unsigned char>(c));
        if (wide) block.push_back(static_cast<unsigned char>(c >> 8));
    }
    return block;
}
std::wstring Latin1(const std::string& bytes) {
    std::wstring w;
    for (unsigned char b : bytes)
        w += static_cast<wchar_t>(b);
    return w;
}

} // namespace

// Never past the block: cut off, offset outside, too short; a name cut off by the end is left out.
TEST(CopiedFiles, DropFileNames) {
    using namespace std::string_literals;
    const std::u16string two = u"C:\\a b.txt\0D:\\\u8868.txt\0\0"s;
    const struct {
        std::vector<unsigned char> block;
        std::vector<std::wstring> names;
    } rows[] = {
        {DropBlock(20, true, two), {L"C:\\a b.txt", L"D:\\\u8868.txt"}},
        {DropBlock(20, false, u"C:\\caf\u00E9.txt\0\0"s), {L"C:\\caf\u00E9.txt"}},
        {DropBlock(20, true, two.substr(0, 20)), {L"C:\\a b.txt", L"D:\\\u8868.txt"}}, // no final zero
        {DropBlock(20, true, two.substr(0, 18)), {L"C:\\a b.txt"}},                    // the last name cut
        {DropBlock(8, true, two), {}},                                                 // inside the header
        {DropBlock(999, true, two), {}},                                               // past the end
        {std::vector<unsigned char>(19, 0), {}}, // shorter than the header
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        EXPECT_EQ(DropFileNames(r.block.data(), r.block.size(), Latin1), r.names);
    }
}

TEST(CopiedFiles, TextPathsKeepsAbsolutePathsOnly) {
    EXPECT_EQ(TextPaths(L"\"C:\\a b.txt\"\r\n\"C:\\c.txt\"\r\n"),
              (std::vector<std::wstring>{L"C:\\a b.txt", L"C:\\c.txt"}));
    EXPECT_EQ(TextPaths(L" \tC:/x.txt \n\\\\srv\\share\n//srv/s/f\n\\\\?\\C:\\x"),
              (std::vector<std::wstring>{L"C:/x.txt", L"\\\\srv\\share", L"//srv/s/f", L"\\\\?\\C:\\x"}));
    EXPECT_EQ(TextPaths(L"notes\nC:x.txt\n\\\\srv\n\\\\srv\\\n///x/y\nhttps://a/b\n\"\"\n\"C:\\a\" b"),
              std::vector<std::wstring>{});
}
