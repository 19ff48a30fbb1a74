// What the popup menu holds, computed from the target forms; BuildPopupMenu only appends it.
#include "Pathgrab.h"
#include "Texts.h"

#include "TinyUtils.h"

namespace Pathgrab {

namespace {

std::string Numbered(int N) { return "&" + TinyUtils::IntToDecimal(N); }

template <typename Str> Str QuotedOf(const Str& Form) {
    const typename Str::value_type quote('"');
    return quote + Form + quote;
}
TText Doubled(const TText& Form) {
    return TinyUtils::Each(Form, [](const auto& s) { return TinyUtils::DoubleAmpersands(s); });
}

} // namespace

TText Quoted(const TText& Form) {
    return TinyUtils::Each(Form, [](const auto& s) { return QuotedOf(s); });
}

namespace {

// The UNC name where there is one that differs from the long path; the URI names the share then.
const TText& UncOrLong() {
    return TargetUncPath.Wide.empty() ? TargetLongPath : TargetUncPath;
}

std::vector<TMenuEntry> MoreFormEntries(int ArgCount, const Texts::TFace& Face, TListOffer Offer) {
    std::vector<TMenuEntry> menu;
    int n = 0;
    auto item = [&](uint32_t id, const std::string& fixed, const TText& form) {
        menu.push_back({id, Numbered(++n) + fixed, Doubled(form), false});
    };
    if (ArgCount >= 2) {
        if (Offer.Unc) item(IDM_LIST_UNC_PATHS, Face.ListUncPaths, TText());
        item(IDM_LIST_FILE_URIS, Face.ListFileUris, TText());
        item(IDM_LIST_SLASH_PATHS, Face.ListSlashPaths, TText());
        if (Offer.Wsl) item(IDM_LIST_WSL_PATHS, Face.ListWslPaths, TText());
        return menu;
    }
    if (TargetLongPath.Wide.empty()) return menu;
    for (uint32_t id : {IDM_UNC_PATH, IDM_FILE_URI, IDM_SLASH_PATH, IDM_WSL_PATH}) {
        const TText form = CommandText(id, nullptr);
        if (!form.Wide.empty()) item(id, Face.NumberSeparator, form);
    }
    return menu;
}

} // namespace

std::vector<TMenuEntry> MenuEntries(int ArgCount, bool TargetIsFolder, const Texts::TFace& Face,
                                    TListOffer Offer) {
    std::vector<TMenuEntry> menu;
    auto item = [&menu](uint32_t id, std::string fixed, TText form = TText()) {
        menu.push_back({id, std::move(fixed), std::move(form), false});
    };
    auto formItem = [&](uint32_t id, int number, TText form) {
        item(id, Numbered(number) + Face.NumberSeparator, std::move(form));
    };
    auto separator = [&menu] { menu.push_back({0, std::string(), TText(), true}); };
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
        formItem(IDM_LONG_PATH, n, Doubled(TargetLongPath));
        if (TinyUtils::ContainsSpace(TargetLongPath.Wide))
            formItem(IDM_QUOTED_LONG_PATH, ++n, Quoted(Doubled(TargetLongPath)));
        separator();
        formItem(IDM_FILE_NAME, ++n, Doubled(TargetFileName));
        if (!TargetIsFolder) formItem(IDM_NAME_WITHOUT_EXT, ++n, Doubled(TargetBaseName));
        separator();
        formItem(IDM_FOLDER, ++n, Doubled(TargetFolder));
        if (TinyUtils::ContainsSpace(TargetFolder.Wide))
            formItem(IDM_QUOTED_FOLDER, ++n, Quoted(Doubled(TargetFolder)));
        separator();
        formItem(IDM_SHORT_PATH, ++n, Doubled(TargetShortPath));
    }
    std::vector<TMenuEntry> more = MoreFormEntries(ArgCount, Face, Offer);
    if (!more.empty()) {
        separator();
        menu.push_back({0, Numbered(ArgCount >= 2 ? 5 : ++n) + Face.NumberSeparator + Face.MoreForms, TText(),
                        false, std::move(more)});
    }
    separator();
    item(IDM_CANCEL, Face.Cancel);
    return menu;
}

const Texts::TFace& FaceFor(LANGID UiLanguage) {
    return PRIMARYLANGID(UiLanguage) == LANG_JAPANESE ? Texts::JapaneseFace : Texts::EnglishFace;
}

TText CommandText(uint32_t Id, TListTextFn ListText) {
    switch (Id) {
    case IDM_LIST_LONG_PATHS:
    case IDM_LIST_QUOTED_LONG_PATHS:
    case IDM_LIST_NAMES_WITH_EXT:
    case IDM_LIST_NAMES_WITHOUT_EXT: return ListText ? ListText(Id) : TText();
    case IDM_LONG_PATH: return TargetLongPath;
    case IDM_QUOTED_LONG_PATH: return Quoted(TargetLongPath);
    case IDM_FILE_NAME: return TargetFileName;
    case IDM_NAME_WITHOUT_EXT: return TargetBaseName;
    case IDM_FOLDER: return TargetFolder;
    case IDM_QUOTED_FOLDER: return Quoted(TargetFolder);
    case IDM_SHORT_PATH: return TargetShortPath;
    case IDM_UNC_PATH:
        return TargetUncPath.Wide == TargetLongPath.Wide ? TText() : TargetUncPath;
    case IDM_FILE_URI:
        return TinyUtils::FileUri(UncOrLong());
    case IDM_SLASH_PATH:
        return TinyUtils::ForwardSlashPath(TargetLongPath);
    case IDM_WSL_PATH:
        return TinyUtils::WslPath(TargetLongPath);
    case IDM_LIST_UNC_PATHS:
    case IDM_LIST_FILE_URIS:
    case IDM_LIST_SLASH_PATHS:
    case IDM_LIST_WSL_PATHS:
        return ListText ? ListText(Id) : TText();
    default: return TText(); // IDM_CANCEL, 0x10A..0x10F and everything outside the table
    }
}

} // namespace Pathgrab
