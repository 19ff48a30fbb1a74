// Path string operations: pure functions on ANSI byte strings that never take a trail byte for a
// delimiter.
#include "TinyUtils.h"

#include <cstring>

namespace TinyUtils {

namespace {
inline char At(const std::string& s, int i) { return s[static_cast<size_t>(i - 1)]; } // 1-based
} // namespace

int LastDelimiterIndex(const std::string& Delimiters, const std::string& S) {
    int i = static_cast<int>(S.size());
    while (i > 0) {
        char c = At(S, i);
        if (c != '\0' && Delimiters.find(c) != std::string::npos) {
            // A trail byte with a delimiter's value belongs to the character before it: skip both.
            if (ByteKindAt(S, i) == bkTrail)
                --i;
            else
                return i;
        }
        --i;
    }
    return 0;
}

std::string PathHead(const std::string& Path) { return Path.substr(0, LastDelimiterIndex("\\:", Path)); }

std::string PathFolder(const std::string& Path) {
    int i = LastDelimiterIndex("\\:", Path);
    if (i > 1 && At(Path, i) == '\\' &&
        ((At(Path, i - 1) != '\\' && At(Path, i - 1) != ':') || ByteKindAt(Path, i - 1) == bkTrail))
        --i;
    return Path.substr(0, static_cast<size_t>(i));
}

std::string PathFileName(const std::string& Path) {
    return Path.substr(static_cast<size_t>(LastDelimiterIndex("\\:", Path)));
}

std::string PathExt(const std::string& Path) {
    int i = LastDelimiterIndex(".\\:", Path);
    if (i > 0 && At(Path, i) == '.') return Path.substr(static_cast<size_t>(i - 1));
    return std::string();
}

std::string PathChangeExt(const std::string& Path, const std::string& Ext) {
    int i = LastDelimiterIndex(".\\:", Path);
    if (i == 0 || At(Path, i) != '.') return Path + Ext;
    return Path.substr(0, static_cast<size_t>(i - 1)) + Ext;
}

bool IsBackslashAt(const std::string& S, int Index) {
    return Index >= 1 && static_cast<size_t>(Index) <= S.size() && At(S, Index) == '\\' &&
           ByteKindAt(S, Index) == bkSingle;
}

std::string AddTrailingBackslash(const std::string& S) {
    if (IsBackslashAt(S, static_cast<int>(S.size()))) return S;
    return S + '\\';
}

std::string DropTrailingBackslash(const std::string& S) {
    if (IsBackslashAt(S, static_cast<int>(S.size()))) return S.substr(0, S.size() - 1);
    return S;
}

std::string UpperCaseLocale(const std::string& S) {
    std::string copy = S;
    if (!copy.empty()) CharUpperBuffA(&copy[0], static_cast<DWORD>(copy.size()));
    return copy;
}

std::string DoubleAmpersands(const std::string& S) {
    std::string result;
    size_t start = 0;
    for (;;) {
        size_t amp = S.find('&', start);
        if (amp == std::string::npos) {
            result.append(S, start, std::string::npos);
            return result;
        }
        result.append(S, start, amp - start);
        result += "&&";
        start = amp + 1;
    }
}

bool ContainsSpace(const std::string& S) { return S.find(' ') != std::string::npos; }

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
