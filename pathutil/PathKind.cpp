// What kind of place a path names, read from its text alone: a drive, a server's share, or one of the
// device namespaces before either. Every form, the network bound, the shortcut rule and the work-tree
// walk ask here, so that \\?\ and \\.\ mean the same to all of them.
#include "TinyUtils.h"

namespace TinyUtils {

namespace {

template <typename Char> bool IsLetter(Char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// "X:\" at At: the drive letter's own path.
template <typename Str> bool DriveAt(const Str& S, size_t At) {
    return S.size() >= At + 3 && IsLetter(S[At]) && S[At + 1] == ':' && S[At + 2] == '\\';
}

// "UNC\" at At, in either letter case.
template <typename Str> bool UncAt(const Str& S, size_t At) {
    return S.size() >= At + 4 && (S[At] | 0x20) == 'u' && (S[At + 1] | 0x20) == 'n' &&
           (S[At + 2] | 0x20) == 'c' && S[At + 3] == '\\';
}

template <typename Str> TPathKind KindOf(const Str& S) {
    if (DriveAt(S, 0)) return pkDrive;
    if (S.size() < 3 || S[0] != '\\' || S[1] != '\\') return pkOther;
    // \\?\ and \\.\ name the device namespaces; a server's name is never "?" or ".".
    if ((S[2] == '?' || S[2] == '.') && (S.size() == 3 || S[3] == '\\')) {
        if (UncAt(S, 4)) return pkDeviceUnc;
        // \\.\C:\ is the volume's device, not its file system's root.
        if (S[2] == '?' && DriveAt(S, 4)) return pkDeviceDrive;
        return pkOtherDevice;
    }
    return S[2] == '\\' ? pkOther : pkUnc;
}

template <typename Str> Str PlainOf(const Str& S) {
    switch (KindOf(S)) {
    case pkDeviceDrive:
        return S.substr(4);
    case pkDeviceUnc:
        return Str(2, '\\') + S.substr(8);
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
    return PlainOf(Path);
}
std::wstring PlainPath(const std::wstring& Path) {
    return PlainOf(Path);
}

int DriveIndex(const std::wstring& Path) {
    const TPathKind kind = KindOf(Path);
    if (kind != pkDrive && kind != pkDeviceDrive) return -1;
    return (Path[kind == pkDrive ? 0 : 4] | 0x20) - L'a';
}

bool IsNetworkPath(const std::wstring& Path) {
    const TPathKind kind = KindOf(Path);
    return kind == pkUnc || kind == pkDeviceUnc;
}

std::wstring BackslashSpelling(const std::wstring& Path) {
    if (Path.compare(0, 4, L"\\\\?\\") == 0) return Path;
    std::wstring spelt = Path;
    for (wchar_t& c : spelt)
        if (c == L'/') c = L'\\';
    return spelt;
}

} // namespace TinyUtils
