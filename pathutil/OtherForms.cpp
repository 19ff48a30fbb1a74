// Forms of a path that other programs read: forward slashes, the WSL path, the file URI. Pure
// functions over both readings of a long path.
#include "TinyUtils.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

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
    return PathKind(S) == pkDrive;
}

// The end of the server name of a UNC path (\\server\share...) whose kind is Kind (read from the
// exact text), or 0 where it is none.
template <typename Str> size_t UncServerEnd(const Str& S, TPathKind Kind) {
    if (Kind != pkUnc) return 0;
    size_t i = 2;
    while (i < S.size() && S[i] != '\\')
        i += IsLead(S, i) ? 2 : 1;
    return i >= S.size() - 1 ? 0 : i;
}

template <typename Str> bool SameAsciiCase(const Str& S, const char* Ascii) {
    size_t i = 0;
    for (; Ascii[i]; ++i)
        if (i >= S.size() || LowerAscii(S[i]) != static_cast<typename Str::value_type>(Ascii[i]))
            return false;
    return i == S.size();
}

template <typename Str> size_t UncServerEnd(const Str& S) {
    return UncServerEnd(S, PathKind(S));
}

template <typename Str> Str WslOf(const Str& S, TPathKind Kind) {
    if (Kind == pkDrive) {
        Str out;
        for (const char* c = "/mnt/"; *c; ++c)
            out += typename Str::value_type(*c);
        return out + LowerAscii(S[0]) + Slashed(S.substr(2));
    }
    // The distributions' own share: its folders are the Linux root.
    const size_t serverEnd = UncServerEnd(S, Kind);
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

// A WebDAV folder as the redirector names it: \\host@SSL@port\DavWWWRoot\rest, where @SSL (https),
// @port and the DavWWWRoot share each may be missing but one of them is there.
struct TWebDav {
    std::wstring Host, Port, Rest;
    bool Ssl = false;
};

bool WebDavOf(const std::wstring& S, TWebDav& Dav) {
    const size_t serverEnd = UncServerEnd(S);
    if (!serverEnd) return false;
    std::wstring server = S.substr(2, serverEnd - 2);
    bool marked = false;
    for (size_t at; (at = server.rfind(L'@')) != std::wstring::npos; server.resize(at)) {
        const std::wstring part = server.substr(at + 1);
        if (SameAsciiCase(part, "ssl")) {
            Dav.Ssl = marked = true;
        } else if (!part.empty() && part.size() <= 5 &&
                   part.find_first_not_of(L"0123456789") == std::wstring::npos) {
            Dav.Port = part;
            marked = true;
        } else {
            return false; // an @ that is no WebDAV mark: a server name no redirector gives
        }
    }
    size_t restAt = serverEnd; // the backslash before the share
    const size_t shareEnd = std::min(S.find(L'\\', serverEnd + 1), S.size());
    if (SameAsciiCase(S.substr(serverEnd + 1, shareEnd - serverEnd - 1), "davwwwroot")) {
        marked = true;
        restAt = shareEnd;
    }
    if (!marked || server.empty()) return false;
    Dav.Host = server;
    Dav.Rest = S.substr(restAt);
    return true;
}

bool Unreserved(unsigned char c) {
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
           c == '/';
}

// A form that only the exact text decides: ASCII, so the bytes are the same text, as long as the item
// has a byte reading at all.
TText AsciiForm(const TText& Path, const std::string& Form) {
    return {Path.Bytes.empty() ? std::string() : Form, std::wstring(Form.begin(), Form.end())};
}

} // namespace

bool AppendUriEncoded(const std::wstring& Text, std::string& Out) {
    std::string utf8;
    if (!AppendUtf8(Text, utf8)) return false;
    static const char hex[] = "0123456789ABCDEF";
    for (unsigned char c : utf8) {
        if (Unreserved(c)) {
            Out += static_cast<char>(c);
        } else {
            Out += '%';
            Out += hex[c >> 4];
            Out += hex[c & 15];
        }
    }
    return true;
}

TText ForwardSlashPath(const TText& Path) {
    return Each(PlainText(Path), [](const auto& s) { return Slashed(s); });
}

TText WslPath(const TText& Path) {
    const TText plain = PlainText(Path);
    const TPathKind kind = PathKind(plain.Wide);
    return Each(plain, [kind](const auto& s) { return WslOf(s, kind); });
}

