// Several items sent: the four list commands, picked by their digits, copy sorted CR LF lines over every
// argument. Real files below a scratch folder; the expected lines are written out byte for byte.
#include "E2eFixture.h"
#include "MenuE2eSupport.h"

namespace E2e {
namespace {

struct ListCase {
    const char* Name;
    std::vector<std::string> Items;   // made below the scratch folder and sent in this order
    std::vector<size_t> MissingBytes; // then nonexistent paths of these byte lengths
    char Digit;
    std::vector<std::string> Lines; // "%" stands for the scratch folder's long path
    char Copied = 0;                // 'f' copied as a file list, 't' as "Copy as path" text: /clipboard
    const char* Copy = nullptr;     // the name of /copy:, which copies without a menu (Digit 0)
};

// 1 long paths, 2 the same with quotes around those with a space, 3 names, 4 names without extension.
// 表 is 95 5C and ソ is 83 5C.
const ListCase Cases[] = {
    {"SortedWhateverTheOrder_1", {"Work/b.txt", "Work/a.txt"}, {}, '1', {"%\\Work\\a.txt", "%\\Work\\b.txt"}},
    {"SortedWhateverTheOrder_2", {"Work/b.txt", "Work/a.txt"}, {}, '2', {"%\\Work\\a.txt", "%\\Work\\b.txt"}},
    {"SortedWhateverTheOrder_3", {"Work/b.txt", "Work/a.txt"}, {}, '3', {"a.txt", "b.txt"}},
    {"SortedWhateverTheOrder_4", {"Work/b.txt", "Work/a.txt"}, {}, '4', {"a", "b"}},
    {"ShorterFirst_1", {"Work/aa.txt", "Work/b.txt"}, {}, '1', {"%\\Work\\b.txt", "%\\Work\\aa.txt"}},
    {"ShorterFirst_3", {"Work/aa.txt", "Work/b.txt"}, {}, '3', {"b.txt", "aa.txt"}},
    // "A B" is one byte shorter than "Work", but its two quotes make it one byte longer.
    {"QuotesCountInTheOrder_1", {"Work/x.txt", "A B/x.txt"}, {}, '1', {"%\\A B\\x.txt", "%\\Work\\x.txt"}},
    {"QuotesCountInTheOrder_2",
     {"Work/x.txt", "A B/x.txt"},
     {},
     '2',
     {"%\\Work\\x.txt", "\"%\\A B\\x.txt\""}},
    {"OnlyTheLastExtension_3", {"archive.tar.gz", ".profile"}, {}, '3', {".profile", "archive.tar.gz"}},
    {"OnlyTheLastExtension_4", {"archive.tar.gz", ".profile"}, {}, '4', {"", "archive.tar"}},
    // 260 bytes is still listed (an empty line: it has no long form); 261 is left out.
    {"OverlongLeftOut_1", {"a.txt"}, {260, 261}, '1', {"", "%\\a.txt"}},
    {"ShortcutListedAsItself_1", {"docs/report.lnk", "a.txt"}, {}, '1', {"%\\a.txt", "%\\docs\\report.lnk"}},
    {"ShortcutListedAsItself_4", {"docs/report.lnk", "a.txt"}, {}, '4', {"a", "report"}},
    {"DoubleByteNames_1",
     {"\x95\x5C/\x83\x5C.txt", "b.txt"},
     {},
     '1',
     {"%\\b.txt", "%\\\x95\x5C\\\x83\x5C.txt"}},
    {"DoubleByteNames_4", {"\x95\x5C/\x83\x5C.txt", "b.txt"}, {}, '4', {"b", "\x83\x5C"}},
    {"CopyAsPathText_1", {"Work/b.txt", "A B/x.txt"}, {}, '1', {"%\\A B\\x.txt", "%\\Work\\b.txt"}, 't'},
    {"CopiedLong", {"c", "a", "bb"}, {}, 0, {"%\\a", "%\\c", "%\\bb"}, 'f', "long"},
    {"CopiedFolder", {"b/x", "a/y", "b/z"}, {}, 0, {"%\\a", "%\\b", "%\\b"}, 'f', "folder"},
};

std::string Expand(const std::string& line, const std::string& root) {
    std::string out;
    for (char ch : line)
        out += ch == '%' ? root : std::string(1, ch);
    return out;
}

class ListPick : public ProgramTest, public testing::WithParamInterface<ListCase> {};

TEST_P(ListPick, CopiesTheSortedLines) {
    const ListCase& c = GetParam();
    ScratchDir dir;
    const std::string root = LongPathOf(dir.Path());
    const std::string target = MakeItem(root, "data/report.xls", std::string());
    std::vector<std::string> args;
    for (const std::string& item : c.Items)
        args.push_back(Quoted(MakeItem(root, item, target)));
    for (size_t bytes : c.MissingBytes) {
        const std::string missing = root + "\\missing\\";
        ASSERT_LT(missing.size(), bytes);
        args.push_back(Quoted(missing + std::string(bytes - missing.size(), 'm')));
    }
    std::string text;
    for (const std::string& line : c.Lines)
        text += Expand(line, root) + "\r\n";

    if (c.Copied) {
        std::string lines;
        std::vector<std::wstring> files;
        for (const std::string& arg : args)
            lines += arg + "\r\n", files.push_back(WideOf(arg.substr(1, arg.size() - 2)));
        ASSERT_TRUE(c.Copied == 't' ? WriteClipboard(lines) : WriteClipboard(DropFiles(files), CF_HDROP));
        args = {"/clipboard"};
    }
    if (c.Copy) args.insert(args.begin(), std::string("/copy:") + c.Copy);
    Child p;
    if (c.Digit) {
        ASSERT_NE(StartWithMenu(p, args), nullptr);
        PressInMenu(p, static_cast<WORD>(c.Digit));
    } else {
        p = StartPathgrab(args);
    }
    ExpectEndsWithZero(p);
    ExpectClipboard(text);
}

INSTANTIATE_TEST_SUITE_P(Lists, ListPick, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<ListCase>& i) { return std::string(i.param.Name); });

} // namespace
} // namespace E2e
