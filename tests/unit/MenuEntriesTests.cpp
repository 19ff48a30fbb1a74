// The popup's computed content for both layouts, compared byte for byte. The code page 932 captions are
// written here from iconv's output for the Unicode texts, independently of the program's own table.
#include <gtest/gtest.h>

#include "Pathgrab.h"
#include "Texts.h"
#include "TextSupport.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Pathgrab::TMenuEntry;

// "： " (full-width colon U+FF1A, ASCII space)
const std::string Colon = "\x81\x46\x20";
// "： [ 長いフルパス ] のリストをコピー"
const std::string LongPathsText =
    "\x81\x46\x20\x5b\x20\x92\xb7\x82\xa2\x83\x74\x83\x8b\x83\x70\x83\x58\x20\x5d\x20"
    "\x82\xcc\x83\x8a\x83\x58\x83\x67\x82\xf0\x83\x52\x83\x73\x81\x5b";
// "  << ダブルクォーテーション補完 >>"
const std::string QuotesSuppliedText =
    "\x20\x20\x3c\x3c\x20\x83\x5f\x83\x75\x83\x8b\x83\x4e\x83\x48\x81\x5b\x83\x65"
    "\x81\x5b\x83\x56\x83\x87\x83\x93\x95\xe2\x8a\xae\x20\x3e\x3e";
// "： [ 拡張子付ファイル名 ] のリストをコピー"
const std::string NamesWithExtText =
    "\x81\x46\x20\x5b\x20\x8a\x67\x92\xa3\x8e\x71\x95\x74\x83\x74\x83\x40\x83\x43"
    "\x83\x8b\x96\xbc\x20\x5d\x20\x82\xcc\x83\x8a\x83\x58\x83\x67\x82\xf0\x83\x52"
    "\x83\x73\x81\x5b";
// "： [ 拡張子無ファイル名 ] のリストをコピー"
const std::string NamesWithoutExtText =
    "\x81\x46\x20\x5b\x20\x8a\x67\x92\xa3\x8e\x71\x96\xb3\x83\x74\x83\x40\x83\x43"
    "\x83\x8b\x96\xbc\x20\x5d\x20\x82\xcc\x83\x8a\x83\x58\x83\x67\x82\xf0\x83\x52"
    "\x83\x73\x81\x5b";
// "キャンセル"
const std::string CancelText = "\x83\x4c\x83\x83\x83\x93\x83\x5a\x83\x8b";

TMenuEntry Item(uint32_t id, const std::string& caption) {
    return {id, caption, {}, false};
}
TMenuEntry Sep() {
    return {0, std::string(), {}, true};
}
// The number and separator are the program's text; the path form, quotes included, is the item's.
// The key of the nth item: 1 to 9, then A, B, C ...
std::string Key(int n) {
    return n <= 9 ? "&" + std::to_string(n) : "&" + std::string(1, static_cast<char>('A' + n - 10));
}
TMenuEntry Form(uint32_t id, int n, const std::string& shown, const std::string& colon = Colon) {
    return {id, Key(n) + colon, TestText(shown), false};
}
TMenuEntry Quoted(uint32_t id, int n, const std::string& shown) {
    return {id, "&" + std::to_string(n) + Colon, TestText("\"" + shown + "\""), false};
}
TMenuEntry Cancel() {
    return Item(Pathgrab::IDM_CANCEL, CancelText);
}
// "その他の形式" after the number: the submenu, described by its item count.
TMenuEntry More(int n, size_t items, const std::string& colon = Colon,
                const std::string& caption = "\x82\xbb\x82\xcc\x91\xbc\x82\xcc\x8c\x60\x8e\xae") {
    return {0, "&" + std::to_string(n) + colon + caption, {}, false, std::vector<TMenuEntry>(items)};
}

struct Targets {
    std::string Long, FileName, BaseName, Folder, Short;
};

struct MenuCase {
    const char* name;
    int argCount;
    bool isFolder;
    Targets targets;
    std::vector<TMenuEntry> expected;
    LANGID uiLanguage = 0x0411;
};

