// Target preparation, the popup menu and the list commands' argument reading.
#include "Pathgrab.h"
#include "Texts.h"

#include "TinyShlLnk.h"
#include "TinyUtils.h"

namespace Pathgrab {

namespace {

// The items in their exact text only: the list reads nothing else of them.
std::vector<TText> SentArguments() {
    std::vector<TText> args;
    for (std::wstring& arg : Items())
        args.push_back({std::string(), std::move(arg)});
    return args;
}

// An item whose server does not answer in time keeps the text it was sent with, as the UNC form does;
// the next item on that drive or server is not asked again.
TText LongText(const TText& Path) {
    const std::wstring sent = Path.Wide;
    return TinyUtils::WithinNetworkBound(sent, TinyUtils::TextOfWide(sent),
                                         [sent] { return TinyUtils::PathText(TinyUtils::ToLongPath(sent)); });
}

void AppendEntry(HMENU Menu, const TMenuEntry& E) {
    if (E.Separator) {
        AppendMenuW(Menu, MF_SEPARATOR, 0, nullptr);
        return;
    }
    // Our texts are code page 932 whatever the system's code page is; the path forms are shown in
    // their exact text.
    const std::wstring caption = TinyUtils::WideFromBytes(E.Fixed, Texts::TextCodePage) + E.Form.Wide;
    if (E.Submenu.empty()) {
        AppendMenuW(Menu, MF_STRING, E.Id, caption.c_str());
        return;
    }
    // The parent menu owns the submenu from here: destroying it destroys both.
    HMENU submenu = CreatePopupMenu();
    for (const TMenuEntry& s : E.Submenu)
        AppendEntry(submenu, s);
    AppendMenuW(Menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), caption.c_str());
}

} // namespace

TText UncText(const TText& LongPath) {
    // Its own bytes, or '?' for what the code page lacks: its 8.3 form would be one more question to a
    // server that may be gone.
    return TinyUtils::TextOfWide(TinyUtils::UniversalName(LongPath.Wide));
}

void ShowPathMenu(HWND Wnd) {
    using namespace TinyUtils;
    const std::vector<std::wstring> args = Items();
    const std::wstring sent = args.empty() ? std::wstring() : args[0];
    // Even the long form is a question to the item's server, which may be gone: then the item stands as
    // it was sent.
    std::wstring target = WithinNetworkBound(sent, sent, [sent] { return ToLongPath(sent); });
    // Ctrl up: a shortcut stands for its target, read as stored (not resolved, not lengthened again).
    // One on a network that does not answer in time stands for itself, as with Ctrl.
    if (!HeldAtStart(VK_CONTROL) && UpperCaseLocale(PathExt(target)) == Texts::ShortcutExt)
        target = BackslashSpelling(TinyShlLnk::GetShortcutTargetWithinBound(target, target));
    // A shortcut's target may lie on a server that is gone: its forms are asked within the network
    // bound, and a form the network does not give in time is left out (the text itself stays, with '?'
    // for what the code page lacks, as the UNC form does).
    // Where the code page holds the text exactly, nothing is asked of any network (Shift then costs no
    // more than it did); only the 8.3 stand-in of a text it lacks is.
    const TConversion text = ToAnsi(target);
    const TText asWritten = {text.Bytes, target};
    TargetLongPath =
        text.Exact ? asWritten : WithinNetworkBound(target, asWritten, [target] { return PathText(target); });
    if (HeldAtStart(VK_SHIFT)) {
        PutClipboardText(Wnd, TargetLongPath);
        PostMessageA(Wnd, WM_DESTROY, 0, 0);
        return;
    }
    // The forms are cut from both readings of the long path alike, so that each names what the item's
    // own form names: an 8.3 path gives 8.3 names.
    TargetFolder = Each(TargetLongPath, [](const auto& p) { return PathFolder(p); });
    TargetShortPath = WithinNetworkBound(target, TText(), [target] { return PathText(ToShortPath(target)); });
    TargetFileName = Each(TargetLongPath, [](const auto& p) { return PathFileName(p); });
    TargetBaseName = WithoutExt(TargetFileName);
    if (args.size() < 2) {
        TargetUncPath = UncText(TargetLongPath);
        TargetRepoDepth = RepoDepthOf(TargetLongPath);
        TargetWebAddress = WebAddressOf(TargetLongPath);
        TargetUserFolderPath = UserFolderPathOf(TargetLongPath);
    }
    if (CopiedAtOnce(Wnd)) return;
    BuildPopupMenu();
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    // The menu closes on a click elsewhere, and another application's activation reaches us as
    // WM_ACTIVATEAPP, only while our window is the foreground window.
    SetForegroundWindow(Wnd);
    TrackPopupMenu(PopupMenuHandle, TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, cursor.x, cursor.y, 0,
                   Wnd, nullptr);
    // The benign message the platform asks for after a menu tracked from the foreground window, so
    // that the task switch the menu began completes.
    PostMessageA(Wnd, WM_NULL, 0, 0);
    // Left with Escape: hand the foreground back to the window the user came from.
    if ((GetAsyncKeyState(VK_ESCAPE) & 1) && PrevForegroundWnd) SetForegroundWindow(PrevForegroundWnd);
    // However the menu closed (a choice, Escape, a click elsewhere, the system cancelling it, or no menu
    // at all), the program is done: a hidden instance left behind would make every later Send To end
    // at once. A chosen command was posted before this, so it is still handled first.
    PostMessageA(Wnd, WM_DESTROY, 0, 0);
}

