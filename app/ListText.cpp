// The list copy commands' texts, computed from the arguments.
#include "Pathgrab.h"

#include "SimpleStrList.h"
#include "TinyUtils.h"

#include <cstring>
#include <map>

namespace Pathgrab {

namespace {

// The lines sorted by their bytes, with the list's own order, so that the bytes are what they have
// always been; each line's exact text follows its bytes into place. Lines of equal bytes are alike in
// that text and take their exact texts in the order they came. The result lists indices into Lines.
std::vector<size_t> SortedOrder(const std::vector<TText>& Lines) {
    SimpleStrList::TSimpleStrList list;
    std::multimap<std::string, size_t> exact;
    for (size_t i = 0; i < Lines.size(); ++i) {
        list.Add(Lines[i].Bytes);
        exact.emplace(Lines[i].Bytes, i);
    }
    list.Sort();
    std::vector<size_t> order;
    for (int32_t i = 0; i < list.Count; ++i) {
        auto found = exact.lower_bound(list.Get(i));
        if (found == exact.end()) break; // the sort only reorders what was added
        order.push_back(found->second);
        exact.erase(found);
    }
    return order;
}

// The lines in that order, each followed by End and apart from the next by Between.
TText Joined(const std::vector<TText>& Lines, const std::vector<size_t>& Order, const char* Between,
             const char* End) {
    TText text;
    const std::wstring between(Between, Between + std::strlen(Between)), end(End, End + std::strlen(End));
    for (size_t i = 0; i < Order.size(); ++i) {
        if (i) text.Bytes += Between, text.Wide += between;
        text.Bytes += Lines[Order[i]].Bytes;
        text.Wide += Lines[Order[i]].Wide;
        text.Bytes += End, text.Wide += end;
    }
    return text;
}

TText SortedText(const std::vector<TText>& Lines) {
    return Joined(Lines, SortedOrder(Lines), "", "\r\n");
}

// The arguments within the path limit: a longer one cannot name a file that the system hands over.
template <typename Use> void EachListed(const std::vector<TText>& Args, Use use) {
    for (const TText& arg : Args)
        if (arg.Wide.size() <= TinyUtils::PathCharLimit) use(arg);
}

template <typename Transform> TText SortedLines(const std::vector<TText>& Args, Transform transform) {
    std::vector<TText> lines;
    EachListed(Args, [&](const TText& arg) { lines.push_back(transform(arg)); });
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

TText ItemFormsText(const std::vector<TText>& Args, TLongPathFn LongPath,
                    const std::function<TText(const TText&)>& Form) {
    std::vector<TText> lines;
    EachListed(Args, [&](const TText& arg) {
        TText line = Form(LongPath(arg));
        if (!line.Wide.empty()) lines.push_back(std::move(line));
    });
    return SortedText(lines);
}

TClip MoreFormListText(uint32_t Id, const std::vector<TText>& Args, TLongPathFn LongPath,
                       const TItemQuestions& Ask) {
    const TMoreForm* form = nullptr;
    for (size_t i = 0; i < MoreFormCount; ++i)
        if (MoreForms[i].ListId && MoreForms[i].ListId == Id) form = &MoreForms[i];
    if (!form) return TClip();
    std::vector<TItem> items;
    std::vector<TText> lines;
    EachListed(Args, [&](const TText& arg) {
        TItem item = {LongPath(arg), TText(), -1};
        if (!item.Long.Wide.empty()) {
            if (form->Needs & ndUnc) item.Unc = Ask.UncPath(item.Long);
            if (form->Needs & ndRepo) item.RepoDepth = Ask.RepoDepth(item.Long);
            if (form->Needs & ndWeb && Ask.WebAddress) item.Web = Ask.WebAddress(item.Long);
            if (form->Needs & ndUserFolder && Ask.UserFolderPath)
                item.UserFolder = Ask.UserFolderPath(item.Long);
        }
        TText line = form->Line(item);
        // An item the list's form does not exist for is left out, not listed as an empty line.
        if (line.Wide.empty()) return;
        items.push_back(std::move(item));
        lines.push_back(std::move(line));
    });
    const std::vector<size_t> order = SortedOrder(lines);
    TClip clip;
    switch (form->Join) {
    case TMoreForm::jnLines:
        clip = Joined(lines, order, "", "\r\n");
        break;
    // One line and no line end: pasted into a console, it runs nothing until the user says so.
    case TMoreForm::jnCommandLine:
        clip = Joined(lines, order, " ", "");
        break;
    // One line, the strings apart by commas: an array that any cmdlet takes.
    case TMoreForm::jnArray:
        clip = Joined(lines, order, ", ", "");
        break;
    case TMoreForm::jnJsonArray: {
        std::vector<TText> strings;
        for (const TText& line : lines)
            strings.push_back(TinyUtils::StringLiteral(line));
        if (order.empty()) return TClip();
        const TText inner = Joined(strings, order, ", ", "");
        clip = TText{"[" + inner.Bytes + "]", L"[" + inner.Wide + L"]"};
        break;
    }
    }
    if (form->Anchor && !order.empty()) {
        std::string fragment;
        for (size_t i = 0; i < order.size(); ++i)
            fragment += (i ? "<br>\r\n" : "") + form->Anchor(items[order[i]]);
        clip.Html = TinyUtils::HtmlClipboardText(fragment);
    }
    return clip;
}

} // namespace Pathgrab
