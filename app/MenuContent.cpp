// What the popup menu holds, computed from the target forms; BuildPopupMenu only appends it.
#include "Pathgrab.h"
#include "Texts.h"

#include "TinyUtils.h"

namespace Pathgrab {

namespace {

// 1 to 9, then A, B, C ...: "&10" would share its key with the first item.
std::string Numbered(int N) {
    std::string key = "&";
    if (N <= 9)
        key += TinyUtils::IntToDecimal(N);
    else
        key += static_cast<char>('A' + N - 10);
    return key;
}

template <typename Str> Str QuotedOf(const Str& Form) {
    const typename Str::value_type quote('"');
    return quote + Form + quote;
}
TText Doubled(const TText& Form) {
    return TinyUtils::Each(Form, [](const auto& s) { return TinyUtils::DoubleAmpersands(s); });
}

} // namespace

TItem Asked(const TItem& Item, unsigned Needs) {
    return {Item.Long, Needs & ndUnc ? Item.Unc : TText(), Needs & ndRepo ? Item.RepoDepth : -1,
            Needs & ndWeb ? Item.Web : TText(), Needs & ndUserFolder ? Item.UserFolder : TText()};
}

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
TText WebOf(const TItem& I) {
    return I.Web;
}
// As the UNC list: an item outside every library stands as its long path.
TText WebLine(const TItem& I) {
    return I.Web.Wide.empty() ? I.Long : I.Web;
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
// A link is for someone else: where the item lies in a synced library it points at the web address,
// since a local file URI opens on no other machine.
TText LinkTarget(const TItem& I) {
    return I.Web.Wide.empty() ? UriOf(I) : I.Web;
}
TText MarkdownOf(const TItem& I) {
    return TinyUtils::MarkdownLink(UncOrLong(I), LinkTarget(I));
}
TText MarkdownLineOf(const TItem& I) {
    const TText link = MarkdownOf(I);
    if (link.Wide.empty()) return link;
    return {link.Bytes.empty() ? std::string() : "- " + link.Bytes, L"- " + link.Wide};
}
// The link's plain text is what a program without HTML pastes: the web address, else the path (the
// share's where there is one).
TText LinkOf(const TItem& I) {
    if (!I.Web.Wide.empty()) return I.Web;
    return UriOf(I).Wide.empty() ? TText() : UncOrLong(I);
}
TText LinkNameOf(const TItem& I) {
    return TinyUtils::LinkName(UncOrLong(I));
}
std::string AnchorOf(const TItem& I) {
    const std::wstring href = LinkTarget(I).Wide; // ASCII, whatever the code page gave
    return TinyUtils::HtmlAnchor(LinkNameOf(I).Wide, std::string(href.begin(), href.end()));
}

TText PowerShellOf(const TItem& I) {
    return TinyUtils::PowerShellString(I.Long);
}
TText MailOf(const TItem& I) {
    return TinyUtils::MailLink(I.Long, I.Unc, I.Web);
}
TText UserFolderOf(const TItem& I) {
    return I.UserFolder;
}
TText SmbOf(const TItem& I) {
    return TinyUtils::SmbAddress(I.Long, I.Unc);
}
// A list's line where the item has no such form: its long path, as the UNC list gives.
template <TText (*Form)(const TItem&)> TText OrLong(const TItem& I) {
    TText form = Form(I);
    return form.Wide.empty() ? I.Long : form;
}

using TFace = Texts::TFace;
using TOffer = TListOffer;
using TForm = TMoreForm;

} // namespace

// Each form is a row: its item (Id) for one item sent, its list (ListId) for several, or both; the
// items and the lists each keep the order of the rows.
const TMoreForm MoreForms[] = {
    {.Id = IDM_UNC_PATH,
     .Form = UncForm,
     .ListId = IDM_LIST_UNC_PATHS,
     .ListCaption = &TFace::ListUncPaths,
     .OfferedIf = &TOffer::Unc,
     .Line = UncLine,
     .Needs = ndUnc},
    {.Id = IDM_WEB_ADDRESS,
     .Form = WebOf,
     .ListId = IDM_LIST_WEB_ADDRESSES,
     .ListCaption = &TFace::ListWebAddresses,
     .OfferedIf = &TOffer::Web,
     .Line = WebLine,
     .Needs = ndWeb},
    {.Id = IDM_FILE_URI,
     .Form = UriOf,
     .ListId = IDM_LIST_FILE_URIS,
     .ListCaption = &TFace::ListFileUris,
     .Line = UriOf,
     .Needs = ndUnc},
    {.Id = IDM_SLASH_PATH,
     .Form = SlashOf,
     .ListId = IDM_LIST_SLASH_PATHS,
     .ListCaption = &TFace::ListSlashPaths,
     .Line = SlashOf},
    {.Id = IDM_WSL_PATH,
     .Form = WslOf,
     .ListId = IDM_LIST_WSL_PATHS,
     .ListCaption = &TFace::ListWslPaths,
     .OfferedIf = &TOffer::Wsl,
     .Line = WslOf},
    {.Id = IDM_GIT_BASH_PATH, .Form = GitBashOf},
    {.ListId = IDM_LIST_COMMAND_LINE,
     .ListCaption = &TFace::ListCommandLine,
     .Line = ArgumentOf,
     .Join = TForm::jnCommandLine},
    {.Id = IDM_STRING_LITERAL, .Form = LiteralOf},
    {.ListId = IDM_LIST_JSON_ARRAY,
     .ListCaption = &TFace::ListJsonArray,
     .Line = LongOf,
     .Join = TForm::jnJsonArray},
    {.Id = IDM_REPO_PATH,
     .Form = RepoOf,
     .ListId = IDM_LIST_REPO_PATHS,
     .ListCaption = &TFace::ListRepoPaths,
     .OfferedIf = &TOffer::Repo,
     .Line = RepoOf,
     .Needs = ndRepo},
    {.Id = IDM_MARKDOWN_LINK,
     .Form = MarkdownOf,
     .ListId = IDM_LIST_MARKDOWN_LINKS,
     .ListCaption = &TFace::ListMarkdownLinks,
     .Line = MarkdownLineOf,
     .Needs = ndUnc | ndWeb},
    {.Id = IDM_LINK,
     .Form = LinkOf,
     .ListId = IDM_LIST_LINKS,
     .ListCaption = &TFace::ListLinks,
     .Line = LinkOf,
     .Needs = ndUnc | ndWeb,
     .Anchor = AnchorOf,
     .Prefix = &TFace::LinkPrefix,
     .Shown = LinkNameOf},
    {.Id = IDM_POWERSHELL_STRING,
     .Form = PowerShellOf,
     .ListId = IDM_LIST_POWERSHELL_STRINGS,
     .ListCaption = &TFace::ListPowerShellStrings,
     .Line = PowerShellOf,
     .Join = TForm::jnArray},
    {.Id = IDM_MAIL_LINK,
     .Form = MailOf,
     .ListId = IDM_LIST_MAIL_LINKS,
     .ListCaption = &TFace::ListMailLinks,
     .OfferedIf = &TOffer::Mail,
     .Line = OrLong<MailOf>,
     .Needs = ndUnc | ndWeb},
    {.Id = IDM_USER_FOLDER_PATH,
     .Form = UserFolderOf,
     .ListId = IDM_LIST_USER_FOLDER_PATHS,
     .ListCaption = &TFace::ListUserFolderPaths,
     .OfferedIf = &TOffer::UserFolder,
     .Line = OrLong<UserFolderOf>,
     .Needs = ndUserFolder},
    {.Id = IDM_SMB_ADDRESS,
     .Form = SmbOf,
     .ListId = IDM_LIST_SMB_ADDRESSES,
     .ListCaption = &TFace::ListSmbAddresses,
     .OfferedIf = &TOffer::Smb,
     .Line = OrLong<SmbOf>,
     .Needs = ndUnc},
};
const size_t MoreFormCount = sizeof MoreForms / sizeof MoreForms[0];

namespace {

TItem TargetItem() {
    return {TargetLongPath, TargetUncPath, TargetRepoDepth, TargetWebAddress, TargetUserFolderPath};
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
    for (const TMoreForm& f : MoreForms) {
        const TItem target = Asked(TargetItem(), f.Needs);
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

bool Offers(const std::vector<TMenuEntry>& Menu, uint32_t Id) {
    for (const TMenuEntry& e : Menu)
        if ((!e.Separator && e.Id == Id) || Offers(e.Submenu, Id)) return true;
    return false;
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
        const TItem target = Asked(TargetItem(), f.Needs);
        TClip clip = f.Form(target);
        if (f.Anchor && !clip.Wide.empty()) clip.Html = TinyUtils::HtmlClipboardText(f.Anchor(target));
        return clip;
    }
    return TClip(); // IDM_CANCEL, 0x10A..0x10F and everything outside the table
}

} // namespace Pathgrab
