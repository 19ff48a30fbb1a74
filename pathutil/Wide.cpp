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

std::string ExactBytes(const std::wstring& Wide) {
    if (Wide.empty()) return std::string();
    const int size = static_cast<int>(Wide.size());
    // No best fit: a character the code page lacks must not quietly become a look-alike (e to e-acute,
    // the yen sign to a backslash), which would name another file.
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, Wide.data(), size, nullptr, 0, nullptr, &lossy);
    if (n <= 0 || lossy) return std::string();
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, Wide.data(), size, &bytes[0], n, nullptr, &lossy);
    // Some code pages map without a default character yet not back to the same text: read it back.
    if (lossy || WideFromBytes(bytes, CP_ACP) != Wide) return std::string();
    return bytes;
}

} // namespace TinyUtils
