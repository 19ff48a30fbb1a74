// Where the items come from, decided in one place: the menu, the lists and the forms read only this.
#include "Pathgrab.h"

#include "Runtime.h"
#include "TinyUtils.h"

namespace Pathgrab {

std::vector<std::wstring> Items() {
    // Read from the wide command line: the ANSI one gives every character that the system code page
    // lacks as a look-alike (cafe.txt for café.txt), the path of another file.
    std::vector<std::wstring> items = Runtime::WideParamStrs();
    for (std::wstring& item : items)
        item = TinyUtils::BackslashSpelling(item);
    return items;
}

} // namespace Pathgrab
