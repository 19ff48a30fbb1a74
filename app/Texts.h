// Every text the program shows, as code page 932 bytes (the English ones are ASCII, which code page 932
// reads alike). The Unicode reading of each is in its comment.
#pragma once

namespace Pathgrab {
namespace Texts {

constexpr char WindowClassName[] = "PathgrabWndClass";
constexpr char WindowTitle[] = "Pathgrab";
// File names, wide: they meet paths in their exact text.
constexpr wchar_t ProgramFileName[] = L"Pathgrab.exe";
constexpr wchar_t ShortcutFileName[] = L"Pathgrabber.lnk";
constexpr wchar_t ShortcutExt[] = L".LNK";
constexpr char QuestionCaption[] = "Pathgrabber";
// The key's shortcut in the Start menu, and what it starts the program with.
constexpr wchar_t HotkeyShortcutFileName[] = L"Pathgrabber (copied files).lnk";
constexpr wchar_t ClipboardOption[] = L"/clipboard";

namespace Japanese {

// "： " (full-width colon, ASCII space): between an item's number and its path form.
constexpr char NumberSeparator[] = "\x81" "F ";

// "： [ 長いフルパス ] のリストをコピー"
constexpr char ListLongPaths[] = "\x81" "F [ \x92\xB7\x82\xA2\x83t\x83\x8B\x83p\x83X ] "
                                 "\x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81[";

// "： [ 長いフルパス ] のリストをコピー  << ダブルクォーテーション補完 >>"
constexpr char ListQuotedLongPaths[] =
    "\x81" "F [ \x92\xB7\x82\xA2\x83t\x83\x8B\x83p\x83X ] \x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81["
    "  << \x83_\x83u\x83\x8B\x83N\x83H\x81[\x83" "e\x81[\x83V\x83\x87\x83\x93\x95\xE2\x8A\xAE >>";

// "： [ 拡張子付ファイル名 ] のリストをコピー"
constexpr char ListNamesWithExt[] = "\x81" "F [ \x8Ag\x92\xA3\x8Eq\x95t\x83t\x83@\x83" "C\x83\x8B\x96\xBC ] "
                                    "\x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81[";

// "： [ 拡張子無ファイル名 ] のリストをコピー"
constexpr char ListNamesWithoutExt[] = "\x81" "F [ \x8Ag\x92\xA3\x8Eq\x96\xB3\x83t\x83@\x83" "C\x83\x8B\x96\xBC ] "
                                       "\x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81[";

// "その他の形式" (More forms): the submenu after the classic items.
constexpr char MoreForms[] = "\x82\xBB\x82\xCC\x91\xBC\x82\xCC\x8C`\x8E\xAE";

// "： [ UNC パス ] のリストをコピー"
constexpr char ListUncPaths[] = "\x81"
                                "F [ UNC \x83p\x83X ] \x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81[";

// "： [ file URI ] のリストをコピー"
constexpr char ListFileUris[] = "\x81"
                                "F [ file URI ] \x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81[";

// "： [ スラッシュ区切りのパス ] のリストをコピー"
constexpr char ListSlashPaths[] = "\x81"
                                  "F [ \x83X\x83\x89\x83"
                                  "b\x83V\x83\x85\x8B\xE6\x90\xD8\x82\xE8\x82\xCC\x83p\x83X ] "
                                  "\x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81[";

// "： [ WSL パス ] のリストをコピー"
constexpr char ListWslPaths[] = "\x81"
                                "F [ WSL \x83p\x83X ] \x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81[";

// "： [ コマンドライン (1 行) ] のリストをコピー"
constexpr char ListCommandLine[] = "\x81" "F [ \x83R\x83}\x83\x93\x83h\x83\x89\x83" "C\x83\x93 (1 \x8Ds) ] "
                                   "\x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81[";

// "： [ Web アドレス (SharePoint) ] のリストをコピー"
constexpr char ListWebAddresses[] = "\x81" "F [ Web \x83" "A\x83h\x83\x8C\x83X (SharePoint) ] "
                                    "\x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81[";

// "： [ JSON 配列 ] のリストをコピー"
constexpr char ListJsonArray[] = "\x81" "F [ JSON \x94z\x97\xF1 ] \x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81[";

// "： [ Git リポジトリ内の相対パス ] のリストをコピー"
constexpr char ListRepoPaths[] = "\x81" "F [ Git \x83\x8A\x83|\x83W\x83g\x83\x8A\x93\xE0\x82\xCC\x91\x8A\x91\xCE\x83p\x83X ] "
                                 "\x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81[";

// "： [ Markdown リンク ] のリストをコピー"
constexpr char ListMarkdownLinks[] = "\x81" "F [ Markdown \x83\x8A\x83\x93\x83N ] "
                                     "\x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81[";

// "： [ リンク ] のリストをコピー"
constexpr char ListLinks[] = "\x81" "F [ \x83\x8A\x83\x93\x83N ] \x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81[";

// "[ リンク ] " (Link): before the file name that the link item copies a link to.
constexpr char LinkPrefix[] = "[ \x83\x8A\x83\x93\x83N ] ";

// "： [ PowerShell 文字列 ] のリストをコピー"
constexpr char ListPowerShellStrings[] = "\x81"
                                         "F [ PowerShell \x95\xB6\x8E\x9A\x97\xF1 ] "
                                         "\x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81[";

// "： [ メール用リンク <...> ] のリストをコピー"
constexpr char ListMailLinks[] = "\x81"
                                 "F [ \x83\x81\x81[\x83\x8B\x97p\x83\x8A\x83\x93\x83N <...> ] "
                                 "\x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81[";

// "： [ ユーザー フォルダーからのパス ] のリストをコピー"
constexpr char ListUserFolderPaths[] =
    "\x81"
    "F [ \x83\x86\x81[\x83U\x81[ \x83t\x83H\x83\x8B\x83_\x81[\x82\xA9\x82\xE7\x82\xCC\x83p\x83X ] "
    "\x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81[";

// "： [ smb アドレス ] のリストをコピー"
constexpr char ListSmbAddresses[] = "\x81"
                                    "F [ smb \x83"
                                    "A\x83h\x83\x8C\x83X ] "
                                    "\x82\xCC\x83\x8A\x83X\x83g\x82\xF0\x83R\x83s\x81[";

// "キャンセル" (Cancel)
constexpr char Cancel[] = "\x83L\x83\x83\x83\x93\x83Z\x83\x8B";

// "\"送る\"からショートカットを削除してもよろしいですか？"
constexpr char DeleteQuestion[] = "\x22\x91\x97\x82\xE9\x22\x82\xA9\x82\xE7\x83V\x83\x87\x81[\x83g\x83J\x83"
                                  "b\x83g\x82\xF0\x8D\xED\x8F\x9C\x82\xB5\x82\xC4\x82\xE0\x82\xE6\x82\xEB\x82\xB5"
                                  "\x82\xA2\x82\xC5\x82\xB7\x82\xA9\x81H";

// "\"送る\"にショートカットを作成してもよろしいですか？"
constexpr char CreateQuestion[] = "\x22\x91\x97\x82\xE9\x22\x82\xC9\x83V\x83\x87\x81[\x83g\x83J\x83"
                                  "b\x83g\x82\xF0\x8D\xEC\x90\xAC\x82\xB5\x82\xC4\x82\xE0\x82\xE6\x82\xEB\x82\xB5"
                                  "\x82\xA2\x82\xC5\x82\xB7\x82\xA9\x81H";

// "クリップボードにコピーされたファイルがありません。
//  ファイルを選んで Ctrl+C でコピーしてから、もう一度お試しください。" (one line)
constexpr char NoCopiedFiles[] =
    "\x83N\x83\x8A\x83"
    "b\x83v\x83{\x81[\x83h\x82\xC9\x83R\x83s\x81[\x82\xB3\x82\xEA\x82\xBD\x83t\x83@\x83"
    "C\x83\x8B\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81"
    "B\x83t\x83@\x83"
    "C\x83\x8B\x82\xF0\x91I\x82\xF1\x82\xC5 Ctrl+C "
    "\x82\xC5\x83R\x83s\x81[\x82\xB5\x82\xC4\x82\xA9\x82\xE7\x81"
    "A\x82\xE0\x82\xA4\x88\xEA\x93x\x82\xA8\x8E\x8E\x82\xB5\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81"
    "B";

// "キーボード ショートカット Ctrl+Alt+Insert で、
//  コピーしたファイルのパスを Pathgrabber で開けるようにしますか?" (one line)
constexpr char HotkeyCreateQuestion[] =
    "\x83L\x81[\x83{\x81[\x83h \x83V\x83\x87\x81[\x83g\x83J\x83"
    "b\x83g Ctrl+Alt+Insert \x82\xC5\x81"
    "A\x83R\x83s\x81[\x82\xB5\x82\xBD\x83t\x83@\x83"
    "C\x83\x8B\x82\xCC\x83p\x83X\x82\xF0 Pathgrabber "
    "\x82\xC5\x8AJ\x82\xAF\x82\xE9\x82\xE6\x82\xA4\x82\xC9\x82\xB5\x82\xDC\x82\xB7\x82\xA9?";

// "Pathgrabber のキーボード ショートカット (Ctrl+Alt+Insert) を削除しますか?"
constexpr char HotkeyDeleteQuestion[] =
    "Pathgrabber \x82\xCC\x83L\x81[\x83{\x81[\x83h \x83V\x83\x87\x81[\x83g\x83J\x83"
    "b\x83g (Ctrl+Alt+Insert) \x82\xF0\x8D\xED\x8F\x9C\x82\xB5\x82\xDC\x82\xB7\x82\xA9?";

// "不明なオプションです:"
constexpr char UnknownOption[] = "\x95s\x96\xBE\x82\xC8\x83I\x83v\x83V\x83\x87\x83\x93\x82\xC5\x82\xB7:";

// "/copy: の名前が不明です:"
constexpr char UnknownName[] = "/copy: \x82\xCC\x96\xBC\x91O\x82\xAA\x95s\x96\xBE\x82\xC5\x82\xB7:";

// "/copy: は 1 回だけ指定できます:"
constexpr char CopyTwice[] =
    "/copy: \x82\xCD 1 \x89\xF1\x82\xBE\x82\xAF\x8Ew\x92\xE8\x82\xC5\x82\xAB\x82\xDC\x82\xB7:";

// "/clipboard とファイルは一緒に指定できません。"
constexpr char ClipboardAndFiles[] =
    "/clipboard \x82\xC6\x83t\x83@\x83"
    "C\x83\x8B\x82\xCD\x88\xEA\x8F\x8F\x82\xC9\x8Ew\x92\xE8\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81"
    "B";

// "/hotkey はほかの引数と一緒に指定できません。"
constexpr char HotkeyAndMore[] = "/hotkey "
                                 "\x82\xCD\x82\xD9\x82\xA9\x82\xCC\x88\xF8\x90\x94\x82\xC6\x88\xEA\x8F\x8F"
                                 "\x82\xC9\x8Ew\x92\xE8\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81"
                                 "B";

// "ファイルが指定されていません。オプションにはファイルか /clipboard が必要です。"
constexpr char NoItems[] =
    "\x83t\x83@\x83"
    "C\x83\x8B\x82\xAA\x8Ew\x92\xE8\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1\x81"
    "B\x83I\x83v\x83V\x83\x87\x83\x93\x82\xC9\x82\xCD\x83t\x83@\x83"
    "C\x83\x8B\x82\xA9 /clipboard \x82\xAA\x95K\x97v\x82\xC5\x82\xB7\x81"
    "B";

// "使い方: Pathgrab.exe [/clipboard] [/copy:名前] [ファイル ...]、または Pathgrab.exe /hotkey\r\n"
// "/copy: の名前: "
constexpr char Usage[] =
    "\x8Eg\x82\xA2\x95\xFB: Pathgrab.exe [/clipboard] [/copy:\x96\xBC\x91O] [\x83t\x83@\x83"
    "C\x83\x8B ...]\x81"
    "A\x82\xDC\x82\xBD\x82\xCD Pathgrab.exe /hotkey\r\n/copy: \x82\xCC\x96\xBC\x91O: ";

} // namespace Japanese

// Shown where the user's UI language is not Japanese: there the Japanese question would name a menu
// the user knows by another name, under Yes/No buttons of another language.
namespace English {

constexpr char NumberSeparator[] = ": ";
constexpr char ListLongPaths[] = ": [ Long full paths ] copy as list";
constexpr char ListQuotedLongPaths[] = ": [ Long full paths ] copy as list  << in double quotes >>";
constexpr char ListNamesWithExt[] = ": [ File names with extension ] copy as list";
constexpr char ListNamesWithoutExt[] = ": [ File names without extension ] copy as list";
constexpr char MoreForms[] = "More forms";
constexpr char ListUncPaths[] = ": [ UNC paths ] copy as list";
constexpr char ListFileUris[] = ": [ file URIs ] copy as list";
constexpr char ListSlashPaths[] = ": [ Paths with forward slashes ] copy as list";
constexpr char ListWslPaths[] = ": [ WSL paths ] copy as list";
constexpr char ListCommandLine[] = ": [ One command line ] copy as list";
constexpr char ListJsonArray[] = ": [ JSON array ] copy as list";
constexpr char ListWebAddresses[] = ": [ Web addresses (SharePoint) ] copy as list";
constexpr char ListRepoPaths[] = ": [ Paths in the Git repository ] copy as list";
constexpr char ListMarkdownLinks[] = ": [ Markdown links ] copy as list";
constexpr char ListLinks[] = ": [ Links ] copy as list";
constexpr char LinkPrefix[] = "[ Link ] ";
constexpr char ListPowerShellStrings[] = ": [ PowerShell strings ] copy as list";
constexpr char ListMailLinks[] = ": [ Mail links <...> ] copy as list";
constexpr char ListUserFolderPaths[] = ": [ Paths from the user's folders ] copy as list";
constexpr char ListSmbAddresses[] = ": [ smb addresses ] copy as list";
constexpr char Cancel[] = "Cancel";
constexpr char DeleteQuestion[] = "Delete the shortcut to Pathgrabber from \"Send To\"?";
constexpr char CreateQuestion[] = "Create a shortcut to Pathgrabber in \"Send To\"?";

constexpr char NoCopiedFiles[] =
    "The clipboard holds no copied files. Select files, press Ctrl+C, then try again.";
constexpr char HotkeyCreateQuestion[] =
    "Open the paths of copied files in Pathgrabber with the keyboard shortcut Ctrl+Alt+Insert?";
constexpr char HotkeyDeleteQuestion[] = "Remove Pathgrabber's keyboard shortcut (Ctrl+Alt+Insert)?";
constexpr char UnknownOption[] = "Unknown option:";
constexpr char UnknownName[] = "Unknown name of /copy:";
constexpr char CopyTwice[] = "/copy: can be given only once:";
constexpr char ClipboardAndFiles[] = "/clipboard takes no file arguments.";
constexpr char HotkeyAndMore[] = "/hotkey takes no other arguments.";
constexpr char NoItems[] = "No files given: the options need files, or /clipboard.";
constexpr char Usage[] =
    "Usage: Pathgrab.exe [/clipboard] [/copy:NAME] [FILE ...], or Pathgrab.exe /hotkey\r\n"
    "Names for /copy: ";

} // namespace English

// One language's face: every text that has one reading per language.
struct TFace {
    const char* NumberSeparator;
    const char* ListLongPaths;
    const char* ListQuotedLongPaths;
    const char* ListNamesWithExt;
    const char* ListNamesWithoutExt;
    const char* Cancel;
    const char* DeleteQuestion;
    const char* CreateQuestion;
    const char* MoreForms;
    const char* ListUncPaths;
    const char* ListFileUris;
    const char* ListSlashPaths;
    const char* ListWslPaths;
    const char* ListCommandLine;
    const char* ListJsonArray;
    const char* ListRepoPaths;
    const char* ListMarkdownLinks;
    const char* ListLinks;
    const char* LinkPrefix;
    const char* ListWebAddresses;
    const char* ListPowerShellStrings;
    const char* ListMailLinks;
    const char* ListUserFolderPaths;
    const char* ListSmbAddresses;
    const char* NoCopiedFiles;
    const char* HotkeyCreateQuestion;
    const char* HotkeyDeleteQuestion;
    const char* UnknownOption;
    const char* UnknownName;
    const char* CopyTwice;
    const char* ClipboardAndFiles;
    const char* HotkeyAndMore;
    const char* NoItems;
    const char* Usage;
};

constexpr TFace JapaneseFace = {Japanese::NumberSeparator,
                                Japanese::ListLongPaths,
                                Japanese::ListQuotedLongPaths,
                                Japanese::ListNamesWithExt,
                                Japanese::ListNamesWithoutExt,
                                Japanese::Cancel,
                                Japanese::DeleteQuestion,
                                Japanese::CreateQuestion,
                                Japanese::MoreForms,
                                Japanese::ListUncPaths,
                                Japanese::ListFileUris,
                                Japanese::ListSlashPaths,
                                Japanese::ListWslPaths,
                                Japanese::ListCommandLine,
                                Japanese::ListJsonArray,
                                Japanese::ListRepoPaths,
                                Japanese::ListMarkdownLinks,
                                Japanese::ListLinks,
                                Japanese::LinkPrefix,
                                Japanese::ListWebAddresses,
                                Japanese::ListPowerShellStrings,
                                Japanese::ListMailLinks,
                                Japanese::ListUserFolderPaths,
                                Japanese::ListSmbAddresses,
                                Japanese::NoCopiedFiles,
                                Japanese::HotkeyCreateQuestion,
                                Japanese::HotkeyDeleteQuestion,
                                Japanese::UnknownOption,
                                Japanese::UnknownName,
                                Japanese::CopyTwice,
                                Japanese::ClipboardAndFiles,
                                Japanese::HotkeyAndMore,
                                Japanese::NoItems,
                                Japanese::Usage};
constexpr TFace EnglishFace = {English::NumberSeparator,
                               English::ListLongPaths,
                               English::ListQuotedLongPaths,
                               English::ListNamesWithExt,
                               English::ListNamesWithoutExt,
                               English::Cancel,
                               English::DeleteQuestion,
                               English::CreateQuestion,
                               English::MoreForms,
                               English::ListUncPaths,
                               English::ListFileUris,
                               English::ListSlashPaths,
                               English::ListWslPaths,
                               English::ListCommandLine,
                               English::ListJsonArray,
                               English::ListRepoPaths,
                               English::ListMarkdownLinks,
                               English::ListLinks,
                               English::LinkPrefix,
                               English::ListWebAddresses,
                               English::ListPowerShellStrings,
                               English::ListMailLinks,
                               English::ListUserFolderPaths,
                               English::ListSmbAddresses,
                               English::NoCopiedFiles,
                               English::HotkeyCreateQuestion,
                               English::HotkeyDeleteQuestion,
                               English::UnknownOption,
                               English::UnknownName,
                               English::CopyTwice,
                               English::ClipboardAndFiles,
                               English::HotkeyAndMore,
                               English::NoItems,
                               English::Usage};

// The fixed texts are held in this code page, whichever the system's is.
constexpr unsigned TextCodePage = 932;

} // namespace Texts
} // namespace Pathgrab
