// One table of files sent as the shell sends them (a wide command line; files made with the wide API),
// run once for each kind of machine the rig plays: the system code page, the format locale and the
// keyboard layout come from the environment the driver runs in (see WineTiers.cmake). Whatever the
// machine, a Unicode paste reads exactly the real path or name, and the ANSI text is byte-exact
// wherever the system code page holds it, else stands for the same file (its 8.3 form) or for none (a
// '?' for each character the code page lacks): never for a look-alike.
#include "E2eFixture.h"
#include "MenuE2eSupport.h"
#include "TinyShlLnk.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <memory>
#include <utility>

namespace E2e {
namespace {

// The bytes of w in the system code page when it holds every character exactly; else empty.
std::string Held(const std::wstring& w) {
    BOOL lossy = FALSE;
    std::string b(w.size() * 4, '\0'); // room for UTF-8, a code page of its own
    b.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(),
                                                     static_cast<int>(w.size()), &b[0],
                                                     static_cast<int>(b.size()), nullptr, &lossy)));
    return lossy || WideOf(b) != w ? std::string() : b;
}

std::wstring LongW(const std::wstring& path) {
    wchar_t buffer[1024] = {};
    const DWORD n = GetLongPathNameW(path.c_str(), buffer, 1024);
    return n > 0 && n < 1024 ? std::wstring(buffer, n) : std::wstring();
}

std::wstring LastName(const std::wstring& path) {
    return path.substr(path.find_last_of(L'\\') + 1);
}
std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\'));
}

