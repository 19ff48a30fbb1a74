// What the popup menu holds, computed from the target forms; BuildPopupMenu only appends it.
#include "Pathgrab.h"
#include "Texts.h"

#include "TinyUtils.h"

namespace Pathgrab {

namespace {

std::string Numbered(int N) { return "&" + TinyUtils::IntToDecimal(N); }

std::string Quoted(const std::string& Form) { return '"' + Form + '"'; }

} // namespace

std::vector<TMenuEntry> MenuEntries(int ArgCount, bool TargetIsFolder, const Texts::TFace& Face) {
    using TinyUtils::DoubleAmpersands;
    std::vector<TMenuEntry> menu;
    auto item = [&menu](uint32_t id, std::string fixed, std::string form = std::string()) {
        menu.push_back({id, std::move(fixed), std::move(form), false});
    };
    auto formItem = [&](uint32_t id, int number, std::string form) {
        item(id, Numbered(number) + Face.NumberSeparator, std::move(form));
    };
    auto separator = [&menu] { menu.push_back({0, std::string(), std::string(), true}); };
    int n = 1;
    if (ArgCount >= 2) {
        item(IDM_LIST_LONG_PATHS, Numbered(1) + Face.ListLongPaths);
        separator();
        item(IDM_LIST_QUOTED_LONG_PATHS, Numbered(2) + Face.ListQuotedLongPaths);
        separator();
        item(IDM_LIST_NAMES_WITH_EXT, Numbered(3) + Face.ListNamesWithExt);
        separator();
        item(IDM_LIST_NAMES_WITHOUT_EXT, Numbered(4) + Face.ListNamesWithoutExt);
    } else {
        formItem(IDM_LONG_PATH, n, DoubleAmpersands(TargetLongPath));
        if (TinyUtils::ContainsSpace(TargetLongPath))
            formItem(IDM_QUOTED_LONG_PATH, ++n, Quoted(DoubleAmpersands(TargetLongPath)));
        separator();
        formItem(IDM_FILE_NAME, ++n, DoubleAmpersands(TargetFileName));
        if (!TargetIsFolder) formItem(IDM_NAME_WITHOUT_EXT, ++n, DoubleAmpersands(TargetBaseName));
        separator();
        formItem(IDM_FOLDER, ++n, DoubleAmpersands(TargetFolder));
        if (TinyUtils::ContainsSpace(TargetFolder))
            formItem(IDM_QUOTED_FOLDER, ++n, Quoted(DoubleAmpersands(TargetFolder)));
        separator();
        formItem(IDM_SHORT_PATH, ++n, DoubleAmpersands(TargetShortPath));
    }
    separator();
    item(IDM_CANCEL, Face.Cancel);
    return menu;
}

const Texts::TFace& FaceFor(LANGID UiLanguage) {
    return PRIMARYLANGID(UiLanguage) == LANG_JAPANESE ? Texts::JapaneseFace : Texts::EnglishFace;
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