std::string Describe(const std::vector<TMenuEntry>& menu) {
    std::string s;
    for (const TMenuEntry& e : menu) {
        if (e.Separator) {
            s += "  ----\n";
            continue;
        }
        char id[16];
        std::snprintf(id, sizeof id, "  %#x ", e.Id);
        s += id;
        // The bar shows where the program's text ends and the path form begins.
        for (unsigned char c : e.Fixed + '|' + e.Form.Bytes) {
            if (c >= 0x20 && c < 0x7F) {
                s += static_cast<char>(c);
            } else {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02x", c);
                s += hex;
            }
        }
        if (!e.Submenu.empty()) s += " > " + std::to_string(e.Submenu.size()) + " items";
        s += '\n';
    }
    return s;
}

class MenuEntriesTable : public testing::TestWithParam<MenuCase> {
  protected:
    void TearDown() override { Pathgrab::ReleaseTargets(); }
};

TEST_P(MenuEntriesTable, LaysOutItemsInOrder) {
    const MenuCase& c = GetParam();
    Pathgrab::TargetLongPath = TestText(c.targets.Long);
    Pathgrab::TargetFileName = TestText(c.targets.FileName);
    Pathgrab::TargetBaseName = TestText(c.targets.BaseName);
    Pathgrab::TargetFolder = TestText(c.targets.Folder);
    Pathgrab::TargetShortPath = TestText(c.targets.Short);
    const std::vector<TMenuEntry> got =
        Pathgrab::MenuEntries(c.argCount, c.isFolder, Pathgrab::FaceFor(c.uiLanguage));
    EXPECT_EQ(Describe(got), Describe(c.expected));
    for (const TMenuEntry& e : got) {
        // The menu shows the exact text of the same form.
        EXPECT_EQ(e.Form.Wide, TestText(e.Form.Bytes).Wide) << e.Id;
        // Separators carry identifier 0 and no caption, whatever the description shows.
        if (e.Separator) {
            EXPECT_EQ(e.Id, 0u);
            EXPECT_TRUE(e.Fixed.empty());
            EXPECT_TRUE(e.Form.Wide.empty());
        }
    }
}

using namespace Pathgrab;

const Targets Plan = {"C:\\Work\\plan.txt", "plan.txt", "plan", "C:\\Work", "C:\\Work\\plan.txt"};
const Targets MyFiles = {"C:\\My Files\\a b.txt", "a b.txt", "a b", "C:\\My Files", "C:\\MYFILE~1\\AB~1.TXT"};
const std::vector<TMenuEntry> ListLayout = {
    Item(IDM_LIST_LONG_PATHS, "&1" + LongPathsText),
    Sep(),
    Item(IDM_LIST_QUOTED_LONG_PATHS, "&2" + LongPathsText + QuotesSuppliedText),
    Sep(),
    Item(IDM_LIST_NAMES_WITH_EXT, "&3" + NamesWithExtText),
    Sep(),
    Item(IDM_LIST_NAMES_WITHOUT_EXT, "&4" + NamesWithoutExtText),
    Sep(),
    More(5, 7),
    Sep(),
    Cancel()};

