// What the popup menu holds, computed from the target forms; BuildPopupMenu only appends it.
#include "Pathgrab.h"
#include "Texts.h"

#include "TinyUtils.h"

namespace Pathgrab {

namespace {

std::string Numbered(int N) { return "&" + TinyUtils::IntToDecimal(N); }

std::string FormCaption(int N, const std::string& Form) {
    return Numbered(N) + Texts::NumberSeparator + TinyUtils::DoubleAmpersands(Form);
}

std::string QuotedFormCaption(int N, const std::string& Form) {
    return Numbered(N) + Texts::NumberSeparator + '"' + TinyUtils::DoubleAmpersands(Form) + '"';
}

} // namespace

std::vector<TMenuEntry> MenuEntries(int ArgCount, bool TargetIsFolder) {
    std::vector<TMenuEntry> menu;
    auto item = [&menu](uint32_t id, std::string caption) { menu.push_back({id, std::move(caption), false}); };
    auto separator = [&menu] { menu.push_back({0, std::string(), true}); };
    int n = 1;
    if (ArgCount >= 2) {
        item(IDM_LIST_LONG_PATHS, Numbered(1) + Texts::ListLongPaths);
        separator();
        item(IDM_LIST_QUOTED_LONG_PATHS, Numbered(2) + Texts::ListQuotedLongPaths);
        separator();
        item(IDM_LIST_NAMES_WITH_EXT, Numbered(3) + Texts::ListNamesWithExt);
        separator();
        item(IDM_LIST_NAMES_WITHOUT_EXT, Numbered(4) + Texts::ListNamesWithoutExt);
    } else {
        item(IDM_LONG_PATH, FormCaption(n, TargetLongPath));
        if (TinyUtils::ContainsSpace(TargetLongPath)) item(IDM_QUOTED_LONG_PATH, QuotedFormCaption(++n, TargetLongPath));
        separator();
        item(IDM_FILE_NAME, FormCaption(++n, TargetFileName));
        if (!TargetIsFolder) item(IDM_NAME_WITHOUT_EXT, FormCaption(++n, TargetBaseName));
        separator();
        item(IDM_FOLDER, FormCaption(++n, TargetFolder));
        if (TinyUtils::ContainsSpace(TargetFolder)) item(IDM_QUOTED_FOLDER, QuotedFormCaption(++n, TargetFolder));
        separator();
        item(IDM_SHORT_PATH, FormCaption(++n, TargetShortPath));
    }
    separator();
    item(IDM_CANCEL, Texts::Cancel);
    return menu;
}

std::string CommandText(uint32_t Id, TListTextFn ListText) {
    switch (Id) {
    case IDM_LIST_LONG_PATHS:
    case IDM_LIST_QUOTED_LONG_PATHS:
    case IDM_LIST_NAMES_WITH_EXT:
    case IDM_LIST_NAMES_WITHOUT_EXT: return ListText ? ListText(Id) : std::string();
    case IDM_LONG_PATH: return TargetLongPath;
    case IDM_QUOTED_LONG_PATH: return '"' + TargetLongPath + '"';
    case IDM_FILE_NAME: return TargetFileName;
    case IDM_NAME_WITHOUT_EXT: return TargetBaseName;
    case IDM_FOLDER: return TargetFolder;
    case IDM_QUOTED_FOLDER: return '"' + TargetFolder + '"';
    case IDM_SHORT_PATH: return TargetShortPath;
    default: return std::string(); // IDM_CANCEL, 0x10A..0x10F and everything outside the table
    }
}

} // namespace Pathgrab