// The lines of a list text, each ended by CR LF.
template <typename Str> std::vector<Str> LinesOf(const Str& text) {
    std::vector<Str> lines;
    for (size_t at = 0, end; (end = text.find(typename Str::value_type('\r'), at)) != Str::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

// ANSI text that stands for the item whose exact long path is longPath, seen from folder: it names that
// very item, or (holding a '?', which no file name can) no item at all.
void ExpectStandsFor(const std::string& bytes, const std::wstring& folder, const std::wstring& longPath) {
    const std::wstring read = WideOf(bytes);
    const std::wstring path = read.find(L'\\') == std::wstring::npos ? folder + L"\\" + read : read;
    if (read.find(L'?') != std::wstring::npos) {
        EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << bytes << " names a file";
    } else {
        EXPECT_EQ(LongW(path), longPath) << bytes << " names another file, or none";
    }
}

void MakeFileW(const std::wstring& path) {
    for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

// 表 (hyo) is 0x95 0x5C in code page 932: a trail byte with the value of a backslash.
const std::wstring Hyo(30, L'\u8868');

enum class Pick {
    Shift,    // Shift copies the long path at once
    LongPath, // item 1
    FileName, // item 2, or 3 after the quoted path where the path has a space
    List,     // sent with a second file: the list of long paths
};

// The UTF-8 bytes of a text, percent-encoded as a URI's path is.
std::wstring Encoded(const std::wstring& text) {
    std::wstring out;
    for (unsigned char c : BytesOf(text, CP_UTF8)) {
        wchar_t hex[4];
        out += isalnum(c) || strchr("-._~/", c) ? std::wstring(1, c) : (swprintf(hex, 4, L"%%%02X", c), hex);
    }
    return out;
}

// A team library as the OneDrive client syncs it: its folder (Japanese, with spaces) below the scratch
// folder, and its address.
const std::wstring Library =
    L"\u55B6\u696D\u90E8 - \u30C9\u30AD\u30E5\u30E1\u30F3\u30C8"; // 営業部 - ドキュメント
const std::wstring LibraryUrl = L"https://contoso.sharepoint.com/sites/Sales/Shared Documents/";
// The web address of a long path in the library whose folder is mount (written here from the record:
// the library's address, then the path below the mount point, percent-encoded); else the path itself.
std::wstring WebAddressIn(const std::wstring& mount, const std::wstring& longPath) {
    if (longPath.rfind(mount + L"\\", 0) != 0) return longPath;
    std::wstring rest = longPath.substr(mount.size() + 1);
    for (wchar_t& c : rest)
        if (c == L'\\') c = L'/';
    return L"https://contoso.sharepoint.com" + Encoded(LibraryUrl.substr(30) + rest);
}

// The submenu's form of a local long path in a work tree whose root is root, written here from its
// definition: 'u' the URI, which percent-encodes the UTF-8 bytes of the system's own conversion, 's'
// forward slashes, 'w' the WSL path, 'g' the Git Bash path, 'l' the string literal, 'r' the path in the
// work tree, 'm' the Markdown link, 'k' the link's plain text, 'p' the PowerShell string, 'h' the path
// from the user's folder (the rig's temporary folder lies in it), and of a server's path 'e' the mail link,
// 'b' the smb address.
std::wstring MoreForm(char form, const std::wstring& longPath, const std::wstring& root = L"") {
    std::wstring slash = longPath, literal = L"\"", quoted = L"'";
    for (wchar_t& c : slash)
        if (c == L'\\') c = L'/';
    for (wchar_t c : longPath) {
        literal += c == L'\\' ? L"\\\\" : std::wstring(1, c);
        quoted.append(c == L'\'' || (c >= 0x2018 && c <= 0x201B) ? 2 : 1, c);
    }
    const std::wstring drive(1, static_cast<wchar_t>(towlower(slash[0])));
    if (form == 's') return slash;
    if (form == 'w') return L"/mnt/" + drive + slash.substr(2);
    if (form == 'g') return L"/" + drive + slash.substr(2);
    if (form == 'l') return literal + L"\"";
    if (form == 'r') return slash.substr(root.size() + 1);
    if (form == 'm') return L"[" + LastName(longPath) + L"](" + MoreForm('u', longPath) + L")";
    if (form == 'k') return longPath;
    if (form == 'h') return L"%USERPROFILE%" + longPath.substr(LongW(_wgetenv(L"USERPROFILE")).size());
    if (form == 'e') return L"<" + longPath + L">";
    if (form == 'b') return L"smb:" + Encoded(slash);
    if (form == 'p') return quoted + L"'";
    return L"file:///" + slash.substr(0, 2) + Encoded(slash.substr(2));
}

// A form's bytes read back as the path, or for a link the name, they write.
std::string Backslashed(char form, std::string bytes, const std::string& root) {
    if (form == 'w' && bytes.size() > 5)
        bytes = std::string(1, static_cast<char>(toupper(bytes[5]))) + ":" + bytes.substr(6);
    if (form == 'g' && bytes.size() > 1)
        bytes = std::string(1, static_cast<char>(toupper(bytes[1]))) + ":" + bytes.substr(2);
    if (form == 'r') bytes = root + "\\" + bytes;
    if (form == 'm') bytes = bytes.substr(bytes.find('[') + 1, bytes.find("](") - bytes.find('[') - 1);
    if (form == 'e') bytes = bytes.substr(1, bytes.size() - 2);
    if (form == 'l' || form == 'm') {
        // Unescaped: a literal between its quotes, a link's name (an 8.3 one holds '~' and '_').
        std::string unescaped;
        for (size_t i = form == 'l'; i + (form == 'l') < bytes.size(); ++i) {
            if (IsDBCSLeadByte(static_cast<BYTE>(bytes[i])))
                unescaped += bytes[i++];
            else if (bytes[i] == '\\')
                ++i; // the escape before the character
            unescaped += bytes[i];
        }
        bytes = unescaped;
    }
    for (char& c : bytes)
        if (c == '/') c = '\\'; // never a trail byte in any system code page
    return bytes;
}

// The items of a one-line list: a command line split as the system splits it, or a JSON array of strings.
std::vector<std::wstring> OneLineItems(char form, const std::wstring& text) {
    std::vector<std::wstring> items;
    if (form == 'c') {
        int count = 0;
        wchar_t** argv = CommandLineToArgvW((L"p " + text).c_str(), &count);
        for (int i = 1; argv && i < count; ++i)
            items.push_back(argv[i]);
        LocalFree(argv);
        return items;
    }
    for (size_t at = 0; (at = text.find(L'"', at)) != std::wstring::npos;) {
        std::wstring item;
        for (++at; at < text.size() && text[at] != L'"'; ++at)
            item += text[at] == L'\\' ? text[++at] : text[at];
        items.push_back(item);
        ++at;
    }
    return items;
}

struct MachineRow {
    const char* Name;
    std::wstring Item;  // below the scratch folder, "\" between names
    std::wstring Decoy; // what a look-alike of Item would name (made too), or empty
    Pick How;
    char Form = 0;            // picked in the submenu of more forms instead (the long path's or the list's)
    bool ViaShortcut = false; // sent as a shortcut to Item, made by the system's link object
    bool InLibrary =
        false; // Item's first folder is a synced team library ('W' its web address, 'X' the list)
    bool OnServer = false; // Item lies on the file server, sent as \\fileserv\share\Item
    bool Copied = false;   // copied as a file list, and the program started with /clipboard
};

// The file server as Wine plays it: \\server\share\... is the prefix's dosdevices\unc\server\share.
struct FileServer {
    std::wstring unc = L"Z:" + std::wstring(_wgetenv(L"WINEPREFIX")) + L"\\dosdevices\\unc";
    FileServer() {
        std::replace(unc.begin(), unc.end(), L'/', L'\\');
        for (const wchar_t* folder : {L"", L"\\fileserv", L"\\fileserv\\share"})
            CreateDirectoryW((unc + folder).c_str(), nullptr);
    }
    ~FileServer() { RemoveTree(BytesOf(unc)); }
};

// Names that one code page or another lacks: Korean, an emoji beyond the BMP, Polish letters.
const std::wstring Hangul = L"\uD55C\uAE00 memo.txt", Emoji = L"\U0001F4C4 notes.txt",
                   Lodz = L"\u0141\u00F3d\u017A.txt";

const MachineRow Rows[] = {
    // A Japanese system with English format: the lead bytes are the system's, whatever the format.
    {"TrailBackslashInName", L"\u30BD\u30D5\u30C8\\\u8868.txt", L"", Pick::FileName},
    // An English system with Japanese format: 0xE9 is a letter, never a lead byte.
    {"AccentedFolder", L"Caf\u00E9\\x.txt", L"", Pick::FileName},
    // Characters the code page lacks arrive as look-alikes in the ANSI command line.
    {"AccentTheCodePageLacks", L"caf\u00E9.txt", L"cafe.txt", Pick::Shift},
    {"AccentLongPathItem", L"caf\u00E9.txt", L"cafe.txt", Pick::LongPath},
    {"AccentFileNameItem", L"caf\u00E9.txt", L"cafe.txt", Pick::FileName},
    {"AccentInAList", L"caf\u00E9.txt", L"cafe.txt", Pick::List},
    {"YenSignTheCodePageLacks", L"a\u00A5b.txt", L"a\\b.txt", Pick::Shift},
    {"HangulShift", Hangul, L"", Pick::Shift},
    {"HangulLongPathItem", Hangul, L"", Pick::LongPath},
    {"HangulFileNameItem", Hangul, L"", Pick::FileName},
    {"HangulInAList", Hangul, L"", Pick::List},
    {"EmojiShift", Emoji, L"", Pick::Shift},
    {"EmojiLongPathItem", Emoji, L"", Pick::LongPath},
    {"EmojiFileNameItem", Emoji, L"", Pick::FileName},
    {"EmojiInAList", Emoji, L"", Pick::List},
    {"PolishShift", Lodz, L"Lodz.txt", Pick::Shift},
    {"PolishLongPathItem", Lodz, L"Lodz.txt", Pick::LongPath},
    {"PolishFileNameItem", Lodz, L"Lodz.txt", Pick::FileName},
    {"PolishInAList", Lodz, L"Lodz.txt", Pick::List},
    // 152 characters: over 260 bytes where they take two bytes each, yet within the path limit.
    {"LongDoubleBytePath",
     Hyo + L"\\" + Hyo + L"\\" + Hyo + L"\\" + Hyo + L"\\" + Hyo.substr(0, 10) + L".txt", L"", Pick::Shift},
    // The submenu's forms: a trail byte 0x5C stays in the slash and WSL bytes; what the code page lacks
    // is percent-encoded UTF-8 in the URI and never a look-alike in the others' bytes.
    {"UriItemTrailBackslash", L"\u30BD\u30D5\u30C8\\\u8868 a.txt", L"", Pick::LongPath, 'u'},
    {"SlashItemTrailBackslash", L"\u30BD\u30D5\u30C8\\\u8868.txt", L"", Pick::LongPath, 's'},
    {"WslItemAccent", L"caf\u00E9 au lait.txt", L"cafe au lait.txt", Pick::LongPath, 'w'},
    {"UriListEmoji", Emoji, L"", Pick::List, 'u'},
    {"SlashListHangul", Hangul, L"", Pick::List, 's'},
    {"WslListPolish", Lodz, L"Lodz.txt", Pick::List, 'w'},
    // The forms for code and documents, in a work tree: a string literal doubles no trail byte, the
    // one-line lists end in no CR LF, the link carries its HTML beside the path.
    {"GitBashItemTrailBackslash", L"\u30BD\u30D5\u30C8\\\u8868.txt", L"", Pick::LongPath, 'g'},
    {"LiteralItemTrailBackslash", L"\u30BD\u30D5\u30C8\\\u8868 a.txt", L"", Pick::LongPath, 'l'},
    {"RepoItemAccent", L"src\\caf\u00E9.txt", L"src\\cafe.txt", Pick::LongPath, 'r'},
    {"MarkdownItemHangul", Hangul, L"", Pick::LongPath, 'm'},
    {"LinkItemEmoji", Emoji, L"", Pick::LongPath, 'k'},
    {"CommandLineListAmpersand", L"caf\u00E9 & co.txt", L"cafe & co.txt", Pick::List, 'c'},
    {"JsonListAmpersand", L"caf\u00E9 & co.txt", L"cafe & co.txt", Pick::List, 'j'},
    {"MarkdownListPolish", Lodz, L"Lodz.txt", Pick::List, 'M'},
    {"LinksListHangul", Hangul, L"", Pick::List, 'K'},
    // In a synced team library: the web address (ASCII, whatever the code page), the list with an item
    // outside, and the Markdown link pointing at it.
    {"WebAddressItem", Library + L"\\\u898B\u7A4D\\a #1.xlsx", L"", Pick::LongPath, 'W', false, true},
    {"WebAddressListOneOutside", Library + L"\\\u898B\u7A4D\\a #1.xlsx", L"", Pick::List, 'X', false, true},
    {"MarkdownItemInALibrary", Library + L"\\\u898B\u7A4D\\a #1.xlsx", L"", Pick::LongPath, 'm', false, true},
    // Forms past nine, picked by their letters: in the user's folder, and on a file server.
    {"PowerShellItemTypographicQuote", L"Documents\\Yamada\u2019s memo.txt", L"", Pick::LongPath, 'p'},
    {"UserFolderItemTypographicQuote", L"Documents\\Yamada\u2019s memo.txt", L"", Pick::LongPath, 'h'},
    {"MailLinkItemOnAServer", L"\u55B6\u696D\\\u898B\u7A4D 2024.xlsx", L"", Pick::LongPath, 'e', false, false,
     true},
    {"SmbItemOnAServer", L"\u55B6\u696D\\\u898B\u7A4D 2024.xlsx", L"", Pick::LongPath, 'b', false, false,
     true},
    // A shortcut keeps such a target as a lossy stored path (the look-alike) and as its exact item list.
    {"AccentShortcutShift", L"caf\u00E9.txt", L"cafe.txt", Pick::Shift, 0, true},
    {"AccentShortcutLongPathItem", L"caf\u00E9.txt", L"cafe.txt", Pick::LongPath, 0, true},
    {"YenSignShortcutShift", L"a\u00A5b.txt", L"a\\b.txt", Pick::Shift, 0, true},
    {"HangulShortcutShift", Hangul, L"", Pick::Shift, 0, true},
    {"HangulShortcutLongPathItem", Hangul, L"", Pick::LongPath, 0, true},
    {"EmojiShortcutShift", Emoji, L"", Pick::Shift, 0, true},
    {"EmojiShortcutLongPathItem", Emoji, L"", Pick::LongPath, 0, true},
    {"PolishShortcutShift", Lodz, L"Lodz.txt", Pick::Shift, 0, true},
    {"PolishShortcutLongPathItem", Lodz, L"Lodz.txt", Pick::LongPath, 0, true},
    // Copied in a file manager, a digit picks as for a sent file.
    {"CopiedTrailBackslashFileNameItem", L"\u30BD\u30D5\u30C8\\\u8868.txt", L"", Pick::FileName, 0, false,
     false, false, true},
    {"CopiedAccentLongPathItem", L"caf\u00E9.txt", L"cafe.txt", Pick::LongPath, 0, false, false, false, true},
    {"CopiedHangulLongPathItem", Hangul, L"", Pick::LongPath, 0, false, false, false, true},
};

void PrintTo(const MachineRow& row, std::ostream* os) {
    *os << row.Name;
}

class Machine : public ProgramTest, public testing::WithParamInterface<MachineRow> {};

TEST_P(Machine, CopiesTheExactPathAndBytesThatNameNoOtherFile) {
    const MachineRow& row = GetParam();
    ScratchDir dir;
    std::unique_ptr<FileServer> server(row.OnServer ? new FileServer : nullptr);
    const std::wstring sent = (row.OnServer ? L"\\\\fileserv\\share" : WideOf(dir.Path())) + L"\\" + row.Item;
    MakeFileW(sent);
    if (!row.Decoy.empty()) MakeFileW(WideOf(dir.Path()) + L"\\" + row.Decoy);
    const std::wstring longSent = LongW(sent);
    ASSERT_FALSE(longSent.empty());
    const std::wstring other = WideOf(dir.Path()) + L"\\plain.txt";
    if (row.How == Pick::List) MakeFileW(other);
    // The submenu's rows run in a work tree, so that it offers the path in the repository.
    if (row.Form) CreateDirectoryW((WideOf(dir.Path()) + L"\\.git").c_str(), nullptr);
    const std::wstring mount = LongW(WideOf(dir.Path())) + L"\\" + Library;
    std::unique_ptr<SyncedLibrary> record(row.InLibrary ? new SyncedLibrary(mount, LibraryUrl) : nullptr);

    // As the shell starts it: the program's path and the items', quoted, in a wide command line.
    const std::wstring link = WideOf(dir.Path()) + L"\\sent.lnk";
    if (row.ViaShortcut) TinyShlLnk::CreateShortcut(link, L"", sent, L"", L"", L"", 0, SW_SHOWNORMAL, 0);
    const std::wstring exe = WideOf(PathgrabExe());
    std::wstring line = L"\"" + exe + L"\" \"" + (row.ViaShortcut ? link : sent) + L"\"";
    if (row.Copied) {
        ASSERT_TRUE(WriteClipboard(DropFiles({sent}), CF_HDROP));
        line = L"\"" + exe + L"\" /clipboard";
    }
    if (row.How == Pick::List) line += L" \"" + other + L"\"";
    Child p;
    {
        std::unique_ptr<KeyHeld> shift(row.How == Pick::Shift ? new KeyHeld(VK_SHIFT) : nullptr);
        p = StartWide(exe, line);
        ASSERT_TRUE(p.Started()) << p.StartFailure();
        if (row.How != Pick::Shift) {
            ASSERT_TRUE(WaitForMenuKeys(p, StartTimeoutMs)) << LastMenuWait();
            const bool quoted = longSent.find(L' ') != std::wstring::npos;
            if (!row.Form) {
                TapKey(row.How == Pick::FileName ? (quoted ? '3' : '2') : '1');
            } else {
                // The submenu follows the classic items: the quoted forms where path and folder hold a space.
                const bool folderQuoted = FolderOf(longSent).find(L' ') != std::wstring::npos;
                TapKey(row.How == Pick::List ? '5' : static_cast<char>('6' + quoted + folderQuoted));
                for (DWORD start = GetTickCount();
                     WindowsOf(p.Id(), true, "#32768").size() < 2 && GetTickCount() - start < StartTimeoutMs;)
                    PumpMessages(20);
                ASSERT_EQ(WindowsOf(p.Id(), true, "#32768").size(), 2u) << "the submenu did not open";
                // No network drive here: the items' forms and the lists in their order, from 1.
                const std::string order =
                    row.OnServer ? "uslmkpeb"
                                 : std::string(row.InLibrary ? (row.How == Pick::List ? "X" : "W") : "") +
                                       (row.How == Pick::List ? "uswcjrMK"
                                        : row.InLibrary       ? "uswglrmkpeh"
                                                              : "uswglrmkph");
                const size_t at = order.find(row.Form);
                TapKey(static_cast<char>(at < 9 ? '1' + at : 'A' + at - 9));
            }
        }
        ExpectEndsWithZero(p);
    }
    const ClipboardText got = ReadClipboard();
    ASSERT_NE(got.Text, Sentinel) << "nothing was copied";
    // The system's locale, not the format's: a program that reads CF_TEXT by it reads the right text.
    EXPECT_EQ(got.Locale, GetSystemDefaultLCID());
    std::vector<std::wstring> wanted = {row.How == Pick::FileName ? LastName(longSent) : longSent};
    if (row.How == Pick::List) wanted.push_back(LongW(other));
    const std::vector<std::wstring> longs = wanted;
    const std::wstring root = LongW(WideOf(dir.Path()));
    const char form = row.Form == 'M' ? 'm' : row.Form == 'K' ? 'k' : row.Form;
    if (row.Form == 'W' || row.Form == 'X')
        for (std::wstring& w : wanted)
            w = WebAddressIn(mount, w);
    else if (row.InLibrary && form == 'm')
        for (std::wstring& w : wanted)
            w = L"[" + LastName(w) + L"](" + WebAddressIn(mount, w) + L")";
    else if (row.Form && !strchr("cj", row.Form))
        for (std::wstring& w : wanted)
            w = (row.Form == 'M' ? L"- " : L"") + MoreForm(form, w, root);
    if (form == 'k') {
        // The link's HTML: its offsets frame the anchor, which reads as the name and opens the URI.
        const size_t from = got.Html.find("StartFragment:"), to = got.Html.find("EndFragment:");
        ASSERT_TRUE(from != std::string::npos && to != std::string::npos) << "no HTML beside the text";
        const std::string fragment = got.Html.substr(std::stoul(got.Html.substr(from + 14, 10)),
                                                     std::stoul(got.Html.substr(to + 12, 10)) -
                                                         std::stoul(got.Html.substr(from + 14, 10)));
        for (const std::wstring& w : longs) {
            const std::wstring anchor = L"<a href=\"" + MoreForm('u', w) + L"\">" + LastName(w) + L"</a>";
            EXPECT_NE(WideOf(fragment, CP_UTF8).find(anchor), std::wstring::npos) << fragment;
        }
    }
    if (row.Form == 'c' || row.Form == 'j') {
        // One line, nothing at its end to run it; the items read back exactly.
        EXPECT_EQ(got.Wide.find(L'\n'), std::wstring::npos);
        std::vector<std::wstring> items = OneLineItems(row.Form, got.Wide), either = {longs[1], longs[0]};
        EXPECT_TRUE(items == longs || items == either) << "the one line lists other items";
        if (!Held(got.Wide).empty()) {
            EXPECT_EQ(got.Text, Held(got.Wide));
        }
        EXPECT_EQ(WideOf(got.Text).find(row.Decoy), std::wstring::npos) << "a look-alike in the ANSI line";
        return;
    }
    const std::vector<std::wstring> exact = LinesOf(got.Wide);
    const std::vector<std::string> bytes = LinesOf(got.Text);
    if (row.How == Pick::List) {
        ASSERT_EQ(exact.size(), 2u) << "the Unicode list lists other items";
        ASSERT_EQ(bytes.size(), 2u) << "the ANSI list lists other items";
        const std::vector<std::wstring> either = {exact[1], exact[0]};
        ASSERT_EQ(exact[0] == wanted[0] ? exact : either, wanted);
    } else {
        // What follows reads the text as the form it should be: another form ends the row here.
        ASSERT_EQ(got.Wide, wanted[0]) << "a Unicode paste reads another text";
    }
    for (size_t i = 0; i < exact.size() || (i == 0 && row.How != Pick::List); ++i) {
        const std::wstring& w = row.How == Pick::List ? exact[i] : got.Wide;
        const std::string& b = row.How == Pick::List ? bytes[i] : got.Text;
        SCOPED_TRACE(i);
        // Byte-exact wherever the system code page holds the text (a URI is ASCII); else it stands for
        // the same item.
        // A link's name is cut from the item's bytes: where the code page lacks the library's folders, they
        // are the 8.3 form, and so is the name, even where the name itself is held.
        const bool standIn = row.InLibrary && form == 'm' && Held(longSent).empty();
        if (!Held(w).empty() && !standIn) {
            EXPECT_EQ(b, Held(w));
        } else if (row.Form) {
            EXPECT_NE(row.Form, 'u') << "a URI is ASCII";
            ExpectStandsFor(Backslashed(form, b, Held(root)), FolderOf(longSent),
                            longs[w == wanted[0] ? 0 : 1]);
        } else {
            ExpectStandsFor(b, FolderOf(longSent), row.How == Pick::FileName ? longSent : LongW(w));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, Machine, testing::ValuesIn(Rows),
                         [](const testing::TestParamInfo<MachineRow>& i) {
                             return std::string(i.param.Name);
                         });

} // namespace
} // namespace E2e