INSTANTIATE_TEST_SUITE_P(
    Layouts, MenuEntriesTable,
    testing::Values(
        // Short path equal to the long one is still offered; no space, so no quoted items.
        MenuCase{"PlainFile",
                 1,
                 false,
                 Plan,
                 {Form(IDM_LONG_PATH, 1, "C:\\Work\\plan.txt"), Sep(), Form(IDM_FILE_NAME, 2, "plan.txt"),
                  Form(IDM_NAME_WITHOUT_EXT, 3, "plan"), Sep(), Form(IDM_FOLDER, 4, "C:\\Work"), Sep(),
                  Form(IDM_SHORT_PATH, 5, "C:\\Work\\plan.txt"), Sep(), More(6, 8), Sep(), Cancel()}},
        MenuCase{"SpacesGiveSevenItems",
                 1,
                 false,
                 MyFiles,
                 {Form(IDM_LONG_PATH, 1, "C:\\My Files\\a b.txt"),
                  Quoted(IDM_QUOTED_LONG_PATH, 2, "C:\\My Files\\a b.txt"), Sep(),
                  Form(IDM_FILE_NAME, 3, "a b.txt"), Form(IDM_NAME_WITHOUT_EXT, 4, "a b"), Sep(),
                  Form(IDM_FOLDER, 5, "C:\\My Files"), Quoted(IDM_QUOTED_FOLDER, 6, "C:\\My Files"), Sep(),
                  Form(IDM_SHORT_PATH, 7, "C:\\MYFILE~1\\AB~1.TXT"), Sep(), More(8, 8), Sep(), Cancel()}},
        MenuCase{"FolderHasNoBaseName",
                 1,
                 true,
                 {"C:\\My Files\\Sub", "Sub", "Sub", "C:\\My Files", "C:\\MYFILE~1\\Sub"},
                 {Form(IDM_LONG_PATH, 1, "C:\\My Files\\Sub"),
                  Quoted(IDM_QUOTED_LONG_PATH, 2, "C:\\My Files\\Sub"), Sep(), Form(IDM_FILE_NAME, 3, "Sub"),
                  Sep(), Form(IDM_FOLDER, 4, "C:\\My Files"), Quoted(IDM_QUOTED_FOLDER, 5, "C:\\My Files"),
                  Sep(), Form(IDM_SHORT_PATH, 6, "C:\\MYFILE~1\\Sub"), Sep(), More(7, 8), Sep(), Cancel()}},
        MenuCase{"DottedFolderHasNoBaseName",
                 1,
                 true,
                 {"C:\\Work\\Data.old", "Data.old", "Data", "C:\\Work", "C:\\Work\\DATA~1.OLD"},
                 {Form(IDM_LONG_PATH, 1, "C:\\Work\\Data.old"), Sep(), Form(IDM_FILE_NAME, 2, "Data.old"),
                  Sep(), Form(IDM_FOLDER, 3, "C:\\Work"), Sep(),
                  Form(IDM_SHORT_PATH, 4, "C:\\Work\\DATA~1.OLD"), Sep(), More(5, 8), Sep(), Cancel()}},
        // Ampersands are doubled in every caption, quoted ones included.
        MenuCase{"AmpersandsDoubled",
                 1,
                 false,
                 {"C:\\R&D\\A & B\\x&y.txt", "x&y.txt", "x&y", "C:\\R&D\\A & B", "C:\\R&D\\A&B~1\\X&Y.TXT"},
                 {Form(IDM_LONG_PATH, 1, "C:\\R&&D\\A && B\\x&&y.txt"),
                  Quoted(IDM_QUOTED_LONG_PATH, 2, "C:\\R&&D\\A && B\\x&&y.txt"), Sep(),
                  Form(IDM_FILE_NAME, 3, "x&&y.txt"), Form(IDM_NAME_WITHOUT_EXT, 4, "x&&y"), Sep(),
                  Form(IDM_FOLDER, 5, "C:\\R&&D\\A && B"), Quoted(IDM_QUOTED_FOLDER, 6, "C:\\R&&D\\A && B"),
                  Sep(), Form(IDM_SHORT_PATH, 7, "C:\\R&&D\\A&&B~1\\X&&Y.TXT"), Sep(), More(8, 8), Sep(),
                  Cancel()}},
        MenuCase{"SpaceOnlyInFileName",
                 1,
                 false,
                 {"C:\\Work\\a b.txt", "a b.txt", "a b", "C:\\Work", "C:\\Work\\AB~1.TXT"},
                 {Form(IDM_LONG_PATH, 1, "C:\\Work\\a b.txt"),
                  Quoted(IDM_QUOTED_LONG_PATH, 2, "C:\\Work\\a b.txt"), Sep(),
                  Form(IDM_FILE_NAME, 3, "a b.txt"), Form(IDM_NAME_WITHOUT_EXT, 4, "a b"), Sep(),
                  Form(IDM_FOLDER, 5, "C:\\Work"), Sep(), Form(IDM_SHORT_PATH, 6, "C:\\Work\\AB~1.TXT"),
                  Sep(), More(7, 8), Sep(), Cancel()}},
        // A full-width space (0x81 0x40) is no reason to quote; trail byte 0x5C passes through untouched.
        MenuCase{"FullWidthSpaceNotQuoted",
                 1,
                 false,
                 {"C:\\\x95\x5C\x81\x40\\\x83\x5C.txt", "\x83\x5C.txt", "\x83\x5C", "C:\\\x95\x5C\x81\x40",
                  "C:\\X~1\\Y~1.TXT"},
                 {Form(IDM_LONG_PATH, 1, "C:\\\x95\x5C\x81\x40\\\x83\x5C.txt"), Sep(),
                  Form(IDM_FILE_NAME, 2, "\x83\x5C.txt"), Form(IDM_NAME_WITHOUT_EXT, 3, "\x83\x5C"), Sep(),
                  Form(IDM_FOLDER, 4, "C:\\\x95\x5C\x81\x40"), Sep(),
                  Form(IDM_SHORT_PATH, 5, "C:\\X~1\\Y~1.TXT"), Sep(), More(6, 8), Sep(), Cancel()}},
        // An unreadable target leaves every form empty; the items are still there.
        MenuCase{"EmptyFormsStillListed",
                 1,
                 false,
                 {},
                 {Form(IDM_LONG_PATH, 1, ""), Sep(), Form(IDM_FILE_NAME, 2, ""),
                  Form(IDM_NAME_WITHOUT_EXT, 3, ""), Sep(), Form(IDM_FOLDER, 4, ""), Sep(),
                  Form(IDM_SHORT_PATH, 5, ""), Sep(), Cancel()}},
        MenuCase{"NoArgumentsIsSingleLayout",
                 0,
                 false,
                 Plan,
                 {Form(IDM_LONG_PATH, 1, "C:\\Work\\plan.txt"), Sep(), Form(IDM_FILE_NAME, 2, "plan.txt"),
                  Form(IDM_NAME_WITHOUT_EXT, 3, "plan"), Sep(), Form(IDM_FOLDER, 4, "C:\\Work"), Sep(),
                  Form(IDM_SHORT_PATH, 5, "C:\\Work\\plan.txt"), Sep(), More(6, 8), Sep(), Cancel()}},
        // Several files: only the lists, whatever the first file is.
        MenuCase{"TwoFilesGiveLists", 2, false, MyFiles, ListLayout},
        MenuCase{"ManyFilesFolderFirstGiveLists", 9, true, MyFiles, ListLayout},
        // Any UI language but Japanese gets the English texts; the forms and numbers stay.
        MenuCase{"EnglishUiSingle",
                 1,
                 false,
                 {"C:\\R&D\\x.txt", "x.txt", "x", "C:\\R&D", "C:\\R&D\\x.txt"},
                 {Form(IDM_LONG_PATH, 1, "C:\\R&&D\\x.txt", ": "), Sep(),
                  Form(IDM_FILE_NAME, 2, "x.txt", ": "), Form(IDM_NAME_WITHOUT_EXT, 3, "x", ": "), Sep(),
                  Form(IDM_FOLDER, 4, "C:\\R&&D", ": "), Sep(),
                  Form(IDM_SHORT_PATH, 5, "C:\\R&&D\\x.txt", ": "), Sep(), More(6, 8, ": ", "More forms"),
                  Sep(), Item(IDM_CANCEL, "Cancel")},
                 0x0409},
        MenuCase{
            "ChineseUiListsInEnglish",
            2,
            false,
            MyFiles,
            {Item(IDM_LIST_LONG_PATHS, "&1: [ Long full paths ] copy as list"), Sep(),
             Item(IDM_LIST_QUOTED_LONG_PATHS, "&2: [ Long full paths ] copy as list  << in double quotes >>"),
             Sep(), Item(IDM_LIST_NAMES_WITH_EXT, "&3: [ File names with extension ] copy as list"), Sep(),
             Item(IDM_LIST_NAMES_WITHOUT_EXT, "&4: [ File names without extension ] copy as list"), Sep(),
             More(5, 7, ": ", "More forms"), Sep(), Item(IDM_CANCEL, "Cancel")},
            0x0804}),
    [](const testing::TestParamInfo<MenuCase>& p) { return std::string(p.param.name); });

