// The web address of a synced item, from the OneDrive client's records. The same assertions meet the
// stand-in's CompareStringOrdinal on the host and the system's under Wine.
#include <gtest/gtest.h>

#include "TinyUtils.h"

#include <string>
#include <vector>

using namespace TinyUtils;

namespace {

// Columns: MountPoint, UrlNamespace, FullRemotePath, LibraryType, IsFolderScope. 営業部 is
// \u55B6\u696D\u90E8, ドキュメント \u30C9\u30AD\u30E5\u30E1\u30F3\u30C8, 見積 \u898B\u7A4D.
const TSyncRoot folderSync{L"C:\\Users\\username\\OneDrive - company\\synced directory",
                           L"https://company.sharepoint.com/sites/library/Shared Documents/",
                           L"https://company.sharepoint.com/sites/library/Shared Documents/synced directory",
                           L"", 1};
const TSyncRoot mySite{L"C:\\Users\\yamada\\OneDrive - Contoso",
                       L"https://contoso-my.sharepoint.com/personal/yamada_contoso_com/Documents/", L"",
                       L"mysite"};
const TSyncRoot shortcut{L"C:\\Users\\yamada\\OneDrive - Contoso\\Team Files", L"",
                         L"https://contoso.sharepoint.com/sites/team/Shared Documents/Team Files", L""};
const TSyncRoot teamSite{
    L"C:\\Users\\yamada\\Contoso\\\u55B6\u696D\u90E8 - \u30C9\u30AD\u30E5\u30E1\u30F3\u30C8",
    L"https://contoso.sharepoint.com/sites/\u55B6\u696D\u90E8/Shared Documents/", L"", L"", 0};

// Two channel folders of one Teams library, as the client records them: no address of their own, and
// nothing said of whether they are folders.
const TSyncRoot channel1{L"C:\\Users\\yamada\\Contoso\\Team - General",
                         L"https://contoso.sharepoint.com/sites/t/Shared Documents/", L"", L""};
const TSyncRoot channel2{L"C:\\Users\\yamada\\Contoso\\Team - 02 Test",
                         L"https://contoso.sharepoint.com/sites/t/Shared Documents/", L"", L""};

TSyncRoot With(TSyncRoot Root, const wchar_t* MountPoint, const wchar_t* Base, int IsFolderScope = -1) {
    if (MountPoint) Root.MountPoint = MountPoint;
    if (Base) Root.FullRemotePath = Base;
    Root.IsFolderScope = IsFolderScope;
    return Root;
}

// The expected addresses were encoded with Python's urllib.parse.quote(s, safe='/~'), whose safe set is
// the file URI's; empty: none.
TEST(WebAddress, FromTheRecordMountedDeepest) {
    const std::wstring yamada = L"C:\\Users\\yamada\\OneDrive - Contoso", a = yamada + L"\\a.docx";
    const std::wstring synced = L"C:\\Users\\username\\OneDrive - company\\synced directory";
    const std::string my = "https://contoso-my.sharepoint.com/personal/yamada_contoso_com/Documents/";
    const std::string library =
        "https://company.sharepoint.com/sites/library/Shared%20Documents/synced%20directory";
    TSyncRoot personal = mySite, oneDriveCom = With(mySite, nullptr, L"https://D.Docs.Live.net/1234abcd");
    personal.LibraryType = L"Personal";
    const TSyncRoot ownAddress = With(channel2, nullptr,
                                      L"https://contoso.sharepoint.com/sites/t/Shared Documents/02 Test"),
                    scoped = With(channel2, nullptr, nullptr, 0);
    const std::wstring in1 = channel1.MountPoint + L"\\test.xlsx", in2 = channel2.MountPoint + L"\\test.xlsx";
    const std::string team = "https://contoso.sharepoint.com/sites/t/Shared%20Documents/";
    const struct {
        std::vector<TSyncRoot> roots;
        std::wstring item;
        std::string address;
        bool noBytes = false;
    } rows[] = {
        {{folderSync}, synced + L"\\subdirectory\\workbook.xlsx", library + "/subdirectory/workbook.xlsx"},
        {{folderSync}, synced, library},
        // Never the library's address and the folder's name: the folder may be named otherwise there.
        {{With(folderSync, nullptr, L"", 1)}, synced + L"\\a.txt", ""},
        {{mySite, shortcut}, yamada + L"\\Documents\\a.docx", my + "Documents/a.docx"},
        {{mySite, shortcut}, yamada, my},
        {{mySite, shortcut},
         yamada + L"\\Team Files\\plan.docx",
         "https://contoso.sharepoint.com/sites/team/Shared%20Documents/Team%20Files/plan.docx"},
        {{mySite}, L"c:\\users\\YAMADA\\onedrive - contoso\\Documents\\A.docx", my + "Documents/A.docx"},
        {{With(mySite, L"C:\\Users\\yamada\\OneDrive - Contoso\\", nullptr)}, a, my + "a.docx"},
        {{mySite}, yamada + L"2\\a.docx", ""},
        {{mySite}, L"\\\\?\\" + a, my + "a.docx"},
        {{mySite}, a, my + "a.docx", true},
        {{teamSite},
         teamSite.MountPoint + L"\\\u898B\u7A4D\\\u898B\u7A4D #3 (100%).xlsx",
         "https://contoso.sharepoint.com/sites/%E5%96%B6%E6%A5%AD%E9%83%A8/Shared%20Documents/"
         "%E8%A6%8B%E7%A9%8D/"
         "%E8%A6%8B%E7%A9%8D%20%233%20%28100%25%29.xlsx"},
        {{With(mySite, L"C:\\", L"https://b\u00FCcher.example:8443/s/lib")},
         L"C:\\a.txt",
         "https://b%C3%BCcher.example:8443/s/lib/a.txt"},
        {{personal}, a, ""},
        {{oneDriveCom}, a, ""},
        {{mySite, With(mySite, L"C:\\Users\\yamada\\OneDrive - Contoso\\", nullptr)}, a, ""},
        {{With(mySite, nullptr, L"http://contoso.sharepoint.com/s/lib")}, a, ""},
        {{With(mySite, nullptr, nullptr, TSyncRoot::WrongType)}, a, ""},
        {{With(mySite, L"", L"https://contoso.sharepoint.com/s/lib")}, a, ""},
        // Two folders of one library (a Teams library's channels), neither the library's root: the root
        // joined with the rest would drop the folders between.
        {{channel1, channel2}, in1, ""},
        {{channel1, ownAddress}, in2, team + "02%20Test/test.xlsx"},
        {{channel1, ownAddress}, in1, team + "test.xlsx"}, // the one left without an address of its own
        {{channel1, scoped}, in2, team + "test.xlsx"},
        {{channel1, scoped}, in1, ""},
        // A '#' of the record's own address is a name's, not a fragment.
        {{With(folderSync, nullptr,
               L"https://company.sharepoint.com/sites/library/Shared Documents/Project #5")},
         synced + L"\\a.txt",
         "https://company.sharepoint.com/sites/library/Shared%20Documents/Project%20%235/a.txt"},
    };
    for (const auto& r : rows) {
        // The bytes of a code page that lacks the item's characters: the address comes from the exact text.
        std::string bytes;
        for (const wchar_t c : r.item)
            bytes += c < 0x80 ? static_cast<char>(c) : '?';
        const TText address = WebAddress(r.roots, {r.noBytes ? "" : bytes, r.item});
        EXPECT_EQ(address.Bytes, r.noBytes ? "" : r.address) << bytes;
        EXPECT_EQ(address.Wide, std::wstring(r.address.begin(), r.address.end())) << bytes;
    }
}

} // namespace
