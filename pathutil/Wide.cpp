// Byte strings read as UTF-16 and UTF-16 written as bytes, for the wide API and the two readings of an
// item.
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

namespace {
// The text with '?' for each half of a surrogate pair that stands alone: NTFS allows one in a name, and
// UTF-8 has no bytes for it (Windows writes U+FFFD there, a character of another name).
std::wstring WithoutLoneSurrogates(const std::wstring& Wide) {
    std::wstring text = Wide;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF,
                   low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ++i;
        else if (high || low)
            text[i] = L'?';
    }
    return text;
}
} // namespace

TConversion ToAnsi(const std::wstring& Wide) {
    if (Wide.empty()) return {std::string(), true};
    // No best fit: a character the code page lacks must not quietly become a look-alike (e to e-acute,
    // the yen sign to a backslash), which would name another file; it becomes '?', which names none.
    // Where the system code page is UTF-8, which holds every name, Windows refuses that flag, a default
    // character and the flag pointer alike (nothing would be converted at all): none is given there.
    const bool utf8 = GetACP() == CP_UTF8;
    const std::wstring text = utf8 ? WithoutLoneSurrogates(Wide) : Wide;
    const int size = static_cast<int>(text.size());
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* fallback = utf8 ? nullptr : "?";
    BOOL lossy = FALSE;
    BOOL* lossyFlag = utf8 ? nullptr : &lossy;
    const int n = WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, fallback, lossyFlag);
    if (n <= 0) return {std::string(), false};
    std::string bytes(static_cast<size_t>(n), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, text.data(), size, &bytes[0], n, fallback, lossyFlag) != n)
        return {std::string(), false};
    // Some code pages map without a default character yet not back to the same text: read it back.
    return {bytes, !lossy && WideFromBytes(bytes, CP_ACP) == Wide};
}

std::string ExactBytes(const std::wstring& Wide) {
    TConversion c = ToAnsi(Wide);
    return c.Exact ? c.Bytes : std::string();
}

TText TextOfBytes(const std::string& Bytes) {
    return {Bytes, WideFromBytes(Bytes, CP_ACP)};
}

TText TextOfWide(const std::wstring& Wide) {
    return {ToAnsi(Wide).Bytes, Wide};
}

} // namespace TinyUtils
