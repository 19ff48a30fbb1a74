// What the popup menu holds, computed from the target forms; BuildPopupMenu only appends it.
#include "Pathgrab.h"
#include "Texts.h"

#include "TinyUtils.h"

namespace Pathgrab {

namespace {

std::string Numbered(int N) {
    return "&" + TinyUtils::IntToDecimal(N);
}

template <typename Str> Str QuotedOf(const Str& Form) {
    const typename Str::value_type quote('"');
    return quote + Form + quote;
}
TText Doubled(const TText& Form) {
    return TinyUtils::Each(Form, [](const auto& s) { return TinyUtils::DoubleAmpersands(s); });
}

} // namespace

// Quotes around nothing are still the quoted form of an empty path, as they have always been.
TText Quoted(const TText& Form) {
    return {QuotedOf(Form.Bytes), QuotedOf(Form.Wide)};
}

namespace {

using TinyUtils::PathCharLimit;

// The UNC name where there is one that differs from the long path; the URI and the links name the
// share then. One over the path limit is unreadable, as every other form there: the drive path stands.
const TText& UncOrLong(const TItem& I) {
    return I.Unc.Wide.empty() || I.Unc.Wide.size() > PathCharLimit ? I.Long : I.Unc;
}
TText UncForm(const TItem& I) {
    return UncOrLong(I).Wide == I.Long.Wide ? TText() : I.Unc;
}
TText UncLine(const TItem& I) {
    return I.Unc.Wide.size() > PathCharLimit ? TText() : UncOrLong(I);
}
TText UriOf(const TItem& I) {
    return TinyUtils::FileUri(UncOrLong(I));
}
TText SlashOf(const TItem& I) {
    return TinyUtils::ForwardSlashPath(I.Long);
}
TText WslOf(const TItem& I) {
    return TinyUtils::WslPath(I.Long);
}
TText GitBashOf(const TItem& I) {
    return TinyUtils::GitBashPath(I.Long);
}
TText LiteralOf(const TItem& I) {
    return TinyUtils::StringLiteral(I.Long);
}
TText RepoOf(const TItem& I) {
    return TinyUtils::RepoRelativePath(I.Long, I.RepoDepth);
}
TText LongOf(const TItem& I) {
    return I.Long;
}
TText ArgumentOf(const TItem& I) {
    return TinyUtils::CommandLineArgument(I.Long);
}
TText MarkdownOf(const TItem& I) {
    return TinyUtils::MarkdownLink(UncOrLong(I), UriOf(I));
}
TText MarkdownLineOf(const TItem& I) {
    const TText link = MarkdownOf(I);
    if (link.Wide.empty()) return link;
    return {"- " + link.Bytes, L"- " + link.Wide};
}
// The link's plain text is what a program without HTML pastes: the path, the share's where there is one.
TText LinkOf(const TItem& I) {
    return UriOf(I).Wide.empty() ? TText() : UncOrLong(I);
}
TText LinkNameOf(const TItem& I) {
    return TinyUtils::LinkName(UncOrLong(I));
}
std::string AnchorOf(const TItem& I) {
    return TinyUtils::HtmlAnchor(LinkNameOf(I).Wide, UriOf(I).Bytes);
}

using TFace = Texts::TFace;
using TOffer = TListOffer;

} // namespace

// Each form is a row: its item (Id) for one item sent, its list (ListId) for several, or both; the
// items and the lists each keep the order of the rows.
const TMoreForm MoreForms[] = {
    {IDM_UNC_PATH, UncForm, IDM_LIST_UNC_PATHS, &TFace::ListUncPaths, &TOffer::Unc, UncLine,
     TMoreForm::jnLines, true, false},
    {IDM_FILE_URI, UriOf, IDM_LIST_FILE_URIS, &TFace::ListFileUris, nullptr, UriOf, TMoreForm::jnLines, true,
     false},
    {IDM_SLASH_PATH, SlashOf, IDM_LIST_SLASH_PATHS, &TFace::ListSlashPaths, nullptr, SlashOf,
     TMoreForm::jnLines, false, false},
    {IDM_WSL_PATH, WslOf, IDM_LIST_WSL_PATHS, &TFace::ListWslPaths, &TOffer::Wsl, WslOf, TMoreForm::jnLines,
     false, false},
    {IDM_GIT_BASH_PATH, GitBashOf},
    {0, nullptr, IDM_LIST_COMMAND_LINE, &TFace::ListCommandLine, nullptr, ArgumentOf,
     TMoreForm::jnCommandLine, false, false},
    {IDM_STRING_LITERAL, LiteralOf},
    {0, nullptr, IDM_LIST_JSON_ARRAY, &TFace::ListJsonArray, nullptr, LongOf, TMoreForm::jnJsonArray, false,
     false},
    {IDM_REPO_PATH, RepoOf, IDM_LIST_REPO_PATHS, &TFace::ListRepoPaths, &TOffer::Repo, RepoOf,
     TMoreForm::jnLines, false, true},
    {IDM_MARKDOWN_LINK, MarkdownOf, IDM_LIST_MARKDOWN_LINKS, &TFace::ListMarkdownLinks, nullptr,
     MarkdownLineOf, TMoreForm::jnLines, true, false},
    {IDM_LINK, LinkOf, IDM_LIST_LINKS, &TFace::ListLinks, nullptr, LinkOf, TMoreForm::jnLines, true, false,
     AnchorOf, &TFace::LinkPrefix, LinkNameOf},
};
const size_t MoreFormCount = sizeof MoreForms / sizeof MoreForms[0];

namespace {

TItem TargetItem() {
    return {TargetLongPath, TargetUncPath, TargetRepoDepth};
}

std::vector<TMenuEntry> MoreFormEntries(bool Several, const Texts::TFace& Face, TListOffer Offer) {
    std::vector<TMenuEntry> menu;
    int n = 0;
    auto item = [&](uint32_t id, const std::string& fixed, const TText& form) {
        menu.push_back({id, Numbered(++n) + fixed, Doubled(form), false});
    };
    if (Several) {
        for (const TMoreForm& f : MoreForms)
            if (f.ListId && (!f.OfferedIf || Offer.*f.OfferedIf))
                item(f.ListId, Face.*f.ListCaption, TText());
        return menu;
    }
    if (TargetLongPath.Wide.empty()) return menu;
    const TItem target = TargetItem();
    for (const TMoreForm& f : MoreForms) {
        if (!f.Id || f.Form(target).Wide.empty()) continue;
        item(f.Id, std::string(Face.NumberSeparator) + (f.Prefix ? Face.*f.Prefix : ""),
             f.Shown ? f.Shown(target) : f.Form(target));
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
    std::vector<TMenuEntry> more = MoreFormEntries(ArgCount >= 2, Face, Offer);
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

TClip CommandText(uint32_t Id, TListTextFn ListText) {
    switch (Id) {
    case IDM_LIST_LONG_PATHS:
    case IDM_LIST_QUOTED_LONG_PATHS:
    case IDM_LIST_NAMES_WITH_EXT:
    case IDM_LIST_NAMES_WITHOUT_EXT:
        return ListText ? ListText(Id) : TClip();
    case IDM_LONG_PATH:
        return TargetLongPath;
    case IDM_QUOTED_LONG_PATH:
        return Quoted(TargetLongPath);
    case IDM_FILE_NAME:
        return TargetFileName;
    case IDM_NAME_WITHOUT_EXT:
        return TargetBaseName;
    case IDM_FOLDER:
        return TargetFolder;
    case IDM_QUOTED_FOLDER:
        return Quoted(TargetFolder);
    case IDM_SHORT_PATH:
        return TargetShortPath;
    }
    for (const TMoreForm& f : MoreForms) {
        if (f.ListId && Id == f.ListId) return ListText ? ListText(Id) : TClip();
        if (!f.Id || Id != f.Id) continue;
        const TItem target = TargetItem();
        TClip clip = f.Form(target);
        if (f.Anchor && !clip.Wide.empty()) clip.Html = TinyUtils::HtmlClipboardText(f.Anchor(target));
        return clip;
    }
    return TClip(); // IDM_CANCEL, 0x10A..0x10F and everything outside the table
}

} // namespace Pathgrab
