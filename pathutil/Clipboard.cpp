// Clipboard text output: an item's bytes unconverted as CF_TEXT, and beside them its exact text as
// CF_UNICODETEXT with the locale the bytes are read in, so that every program pastes the same path.
#include "TinyUtils.h"

#include "Guards.h"

#include <cstring>
#include <cwchar>

namespace TinyUtils {

namespace {

// Clipboard managers and remote-desktop clients hold the clipboard for moments: a few tries over about
// a quarter of a second, then the copy is given up and the old contents stay.
constexpr int OpenAttempts = 10;
constexpr DWORD OpenRetryMs = 25;

// A moveable block holding Size bytes of Data, unlocked; empty when it cannot be made.
Guards::UniqueHGlobal BlockOf(const void* Data, size_t Size) {
    Guards::UniqueHGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, Size));
    if (!block.get()) return block;
    void* bytes = GlobalLock(block.get());
    if (!bytes) return Guards::UniqueHGlobal();
    std::memcpy(bytes, Data, Size);
    GlobalUnlock(block.get());
    return block;
}

void Place(UINT Format, Guards::UniqueHGlobal& Block) {
    // Once the system has the block it is not ours to free.
    if (Block.get() && SetClipboardData(Format, Block.get())) Block.release();
}

} // namespace

void PutClipboardText(HWND Owner, const TText& Text, const std::string& Html) {
    // Nothing to copy: the user's clipboard is worth more than an empty text.
    if (Text.Wide.empty()) return;
    Guards::ClipboardOpen clipboard(Owner, OpenAttempts, OpenRetryMs);
    if (!clipboard) return; // someone else holds it: the old contents stay
    const size_t size = Text.Bytes.size() + 1;
    Guards::UniqueHGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size));
    if (!block.get()) return;
    void* bytes = GlobalLock(block.get());
    if (!bytes) return;
    std::memcpy(bytes, Text.Bytes.c_str(), size);
    // The bytes are in the system code page; the locale tells the system so, whatever keyboard layout
    // is active. A Unicode program pastes the exact text, also where the bytes only stand for it.
    Guards::UniqueHGlobal wideBlock = BlockOf(Text.Wide.c_str(), (Text.Wide.size() + 1) * sizeof(wchar_t));
    const LCID locale = GetSystemDefaultLCID();
    Guards::UniqueHGlobal localeBlock = BlockOf(&locale, sizeof locale);
    // A link goes beside the plain text in the same opening: both land, or neither.
    const UINT htmlFormat = Html.empty() ? 0 : RegisterClipboardFormatW(L"HTML Format");
    Guards::UniqueHGlobal htmlBlock =
        htmlFormat ? BlockOf(Html.c_str(), Html.size() + 1) : Guards::UniqueHGlobal();
    if (!wideBlock.get() || !localeBlock.get() || (!Html.empty() && !htmlBlock.get())) {
        GlobalUnlock(block.get());
        return;
    }
    // Only now, with every block ready, do the old contents go.
    EmptyClipboard();
    // The block stays locked while SetClipboardData runs.
    HANDLE placed = SetClipboardData(CF_TEXT, block.get());
    GlobalUnlock(block.get());
    if (placed) block.release();
    Place(CF_UNICODETEXT, wideBlock);
    Place(CF_LOCALE, localeBlock);
    if (htmlFormat) Place(htmlFormat, htmlBlock);
}

namespace {

std::wstring FromSystemCodePage(const std::string& Bytes) {
    return WideFromBytes(Bytes, CP_ACP);
}

// What Read makes of the bytes of the clipboard's entry Format, locked only for the read.
template <typename Read> auto ReadEntry(UINT Format, Read read) -> decltype(read(nullptr, 0)) {
    HANDLE block = IsClipboardFormatAvailable(Format) ? GetClipboardData(Format) : nullptr;
    const void* bytes = block ? GlobalLock(block) : nullptr;
    if (!bytes) return read(nullptr, 0);
    auto result = read(bytes, GlobalSize(block));
    GlobalUnlock(block);
    return result;
}

} // namespace

std::vector<std::wstring> ClipboardItems() {
    // Only read: the clipboard stays exactly as the user left it, whatever is found.
    Guards::ClipboardOpen clipboard(nullptr, OpenAttempts, OpenRetryMs);
    if (!clipboard) return {};
    std::vector<std::wstring> items = ReadEntry(CF_HDROP, [](const void* Bytes, size_t Size) {
        return DropFileNames(Bytes, Size, FromSystemCodePage);
    });
    if (!items.empty()) return items;
    return ReadEntry(CF_UNICODETEXT, [](const void* Bytes, size_t Size) {
        // Up to its zero, never past the block.
        const wchar_t* text = static_cast<const wchar_t*>(Bytes);
        return TextPaths(text ? std::wstring(text, wcsnlen(text, Size / sizeof(wchar_t))) : std::wstring());
    });
}

void PutClipboardText(HWND Owner, const std::string& Text) {
    PutClipboardText(Owner, TextOfBytes(Text));
}

} // namespace TinyUtils
