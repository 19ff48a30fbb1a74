// Where the items come from, decided in one place: the menu, the lists and the forms read only this.
#include "Pathgrab.h"

#include "Runtime.h"
#include "TinyUtils.h"

namespace Pathgrab {

namespace {
// The copied files, read once: the lists and the forms must see what was copied when the program
// started, not what the user copies while the menu is open.
bool clipboardRead = false;
std::vector<std::wstring> clipboardItems;
} // namespace

TOptions StartOptions() {
    return ReadOptions(Runtime::WideParamStrs());
}

std::vector<std::wstring> Items() {
    // Read from the wide command line: the ANSI one gives every character that the system code page
    // lacks as a look-alike (cafe.txt for café.txt), the path of another file.
    std::vector<std::wstring> items = Runtime::WideParamStrs();
    const TOptions options = ReadOptions(items);
    if (options.Clipboard) {
        if (!clipboardRead) clipboardItems = TinyUtils::ClipboardItems();
        clipboardRead = true;
        items = clipboardItems;
    } else {
        items.erase(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(options.FirstItem));
    }
    for (std::wstring& item : items)
        item = TinyUtils::BackslashSpelling(item);
    return items;
}

bool HeldAtStart(int Key) {
    const TOptions options = StartOptions();
    if (options.Clipboard || (options.Copy && Key == VK_SHIFT)) return false;
    return GetAsyncKeyState(Key) < 0;
}

} // namespace Pathgrab
