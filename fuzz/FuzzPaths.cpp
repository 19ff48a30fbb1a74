// The path operations on arbitrary byte strings: the pieces put back together give the path, no
// delimiter found is a trail byte, and the ampersand doubling can be undone.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace TinyUtils;
    if (size == 0) return 0;
    Fuzz::SelectLocale(data[0]);
    const std::string p = Fuzz::Text(data + 1, size - 1);

    for (const char* set : {"\\:", ".\\:"}) {
        const int i = LastDelimiterIndex(set, p);
        FUZZ_CHECK(i >= 0 && static_cast<size_t>(i) <= p.size());
        if (i > 0) {
            FUZZ_CHECK(std::string(set).find(p[static_cast<size_t>(i - 1)]) != std::string::npos);
            FUZZ_CHECK(ByteKindAt(p, i) != bkTrail);
        }
    }
    FUZZ_CHECK(PathHead(p) + PathFileName(p) == p);
    FUZZ_CHECK(PathChangeExt(p, PathExt(p)) == p);
    // The folder is the head, or the head less a backslash that is a real one.
    const std::string head = PathHead(p), folder = PathFolder(p);
    FUZZ_CHECK(folder == head ||
               (folder.size() + 1 == head.size() && head.compare(0, folder.size(), folder) == 0 &&
                IsBackslashAt(head, static_cast<int>(head.size()))));
    // The name starts behind a real delimiter, so taken alone it holds none, and the extension lies in it.
    const std::string name = PathFileName(p);
    FUZZ_CHECK(LastDelimiterIndex("\\:", name) == 0);
    FUZZ_CHECK(PathExt(name) == PathExt(p));
    const std::string ext = PathExt(p);
    FUZZ_CHECK(ext.empty() || (ext[0] == '.' && p.size() >= ext.size() &&
                               p.compare(p.size() - ext.size(), ext.size(), ext) == 0));
    const std::string added = AddTrailingBackslash(p);
    // A string that ends in a lone lead byte takes the appended backslash as its trail byte; every
    // well-formed one ends in a real backslash afterwards.
    const bool loneLeadAtEnd = !p.empty() && ByteKindAt(p, static_cast<int>(p.size())) == bkLead;
    if (!loneLeadAtEnd) FUZZ_CHECK(IsBackslashAt(added, static_cast<int>(added.size())));
    if (!loneLeadAtEnd && !IsBackslashAt(p, static_cast<int>(p.size())))
        FUZZ_CHECK(DropTrailingBackslash(added) == p);
    FUZZ_CHECK(UpperCaseLocale(p).size() == p.size());

    const std::string doubled = DoubleAmpersands(p);
    std::string undone;
    for (size_t i = 0; i < doubled.size(); ++i) {
        undone += doubled[i];
        if (doubled[i] == '&') {
            FUZZ_CHECK(i + 1 < doubled.size() && doubled[i + 1] == '&');
            ++i;
        }
    }
    FUZZ_CHECK(undone == p);
    return 0;
}
