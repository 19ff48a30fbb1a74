// Clipboard text output: one CF_TEXT entry, the text's bytes unconverted and a zero byte.
#include "TinyUtils.h"

#include "Guards.h"

#include <cstring>

namespace TinyUtils {

void PutClipboardText(HWND Owner, const std::string& Text) {
    Guards::ClipboardOpen clipboard(Owner);
    if (!clipboard) return; // someone else holds it: the old contents stay
    const size_t size = Text.size() + 1;
    Guards::UniqueHGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size));
    if (!block.get()) return;
    void* bytes = GlobalLock(block.get());
    if (!bytes) return;
    std::memcpy(bytes, Text.c_str(), size);
    // Only now, with the new text ready, do the old contents go.
    EmptyClipboard();
    // The block stays locked while SetClipboardData runs; once the system has it, it is not ours to free.
    HANDLE placed = SetClipboardData(CF_TEXT, block.get());
    GlobalUnlock(block.get());
    if (placed) block.release();
}

} // namespace TinyUtils
