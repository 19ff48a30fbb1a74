// The walks over Send To that find and delete the program's shortcuts.
#include "TinyShlLnk.h"

#include "TinyShell.h"
#include "TinyUtils.h"

namespace TinyShlLnk {

namespace {

// Walks the *.lnk entries of Send To (hidden and system ones included, directories skipped) and
// calls Visit(link path) for each whose stored target has the file name ExeName. Visit returns false
// to stop the walk.
template <typename Visitor> void WalkSendTo(const std::wstring& ExeName, Visitor Visit) {
    const std::wstring dir = TinyShell::GetSendToFolder();
    // Without the folder there is nothing to examine: an empty prefix would search the current directory.
    if (dir.empty()) return;
    // An unreadable shortcut has an empty target name; an empty ExeName would claim all of them.
    if (ExeName.empty()) return;
    const std::wstring wanted = TinyUtils::UpperCaseLocale(ExeName);
    TinyUtils::TSearchRecW rec;
    if (TinyUtils::SearchFirst(dir + L"*.lnk", 0x2F, rec) != 0) return;
    struct Closer {
        TinyUtils::TSearchRecW& r;
        ~Closer() { TinyUtils::SearchClose(r); }
    } closer{rec};
    do {
        const std::wstring linkPath = dir + rec.Name;
        // Only the name counts: no question about the target, whose server may be gone.
        const std::wstring targetName = TinyUtils::PathFileName(GetShortcutTarget(linkPath, false));
        if (TinyUtils::UpperCaseLocale(targetName) == wanted && !Visit(linkPath)) break;
    } while (TinyUtils::SearchNext(rec) == 0);
}

} // namespace

bool SendToShortcutExists(const std::wstring& ExeName) {
    bool found = false;
    WalkSendTo(ExeName, [&](const std::wstring&) {
        found = true;
        return false; // the first match answers the question
    });
    return found;
}

void DeleteSendToShortcuts(const std::wstring& ExeName) {
    WalkSendTo(ExeName, [](const std::wstring& linkPath) {
        DeleteFileW(linkPath.c_str()); // a failed deletion is silent; the walk goes on
        return true;
    });
}

} // namespace TinyShlLnk
