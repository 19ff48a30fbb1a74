// The resources of the built Pathgrab.exe, read back from the file: the icon the shortcut shows, the
// version information the shell's property pages show, and the manifest the loader reads.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "Win32Support.h"

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE Width, Height, ColorCount, Reserved;
    WORD Planes, BitCount;
    DWORD BytesInRes;
    WORD Id;
};
struct GroupIconDir {
    WORD Reserved, Type, Count;
    GroupIconEntry Entries[1];
};
#pragma pack(pop)

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

class ExeResources : public testing::Test {
  protected:
    void SetUp() override {
        Exe = TestSupport::PathgrabExe();
        Module = LoadLibraryExA(Exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(Module, nullptr) << Exe;
    }
    void TearDown() override {
        if (Module) FreeLibrary(Module);
    }

    // The bytes of resource name of type type, empty when there is none.
    std::string Resource(LPCSTR type, LPCSTR name) const {
        HRSRC r = FindResourceA(Module, name, type);
        if (!r) return std::string();
        HGLOBAL g = LoadResource(Module, r);
        const char* bytes = g ? static_cast<const char*>(LockResource(g)) : nullptr;
        return bytes ? std::string(bytes, SizeofResource(Module, r)) : std::string();
    }

    std::string Exe;
    HMODULE Module = nullptr;
};

TEST_F(ExeResources, MainIconIsOneImageOf32By32In16Colours) {
    int groups = 0;
    EnumResourceNamesA(Module, RT_GROUP_ICON, CountName, reinterpret_cast<LONG_PTR>(&groups));
    EXPECT_EQ(groups, 1);

    const std::string group = Resource(RT_GROUP_ICON, "MAINICON");
    ASSERT_GE(group.size(), sizeof(GroupIconDir));
    const GroupIconDir& dir = *reinterpret_cast<const GroupIconDir*>(group.data());
    EXPECT_EQ(dir.Type, 1);
    ASSERT_EQ(dir.Count, 1);
    const GroupIconEntry& e = dir.Entries[0];
    EXPECT_EQ(e.Width, 32);
    EXPECT_EQ(e.Height, 32);
    EXPECT_EQ(e.ColorCount, 16);

    // The image itself: a device-independent bitmap, twice as high for its AND mask, 4 bits a pixel.
    const std::string image = Resource(RT_ICON, MAKEINTRESOURCEA(e.Id));
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
    ASSERT_EQ(image.size(), e.BytesInRes);
    const BITMAPINFOHEADER& h = *reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
    EXPECT_EQ(h.biWidth, 32);
    EXPECT_EQ(h.biHeight, 64);
    EXPECT_EQ(h.biBitCount, 4);

    // And the system takes it as an icon of that size.
    HICON icon = static_cast<HICON>(LoadImageA(Module, "MAINICON", IMAGE_ICON, 32, 32, 0));
    EXPECT_NE(icon, nullptr);
    if (icon) DestroyIcon(icon);
}

// Each element the loader acts on, as the manifest must spell it.
TEST_F(ExeResources, ManifestDeclaresWhatTheLoaderActsOn) {
    int manifests = 0;
    EnumResourceNamesA(Module, MAKEINTRESOURCEA(24), CountName, reinterpret_cast<LONG_PTR>(&manifests));
    EXPECT_EQ(manifests, 1) << "the loader takes only id 1; a second one means a toolchain default crept in";
    const std::string m = Resource(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    ASSERT_FALSE(m.empty());
    const char* const elements[] = {
        "<requestedExecutionLevel level=\"asInvoker\"",
        "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>", // Windows 7
        "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>", // Windows 8
        "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>", // Windows 8.1
        "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>", // Windows 10 and 11
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>",
        "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, "
        "PerMonitor</dpiAwareness>",
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "publicKeyToken=\"6595b64144ccf1df\"",
    };
    for (const char* e : elements)
        EXPECT_NE(m.find(e), std::string::npos) << e;
    // It would make the system read every byte string, paths included, as UTF-8.
    EXPECT_EQ(m.find("activeCodePage"), std::string::npos);
}

class VersionInfo : public ExeResources {
  protected:
    void SetUp() override {
        ExeResources::SetUp();
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(Exe.c_str(), &ignored);
        ASSERT_GT(size, 0u);
        Block.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(Exe.c_str(), 0, size, Block.data()));
    }

    // The value at path in the block; nullptr when there is none.
    const void* Value(const std::string& path, UINT& length) {
        void* p = nullptr;
        length = 0;
        return VerQueryValueA(Block.data(), path.c_str(), &p, &length) ? p : nullptr;
    }

    std::vector<char> Block;
};

TEST_F(VersionInfo, FileAndProductVersionAre1060) {
    UINT length = 0;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(Value("\\", length));
    ASSERT_NE(fixed, nullptr);
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00060000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00060000u);
}

TEST_F(VersionInfo, TranslationIsJapaneseInCodePage932Only) {
    UINT length = 0;
    const auto* pairs = static_cast<const WORD*>(Value("\\VarFileInfo\\Translation", length));
    ASSERT_NE(pairs, nullptr);
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(pairs[0], 0x0411);
    EXPECT_EQ(pairs[1], 932);
}

TEST_F(VersionInfo, StringsOfTheJapaneseTable) {
    const struct {
        const char* field;
        const char* text;
    } fields[] = {
        {"FileDescription", "Pathgrabber"},   {"InternalName", "Pathgrabber"},
        {"ProductName", "Pathgrabber"},       {"LegalTrademarks", "Pathgrabber"},
        {"OriginalFilename", "Pathgrab.exe"}, {"FileVersion", "1.0.6.0"},
        {"ProductVersion", "1.0.6.0"},
    };
    for (const auto& f : fields) {
        UINT length = 0;
        const char* text =
            static_cast<const char*>(Value(std::string("\\StringFileInfo\\041103a4\\") + f.field, length));
        ASSERT_NE(text, nullptr) << f.field;
        EXPECT_STREQ(text, f.text) << f.field;
    }
}

} // namespace
