// Forms for the places a path goes next: a PowerShell string, a plain-text mail's link, the path from the
// user's folders and the smb address of a file server's share. Pure functions over both readings.
#include "TinyUtils.h"

namespace TinyUtils {

namespace {

// What PowerShell reads as a single quote.
bool IsSingleQuote(uint32_t C) {
    return C == '\'' || (C >= 0x2018 && C <= 0x201B);
}

// How many bytes of S from At stand for the character C of the exact text, where S reads as that text
// character for character (its own bytes, or '?' for a character the code page lacks); 0 where it does
// not, as an 8.3 form does not.
size_t BytesOfCharacter(const std::string& S, size_t At, uint32_t C, bool Utf8) {
    if (At >= S.size()) return 0;
    const unsigned char b = static_cast<unsigned char>(S[At]);
    if (C < 0x80) return b == C ? 1 : 0;
    if (b == '?') return 1;
    if (b < 0x80) return 0;
    const size_t n = Utf8 ? (C < 0x800 ? 2 : C < 0x10000 ? 3 : 4) : IsLeadByteValue(b) ? 2 : 1;
    return At + n <= S.size() ? n : 0;
}

// Both readings with every character that PowerShell reads as a single quote written twice. The bytes of
// a typographic quote depend on the code page, so they are found beside the exact text's characters.
TText QuotesDoubled(const TText& T) {
    TText out;
    const bool utf8 = GetACP() == CP_UTF8;
    size_t at = 0;
    for (size_t i = 0; i < T.Wide.size(); ++i) {
        uint32_t c = T.Wide[i];
        out.Wide.append(IsSingleQuote(c) ? 2 : 1, T.Wide[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < T.Wide.size() && T.Wide[i + 1] >= 0xDC00 &&
            T.Wide[i + 1] <= 0xDFFF) {
            out.Wide += T.Wide[++i];
            c = 0x10000 + ((c - 0xD800) << 10) + (T.Wide[i] - 0xDC00u);
        }
        const size_t n = at == std::string::npos ? 0 : BytesOfCharacter(T.Bytes, at, c, utf8);
        if (!n) {
            at = std::string::npos;
            continue;
        }
        const std::string ch = T.Bytes.substr(at, n);
        out.Bytes += IsSingleQuote(c) ? ch + ch : ch;
        at += n;
    }
    if (at != T.Bytes.size()) {
        // Bytes of another shape (an 8.3 form): only the ASCII quote is known in them, and no trail byte
        // of any code page has its value.
        out.Bytes.clear();
        for (const char c : T.Bytes)
            out.Bytes.append(c == '\'' ? 2 : 1, c);
    }
    return out;
}

// T between Before and After (ASCII) in both readings; no byte reading where T has none.
TText Framed(const char* Before, const TText& T, const char* After) {
    const std::string before = Before, after = After;
    return {T.Bytes.empty() ? std::string() : before + T.Bytes + after,
            std::wstring(before.begin(), before.end()) + T.Wide + std::wstring(after.begin(), after.end())};
}

// The UNC name where it is readable, else the path itself.
const TText& Named(const TText& Path, const TText& Unc) {
    return Unc.Wide.empty() || Unc.Wide.size() > PathCharLimit ? Path : Unc;
}

// The path by which a colleague's PC reaches the item on its file server.
TText ServerPath(const TText& Path, const TText& Unc) {
    const TText plain = PlainText(Named(Path, Unc));
    if (PathKind(plain.Wide) != pkUnc || !WslPath(plain).Wide.empty()) return TText();
    // A WebDAV folder's URI is its web address: the redirector's name for it is no file server's.
    const std::wstring uri = FileUri(plain).Wide;
    return uri.empty() || uri.compare(0, 5, L"file:") == 0 ? plain : TText();
}

} // namespace

TText PowerShellString(const TText& Path) {
    return Path.Wide.empty() ? TText() : Framed("'", QuotesDoubled(Path), "'");
}

TText MailLink(const TText& Path, const TText& Unc, const TText& Web) {
    TText address = Web;
    if (address.Wide.empty()) {
        const TText uri = FileUri(Named(Path, Unc));
        address = uri.Wide.compare(0, 8, L"https://") == 0 ? uri : ServerPath(Path, Unc);
    }
    return address.Wide.empty() ? TText() : Framed("<", address, ">");
}

TText SmbAddress(const TText& Path, const TText& Unc) {
    const TText uri = FileUri(ServerPath(Path, Unc));
    if (uri.Wide.compare(0, 7, L"file://") != 0) return TText();
    return Framed("smb", {uri.Bytes.empty() ? std::string() : uri.Bytes.substr(4), uri.Wide.substr(4)}, "");
}

TText UserFolderPath(const TUserFolders& Folders, const TText& Path) {
    const TText plain = PlainText(Path);
    const std::wstring& path = plain.Wide;
    const std::wstring* name = nullptr;
    size_t longest = 0;
    for (const auto& folder : Folders) {
        const TPathKind kind = PathKind(folder.second);
        if (kind != pkDrive && kind != pkUnc) continue; // not set, or no folder's path
        // With or without a trailing backslash it is the same folder; "yamada2" is not "yamada".
        const std::wstring value = DropTrailingBackslash(folder.second);
        const size_t n = value.size();
        if (n <= longest || n > path.size() || (n < path.size() && path[n] != L'\\')) continue;
        if (CompareStringOrdinal(path.data(), static_cast<int>(n), value.data(), static_cast<int>(n), TRUE) !=
            CSTR_EQUAL)
            continue;
        name = &folder.first;
        longest = n;
    }
    if (!name) return TText();
    // The rest from the delimiter after the folder, found in the bytes by its count: an 8.3 form's bytes
    // have the same names, each of another length.
    int delimiters = 0;
    for (size_t i = 0; i < longest; ++i)
        delimiters += path[i] == L'\\';
    const std::string& bytes = plain.Bytes;
    size_t from = bytes.size();
    for (size_t i = 0; i < bytes.size() && from == bytes.size(); ++i) {
        if (IsLeadByteValue(static_cast<unsigned char>(bytes[i])))
            ++i; // a trail byte of a backslash's value is half of a character
        else if (bytes[i] == '\\' && delimiters-- == 0)
            from = i;
    }
    std::string variable(1, '%');
    variable.append(name->begin(), name->end()) += '%';
    return {bytes.empty() ? std::string() : variable + bytes.substr(from),
            std::wstring(variable.begin(), variable.end()) + path.substr(longest)};
}

} // namespace TinyUtils
