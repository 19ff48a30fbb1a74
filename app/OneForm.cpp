// One form at once (/copy:NAME), and the program's messages.
#include "Pathgrab.h"
#include "Texts.h"

#include "TinyUtils.h"

namespace Pathgrab {

namespace {

TText AsItIs(const TText& Path) {
    return Path;
}

// The form the menu offers in place of a quoted one: the quotes are the command's, whether the item
// holds a space or not.
uint32_t OfferedAs(uint32_t Id) {
    return Id == IDM_QUOTED_LONG_PATH ? IDM_LONG_PATH : Id == IDM_QUOTED_FOLDER ? IDM_FOLDER : Id;
}

} // namespace

bool CopiedAtOnce(HWND Wnd) {
    const TCopyName* name = StartOptions().Copy;
    if (!name) return false;
    const std::vector<std::wstring> items = Items();
    const int count = static_cast<int>(items.size());
    // An item that is gone has no forms: its quotes or its one-item array would be a text of nothing.
    if (count < 2 && TargetLongPath.Wide.empty()) return false;
    const Texts::TFace& face = FaceFor(GetUserDefaultUILanguage());
    TClip text;
    if (count >= 2 && name->ListId) {
        if (Offers(MenuEntries(count, false, face, ListOfferOf(items)), name->ListId))
            text = CommandText(name->ListId, ListTextOf);
    } else if (count >= 2) {
        MakeItemFormsText(name->Id, text);
    } else if (name->Id) {
        const std::wstring target = TargetLongPath.Wide;
        const bool folder = TinyUtils::WithinNetworkBound(
            target, false, [target] { return TinyUtils::FolderExists(target); });
        if (Offers(MenuEntries(count, folder, face), OfferedAs(name->Id)))
            text = CommandText(name->Id, nullptr);
    } else {
        // The one command line, or the array, of the one item: the list over it alone.
        text = MoreFormListText(name->ListId, {TargetLongPath}, AsItIs, {UncText, RepoDepthOf, WebAddressOf});
    }
    // No such form here: the menu opens, as without the option; never an empty text or another form.
    if (text.Wide.empty()) return false;
    TinyUtils::PutClipboardText(Wnd, text, text.Html);
    PostMessageA(Wnd, WM_DESTROY, 0, 0);
    return true;
}

void ShowMessage(const char* Text, const std::wstring& Rest) {
    using TinyUtils::WideFromBytes;
    const std::wstring text = WideFromBytes(Text, Texts::TextCodePage) + Rest;
    const std::wstring caption = WideFromBytes(Texts::QuestionCaption, Texts::TextCodePage);
    MessageBoxW(GetForegroundWindow(), text.c_str(), caption.c_str(), MB_OK | MB_SETFOREGROUND);
}

void ShowOptionFault(const TOptions& Options) {
    const Texts::TFace& face = FaceFor(GetUserDefaultUILanguage());
    const char* const Texts::TFace::*what[] = {nullptr,
                                               &Texts::TFace::UnknownOption,
                                               &Texts::TFace::UnknownName,
                                               &Texts::TFace::CopyTwice,
                                               &Texts::TFace::ClipboardAndFiles,
                                               &Texts::TFace::HotkeyAndMore,
                                               &Texts::TFace::NoItems};
    std::wstring names;
    for (size_t i = 0; i < CopyNameCount; ++i) {
        if (i) names += L", ";
        for (const char* c = CopyNames[i].Name; *c; ++c)
            names += static_cast<wchar_t>(*c);
    }
    std::wstring rest = Options.Offender.empty() ? std::wstring() : L" " + Options.Offender;
    rest += L"\r\n\r\n" + TinyUtils::WideFromBytes(face.Usage, Texts::TextCodePage) + names;
    ShowMessage(face.*what[Options.Fault], rest);
}

} // namespace Pathgrab