// An item with a space whose bytes are its 8.3 form (no space) still gets its quoted items, and each
// reading of a form is quoted alike.
TEST(MenuEntries, QuotedItemsFollowTheExactText) {
    Pathgrab::TargetLongPath = {"C:\\MYFILE~1\\CAF_~1.TXT", L"C:\\My Files\\caf\u00E9 au lait.txt"};
    Pathgrab::TargetFolder = {"C:\\MYFILE~1", L"C:\\My Files"};
    const std::vector<TMenuEntry> got = Pathgrab::MenuEntries(1, false, Pathgrab::FaceFor(0x0411));
    ASSERT_GE(got.size(), 8u);
    EXPECT_EQ(got[1].Id, IDM_QUOTED_LONG_PATH);
    EXPECT_EQ(got[1].Form.Bytes, "\"C:\\MYFILE~1\\CAF_~1.TXT\"");
    EXPECT_EQ(got[1].Form.Wide, L"\"C:\\My Files\\caf\u00E9 au lait.txt\"");
    EXPECT_EQ(got[7].Id, IDM_QUOTED_FOLDER);
    Pathgrab::ReleaseTargets();
}

// A file in a synced library: its web address right after the UNC path, the links pointing at it and
// still naming the file, the file URI still the local one.
TEST(MenuEntries, WebAddressOfASyncedFile) {
    Pathgrab::ReleaseTargets();
    Pathgrab::TargetLongPath = TestText("C:\\Users\\y\\Contoso\\a b.xlsx");
    const std::string web = "https://contoso.sharepoint.com/sites/S/Shared%20Documents/a%20b.xlsx";
    Pathgrab::TargetWebAddress = TestText(web);
    const std::vector<TMenuEntry> got = Pathgrab::MenuEntries(1, false, Pathgrab::FaceFor(0x0411));
    const std::vector<TMenuEntry>& more = got[got.size() - 3].Submenu;
    ASSERT_EQ(more.size(), 10u);
    EXPECT_EQ(Describe({more[0], more[1], more[6]}),
              Describe({Form(IDM_WEB_ADDRESS, 1, web),
                        Form(IDM_FILE_URI, 2, "file:///C:/Users/y/Contoso/a%20b.xlsx"),
                        Form(IDM_MARKDOWN_LINK, 7, "[a b.xlsx](" + web + ")")}));
    const Pathgrab::TClip link = Pathgrab::CommandText(IDM_LINK, nullptr);
    EXPECT_EQ(link.Bytes, web);
    EXPECT_NE(link.Html.find("<a href=\"" + web + "\">a b.xlsx</a>"), std::string::npos);
    Pathgrab::ReleaseTargets();
}

