// The list copy commands' texts, computed from the arguments.
#include "Pathgrab.h"

#include "SimpleStrList.h"
#include "TinyUtils.h"

#include <map>

namespace Pathgrab {

namespace {

// The lines sorted by their bytes, with the list's own order, so that the bytes are what they have
// always been; each line's exact text follows its bytes into place. Lines of equal bytes are alike in
// that text and take their exact texts in the order they came.
TText SortedText(const std::vector<TText>& Lines) {
    SimpleStrList::TSimpleStrList list;
    std::multimap<std::string, const std::wstring*> exact;
    for (const TText& line : Lines) {
        list.Add(line.Bytes);
        exact.emplace(line.Bytes, &line.Wide);
    }
    list.Sort();
    TText text;
    list.GetText(text.Bytes);
    for (int32_t i = 0; i < list.Count; ++i) {
        auto found = exact.lower_bound(list.Get(i));
        if (found == exact.end()) break; // the sort only reorders what was added
        text.Wide += *found->second;
        text.Wide += L"\r\n";
        exact.erase(found);
    }
    return text;
}

// DropEmpty: an item the list's form does not exist for is left out, not listed as an empty line.
template <typename Transform>
TText SortedLines(const std::vector<TText>& Args, Transform transform, bool DropEmpty = false) {
    std::vector<TText> lines;
    for (const TText& arg : Args) {
        // A longer argument cannot name a file that the system hands over within its path limit.
        if (arg.Wide.size() > TinyUtils::PathCharLimit) continue;
        TText line = transform(arg);
        if (!DropEmpty || !line.Wide.empty()) lines.push_back(std::move(line));
    }
    return SortedText(lines);
}

} // namespace

TText WithoutExt(const TText& Name) {
    return TinyUtils::Each(Name,
                           [](const auto& s) { return TinyUtils::PathChangeExt(s, decltype(s.substr())()); });
}

TText PathListText(const std::vector<TText>& Args, bool Quote, TLongPathFn LongPath) {
    return SortedLines(Args, [&](const TText& arg) {
        TText s = LongPath(arg);
        // The item holds a space whatever its bytes (an 8.3 form) show.
        if (Quote && TinyUtils::ContainsSpace(s.Wide)) s = Quoted(s);
        return s;
    });
}

TText NameListText(const std::vector<TText>& Args, bool WithExt, TLongPathFn LongPath) {
    return SortedLines(Args, [&](const TText& arg) {
        TText s = TinyUtils::Each(LongPath(arg), [](const auto& p) { return TinyUtils::PathFileName(p); });
        if (!WithExt) s = WithoutExt(s);
        return s;
    });
}

TText MoreFormListText(uint32_t Id, const std::vector<TText>& Args, TLongPathFn LongPath,
                       TLongPathFn UncPath) {
    return SortedLines(
        Args,
        [&](const TText& arg) {
            const TText longPath = LongPath(arg);
            switch (Id) {
            case IDM_LIST_UNC_PATHS:
            case IDM_LIST_FILE_URIS: {
                const TText unc = longPath.Wide.empty() ? TText() : UncPath(longPath);
                const TText& named = unc.Wide.empty() ? longPath : unc;
                return Id == IDM_LIST_UNC_PATHS ? named : TinyUtils::FileUri(named);
            }
            case IDM_LIST_SLASH_PATHS:
                return TinyUtils::ForwardSlashPath(longPath);
            case IDM_LIST_WSL_PATHS:
                return TinyUtils::WslPath(longPath);
            default:
                return TText();
            }
        },
        true);
}

} // namespace Pathgrab
