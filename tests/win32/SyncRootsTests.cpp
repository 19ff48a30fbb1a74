// The OneDrive client's records as ReadSyncRoots reads them, played in the test prefix's own registry.
#include <gtest/gtest.h>

#include "TinyUtils.h"

#include <windows.h>

#include <string>
#include <vector>

using TinyUtils::TSyncRoot;

namespace {

const wchar_t SyncEngines[] = L"Software\\SyncEngines";

// Deletes the records a test wrote, however it ends.
struct Deleted {
    ~Deleted() { RegDeleteTreeW(HKEY_CURRENT_USER, SyncEngines); }
};

// What an interrupted run left goes first (the tests' records are named pgtest...), and the keys above
// them where nothing else is there: a real client's records are never deleted.
void RemoveLeftovers() {
    const std::wstring providers = std::wstring(SyncEngines) + L"\\Providers\\OneDrive";
    for (const wchar_t* id : {L"\\pgtest-library", L"\\pgtest-0", L"\\pgtest-1", L"\\pgtest-2"})
        RegDeleteTreeW(HKEY_CURRENT_USER, (providers + id).c_str());
    for (const std::wstring& key :
         {providers, std::wstring(SyncEngines) + L"\\Providers", std::wstring(SyncEngines)})
        RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str()); // only where it holds no key
}

struct Value {
    const wchar_t* Name;
    DWORD Type;
    std::wstring Data; // the value's Size bytes, then what follows them
    DWORD Size;
};
// Windows counts in a zero that follows a string's bytes: an unterminated one is followed by a character.
Value Text(const wchar_t* Name, const std::wstring& Content, DWORD Type = REG_SZ, bool Terminated = true) {
    return {Name, Type, Content + (Terminated ? L'\0' : L'!'), DWORD(Content.size() + Terminated) * 2};
}
Value Dword(const wchar_t* Name, DWORD Number) {
    return {Name, REG_DWORD, std::wstring(reinterpret_cast<const wchar_t*>(&Number), 2), sizeof Number};
}

std::wstring Shown(const std::vector<TSyncRoot>& Roots) {
    std::wstring shown;
    for (const TSyncRoot& r : Roots)
        shown += r.MountPoint + L"|" + r.UrlNamespace + L"|" + r.FullRemotePath + L"|" + r.LibraryType +
                 L"|" + std::to_wstring(r.IsFolderScope) + L"\n";
    return shown;
}

// Each record under an id of its own: one as the client writes it, and the values read as absent.
TEST(ReadSyncRoots, EveryRecordOfTheUsersClient) {
    // Never delete a real client's records; with none, none is read.
    RemoveLeftovers();
    HKEY held = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, SyncEngines, 0, KEY_READ, &held), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(TinyUtils::ReadSyncRoots().size(), 0u);
    Deleted deleted;
    // 山田 is \u5C71\u7530.
    const std::wstring mount = L"C:\\Users\\\u5C71\u7530\\OneDrive - Contoso", longest(2048, L'x');
    const std::wstring site = L"https://contoso-my.sharepoint.com/personal/yamada_contoso_com/Documents/";
    const std::vector<std::vector<Value>> records = {
        {Text(L"MountPoint", mount), Text(L"UrlNamespace", site), Text(L"FullRemotePath", site + L"f"),
         Text(L"LibraryType", L"mysite"), Dword(L"IsFolderScope", 1)},
        {Text(L"MountPoint", mount, REG_EXPAND_SZ), Text(L"IsFolderScope", L"yes"), Dword(L"LibraryType", 0)},
        // 2,048 characters are the longest value, with or without the terminating zero; 2,049 are over it.
        {Text(L"FullRemotePath", longest, REG_SZ, false), Text(L"UrlNamespace", longest + L"x"),
         Text(L"MountPoint", longest + L"x", REG_SZ, false), Dword(L"IsFolderScope", 0),
         Text(L"LibraryType", longest)},
    };
    for (size_t i = 0; i < records.size(); ++i) {
        const std::wstring id =
            std::wstring(SyncEngines) + L"\\Providers\\OneDrive\\pgtest-" + std::to_wstring(i);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, id.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        for (const Value& v : records[i])
            RegSetValueExW(key, v.Name, 0, v.Type, reinterpret_cast<const BYTE*>(v.Data.data()), v.Size);
        RegCloseKey(key);
    }
    EXPECT_EQ(Shown(TinyUtils::ReadSyncRoots()), Shown({{mount, site, site + L"f", L"mysite", 1},
                                                        {L"", L"", L"", L"", TSyncRoot::WrongType},
                                                        {L"", L"", longest, longest, 0}}));
}

} // namespace