// The submenu of one item on a network drive whose share name holds Japanese and a space: the UNC name
// first, the URI of that name, then the drive path's forms; the items close up where a form is missing.
TEST(MenuEntries, MoreFormsOfANetworkDriveItem) {
    // 営業\見積 書.txt and 共有 in code page 932, as iconv writes them.
    const std::string rest = "\x89\x63\x8b\xc6\\\x8c\xa9\x90\xcf \x8f\x91.txt",
                      share = "\x8b\xa4\x97\x4c a&b";
    const std::wstring restW = L"\u55B6\u696D\\\u898B\u7A4D \u66F8.txt";
    Pathgrab::TargetLongPath = {"Z:\\" + rest, L"Z:\\" + restW};
    Pathgrab::TargetUncPath = {"\\\\fs\\" + share + "\\" + rest, L"\\\\fs\\\u5171\u6709 a&b\\" + restW};
    std::vector<TMenuEntry> got = Pathgrab::MenuEntries(1, false, Pathgrab::FaceFor(0x0411));
    ASSERT_EQ(got.size(), 13u);
    // The URI as Python's pathlib writes it for the UNC name.
    EXPECT_EQ(
        Describe(got[10].Submenu),
        Describe(
            {Form(IDM_UNC_PATH, 1, "\\\\fs\\\x8b\xa4\x97\x4c a&&b\\" + rest),
             Form(IDM_FILE_URI, 2,
                  "file://fs/%E5%85%B1%E6%9C%89%20a%26b/%E5%96%B6%E6%A5%AD/"
                  "%E8%A6%8B%E7%A9%8D%20%E6%9B%B8.txt"),
             Form(IDM_SLASH_PATH, 3, "Z:/\x89\x63\x8b\xc6/\x8c\xa9\x90\xcf \x8f\x91.txt"),
             Form(IDM_WSL_PATH, 4, "/mnt/z/\x89\x63\x8b\xc6/\x8c\xa9\x90\xcf \x8f\x91.txt"),
             Form(IDM_GIT_BASH_PATH, 5, "/z/\x89\x63\x8b\xc6/\x8c\xa9\x90\xcf \x8f\x91.txt"),
             Form(IDM_STRING_LITERAL, 6, "\"Z:\\\\\x89\x63\x8b\xc6\\\\\x8c\xa9\x90\xcf \x8f\x91.txt\""),
             Form(IDM_MARKDOWN_LINK, 7,
                  "[\x8c\xa9\x90\xcf \x8f\x91.txt](file://fs/%E5%85%B1%E6%9C%89%20a%26b/%E5%96%B6%E6%A5%AD/"
                  "%E8%A6%8B%E7%A9%8D%20%E6%9B%B8.txt)"),
             // "[ リンク ] " and the name the link reads as.
             Form(IDM_LINK, 8, "\x8c\xa9\x90\xcf \x8f\x91.txt", Colon + "[ \x83\x8a\x83\x93\x83N ] "),
             // Past nine, letters: the mail link and the smb address of the UNC name.
             Form(IDM_POWERSHELL_STRING, 9, "'Z:\\" + rest + "'"),
             Form(IDM_MAIL_LINK, 10, "<\\\\fs\\\x8b\xa4\x97\x4c a&&b\\" + rest + ">"),
             Form(IDM_SMB_ADDRESS, 11,
                  "smb://fs/%E5%85%B1%E6%9C%89%20a%26b/%E5%96%B6%E6%A5%AD/"
                  "%E8%A6%8B%E7%A9%8D%20%E6%9B%B8.txt")}));
    // A UNC name over the path limit is unreadable: no UNC item, the drive path's URI instead.
    Pathgrab::TargetUncPath = TestText("\\\\fs\\" + std::string(250, 's') + "\\b.txt"); // 261 characters
    got = Pathgrab::MenuEntries(1, false, Pathgrab::FaceFor(0x0411));
    EXPECT_EQ(got[10].Submenu[0].Id, IDM_FILE_URI);
    EXPECT_EQ(got[10].Submenu[0].Form.Bytes.rfind("file:///Z:/", 0), 0u);
    // A UNC name that is the long path itself (a share sent as such) is not offered twice.
    Pathgrab::TargetLongPath = Pathgrab::TargetUncPath = TestText("\\\\fs\\a\\b.txt");
    got = Pathgrab::MenuEntries(1, false, Pathgrab::FaceFor(0x0409));
    ASSERT_EQ(got[9].Submenu.size(), 8u);
    EXPECT_EQ(got[9].Submenu[0].Id, IDM_FILE_URI);
    EXPECT_EQ(got[9].Submenu[1].Form.Bytes, "//fs/a/b.txt");
    Pathgrab::ReleaseTargets();
}

