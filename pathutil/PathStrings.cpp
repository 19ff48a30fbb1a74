// Path string operations: pure functions that never take a trail byte for a delimiter. Each serves
// both readings of a path, its bytes in the ANSI code page and its exact UTF-16 text, from one
// template: in UTF-16 no unit of a character other than a delimiter has a delimiter's value, so there
// every unit is a character of its own.
#include "TinyUtils.h"

#include <cstring>

namespace TinyUtils {

namespace {
template <typename Str> inline typename Str::value_type At(const Str& s, int i) {
    return s[static_cast<size_t>(i - 1)]; // 1-based
}
inline TByteKind KindAt(const std::string& S, int Index) {
    return ByteKindAt(S, Index);
}
inline TByteKind KindAt(const std::wstring&, int) {
    return bkSingle;
}

// Whether unit c is one of the (ASCII) delimiters.
inline bool IsDelimiter(const std::string& Delimiters, char c) {
    return c != '\0' && Delimiters.find(c) != std::string::npos;
}
inline bool IsDelimiter(const std::string& Delimiters, wchar_t c) {
    return c < 0x80 && IsDelimiter(Delimiters, static_cast<char>(c));
}

template <typename Str> int LastDelimiterOf(const std::string& Delimiters, const Str& S) {
    int i = static_cast<int>(S.size());
    while (i > 0) {
        if (IsDelimiter(Delimiters, At(S, i))) {
            // A trail byte with a delimiter's value belongs to the character before it: skip both.
            if (KindAt(S, i) == bkTrail)
                --i;
            else
                return i;
        }
        --i;
    }
    return 0;
}

template <typename Str> Str FolderOf(const Str& Path) {
    int i = LastDelimiterOf("\\:", Path);
    if (i > 1 && At(Path, i) == '\\' &&
        ((At(Path, i - 1) != '\\' && At(Path, i - 1) != ':') || KindAt(Path, i - 1) == bkTrail))
        --i;
    return Path.substr(0, static_cast<size_t>(i));
}

template <typename Str> Str ExtOf(const Str& Path) {
    int i = LastDelimiterOf(".\\:", Path);
    if (i > 0 && At(Path, i) == '.') return Path.substr(static_cast<size_t>(i - 1));
    return Str();
}

template <typename Str> Str ChangeExtOf(const Str& Path, const Str& Ext) {
    int i = LastDelimiterOf(".\\:", Path);
    if (i == 0 || At(Path, i) != '.') return Path + Ext;
    return Path.substr(0, static_cast<size_t>(i - 1)) + Ext;
}

template <typename Str> bool BackslashAt(const Str& S, int Index) {
    return Index >= 1 && static_cast<size_t>(Index) <= S.size() && At(S, Index) == '\\' &&
           KindAt(S, Index) == bkSingle;
}

template <typename Str> Str WithTrailingBackslash(const Str& S) {
    if (BackslashAt(S, static_cast<int>(S.size()))) return S;
    return S + typename Str::value_type('\\');
}

template <typename Str> Str WithoutTrailingBackslash(const Str& S) {
    if (BackslashAt(S, static_cast<int>(S.size()))) return S.substr(0, S.size() - 1);
    return S;
}

inline void UpperCaseInPlace(char* s, DWORD n) {
    CharUpperBuffA(s, n);
}
inline void UpperCaseInPlace(wchar_t* s, DWORD n) {
    CharUpperBuffW(s, n);
}

template <typename Str> Str UpperCaseOf(const Str& S) {
    Str copy = S;
    if (!copy.empty()) UpperCaseInPlace(&copy[0], static_cast<DWORD>(copy.size()));
    return copy;
}

template <typename Str> Str AmpersandsDoubled(const Str& S) {
    Str result;
    size_t start = 0;
    for (;;) {
        size_t amp = S.find('&', start);
        if (amp == Str::npos) {
            result.append(S, start, Str::npos);
            return result;
        }
        result.append(S, start, amp - start);
        result.append(2, '&');
        start = amp + 1;
    }
}
} // namespace

int LastDelimiterIndex(const std::string& Delimiters, const std::string& S) {
    return LastDelimiterOf(Delimiters, S);
}

std::string PathHead(const std::string& Path) {
    return Path.substr(0, LastDelimiterIndex("\\:", Path));
}
std::wstring PathHead(const std::wstring& Path) {
    return Path.substr(0, LastDelimiterOf("\\:", Path));
}

std::string PathFolder(const std::string& Path) {
    return FolderOf(Path);
}
std::wstring PathFolder(const std::wstring& Path) {
    return FolderOf(Path);
}

std::string PathFileName(const std::string& Path) {
    return Path.substr(static_cast<size_t>(LastDelimiterIndex("\\:", Path)));
}
std::wstring PathFileName(const std::wstring& Path) {
    return Path.substr(static_cast<size_t>(LastDelimiterOf("\\:", Path)));
}

std::string PathExt(const std::string& Path) {
    return ExtOf(Path);
}
std::wstring PathExt(const std::wstring& Path) {
    return ExtOf(Path);
}

std::string PathChangeExt(const std::string& Path, const std::string& Ext) {
    return ChangeExtOf(Path, Ext);
}
std::wstring PathChangeExt(const std::wstring& Path, const std::wstring& Ext) {
    return ChangeExtOf(Path, Ext);
}

bool IsBackslashAt(const std::string& S, int Index) {
    return BackslashAt(S, Index);
}

std::string AddTrailingBackslash(const std::string& S) {
    return WithTrailingBackslash(S);
}
std::wstring AddTrailingBackslash(const std::wstring& S) {
    return WithTrailingBackslash(S);
}

std::string DropTrailingBackslash(const std::string& S) {
    return WithoutTrailingBackslash(S);
}
std::wstring DropTrailingBackslash(const std::wstring& S) {
    return WithoutTrailingBackslash(S);
}

std::string UpperCaseLocale(const std::string& S) {
    return UpperCaseOf(S);
}
std::wstring UpperCaseLocale(const std::wstring& S) {
    return UpperCaseOf(S);
}

std::string DoubleAmpersands(const std::string& S) {
    return AmpersandsDoubled(S);
}
std::wstring DoubleAmpersands(const std::wstring& S) {
    return AmpersandsDoubled(S);
}

bool ContainsSpace(const std::string& S) { return S.find(' ') != std::string::npos; }
bool ContainsSpace(const std::wstring& S) {
    return S.find(L' ') != std::wstring::npos;
}

std::string IntToDecimal(int32_t N) {
    // Work in the unsigned domain so that the most negative value has a magnitude too.
    uint32_t magnitude = N < 0 ? 0u - static_cast<uint32_t>(N) : static_cast<uint32_t>(N);
    char digits[12];
    int pos = sizeof digits;
    do {
        digits[--pos] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (N < 0) digits[--pos] = '-';
    return std::string(digits + pos, sizeof digits - static_cast<size_t>(pos));
}

char* StringToBuffer(char* Buffer, const std::string& S) {
    size_t n = std::strlen(S.c_str()); // up to a zero byte inside S
    std::memcpy(Buffer, S.data(), n);
    Buffer[n] = '\0';
    return Buffer;
}

size_t CharCount(const std::string& S) {
    size_t count = 0;
    for (size_t i = 0; i < S.size(); ++count)
        i += MultiByteLocale && IsLeadByteValue(static_cast<unsigned char>(S[i])) && i + 1 < S.size() ? 2 : 1;
    return count;
}

} // namespace TinyUtils
