// The two readings of an item: which bytes stand for its exact text in the system code page.
#include "TinyUtils.h"

namespace TinyUtils {

std::string StandInBytes(const TConversion& Text, const TConversion& ShortForm) {
    if (Text.Exact) return Text.Bytes;
    if (ShortForm.Exact && !ShortForm.Bytes.empty()) return ShortForm.Bytes;
    // '?' cannot stand in a file name: the text names no file, and never another one.
    return Text.Bytes;
}

} // namespace TinyUtils