// The lists' submenu offers UNC and WSL lists only where some item has one, and numbers what it shows.
TEST(MenuEntries, MoreFormListsAsOffered) {
    const std::vector<TMenuEntry> got =
        Pathgrab::MenuEntries(3, false, Pathgrab::FaceFor(0x0409), {true, true, true});
    ASSERT_EQ(got.size(), 11u);
    EXPECT_EQ(Describe(got[8].Submenu),
              Describe({Item(IDM_LIST_UNC_PATHS, "&1: [ UNC paths ] copy as list"),
                        Item(IDM_LIST_FILE_URIS, "&2: [ file URIs ] copy as list"),
                        Item(IDM_LIST_SLASH_PATHS, "&3: [ Paths with forward slashes ] copy as list"),
                        Item(IDM_LIST_WSL_PATHS, "&4: [ WSL paths ] copy as list"),
                        Item(IDM_LIST_COMMAND_LINE, "&5: [ One command line ] copy as list"),
                        Item(IDM_LIST_JSON_ARRAY, "&6: [ JSON array ] copy as list"),
                        Item(IDM_LIST_REPO_PATHS, "&7: [ Paths in the Git repository ] copy as list"),
                        Item(IDM_LIST_MARKDOWN_LINKS, "&8: [ Markdown links ] copy as list"),
                        Item(IDM_LIST_LINKS, "&9: [ Links ] copy as list"),
                        Item(IDM_LIST_POWERSHELL_STRINGS, "&A: [ PowerShell strings ] copy as list")}));
    EXPECT_EQ(Pathgrab::MenuEntries(2, false, Pathgrab::FaceFor(0x0411), {false, true})[8].Submenu[2].Id,
              IDM_LIST_WSL_PATHS);
    EXPECT_EQ(Pathgrab::MenuEntries(2, false, Pathgrab::FaceFor(0x0411), {true, false, false, true})[8]
                  .Submenu[1]
                  .Id,
              IDM_LIST_WEB_ADDRESSES);
}

