// The two readings of an item: which bytes stand for its exact text in the system code page, and
// which of a shortcut's two paths is its target.
#include "TinyUtils.h"

#include <cwchar>

namespace TinyUtils {

std::string StandInBytes(const TConversion& Text, const TConversion& ShortForm) {
    if (Text.Exact) return Text.Bytes;
    if (ShortForm.Exact && !ShortForm.Bytes.empty()) return ShortForm.Bytes;
    // '?' cannot stand in a file name: the text names no file, and never another one.
    return Text.Bytes;
}

namespace {
// Whether a path could name a file at all: no control character, none of "*<>?| and a colon only
// after the drive letter.
bool CouldNameAFile(const std::wstring& Path) {
    for (size_t i = 0; i < Path.size(); ++i) {
        const wchar_t c = Path[i];
        if (c < 0x20 || std::wcschr(L"\"*<>?|", c) || (c == L':' && i != 1)) return false;
    }
    return !Path.empty();
}
} // namespace

std::wstring ShortcutTarget(const TShortcutPaths& Link, TExistsProbe Exists) {
    const auto exists = [Exists](const std::wstring& Path) { return DriveIndex(Path) >= 0 && Exists(Path); };
    // Where the item list names nothing that exists, it may have been read wrongly (Wine reads those
    // of Windows after XP as G:\( and a Hangul syllable); the stored path then stands as long as it
    // names nothing either. Where it does name something, that is not what the shell opens: another file.
    const bool listStands = !IsNetworkPath(Link.Stored) && CouldNameAFile(Link.ItemList) &&
                            (exists(Link.ItemList) || exists(Link.Stored));
    const std::wstring& target = listStands ? Link.ItemList : Link.Stored;
    return target.size() <= PathCharLimit ? target : std::wstring();
}

} // namespace TinyUtils
