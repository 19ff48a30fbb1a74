// The program's own module: global state, menu commands, the computed menu and texts, and (in the
// Windows build) the window, the popup and the registration prompt.
#pragma once
#include <windows.h>

#include "TinyUtils.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace Pathgrab {

namespace Texts {
struct TFace;
}

// ---- Menu command identifiers ----------------------------------------------------------------------

enum : uint32_t {
    IDM_LIST_LONG_PATHS = 0x100,
    IDM_LIST_QUOTED_LONG_PATHS = 0x101,
    IDM_LIST_NAMES_WITH_EXT = 0x102,
    IDM_LIST_NAMES_WITHOUT_EXT = 0x103,
    IDM_LONG_PATH = 0x104,
    IDM_QUOTED_LONG_PATH = 0x105,
    IDM_FILE_NAME = 0x106,
    IDM_NAME_WITHOUT_EXT = 0x107,
    IDM_FOLDER = 0x108,
    IDM_QUOTED_FOLDER = 0x109,
    IDM_SHORT_PATH = 0x110,
    IDM_CANCEL = 0x111,
    // The submenu of more forms: one item's forms, then the lists.
    IDM_UNC_PATH = 0x120,
    IDM_FILE_URI = 0x121,
    IDM_SLASH_PATH = 0x122,
    IDM_WSL_PATH = 0x123,
    IDM_LIST_UNC_PATHS = 0x124,
    IDM_LIST_FILE_URIS = 0x125,
    IDM_LIST_SLASH_PATHS = 0x126,
    IDM_LIST_WSL_PATHS = 0x127,
    IDM_GIT_BASH_PATH = 0x128,
    IDM_STRING_LITERAL = 0x129,
    IDM_REPO_PATH = 0x12A,
    IDM_MARKDOWN_LINK = 0x12B,
    IDM_LINK = 0x12C,
    IDM_LIST_COMMAND_LINE = 0x12D,
    IDM_LIST_JSON_ARRAY = 0x12E,
    IDM_LIST_REPO_PATHS = 0x12F,
    IDM_LIST_MARKDOWN_LINKS = 0x130,
    IDM_LIST_LINKS = 0x131,
    IDM_WEB_ADDRESS = 0x132,
    IDM_LIST_WEB_ADDRESSES = 0x133,
    IDM_POWERSHELL_STRING = 0x134,
    IDM_LIST_POWERSHELL_STRINGS = 0x135,
    IDM_MAIL_LINK = 0x136,
    IDM_LIST_MAIL_LINKS = 0x137,
    IDM_USER_FOLDER_PATH = 0x138,
    IDM_LIST_USER_FOLDER_PATHS = 0x139,
    IDM_SMB_ADDRESS = 0x13A,
    IDM_LIST_SMB_ADDRESSES = 0x13B,
};

// ---- Global state: written once by ShowPathMenu, read-only afterwards ---------------------------

using TinyUtils::TText;

// Each in both readings: its exact text, and the bytes that stand for it.
extern TText TargetLongPath;
extern TText TargetFileName;
extern TText TargetBaseName;
extern TText TargetFolder;
extern TText TargetShortPath;
// The UNC name of the long path where it lies on a network drive, else empty.
extern TText TargetUncPath;
// Levels of the long path below the root of the Git work tree that holds it; -1 outside every one.
extern int TargetRepoDepth;
// The web address of the long path where it lies in a synced SharePoint or OneDrive library, else empty.
extern TText TargetWebAddress;
// The long path from the user's folder that holds it (%USERPROFILE%\...), else empty.
extern TText TargetUserFolderPath;

// Releases the five target strings in the order of the program's finalisation.
void ReleaseTargets();

// ---- Decisions (computed, no platform effects) ---------------------------------------------------

// One entry of the popup menu: a command item, or a separator (Id 0, no caption). The caption is Fixed
// followed by Form; the two are apart because they come in different forms: Fixed is the program's
// own text (number, mnemonic, literal) in Texts::TextCodePage, Form a path form (quotes included) in
// both readings, of which the menu shows the exact one.
struct TMenuEntry {
    uint32_t Id;
    std::string Fixed;
    TText Form;
    bool Separator;
    // Not empty: the entry opens this submenu instead of being a command.
    std::vector<TMenuEntry> Submenu = {};
};

// What the several items' submenu may offer beyond the lists every path has: a UNC list where an item
// lies on a network drive, a WSL list where an item has a WSL path, a list of paths in the Git
// repository where an item lies in a work tree.
struct TListOffer {
    bool Unc;
    bool Wsl;
    bool Repo = false;
    bool Web = false; // an item lies in a synced library
    bool Mail = false;       // an item has a mail link
    bool UserFolder = false; // an item lies in one of the user's folders
    bool Smb = false;        // an item has a server path
};

