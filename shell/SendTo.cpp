// The walks over Send To that find and delete the program's shortcuts.
#include "TinyShlLnk.h"

#include "TinyShell.h"
#include "TinyUtils.h"

namespace TinyShlLnk {

namespace {

// Walks the *.lnk entries of Send To (hidden and system ones included, directories skipped) and
// calls Visit(link path) for each whose stored target has the file name ExeName. Visit returns false
// to stop the walk.
template <typename Visitor> void WalkSendTo(const std::string& ExeName, Visitor Visit) {
    const std::string dir = TinyShell::GetSendToFolder();
    // Without the folder there is nothing to examine: an empty prefix would search the current directory.
    if (dir.empty()) return;
    // An unreadable shortcut has an empty target name; an empty ExeName would claim all of them.
    if (ExeName.empty()) return;
    const std::string wanted = TinyUtils::UpperCaseLocale(ExeName);
    TinyUtils::TSearchRec rec;
    if (TinyUtils::SearchFirst(dir + "*.lnk", 0x2F, rec) != 0) return;
    struct Closer {
        TinyUtils::TSearchRec& r;
        ~Closer() { TinyUtils::SearchClose(r); }
    } closer{rec};
    do {
        const std::string linkPath = dir + rec.Name;
        const std::string targetName = TinyUtils::PathFileName(GetShortcutTarget(linkPath));
        if (TinyUtils::UpperCaseLocale(targetName) == wanted && !Visit(linkPath)) break;
    } while (TinyUtils::SearchNext(rec) == 0);
}

} // namespace

bool SendToShortcutExists(const std::string& ExeName) {
    bool found = false;
    WalkSendTo(ExeName, [&](const std::string&) {
        found = true;
        return false; // the first match answers the question
    });
    return found;
}

void DeleteSendToShortcuts(const std::string& ExeName) {
    WalkSendTo(ExeName, [](const std::string& linkPath) {
        DeleteFileA(linkPath.c_str()); // a failed deletion is silent; the walk goes on
        return true;
    });
}

} // namespace TinyShlLnk
