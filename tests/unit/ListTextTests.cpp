// The list commands' texts over given arguments, byte for byte: order, quoting, names, CR LF, and
// what is left out.
#include <gtest/gtest.h>

#include "Pathgrab.h"
#include "TextSupport.h"

#include <string>
#include <vector>

namespace {

// The long form as the file system would give it: the one short folder name here is lengthened,
// and "?" stands for a path whose long form cannot be obtained.
TinyUtils::TText FakeLongPath(const TinyUtils::TText& Arg) {
    const std::string& Path = Arg.Bytes;
    if (Path.find('?') != std::string::npos) return {};
    const std::string shortFolder = "C:\\MYFILE~1\\";
    if (Path.compare(0, shortFolder.size(), shortFolder) == 0)
        return TestText("C:\\My Files\\" + Path.substr(shortFolder.size()));
    return Arg;
}

struct ListCase {
    const char* name;
    std::vector<std::string> args;
    std::string paths, quotedPaths, namesWithExt, namesWithoutExt;
};

class ListTextTable : public testing::TestWithParam<ListCase> {};

TEST_P(ListTextTable, AllFourLists) {
    const ListCase& c = GetParam();
    std::vector<TinyUtils::TText> args;
    for (const std::string& a : c.args)
        args.push_back(TestText(a));
    const struct {
        TinyUtils::TText got;
        const std::string& expected;
    } lists[] = {{Pathgrab::PathListText(args, false, FakeLongPath), c.paths},
                 {Pathgrab::PathListText(args, true, FakeLongPath), c.quotedPaths},
                 {Pathgrab::NameListText(args, true, FakeLongPath), c.namesWithExt},
                 {Pathgrab::NameListText(args, false, FakeLongPath), c.namesWithoutExt}};
    for (const auto& l : lists) {
        EXPECT_EQ(l.got.Bytes, l.expected);
        EXPECT_EQ(l.got.Wide, TestText(l.expected).Wide) << "the exact text lists other items";
    }
}

// The submenu's lists: an item on a network drive lists its UNC name (in the URI list too), the
// others their long path; an item without a WSL path is left out of that list, not listed empty; each
// list sorted by its own bytes (shorter lines first).
TEST(ListText, MoreFormLists) {
    const std::vector<TinyUtils::TText> args = {TestText("Z:\\b.txt"), TestText("C:\\MYFILE~1\\a.txt"),
                                                TestText("\\\\srv\\s\\c d.txt")};
    auto unc = [](const TinyUtils::TText& p) {
        return p.Bytes[0] == 'Z' ? TestText("\\\\fs\\x" + p.Bytes.substr(2)) : TinyUtils::TText();
    };
    auto depth = [](const TinyUtils::TText& p) { return p.Bytes == "C:\\My Files\\a.txt" ? 1 : -1; };
    auto list = [&](uint32_t id) { return Pathgrab::MoreFormListText(id, args, FakeLongPath, {unc, depth}); };
    EXPECT_EQ(list(Pathgrab::IDM_LIST_UNC_PATHS).Bytes,
              "\\\\fs\\x\\b.txt\r\n\\\\srv\\s\\c d.txt\r\nC:\\My Files\\a.txt\r\n");
    EXPECT_EQ(list(Pathgrab::IDM_LIST_FILE_URIS).Wide,
              L"file://fs/x/b.txt\r\nfile://srv/s/c%20d.txt\r\nfile:///C:/My%20Files/a.txt\r\n");
    EXPECT_EQ(list(Pathgrab::IDM_LIST_SLASH_PATHS).Bytes,
              "Z:/b.txt\r\n//srv/s/c d.txt\r\nC:/My Files/a.txt\r\n");
    EXPECT_EQ(list(Pathgrab::IDM_LIST_WSL_PATHS).Wide, L"/mnt/z/b.txt\r\n/mnt/c/My Files/a.txt\r\n");
    // One line, quoted where a space is, and no line end; the JSON array of the sorted paths, as Python's
    // json.dumps(paths, ensure_ascii=False) writes it.
    EXPECT_EQ(list(Pathgrab::IDM_LIST_COMMAND_LINE).Bytes,
              "Z:\\b.txt \"\\\\srv\\s\\c d.txt\" \"C:\\My Files\\a.txt\"");
    EXPECT_EQ(list(Pathgrab::IDM_LIST_JSON_ARRAY).Wide,
              L"[\"Z:\\\\b.txt\", \"\\\\\\\\srv\\\\s\\\\c d.txt\", \"C:\\\\My Files\\\\a.txt\"]");
    EXPECT_EQ(list(Pathgrab::IDM_LIST_REPO_PATHS).Bytes, "a.txt\r\n");
    EXPECT_EQ(list(Pathgrab::IDM_LIST_MARKDOWN_LINKS).Bytes,
              "- [b.txt](file://fs/x/b.txt)\r\n- [c d.txt](file://srv/s/c%20d.txt)\r\n"
              "- [a.txt](file:///C:/My%20Files/a.txt)\r\n");
    const Pathgrab::TClip links = list(Pathgrab::IDM_LIST_LINKS);
    EXPECT_EQ(links.Bytes, list(Pathgrab::IDM_LIST_UNC_PATHS).Bytes);
    EXPECT_NE(links.Html.find(
                  "<a href=\"file://fs/x/b.txt\">b.txt</a><br>\r\n<a href=\"file://srv/s/c%20d.txt\">c "
                  "d.txt</a><br>\r\n<a href=\"file:///C:/My%20Files/a.txt\">a.txt</a><!--EndFragment-->"),
              std::string::npos)
        << links.Html;
    EXPECT_TRUE(list(Pathgrab::IDM_LIST_FILE_URIS).Html.empty());
    // An item in a synced library: its web address in the web list (the others their long paths), and
    // the links point at it.
    auto web = [](const TinyUtils::TText& p) {
        return p.Bytes[0] == 'C' ? TestText("https://h/s/a.txt") : TinyUtils::TText();
    };
    auto withWeb = [&](uint32_t id) {
        return Pathgrab::MoreFormListText(id, args, FakeLongPath, {unc, depth, web});
    };
    EXPECT_EQ(withWeb(Pathgrab::IDM_LIST_WEB_ADDRESSES).Bytes,
              "Z:\\b.txt\r\n\\\\srv\\s\\c d.txt\r\nhttps://h/s/a.txt\r\n");
    EXPECT_NE(withWeb(Pathgrab::IDM_LIST_MARKDOWN_LINKS).Bytes.find("- [a.txt](https://h/s/a.txt)\r\n"),
              std::string::npos);
    EXPECT_NE(withWeb(Pathgrab::IDM_LIST_LINKS).Html.find("<a href=\"https://h/s/a.txt\">a.txt</a>"),
              std::string::npos);
    // One line of PowerShell strings, no line end; the mail links and smb addresses of the items on a
    // server and the paths from the user's folders, the other items' long paths beside them.
    EXPECT_EQ(list(Pathgrab::IDM_LIST_POWERSHELL_STRINGS).Wide,
              L"'Z:\\b.txt', '\\\\srv\\s\\c d.txt', 'C:\\My Files\\a.txt'");
    EXPECT_EQ(withWeb(Pathgrab::IDM_LIST_MAIL_LINKS).Bytes,
              "<\\\\fs\\x\\b.txt>\r\n<\\\\srv\\s\\c d.txt>\r\n<https://h/s/a.txt>\r\n");
    EXPECT_EQ(list(Pathgrab::IDM_LIST_SMB_ADDRESSES).Bytes,
              "smb://fs/x/b.txt\r\nC:\\My Files\\a.txt\r\nsmb://srv/s/c%20d.txt\r\n");
    auto home = [](const TinyUtils::TText& p) {
        return p.Bytes[0] == 'C' ? TestText("%USERPROFILE%\\a.txt") : TinyUtils::TText();
    };
    EXPECT_EQ(Pathgrab::MoreFormListText(Pathgrab::IDM_LIST_USER_FOLDER_PATHS, args, FakeLongPath,
                                         {unc, depth, nullptr, home})
                  .Bytes,
              "Z:\\b.txt\r\n\\\\srv\\s\\c d.txt\r\n%USERPROFILE%\\a.txt\r\n");
    // A UNC name over the path limit is unreadable: that item is left out of the UNC list.
    auto over = [](const TinyUtils::TText& p) {
        return p.Bytes[0] == 'Z' ? TestText("\\\\fs\\" + std::string(250, 's') + "\\b.txt")
                                 : TinyUtils::TText();
    };
    EXPECT_EQ(
        Pathgrab::MoreFormListText(Pathgrab::IDM_LIST_UNC_PATHS, args, FakeLongPath, {over, depth}).Bytes,
        "\\\\srv\\s\\c d.txt\r\nC:\\My Files\\a.txt\r\n");
    EXPECT_EQ(Pathgrab::MoreFormListText(Pathgrab::IDM_LIST_JSON_ARRAY, {}, FakeLongPath, {unc, depth}).Wide,
              L"");
}

// Where an item's bytes only stand for it (an 8.3 form), the bytes decide the order and the exact text
// follows them line for line; whether to quote is the exact text's question. Lines of equal bytes keep
// the order they came in, also where their exact texts differ.
TEST(ListText, ExactLinesFollowTheBytesOrder) {
    using TinyUtils::TText;
    const auto same = [](const TText& a) { return a; };
    const struct {
        std::vector<TText> args;
        bool names;
        TText expected;
    } rows[] = {
        {{{"C:\\W\\CAF_~1.TXT", L"C:\\W\\a caf\u00E9.txt"}, {"C:\\W\\b.txt", L"C:\\W\\b.txt"}},
         false,
         {"C:\\W\\b.txt\r\n\"C:\\W\\CAF_~1.TXT\"\r\n", L"C:\\W\\b.txt\r\n\"C:\\W\\a caf\u00E9.txt\"\r\n"}},
        {{{"C:\\A\\CAF_~1.TXT", L"C:\\A\\caf\u00E9.txt"}, {"C:\\B\\CAF_~1.TXT", L"C:\\B\\caf\u00E8.txt"}},
         true,
         {"CAF_~1.TXT\r\nCAF_~1.TXT\r\n", L"caf\u00E9.txt\r\ncaf\u00E8.txt\r\n"}},
    };
    for (const auto& r : rows) {
        const TText got =
            r.names ? Pathgrab::NameListText(r.args, true, same) : Pathgrab::PathListText(r.args, true, same);
        EXPECT_EQ(got.Bytes, r.expected.Bytes);
        EXPECT_EQ(got.Wide, r.expected.Wide);
    }
}

std::string OfLength(size_t n, const std::string& tail) {
    return "C:\\" + std::string(n - 4 - tail.size(), 'd') + "\\" + tail;
}

// A folder of n two-byte characters whose trail bytes are backslashes, holding f.txt.
std::string DoubleByte(size_t n) {
    std::string folder;
    for (size_t i = 0; i < n; ++i)
        folder += "\x95\x5C";
    return "C:\\" + folder + "\\f.txt";
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ListTextTable,
    testing::Values(
        ListCase{"SortedWhateverTheOrder",
                 {"C:\\Work\\b.txt", "C:\\Work\\a.txt"},
                 "C:\\Work\\a.txt\r\nC:\\Work\\b.txt\r\n",
                 "C:\\Work\\a.txt\r\nC:\\Work\\b.txt\r\n",
                 "a.txt\r\nb.txt\r\n",
                 "a\r\nb\r\n"},
        ListCase{"ShorterFirst",
                 {"C:\\Work\\file10.txt", "C:\\Work\\aa.txt", "C:\\Work\\file2.txt", "C:\\Work\\b.txt"},
                 "C:\\Work\\b.txt\r\nC:\\Work\\aa.txt\r\nC:\\Work\\file2.txt\r\nC:\\Work\\file10.txt\r\n",
                 "C:\\Work\\b.txt\r\nC:\\Work\\aa.txt\r\nC:\\Work\\file2.txt\r\nC:\\Work\\file10.txt\r\n",
                 "b.txt\r\naa.txt\r\nfile2.txt\r\nfile10.txt\r\n",
                 "b\r\naa\r\nfile2\r\nfile10\r\n"},
        // Quotes are added before sorting, so they count in the length.
        ListCase{"QuotesCountInLength",
                 {"C:\\Work\\x.txt", "C:\\A B\\x.txt"},
                 "C:\\A B\\x.txt\r\nC:\\Work\\x.txt\r\n",
                 "C:\\Work\\x.txt\r\n\"C:\\A B\\x.txt\"\r\n",
                 "x.txt\r\nx.txt\r\n",
                 "x\r\nx\r\n"},
        // The long form is what is listed and quoted; a short argument is not.
        ListCase{"LongFormListed",
                 {"C:\\MYFILE~1\\n.txt"},
                 "C:\\My Files\\n.txt\r\n",
                 "\"C:\\My Files\\n.txt\"\r\n",
                 "n.txt\r\n",
                 "n\r\n"},
        // A full-width space (0x81 0x40) is no reason to quote.
        ListCase{"FullWidthSpaceNotQuoted",
                 {"C:\\A\x81\x40"
                  "B\\x.txt"},
                 "C:\\A\x81\x40"
                 "B\\x.txt\r\n",
                 "C:\\A\x81\x40"
                 "B\\x.txt\r\n",
                 "x.txt\r\n",
                 "x\r\n"},
        ListCase{"CaseDiffersNotDuplicate",
                 {"C:\\W\\A.txt", "C:\\W\\a.txt"},
                 "C:\\W\\a.txt\r\nC:\\W\\A.txt\r\n",
                 "C:\\W\\a.txt\r\nC:\\W\\A.txt\r\n",
                 "a.txt\r\nA.txt\r\n",
                 "a\r\nA\r\n"},
        ListCase{"DuplicatesKept",
                 {"C:\\W\\a.txt", "C:\\W\\a.txt"},
                 "C:\\W\\a.txt\r\nC:\\W\\a.txt\r\n",
                 "C:\\W\\a.txt\r\nC:\\W\\a.txt\r\n",
                 "a.txt\r\na.txt\r\n",
                 "a\r\na\r\n"},
        // Double-byte characters count two bytes each; the 0x5C trail bytes of 表 and ソ split nothing.
        ListCase{"DoubleByteLengthAndTrail5C",
                 {"C:\\\x95\x5C\\\x95\x5C\x83\x5C.txt", "C:\\\x95\x5C\\abc.txt"},
                 "C:\\\x95\x5C\\abc.txt\r\nC:\\\x95\x5C\\\x95\x5C\x83\x5C.txt\r\n",
                 "C:\\\x95\x5C\\abc.txt\r\nC:\\\x95\x5C\\\x95\x5C\x83\x5C.txt\r\n",
                 "abc.txt\r\n\x95\x5C\x83\x5C.txt\r\n",
                 "abc\r\n\x95\x5C\x83\x5C\r\n"},
        // Only the last extension goes; a name that is all extension becomes an empty line.
        ListCase{"Extensions",
                 {"C:\\W\\archive.tar.gz", "C:\\W\\.profile", "C:\\W\\Data.old", "C:\\W\\README"},
                 "C:\\W\\README\r\nC:\\W\\.profile\r\nC:\\W\\Data.old\r\nC:\\W\\archive.tar.gz\r\n",
                 "C:\\W\\README\r\nC:\\W\\.profile\r\nC:\\W\\Data.old\r\nC:\\W\\archive.tar.gz\r\n",
                 "README\r\n.profile\r\nData.old\r\narchive.tar.gz\r\n",
                 "\r\nData\r\nREADME\r\narchive.tar\r\n"},
        // A shortcut is listed as itself.
        ListCase{"ShortcutListedAsItself",
                 {"C:\\W\\Report.lnk"},
                 "C:\\W\\Report.lnk\r\n",
                 "C:\\W\\Report.lnk\r\n",
                 "Report.lnk\r\n",
                 "Report\r\n"},
        ListCase{"UnobtainableLongFormIsEmptyLine",
                 {"C:\\W\\?.txt", "C:\\W\\b.txt"},
                 "\r\nC:\\W\\b.txt\r\n",
                 "\r\nC:\\W\\b.txt\r\n",
                 "\r\nb.txt\r\n",
                 "\r\nb\r\n"},
        // 260 bytes are listed, 261 are left out silently.
        ListCase{"LengthLimit",
                 {OfLength(261, "long.txt"), OfLength(260, "keep.txt")},
                 OfLength(260, "keep.txt") + "\r\n",
                 OfLength(260, "keep.txt") + "\r\n",
                 "keep.txt\r\n",
                 "keep\r\n"},
        // The limit counts characters: 150 two-byte kanji (hyo, 0x95 0x5C) make 307 bytes, 157 characters.
        ListCase{"DoubleByteLimitCountsCharacters",
                 {DoubleByte(150), DoubleByte(260)},
                 DoubleByte(150) + "\r\n",
                 DoubleByte(150) + "\r\n",
                 "f.txt\r\n",
                 "f\r\n"},
        ListCase{"AllTooLongGivesNothing", {OfLength(261, "a.txt"), OfLength(300, "b.txt")}, "", "", "", ""},
        ListCase{"NoArgumentsGivesNothing", {}, "", "", "", ""}),
    [](const testing::TestParamInfo<ListCase>& p) { return std::string(p.param.name); });

} // namespace