// A text for the clipboard: the plain text in both readings and, for a link, the "HTML Format" text
// (UTF-8, whatever the code page) that goes beside it; empty where there is none.
struct TClip : TText {
    TClip(TText Text = TText(), std::string HtmlText = std::string())
        : TText(std::move(Text)), Html(std::move(HtmlText)) {}
    std::string Html;
};

// What the more forms of an item are made of.
struct TItem {
    TText Long;     // the long path
    TText Unc;      // its UNC name where it lies on a network drive, else empty
    int RepoDepth;  // levels below the root of its Git work tree; -1 outside every one
    TText Web = {}; // its web address where it lies in a synced library, else empty
    TText UserFolder = {}; // its path from the user's folder that holds it, else empty
};

// What a form is made of beyond the long path, each a question to the file system, the network or the
// registry: a row names what it needs, and its functions see nothing else of the item.
enum : unsigned { ndUnc = 1, ndRepo = 2, ndWeb = 4, ndUserFolder = 8 };

// One form of the submenu of more forms: its item for one item sent, its list for several, or both.
struct TMoreForm {
    // The item's command (0: none) and its form; an empty form is not offered.
    uint32_t Id = 0;
    TText (*Form)(const TItem& Item) = nullptr;
    // The list's command (0: none) and caption; the list is offered only where OfferedIf is true of the
    // items (null: always).
    uint32_t ListId = 0;
    const char* Texts::TFace::*ListCaption = nullptr;
    bool TListOffer::*OfferedIf = nullptr;
    // An item's line in the list (an empty one is left out), and how the sorted lines make the list.
    TText (*Line)(const TItem& Item) = nullptr;
    enum TJoin { jnLines, jnCommandLine, jnJsonArray, jnArray } Join = jnLines;
    // What the item's form and the list's lines are made of beyond the long path (ndUnc ...).
    unsigned Needs = 0;
    // A link: the anchor that the HTML of the item or of each line holds; else null.
    std::string (*Anchor)(const TItem& Item) = nullptr;
    // Before the shown form in the caption (null: nothing), and what the caption shows in place of the
    // form (null: the form).
    const char* Texts::TFace::*Prefix = nullptr;
    TText (*Shown)(const TItem& Item) = nullptr;
};

// Every form of the submenu, in its order.
extern const TMoreForm MoreForms[];
extern const size_t MoreFormCount;

// The popup's content from the five target strings, the argument count and the folder test, with
// the fixed texts of the given face. Whether a form holds a space is a question about the item, so
// its exact text answers it: an 8.3 form standing for it may have none.
std::vector<TMenuEntry> MenuEntries(int ArgCount, bool TargetIsFolder, const Texts::TFace& Face,
                                    TListOffer Offer = {false, false});

// The face for the user's UI language: Japanese for Japanese, English for every other.
const Texts::TFace& FaceFor(LANGID UiLanguage);

// The form in double quotes, and a name without its extension, in both readings.
TText Quoted(const TText& Form);
TText WithoutExt(const TText& Name);

// The text a list command puts on the clipboard; given by the caller so that CommandText stays pure.
typedef TClip (*TListTextFn)(uint32_t Id);

// The text that command Id puts on the clipboard (an empty exact text: the clipboard is left alone).
TClip CommandText(uint32_t Id, TListTextFn ListText);

// How a list command turns an argument into its long form, in both readings.
typedef TText (*TLongPathFn)(const TText& Path);

// The list texts over the given arguments: long paths (quoted when Quote and they hold a space),
// or file names with or without extension; sorted by their bytes, every line ended by CR LF. The
// exact text lists the same items in the same order. An argument over the path limit (counted in
// characters of its exact text) is left out.
TText PathListText(const std::vector<TText>& Args, bool Quote, TLongPathFn LongPath);
TText NameListText(const std::vector<TText>& Args, bool WithExt, TLongPathFn LongPath);
// What the list of more forms asks of each item beyond its long path.
struct TItemQuestions {
    TLongPathFn UncPath;                     // a long path's UNC name, or an empty text
    int (*RepoDepth)(const TText& LongPath); // as TItem::RepoDepth
    TLongPathFn WebAddress = nullptr;        // as TItem::Web (null: no library is asked)
    TLongPathFn UserFolderPath = nullptr;    // as TItem::UserFolder (null: no folder is asked)
};
// The item with only what Needs names of it: what a row did not ask for, it cannot use.
TItem Asked(const TItem& Item, unsigned Needs);

// The list of a submenu list command (IDM_LIST_UNC_PATHS ...), built alike: each item's line from its
// form's row, sorted by its bytes; an item whose line is empty is left out.
TClip MoreFormListText(uint32_t Id, const std::vector<TText>& Args, TLongPathFn LongPath,
                       const TItemQuestions& Ask);

