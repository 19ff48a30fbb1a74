// What kind of place a path names, read from its text alone: a drive, a server's share, or one of the
// device namespaces before either. Every form, the network bound, the shortcut rule and the work-tree
// walk ask here, so that \\?\ and \\.\ mean the same to all of them.
#include "TinyUtils.h"

#include <algorithm>
#include <cstdint>

namespace TinyUtils {

namespace {

template <typename Char> bool IsLetter(Char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

template <typename Char> unsigned LowerAscii(Char c) {
    return IsLetter(c) ? (static_cast<unsigned>(c) | 0x20) : static_cast<unsigned>(c);
}

// "X:\" at At: the drive letter's own path.
template <typename Str> bool DriveAt(const Str& S, size_t At) {
    return S.size() >= At + 3 && IsLetter(S[At]) && S[At + 1] == ':' && S[At + 2] == '\\';
}

// What stands before the share's server in a device path, in either letter case: \\?\UNC\ (and \\.\UNC\),
// or the redirector's own device, \\?\GLOBALROOT\Device\Mup\, which programs that open files by
// their NT names store.
const char* const ServerPrefixes[] = {"UNC\\", "GLOBALROOT\\Device\\Mup\\"};

// The length of the device prefix before a server's name at At (4), 0 where there is none.
template <typename Str> size_t ServerPrefixAt(const Str& S, size_t At) {
    for (const char* prefix : ServerPrefixes) {
        size_t i = 0;
        while (prefix[i] && At + i < S.size() && LowerAscii(S[At + i]) == LowerAscii(prefix[i]))
            ++i;
        if (!prefix[i]) return At + i;
    }
    return 0;
}

template <typename Str> TPathKind KindOf(const Str& S) {
    if (DriveAt(S, 0)) return pkDrive;
    if (S.size() < 3 || S[0] != '\\' || S[1] != '\\') return pkOther;
    // \\?\ and \\.\ name the device namespaces; a server's name is never "?" or ".". Windows reads a
    // drive or a share the same behind either.
    if ((S[2] == '?' || S[2] == '.') && (S.size() == 3 || S[3] == '\\')) {
        if (ServerPrefixAt(S, 4)) return pkDeviceUnc;
        if (DriveAt(S, 4)) return pkDeviceDrive;
        return pkOtherDevice;
    }
    return S[2] == '\\' ? pkOther : pkUnc;
}

// How much of S the device prefix takes, for the kind it has; the plain path follows it.
template <typename Str> size_t DevicePrefixLength(const Str& S, TPathKind Kind) {
    if (Kind == pkDeviceDrive) return 4;
    return Kind == pkDeviceUnc ? ServerPrefixAt(S, 4) : 0;
}

template <typename Str> Str PlainOf(const Str& S, TPathKind Kind) {
    switch (Kind) {
    case pkDeviceDrive:
        return S.substr(DevicePrefixLength(S, Kind));
    case pkDeviceUnc:
        return Str(2, '\\') + S.substr(std::min(S.size(), DevicePrefixLength(S, Kind)));
    case pkOtherDevice:
        return Str();
    default:
        return S;
    }
}

} // namespace

TPathKind PathKind(const std::string& Path) {
    return KindOf(Path);
}
TPathKind PathKind(const std::wstring& Path) {
    return KindOf(Path);
}

std::string PlainPath(const std::string& Path) {
    return PlainOf(Path, KindOf(Path));
}
std::wstring PlainPath(const std::wstring& Path) {
    return PlainOf(Path, KindOf(Path));
}

TText PlainText(const TText& Path) {
    const TPathKind kind = KindOf(Path.Wide);
    // The prefix is ASCII, so it takes as many bytes as characters; a bytes reading too short for it
    // (a failed conversion) stays empty.
    const bool bytes = Path.Bytes.size() >= DevicePrefixLength(Path.Wide, kind);
    return {bytes ? PlainOf(Path.Bytes, kind) : std::string(), PlainOf(Path.Wide, kind)};
}

int DriveIndex(const std::wstring& Path) {
    const TPathKind kind = KindOf(Path);
    if (kind != pkDrive && kind != pkDeviceDrive) return -1;
    return (Path[DevicePrefixLength(Path, kind)] | 0x20) - L'a';
}

bool IsNetworkPath(const std::wstring& Path) {
    const TPathKind kind = KindOf(Path);
    return kind == pkUnc || kind == pkDeviceUnc;
}

std::wstring ReparseTarget(const void* Data, size_t Size) {
    const unsigned char* d = static_cast<const unsigned char*>(Data);
    auto number = [&](size_t at, size_t bytes) {
        uint32_t n = 0;
        for (size_t i = bytes; i-- > 0;)
            n = n << 8 | d[at + i];
        return n;
    };
    const uint32_t SymbolicLink = 0xA000000C, Junction = 0xA0000003;
    if (Size < 16) return std::wstring();
    const uint32_t tag = number(0, 4);
    if (tag != SymbolicLink && tag != Junction) return std::wstring();
    // A symbolic link has its flags before the names.
    const size_t at = (tag == SymbolicLink ? 20 : 16) + number(8, 2), length = number(10, 2);
    if (at + length > Size) return std::wstring();
    std::wstring target;
    for (size_t i = 0; i + 1 < length; i += 2)
        target += static_cast<wchar_t>(number(at + i, 2));
    // The object manager's \??\ is the device namespace that \\?\ names; a relative target (one of a
    // symbolic link) stays beside the link.
    if (target.compare(0, 4, L"\\??\\") != 0) return std::wstring();
    target[1] = L'\\';
    return target;
}

std::wstring BackslashSpelling(const std::wstring& Path) {
    if (Path.compare(0, 4, L"\\\\?\\") == 0) return Path;
    std::wstring spelt = Path;
    for (wchar_t& c : spelt)
        if (c == L'/') c = L'\\';
    return spelt;
}

} // namespace TinyUtils