// The submenu's list captions, each "： [ " + what it lists + " ] のリストをコピー", written from iconv's
// output for the Unicode texts in the comments: no caption names another list.
TEST(Faces, JapaneseListCaptionsReadAsTheirLists) {
    using Pathgrab::Texts::TFace;
    const std::string tail = " ] \x82\xcc\x83\x8a\x83\x58\x83\x67\x82\xf0\x83\x52\x83\x73\x81\x5b";
    const struct {
        const char* TFace::*text;
        const char* listed;
    } captions[] = {
        {&TFace::ListUncPaths, "UNC \x83\x70\x83\x58"}, // UNC パス
        {&TFace::ListFileUris, "file URI"},             // file URI
        {&TFace::ListSlashPaths, "\x83\x58\x83\x89\x83\x62\x83\x56\x83\x85\x8b\xe6\x90\xd8\x82\xe8\x82\xcc"
                                 "\x83\x70\x83\x58"},   // スラッシュ区切りのパス
        {&TFace::ListWslPaths, "WSL \x83\x70\x83\x58"}, // WSL パス
        {&TFace::ListCommandLine,
         "\x83\x52\x83\x7d\x83\x93\x83\x68\x83\x89\x83\x43\x83\x93 (1 \x8d\x73)"}, // コマンドライン (1 行)
        {&TFace::ListJsonArray, "JSON \x94\x7a\x97\xf1"},                          // JSON 配列
        {&TFace::ListRepoPaths, "Git "
                                "\x83\x8a\x83\x7c\x83\x57\x83\x67\x83\x8a\x93\xe0\x82\xcc\x91\x8a\x91\xce\x83"
                                "\x70\x83\x58"}, // Git リポジトリ内の相対パス
        {&TFace::ListMarkdownLinks, "Markdown \x83\x8a\x83\x93\x83\x4e"}, // Markdown リンク
        {&TFace::ListLinks, "\x83\x8a\x83\x93\x83\x4e"},                  // リンク
        {&TFace::ListWebAddresses,
         "Web \x83\x41\x83\x68\x83\x8c\x83\x58 (SharePoint)"}, // Web アドレス (SharePoint)
        {&TFace::ListPowerShellStrings, "PowerShell \x95\xb6\x8e\x9a\x97\xf1"}, // PowerShell 文字列
        {&TFace::ListMailLinks,
         "\x83\x81\x81\x5b\x83\x8b\x97\x70\x83\x8a\x83\x93\x83\x4e <...>"}, // メール用リンク <...>
        {&TFace::ListUserFolderPaths,
         "\x83\x86\x81\x5b\x83\x55\x81\x5b \x83\x74\x83\x48\x83\x8b\x83"
         "\x5f\x81\x5b\x82\xa9\x82\xe7\x82\xcc\x83\x70\x83\x58"}, // ユーザー フォルダーからのパス
        {&TFace::ListSmbAddresses, "smb \x83\x41\x83\x68\x83\x8c\x83\x58"}, // smb アドレス
    };
    for (const auto& c : captions)
        EXPECT_EQ(Pathgrab::Texts::JapaneseFace.*c.text, Colon + "[ " + c.listed + tail);
    EXPECT_EQ(std::string(Pathgrab::Texts::JapaneseFace.LinkPrefix), "[ \x83\x8a\x83\x93\x83\x4e ] ");
}

