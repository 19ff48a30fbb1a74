// Forms of a path that other programs read: forward slashes, the WSL path, the file URI. Pure
// functions over both readings of a long path.
#include "TinyUtils.h"

namespace TinyUtils {

namespace {

inline bool IsLead(const std::string& S, size_t I) {
    return I + 1 < S.size() && IsLeadByteValue(static_cast<unsigned char>(S[I]));
}
inline bool IsLead(const std::wstring&, size_t) {
    return false;
}

// Every delimiter backslash as a slash; a trail byte of the same value stays, it is half of a character.
template <typename Str> Str Slashed(const Str& S) {
    Str out = S;
    for (size_t i = 0; i < out.size(); ++i) {
        if (IsLead(out, i))
            ++i;
        else if (out[i] == '\\')
            out[i] = '/';
    }
    return out;
}

template <typename Char> bool IsAsciiLetter(Char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
template <typename Char> Char LowerAscii(Char c) {
    return c >= 'A' && c <= 'Z' ? Char(c - 'A' + 'a') : c;
}

template <typename Str> bool IsDrivePath(const Str& S) {
    return S.size() >= 3 && IsAsciiLetter(S[0]) && S[1] == ':' && S[2] == '\\';
}

// The end of the server name of a UNC path (\\server\share...), or 0 where S is none; the servers
// "?" and "." name devices and namespaces.
template <typename Str> size_t UncServerEnd(const Str& S) {
    if (S.size() < 5 || S[0] != '\\' || S[1] != '\\') return 0;
    size_t i = 2;
    while (i < S.size() && S[i] != '\\')
        i += IsLead(S, i) ? 2 : 1;
    if (i >= S.size() - 1 || i == 2) return 0;
    const Str server = S.substr(2, i - 2);
    if (server.size() == 1 && (server[0] == '?' || server[0] == '.')) return 0;
    return i;
}

template <typename Str> bool SameAsciiCase(const Str& S, const char* Ascii) {
    size_t i = 0;
    for (; Ascii[i]; ++i)
        if (i >= S.size() || LowerAscii(S[i]) != static_cast<typename Str::value_type>(Ascii[i]))
            return false;
    return i == S.size();
}

template <typename Str> Str WslOf(const Str& S) {
    if (IsDrivePath(S)) {
        Str out;
        for (const char* c = "/mnt/"; *c; ++c)
            out += typename Str::value_type(*c);
        return out + LowerAscii(S[0]) + Slashed(S.substr(2));
    }
    // The distributions' own share: its folders are the Linux root.
    const size_t serverEnd = UncServerEnd(S);
    if (!serverEnd) return Str();
    const Str server = S.substr(2, serverEnd - 2);
    if (!SameAsciiCase(server, "wsl$") && !SameAsciiCase(server, "wsl.localhost")) return Str();
    size_t rest = serverEnd + 1;
    while (rest < S.size() && S[rest] != '\\')
        rest += IsLead(S, rest) ? 2 : 1;
    return rest < S.size() ? Slashed(S.substr(rest)) : Str(1, '/');
}

// UTF-8 of a UTF-16 text; false for a lone surrogate, which no file name in UTF-8 can carry.
bool AppendUtf8(const std::wstring& W, std::string& Out) {
    for (size_t i = 0; i < W.size(); ++i) {
        uint32_t c = W[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < W.size() && W[i + 1] >= 0xDC00 && W[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (W[++i] - 0xDC00u);
        else if (c >= 0xD800 && c <= 0xDFFF)
            return false;
        if (c < 0x80) {
            Out += static_cast<char>(c);
        } else if (c < 0x800) {
            Out += static_cast<char>(0xC0 | c >> 6);
            Out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            Out += static_cast<char>(0xE0 | c >> 12);
            Out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            Out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            Out += static_cast<char>(0xF0 | c >> 18);
            Out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            Out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            Out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return true;
}

bool Unreserved(unsigned char c) {
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
           c == '/';
}

} // namespace

TText ForwardSlashPath(const TText& Path) {
    return Each(Path, [](const auto& s) { return Slashed(s); });
}

TText WslPath(const TText& Path) {
    return Each(Path, [](const auto& s) { return WslOf(s); });
}

TText FileUri(const TText& Path) {
    const std::wstring& w = Path.Wide;
    std::string prefix = "file:";
    std::wstring rest = w;
    if (IsDrivePath(w)) {
        // The drive's colon is part of the URI's path as written, not a character to escape.
        prefix += "///";
        prefix += static_cast<char>(w[0]);
        prefix += ':';
        rest = w.substr(2);
    } else if (const size_t serverEnd = UncServerEnd(w)) {
        // A share's root is its folder "/", as a drive's is.
        if (w.find(L'\\', serverEnd + 1) == std::wstring::npos) rest += L'\\';
    } else {
        return TText(); // a relative path or a device name is no place a URI can name
    }
    std::string utf8;
    if (!AppendUtf8(Slashed(rest), utf8)) return TText();
    std::string uri = prefix;
    static const char hex[] = "0123456789ABCDEF";
    for (unsigned char c : utf8) {
        if (Unreserved(c)) {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 15];
        }
    }
    return {uri, std::wstring(uri.begin(), uri.end())};
}

} // namespace TinyUtils