// The lines of a list of each item's form (a name of /copy: without a list of its own): Form of each
// argument's long form, sorted as the lists are, every line ended by CR LF; an empty one is left out.
TText ItemFormsText(const std::vector<TText>& Args, TLongPathFn LongPath,
                    const std::function<TText(const TText&)>& Form);

// Whether the menu offers command Id, at its top or in its submenu.
bool Offers(const std::vector<TMenuEntry>& Menu, uint32_t Id);

// ---- Options: leading arguments "/" and ASCII letters, optionally ":" and a name -------------------

// A name of /copy: and the commands it stands for: the item's for one item, the list's for several
// (0: none; the item has no form of that name, or there is no list, which gives each item's form).
struct TCopyName {
    const char* Name;
    uint32_t Id;
    uint32_t ListId;
};
// Every name, in the order the message lists them; fixed once released.
extern const TCopyName CopyNames[];
extern const size_t CopyNameCount;

// What is wrong with a command line, if anything.
enum TOptionFault {
    ofNone,
    ofUnknownOption, // Offender: the option
    ofUnknownName,   // Offender: the /copy: option
    ofCopyTwice,     // Offender: the second /copy:
    ofClipboardAndFiles,
    ofHotkeyAndMore,
    ofNoItems, // options, but neither items nor /clipboard
};

struct TOptions {
    bool Clipboard = false;
    bool Hotkey = false;
    const TCopyName* Copy = nullptr;
    size_t FirstItem = 0; // the first argument that is not an option
    TOptionFault Fault = ofNone;
    std::wstring Offender;
};

// The options at the head of the arguments (program name excluded). "//server/share" and every other
// argument that is not "/" and a letter ends them, as the first item.
TOptions ReadOptions(const std::vector<std::wstring>& Args);

#ifdef _WIN32
// ---- Effects (Windows build) ---------------------------------------------------------------------

// The items the menu, the lists and every form are made of, in the order they came: every path in its
// backslash spelling (see TinyUtils::BackslashSpelling). No form knows where they came from.
std::vector<std::wstring> Items();

extern MSG LoopMsg;
extern HWND PrevForegroundWnd;
extern HMENU PopupMenuHandle;

int WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
int RunMenuMode(HINSTANCE hInstance);
ATOM RegisterWndClass(HINSTANCE hInstance);
HWND CreateMainWnd(HINSTANCE hInstance);
LRESULT CALLBACK WndProc(HWND Wnd, UINT Msg, WPARAM wParam, LPARAM lParam);
void ShowPathMenu(HWND Wnd);
void BuildPopupMenu();
void MakePathListText(bool Quote, TText& Text);
void MakeNameListText(bool WithExt, TText& Text);
void MakeMoreFormListText(uint32_t Id, TClip& Text);
// As TItem::RepoDepth, asked of the file system; never of a server.
int RepoDepthOf(const TText& LongPath);
// A long path's UNC name where it lies on a network drive, else empty; waits a bounded time.
TText UncText(const TText& LongPath);
// As TItem::Web: read from the OneDrive client's records (once, on the first item on a local drive).
TText WebAddressOf(const TText& LongPath);
// As TItem::UserFolder: from the user's folders as the environment names them (read once, on first use).
TText UserFolderPathOf(const TText& LongPath);
// What the submenu of several items offers, from the arguments.
TListOffer ListOfferOf(const std::vector<std::wstring>& Args);
void RunRegistrationMode();
// The options of the process's own command line, read anew at each call.
TOptions StartOptions();
// Whether Key was down at start and counts: in the copied-files mode no key does (a key that started it
// is still held), and with /copy: Shift does not.
bool HeldAtStart(int Key);
// The text of a list command, as the menu's WM_COMMAND makes it.
TClip ListTextOf(uint32_t Id);
// The list of each item's form for a name of /copy: without a list (IDM_FOLDER ...).
void MakeItemFormsText(uint32_t Id, TText& Text);
// With /copy:, copies its form of the prepared target (or its list) and closes the window, where the menu
// would offer it and it has a text; false where the menu is to open instead.
bool CopiedAtOnce(HWND Wnd);
// A message box of the program, in the user's language: its texts of code page 932, then Rest.
void ShowMessage(const char* Text, const std::wstring& Rest = std::wstring());
// The command line was wrong: says what, and lists the options and names.
void ShowOptionFault(const TOptions& Options);
// /hotkey: one question, then the key's shortcut goes into the Start menu or out of it.
void RunHotkeyMode();

// Module start-up and finalisation around WinMain, in the program's fixed order.
void StartModules();
void FinalizeModules();
#endif

} // namespace Pathgrab
