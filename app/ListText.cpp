// The list copy commands' texts, computed from the arguments.
#include "Pathgrab.h"

#include "SimpleStrList.h"
#include "TinyUtils.h"

namespace Pathgrab {

namespace {

template <typename Transform>
std::string SortedLines(const std::vector<std::string>& Args, Transform transform) {
    SimpleStrList::TSimpleStrList list;
    for (const std::string& arg : Args) {
        // A longer argument cannot name a file that the system hands over within its path limit.
        if (!TinyUtils::WithinPathLimit(arg)) continue;
        list.Add(transform(arg));
    }
    list.Sort();
    std::string text;
    list.GetText(text);
    return text;
}

} // namespace

std::string PathListText(const std::vector<std::string>& Args, bool Quote, TLongPathFn LongPath) {
    return SortedLines(Args, [&](const std::string& arg) {
        std::string s = LongPath(arg);
        if (Quote && TinyUtils::ContainsSpace(s)) s = '"' + s + '"';
        return s;
    });
}

std::string NameListText(const std::vector<std::string>& Args, bool WithExt, TLongPathFn LongPath) {
    return SortedLines(Args, [&](const std::string& arg) {
        std::string s = TinyUtils::PathFileName(LongPath(arg));
        if (!WithExt) s = TinyUtils::PathChangeExt(s, std::string());
        return s;
    });
}

} // namespace Pathgrab