TText FileUri(const TText& Path) {
    const std::wstring w = PlainPath(Path.Wide);
    std::string prefix = "file:";
    std::wstring rest = w;
    TWebDav dav;
    if (WebDavOf(w, dav)) {
        // The redirector's name for a web folder: the address that opens it for everyone is the web one.
        // A host outside ASCII is written as the file URI's server is, so that the address is ASCII.
        prefix = dav.Ssl ? "https://" : "http://";
        if (!AppendUriEncoded(dav.Host, prefix)) return TText();
        if (!dav.Port.empty()) prefix += ":" + std::string(dav.Port.begin(), dav.Port.end());
        rest = dav.Rest.empty() ? std::wstring(L"\\") : dav.Rest;
    } else if (IsDrivePath(w)) {
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
    std::string uri = prefix;
    if (!AppendUriEncoded(Slashed(rest), uri)) return TText();
    return AsciiForm(Path, uri);
}

TText GitBashPath(const TText& Path) {
    // A share's form would be the slash form itself: only a drive path has one of its own.
    const TText plain = PlainText(Path);
    if (PathKind(plain.Wide) != pkDrive) return TText();
    return Each(plain, [](const auto& s) {
        using Str = std::decay_t<decltype(s)>;
        return Str(1, '/') + LowerAscii(s[0]) + Slashed(s.substr(2));
    });
}

namespace {

// S with a backslash before each of the ASCII characters of Set; a trail byte of a character's value is
// half of a character, never escaped. In a JSON string (Json) the control characters, which no file name
// holds, are written as \u escapes (Python's json writes \b \t \n \f \r for five of them).
template <typename Str> Str BackslashedBefore(const Str& S, const char* Set, bool Json = false) {
    static const char hex[] = "0123456789abcdef", named[] = "btn\0fr";
    Str out;
    for (size_t i = 0; i < S.size(); ++i) {
        const auto c = S[i];
        const unsigned u = static_cast<unsigned>(c);
        if (IsLead(S, i)) {
            out += c;
            out += S[++i];
            continue;
        }
        if (Json && u < 0x20) {
            out += '\\';
            if (u >= 8 && u <= 13 && named[u - 8]) {
                out += typename Str::value_type(named[u - 8]);
            } else {
                for (const char h : {'u', '0', '0', hex[u >> 4], hex[u & 15]})
                    out += typename Str::value_type(h);
            }
            continue;
        }
        if (u > 0 && u < 0x80 && std::strchr(Set, static_cast<char>(c))) out += '\\';
        out += c;
    }
    return out;
}

// What cmd names as needing quotes, beside the space.
template <typename Str> bool NeedsQuotes(const Str& S) {
    for (const auto c : S)
        if (c == ' ' || (c < 0x80 && c > 0 && std::strchr("&()[]{}^=;!'+,`~", static_cast<char>(c))))
            return true;
    return false;
}

// Calls At(i) for each delimiter backslash at index i, from the front: a trail byte of the same value is
// no delimiter, and only a scan from the front knows which bytes are trail bytes.
template <typename Str, typename Use> void EachDelimiter(const Str& S, Use At) {
    for (size_t i = 0; i < S.size(); ++i) {
        if (IsLead(S, i))
            ++i;
        else if (S[i] == '\\')
            At(i);
    }
}

template <typename Str> Str ArgumentQuoted(const Str& S) {
    // Backslashes before the closing quote would escape it: doubled, they read back as themselves.
    size_t trailing = 0, last = 0;
    EachDelimiter(S, [&](size_t i) {
        trailing = i == last + 1 && trailing ? trailing + 1 : 1;
        last = i;
    });
    if (last + 1 != S.size()) trailing = 0;
    return Str(1, '"') + S + Str(trailing, '\\') + Str(1, '"');
}

// The last Levels names of a path, joined by slashes.
template <typename Str> Str TailOf(const Str& S, int Levels) {
    size_t count = 0, seen = 0, from = Str::npos;
    EachDelimiter(S, [&](size_t) { ++count; });
    if (count < static_cast<size_t>(Levels)) return Str();
    EachDelimiter(S, [&](size_t i) {
        if (++seen == count - static_cast<size_t>(Levels) + 1) from = i + 1;
    });
    return Slashed(S.substr(from));
}

} // namespace

TText StringLiteral(const TText& Path) {
    return Each(Path, [](const auto& s) {
        using Str = std::decay_t<decltype(s)>;
        return Str(1, '"') + BackslashedBefore(s, "\"\\", true) + Str(1, '"');
    });
}

TText CommandLineArgument(const TText& Path) {
    // Whether to quote is a question about the item: its exact text answers it.
    if (!NeedsQuotes(Path.Wide)) return Path;
    return Each(Path, [](const auto& s) { return ArgumentQuoted(s); });
}

TText RepoRelativePath(const TText& Path, int Depth) {
    if (Depth <= 0) return TText(); // outside a work tree, or its root
    return Each(PlainText(Path), [Depth](const auto& s) { return TailOf(s, Depth); });
}

TText LinkName(const TText& Path) {
    const TText name = Each(Path, [](const auto& s) { return PathFileName(s); });
    return name.Wide.empty() ? Path : name; // a drive root is named by itself
}

TText MarkdownLink(const TText& Path, const TText& Uri) {
    if (Uri.Wide.empty()) return TText();
    // The characters that would end the link's text or change how it reads.
    const TText text =
        Each(LinkName(Path), [](const auto& s) { return BackslashedBefore(s, "\\[]`*_<>&~"); });
    const bool bytes = !text.Bytes.empty() && !Uri.Bytes.empty();
    return {bytes ? "[" + text.Bytes + "](" + Uri.Bytes + ")" : std::string(),
            L"[" + text.Wide + L"](" + Uri.Wide + L")"};
}

std::string HtmlAnchor(const std::wstring& Name, const std::string& Uri) {
    std::string name;
    if (!AppendUtf8(Name, name)) return std::string();
    std::string out = "<a href=\"" + Uri + "\">";
    for (char c : name) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out + "</a>";
}

std::string HtmlClipboardText(const std::string& Fragment) {
    static const char before[] = "<html><body><!--StartFragment-->";
    static const char after[] = "<!--EndFragment--></body></html>";
    // Ten digits each, so that the header's length does not depend on the numbers written into it.
    std::string html = "Version:0.9\r\nStartHTML:0000000000\r\nEndHTML:0000000000\r\n"
                       "StartFragment:0000000000\r\nEndFragment:0000000000\r\n";
    const size_t header = html.size(), startFragment = header + std::strlen(before),
                 endFragment = startFragment + Fragment.size();
    html += before + Fragment + after;
    const struct {
        const char* Name;
        size_t Offset;
    } fields[] = {{"StartHTML:", header},
                  {"EndHTML:", html.size()},
                  {"StartFragment:", startFragment},
                  {"EndFragment:", endFragment}};
    for (const auto& f : fields) {
        size_t at = html.find(f.Name) + std::strlen(f.Name) + 10, n = f.Offset;
        for (int digit = 0; digit < 10; ++digit, n /= 10)
            html[--at] = static_cast<char>('0' + n % 10);
    }
    return html;
}

namespace {
// The .git folder and what it holds are the repository's own records: nothing there has a path in
// the work tree, and git refuses every such path.
bool InGitFolder(const std::wstring& Path) {
    size_t from = 0;
    for (size_t to; from <= Path.size(); from = to + 1) {
        to = std::min(Path.find(L'\\', from), Path.size());
        if (to - from == 4 && Path[from] == L'.' && SameAsciiCase(Path.substr(from + 1, 3), "git"))
            return true;
    }
    return false;
}
} // namespace

int TWorkTrees::Depth(const std::wstring& Path) {
    // \\?\C:\x lies where C:\x does.
    const std::wstring path = PlainPath(Path);
    if (path.empty() || InGitFolder(path)) return -1;
    // A folder item may be a work tree's root itself; a file never holds ".git".
    if (holdsGit_(path)) return 0;
    const int folder = FolderDepth(PathFolder(path));
    return folder < 0 ? -1 : folder + 1;
}

bool TWorkTrees::HasRelativePath(const std::wstring& Path) {
    const std::wstring path = PlainPath(Path);
    return !path.empty() && !InGitFolder(path) && FolderDepth(PathFolder(path)) >= 0 && !holdsGit_(path);
}

int TWorkTrees::FolderDepth(const std::wstring& Folder) {
    const auto known = known_.find(Folder);
    if (known != known_.end()) return known->second;
    int depth = -1;
    if (holdsGit_(Folder)) {
        depth = 0;
    } else {
        // Up to the root of the drive or the share, which is asked too, and no further.
        const std::wstring parent = PathFolder(Folder);
        const size_t serverEnd = UncServerEnd(Folder);
        const bool shareRoot = serverEnd && Folder.find(L'\\', serverEnd + 1) == std::wstring::npos;
        if (!shareRoot && !parent.empty() && parent != Folder) {
            const int up = FolderDepth(parent);
            depth = up < 0 ? -1 : up + 1;
        }
    }
    known_.emplace(Folder, depth);
    return depth;
}

} // namespace TinyUtils
