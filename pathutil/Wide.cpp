// Byte strings read as UTF-16, for the wide API and the Unicode clipboard.
#include "TinyUtils.h"

namespace TinyUtils {

std::wstring WideFromBytes(const std::string& Bytes, unsigned CodePage) {
    if (Bytes.empty()) return std::wstring();
    const int size = static_cast<int>(Bytes.size());
    const int n = MultiByteToWideChar(CodePage, 0, Bytes.data(), size, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CodePage, 0, Bytes.data(), size, &wide[0], n);
    return wide;
}

} // namespace TinyUtils
