// The options before the items, and the names of /copy:.
#include "Pathgrab.h"

namespace Pathgrab {

const TCopyName CopyNames[] = {
    {"long", IDM_LONG_PATH, IDM_LIST_LONG_PATHS},
    {"quoted", IDM_QUOTED_LONG_PATH, IDM_LIST_QUOTED_LONG_PATHS},
    {"name", IDM_FILE_NAME, IDM_LIST_NAMES_WITH_EXT},
    {"base", IDM_NAME_WITHOUT_EXT, IDM_LIST_NAMES_WITHOUT_EXT},
    {"folder", IDM_FOLDER, 0},
    {"quotedfolder", IDM_QUOTED_FOLDER, 0},
    {"short", IDM_SHORT_PATH, 0},
    {"unc", IDM_UNC_PATH, IDM_LIST_UNC_PATHS},
    {"web", IDM_WEB_ADDRESS, IDM_LIST_WEB_ADDRESSES},
    {"uri", IDM_FILE_URI, IDM_LIST_FILE_URIS},
    {"slash", IDM_SLASH_PATH, IDM_LIST_SLASH_PATHS},
    {"wsl", IDM_WSL_PATH, IDM_LIST_WSL_PATHS},
    {"gitbash", IDM_GIT_BASH_PATH, 0},
    {"literal", IDM_STRING_LITERAL, 0},
    {"repo", IDM_REPO_PATH, IDM_LIST_REPO_PATHS},
    {"markdown", IDM_MARKDOWN_LINK, IDM_LIST_MARKDOWN_LINKS},
    {"link", IDM_LINK, IDM_LIST_LINKS},
    // One item: the one command line, or the array, of that item.
    {"cmdline", 0, IDM_LIST_COMMAND_LINE},
    {"json", 0, IDM_LIST_JSON_ARRAY},
    {"powershell", IDM_POWERSHELL_STRING, IDM_LIST_POWERSHELL_STRINGS},
    {"mail", IDM_MAIL_LINK, IDM_LIST_MAIL_LINKS},
    {"userpath", IDM_USER_FOLDER_PATH, IDM_LIST_USER_FOLDER_PATHS},
    {"smb", IDM_SMB_ADDRESS, IDM_LIST_SMB_ADDRESSES},
};
const size_t CopyNameCount = sizeof CopyNames / sizeof CopyNames[0];

namespace {

bool IsAsciiLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// Letter case aside, in ASCII only: a Turkish dotless i never makes "clipboard".
bool SameAscii(const std::wstring& Text, const char* Ascii) {
    size_t i = 0;
    for (; i < Text.size() && Ascii[i]; ++i) {
        const wchar_t c = Text[i];
        if ((IsAsciiLetter(c) ? (c | 0x20) : c) != static_cast<wchar_t>(Ascii[i])) return false;
    }
    return i == Text.size() && !Ascii[i];
}

// "/" and letters, then nothing or ":" and a name: the letters in Word, the name in Name.
bool IsOption(const std::wstring& Arg, std::wstring& Word, std::wstring& Name, bool& Named) {
    if (Arg.size() < 2 || Arg[0] != L'/' || !IsAsciiLetter(Arg[1])) return false;
    size_t end = 1;
    while (end < Arg.size() && IsAsciiLetter(Arg[end]))
        ++end;
    if (end < Arg.size() && Arg[end] != L':') return false;
    Word = Arg.substr(1, end - 1);
    Named = end < Arg.size();
    Name = Named ? Arg.substr(end + 1) : std::wstring();
    return true;
}

TOptions Fault(TOptions Options, TOptionFault Why, const std::wstring& Offender = std::wstring()) {
    Options.Fault = Why;
    Options.Offender = Offender;
    return Options;
}

} // namespace

TOptions ReadOptions(const std::vector<std::wstring>& Args) {
    TOptions o;
    std::wstring word, name;
    bool named = false;
    for (; o.FirstItem < Args.size(); ++o.FirstItem) {
        const std::wstring& arg = Args[o.FirstItem];
        if (!IsOption(arg, word, name, named)) break;
        if (SameAscii(word, "copy")) {
            if (o.Copy) return Fault(o, ofCopyTwice, arg);
            for (size_t i = 0; i < CopyNameCount && named; ++i)
                if (SameAscii(name, CopyNames[i].Name)) o.Copy = &CopyNames[i];
            if (!o.Copy) return Fault(o, ofUnknownName, arg);
        } else if (SameAscii(word, "clipboard") && !named) {
            o.Clipboard = true;
        } else if (SameAscii(word, "hotkey") && !named) {
            o.Hotkey = true;
        } else {
            return Fault(o, ofUnknownOption, arg);
        }
    }
    const bool items = o.FirstItem < Args.size();
    if (o.Hotkey && Args.size() > 1) return Fault(o, ofHotkeyAndMore);
    if (o.Clipboard && items) return Fault(o, ofClipboardAndFiles);
    if (!o.Hotkey && !o.Clipboard && !items) return Fault(o, ofNoItems);
    return o;
}

} // namespace Pathgrab