// Every text with one reading per language has both: a Japanese one (code page 932, so not plain
// ASCII) and an English one (plain ASCII, so the same in every code page), and the questions say what
// Yes does to what.
TEST(Faces, EveryTextHasBothLanguages) {
    using Pathgrab::Texts::TFace;
    const struct {
        const char* name;
        const char* TFace::*text;
    } texts[] = {
        {"NumberSeparator", &TFace::NumberSeparator},
        {"ListLongPaths", &TFace::ListLongPaths},
        {"ListQuotedLongPaths", &TFace::ListQuotedLongPaths},
        {"ListNamesWithExt", &TFace::ListNamesWithExt},
        {"ListNamesWithoutExt", &TFace::ListNamesWithoutExt},
        {"Cancel", &TFace::Cancel},
        {"DeleteQuestion", &TFace::DeleteQuestion},
        {"CreateQuestion", &TFace::CreateQuestion},
        {"MoreForms", &TFace::MoreForms},
        {"ListUncPaths", &TFace::ListUncPaths},
        {"ListFileUris", &TFace::ListFileUris},
        {"ListSlashPaths", &TFace::ListSlashPaths},
        {"ListWslPaths", &TFace::ListWslPaths},
        {"ListCommandLine", &TFace::ListCommandLine},
        {"ListJsonArray", &TFace::ListJsonArray},
        {"ListRepoPaths", &TFace::ListRepoPaths},
        {"ListMarkdownLinks", &TFace::ListMarkdownLinks},
        {"ListLinks", &TFace::ListLinks},
        {"LinkPrefix", &TFace::LinkPrefix},
        {"ListWebAddresses", &TFace::ListWebAddresses},
        {"ListPowerShellStrings", &TFace::ListPowerShellStrings},
        {"ListMailLinks", &TFace::ListMailLinks},
        {"ListUserFolderPaths", &TFace::ListUserFolderPaths},
        {"ListSmbAddresses", &TFace::ListSmbAddresses},
    };
    auto ascii = [](const std::string& t) {
        for (unsigned char c : t)
            if (c >= 0x80) return false;
        return true;
    };
    for (const auto& t : texts) {
        const std::string japanese = Pathgrab::Texts::JapaneseFace.*t.text;
        const std::string english = Pathgrab::Texts::EnglishFace.*t.text;
        EXPECT_FALSE(japanese.empty() || ascii(japanese)) << t.name;
        EXPECT_TRUE(!english.empty() && ascii(english)) << t.name;
    }
    for (const std::string q :
         {Pathgrab::Texts::EnglishFace.CreateQuestion, Pathgrab::Texts::EnglishFace.DeleteQuestion}) {
        EXPECT_NE(q.find("Pathgrabber"), std::string::npos) << q;
        EXPECT_NE(q.find("\"Send To\""), std::string::npos) << q;
    }
    EXPECT_EQ(std::string(Pathgrab::Texts::EnglishFace.CreateQuestion).rfind("Create", 0), 0u);
    EXPECT_EQ(std::string(Pathgrab::Texts::EnglishFace.DeleteQuestion).rfind("Delete", 0), 0u);
}

} // namespace
