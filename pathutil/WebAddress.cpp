// The web address of an item in a SharePoint or OneDrive library that the OneDrive client syncs, decided
// from the client's records alone: no server is asked.
#include "TinyUtils.h"

#include <algorithm>

namespace TinyUtils {

namespace {

// As the file system compares names.
bool SameName(const wchar_t* A, size_t LengthA, const wchar_t* B, size_t LengthB) {
    return CompareStringOrdinal(A, static_cast<int>(LengthA), B, static_cast<int>(LengthB), TRUE) ==
           CSTR_EQUAL;
}
bool SameName(const std::wstring& A, const wchar_t* B) {
    return SameName(A.data(), A.size(), B, std::char_traits<wchar_t>::length(B));
}
bool SameName(const std::wstring& A, const std::wstring& B) {
    return SameName(A.data(), A.size(), B.data(), B.size());
}

// How much of Path the mount point takes where Path is that folder or lies below it; 0 elsewhere.
size_t MountLength(const std::wstring& Path, const std::wstring& MountPoint) {
    // With or without a trailing backslash it is the same folder; C:\ is the drive's root.
    const std::wstring mount = DropTrailingBackslash(MountPoint);
    if (mount.empty() || mount.size() > Path.size()) return 0;
    if (mount.size() < Path.size() && Path[mount.size()] != L'\\') return 0; // "Contoso2" is not "Contoso"
    return SameName(Path.data(), mount.size(), mount.data(), mount.size()) ? mount.size() : 0;
}

// Where the record's folder lives on the web. A folder or a shortcut synced on its own records its
// address; a library synced whole has its namespace. The library's address with the local folder's
// name added is no address: the folder may be named otherwise there, or lie deeper. A record that
// does not say whether it is a folder is the whole library only where no other record without an
// address of its own shares its namespace: two such are two folders of one library (a Teams library's
// channels), and neither is the library's root.
std::wstring BaseOf(const TSyncRoot& Root, const std::vector<TSyncRoot>& Roots) {
    if (Root.IsFolderScope == TSyncRoot::WrongType) return std::wstring(); // a record we cannot read
    if (!Root.FullRemotePath.empty()) return Root.FullRemotePath;
    if (Root.IsFolderScope == 0) return Root.UrlNamespace;
    if (Root.IsFolderScope != -1) return std::wstring();
    for (const TSyncRoot& other : Roots)
        if (&other != &Root && other.FullRemotePath.empty() &&
            SameName(other.UrlNamespace, Root.UrlNamespace))
            return std::wstring();
    return Root.UrlNamespace;
}

// Base, then the item's path below the mount point (Rest: empty, or from its backslash on).
std::string AddressOf(const std::wstring& Base, const std::wstring& Rest) {
    const size_t scheme = 8; // https://
    if (Base.size() <= scheme || !SameName(Base.data(), scheme, L"https://", scheme)) return std::string();
    const size_t authorityEnd = std::min(Base.find_first_of(L"/?#", scheme), Base.size());
    std::wstring host = Base.substr(scheme, authorityEnd - scheme);
    host = host.substr(host.rfind(L'@') + 1);
    host = host.substr(0, host.find(L':'));
    // A personal OneDrive's address opens only for its owner.
    if (host.empty() || SameName(host, L"d.docs.live.net")) return std::string();

    std::string address(Base.begin(), Base.begin() + scheme);
    // The host and port as they stand; a host outside ASCII is written as the file URI writes a server's.
    for (size_t i = scheme, run; i < authorityEnd; i = run) {
        for (run = i; run < authorityEnd && Base[run] >= 0x80;)
            ++run;
        if (run == i)
            address += static_cast<char>(Base[run++]);
        else if (!AppendUriEncoded(Base.substr(i, run - i), address))
            return std::string();
    }
    // The record writes the path as the library names it, unencoded, so '#' there is part of a name; a
    // query is never part of the item's address.
    std::wstring path =
        Base.substr(authorityEnd, std::min(Base.find(L'?', authorityEnd), Base.size()) - authorityEnd);
    if (!Rest.empty()) {
        if (path.empty() || path.back() != L'/') path += L'/';
        for (size_t i = 1; i < Rest.size(); ++i)
            path += Rest[i] == L'\\' ? L'/' : Rest[i];
    }
    return AppendUriEncoded(path, address) ? address : std::string();
}

} // namespace

TText WebAddress(const std::vector<TSyncRoot>& Roots, const TText& LongPath) {
    // \\?\C:\x lies where C:\x does; the client syncs to drives only.
    const std::wstring path = PlainPath(LongPath.Wide);
    if (PathKind(path) != pkDrive) return TText();
    const TSyncRoot* mount = nullptr;
    size_t longest = 0;
    bool twice = false;
    for (const TSyncRoot& root : Roots) {
        const size_t length = MountLength(path, root.MountPoint);
        if (length > longest) {
            mount = &root;
            longest = length;
            twice = false;
        } else if (length && length == longest) {
            twice = true;
        }
    }
    // Two records of one folder: which of them the client still uses is not written anywhere.
    if (!mount || twice || SameName(mount->LibraryType, L"personal")) return TText();
    // The item's part as the file system spells it; the mount's own spelling is replaced by the base.
    const std::string address = AddressOf(BaseOf(*mount, Roots), path.substr(longest));
    if (address.empty()) return TText();
    return {LongPath.Bytes.empty() ? std::string() : address, std::wstring(address.begin(), address.end())};
}

} // namespace TinyUtils
