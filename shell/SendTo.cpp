// The walks over Send To and the Start menu that find and delete the program's shortcuts.
#include "TinyShlLnk.h"

#include "TinyShell.h"
#include "TinyUtils.h"

namespace TinyShlLnk {

namespace {

// Walks the *.lnk entries of Dir (hidden and system ones included, directories skipped) and calls
// Visit(link path, arguments) for each whose stored target has the file name ExeName. Visit returns
// false to stop the walk.
template <typename Visitor>
void WalkShortcuts(const std::wstring& Dir, const std::wstring& ExeName, Visitor Visit) {
    // Without the folder there is nothing to examine: an empty prefix would search the current directory.
    if (Dir.empty()) return;
    // An unreadable shortcut has an empty target name; an empty ExeName would claim all of them.
    if (ExeName.empty()) return;
    const std::wstring wanted = TinyUtils::UpperCaseLocale(ExeName);
    TinyUtils::TSearchRecW rec;
    if (TinyUtils::SearchFirst(Dir + L"*.lnk", 0x2F, rec) != 0) return;
    struct Closer {
        TinyUtils::TSearchRecW& r;
        ~Closer() { TinyUtils::SearchClose(r); }
    } closer{rec};
    do {
        const std::wstring linkPath = Dir + rec.Name;
        // Only the name counts: no question about the target, whose server may be gone.
        std::wstring arguments;
        const std::wstring targetName =
            TinyUtils::PathFileName(GetShortcutTarget(linkPath, false, &arguments));
        if (TinyUtils::UpperCaseLocale(targetName) == wanted && !Visit(linkPath, arguments)) break;
    } while (TinyUtils::SearchNext(rec) == 0);
}

} // namespace

bool ShortcutExists(const std::wstring& Folder, const std::wstring& ExeName, const std::wstring& Arguments) {
    bool found = false;
    const std::wstring wanted = TinyUtils::UpperCaseLocale(Arguments);
    WalkShortcuts(Folder, ExeName, [&](const std::wstring&, const std::wstring& arguments) {
        found = TinyUtils::UpperCaseLocale(arguments) == wanted;
        return !found; // the first match answers the question
    });
    return found;
}

void DeleteShortcuts(const std::wstring& Folder, const std::wstring& ExeName, const std::wstring& Arguments) {
    const std::wstring wanted = TinyUtils::UpperCaseLocale(Arguments);
    WalkShortcuts(Folder, ExeName, [&](const std::wstring& linkPath, const std::wstring& arguments) {
        if (TinyUtils::UpperCaseLocale(arguments) == wanted) DeleteFileW(linkPath.c_str());
        return true;
    });
}

bool SendToShortcutExists(const std::wstring& ExeName) {
    return ShortcutExists(TinyShell::GetSendToFolder(), ExeName, std::wstring());
}

void DeleteSendToShortcuts(const std::wstring& ExeName) {
    WalkShortcuts(TinyShell::GetSendToFolder(), ExeName,
                  [](const std::wstring& linkPath, const std::wstring&) {
                      DeleteFileW(linkPath.c_str()); // a failed deletion is silent; the walk goes on
                      return true;
                  });
}

} // namespace TinyShlLnk