void BuildPopupMenu() {
    PopupMenuHandle = CreatePopupMenu();
    const Texts::TFace& face = FaceFor(GetUserDefaultUILanguage());
    const std::wstring target = TargetLongPath.Wide;
    const bool folder =
        TinyUtils::WithinNetworkBound(target, false, [target] { return TinyUtils::FolderExists(target); });
    const std::vector<std::wstring> items = Items();
    const int count = static_cast<int>(items.size());
    for (const TMenuEntry& e :
         MenuEntries(count, folder, face, count >= 2 ? ListOfferOf(items) : TListOffer{false, false}))
        AppendEntry(PopupMenuHandle, e);
}

namespace {
bool HoldsGit(const std::wstring& Folder) {
    return GetFileAttributesW((TinyUtils::AddTrailingBackslash(Folder) + L".git").c_str()) !=
           INVALID_FILE_ATTRIBUTES;
}
TinyUtils::TWorkTrees workTrees(HoldsGit);

// The work trees of local paths (C:\x or \\?\C:\x); null for a server's path, whose folders are not
// walked: each would be a question to a server that may be gone.
TinyUtils::TWorkTrees* LocalWorkTrees(const std::wstring& Path) {
    return TinyUtils::DriveIndex(Path) >= 0 && !TinyUtils::IsOnRemoteDrive(Path) ? &workTrees : nullptr;
}

// The OneDrive client's records, read once in the process, on the first question about a local item:
// Shift, and a menu for items elsewhere, read nothing.
bool syncRootsRead = false;
std::vector<TinyUtils::TSyncRoot> syncRoots;
} // namespace

TText WebAddressOf(const TText& LongPath) {
    if (TinyUtils::DriveIndex(LongPath.Wide) < 0 || TinyUtils::IsOnRemoteDrive(LongPath.Wide)) return TText();
    if (!syncRootsRead) {
        syncRoots = TinyUtils::ReadSyncRoots();
        syncRootsRead = true;
    }
    return TinyUtils::WebAddress(syncRoots, LongPath);
}

TListOffer ListOfferOf(const std::vector<std::wstring>& Args) {
    TListOffer offer = {false, false};
    for (const std::wstring& sent : Args) {
        // Judged on the items as their lines will name them: only a name with '~' (an 8.3 one) can
        // differ from its long form in what decides an offer, so only such a one is asked.
        const std::wstring arg =
            sent.find(L'~') == std::wstring::npos ? sent : LongText({std::string(), sent}).Wide;
        offer.Unc = offer.Unc || TinyUtils::IsOnRemoteDrive(arg);
        const TText item = {std::string(), arg};
        offer.Wsl = offer.Wsl || !TinyUtils::WslPath(item).Wide.empty();
        offer.Web = offer.Web || !WebAddressOf(item).Wide.empty();
        // A network drive's UNC name is asked only for the list itself, as the UNC list's is.
        offer.Mail =
            offer.Mail || offer.Unc || offer.Web || !TinyUtils::MailLink(item, TText(), TText()).Wide.empty();
        offer.Smb = offer.Smb || offer.Unc || !TinyUtils::SmbAddress(item, TText()).Wide.empty();
        offer.UserFolder = offer.UserFolder || !UserFolderPathOf(item).Wide.empty();
        // The first item in a work tree settles it; the folders asked are remembered for the list.
        if (!offer.Repo) {
            TinyUtils::TWorkTrees* trees = LocalWorkTrees(arg);
            offer.Repo = trees && trees->HasRelativePath(arg);
        }
    }
    return offer;
}

void MakePathListText(bool Quote, TText& Text) {
    Text = PathListText(SentArguments(), Quote, LongText);
}

void MakeNameListText(bool WithExt, TText& Text) {
    Text = NameListText(SentArguments(), WithExt, LongText);
}

void MakeMoreFormListText(uint32_t Id, TClip& Text) {
    Text = MoreFormListText(Id, SentArguments(), LongText,
                            {UncText, RepoDepthOf, WebAddressOf, UserFolderPathOf});
}

void MakeItemFormsText(uint32_t Id, TText& Text) {
    Text = ItemFormsText(SentArguments(), LongText, [Id](const TText& Long) {
        using namespace TinyUtils;
        if (Long.Wide.empty()) return TText();
        const TText folder = Each(Long, [](const auto& p) { return PathFolder(p); });
        if (Id == IDM_FOLDER) return folder;
        if (Id == IDM_QUOTED_FOLDER) return Quoted(folder);
        const std::wstring path = Long.Wide;
        if (Id == IDM_SHORT_PATH)
            return WithinNetworkBound(path, TText(), [path] { return PathText(ToShortPath(path)); });
        for (size_t i = 0; i < MoreFormCount; ++i)
            if (MoreForms[i].Id == Id && !MoreForms[i].Needs) return MoreForms[i].Form({Long, TText(), -1});
        return TText();
    });
}

int RepoDepthOf(const TText& LongPath) {
    TinyUtils::TWorkTrees* trees = LocalWorkTrees(LongPath.Wide);
    return trees ? trees->Depth(LongPath.Wide) : -1;
}

} // namespace Pathgrab
