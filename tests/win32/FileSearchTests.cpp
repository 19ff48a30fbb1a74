// The attribute-filtered search on a real folder under Wine.
#include <gtest/gtest.h>

#include "TinyUtils.h"
#include "Win32Support.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace TinyUtils;
using TestSupport::ScratchDir;

namespace {

std::vector<std::string> Names(const std::string& pattern, int32_t mask) {
    std::vector<std::string> names;
    TSearchRec rec;
    for (int r = SearchFirst(pattern, mask, rec); r == 0; r = SearchNext(rec)) names.push_back(rec.Name);
    SearchClose(rec);
    std::sort(names.begin(), names.end());
    return names;
}

void SetAttributes(const std::string& path, DWORD attributes) {
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes)) << path;
    ASSERT_EQ(GetFileAttributesA(path.c_str()) & attributes, attributes) << path;
}

// A folder with plain, read-only, hidden, system and hidden+system files, a plain and a hidden
// subfolder.
class SearchFolder : public testing::Test {
  protected:
    void SetUp() override {
        dir_.File("plain.lnk");
        dir_.File("other.txt");
        SetAttributes(dir_.File("readonly.lnk"), FILE_ATTRIBUTE_READONLY);
        SetAttributes(dir_.File("hidden.lnk"), FILE_ATTRIBUTE_HIDDEN);
        SetAttributes(dir_.File("system.lnk"), FILE_ATTRIBUTE_SYSTEM);
        SetAttributes(dir_.File("hidsys.lnk"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        dir_.Folder("sub.lnk");
        SetAttributes(dir_.Folder("hiddensub.lnk"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    }
    std::string Pattern(const std::string& name) const { return dir_.Path() + "\\" + name; }
    ScratchDir dir_;
};

} // namespace

typedef std::vector<std::string> Strings;

TEST_F(SearchFolder, MaskDecidesWhichSpecialAttributesAreReturned) {
    struct {
        int32_t mask;
        Strings names;
    } cases[] = {
        {0x2F, {"hidden.lnk", "hidsys.lnk", "plain.lnk", "readonly.lnk", "system.lnk"}},
        {0x00, {"plain.lnk", "readonly.lnk"}},
        {0x02, {"hidden.lnk", "plain.lnk", "readonly.lnk"}},
        {0x04, {"plain.lnk", "readonly.lnk", "system.lnk"}},
        {0x10, {"plain.lnk", "readonly.lnk", "sub.lnk"}},
        {0x12, {"hidden.lnk", "hiddensub.lnk", "plain.lnk", "readonly.lnk", "sub.lnk"}},
        {0x1E, {"hidden.lnk", "hiddensub.lnk", "hidsys.lnk", "plain.lnk", "readonly.lnk", "sub.lnk", "system.lnk"}},
        // Bits outside hidden, system, volume and directory have no effect.
        {static_cast<int32_t>(0xFFFFFFE1), {"plain.lnk", "readonly.lnk"}},
        {-1, {"hidden.lnk", "hiddensub.lnk", "hidsys.lnk", "plain.lnk", "readonly.lnk", "sub.lnk", "system.lnk"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Names(Pattern("*.lnk"), c.mask), c.names) << "mask 0x" << std::hex << c.mask;
}

TEST_F(SearchFolder, DotEntriesAreDirectoriesLikeAnyOther) {
    Strings names = Names(Pattern("*"), 0x10);
    EXPECT_EQ(names, (Strings{".", "..", "other.txt", "plain.lnk", "readonly.lnk", "sub.lnk"}));
}

TEST_F(SearchFolder, RecordHoldsTheEntry) {
    TSearchRec rec;
    ASSERT_EQ(SearchFirst(Pattern("readonly.lnk"), 0, rec), 0);
    EXPECT_EQ(rec.Name, "readonly.lnk");
    EXPECT_EQ(rec.Size, 1); // ScratchDir writes one byte
    EXPECT_EQ(rec.Attributes & 0x1F, FILE_ATTRIBUTE_READONLY);
    EXPECT_NE(rec.Handle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(SearchNext(rec), ERROR_NO_MORE_FILES);
    EXPECT_NE(rec.Handle, INVALID_HANDLE_VALUE); // the search stays open until it is closed
    SearchClose(rec);
    EXPECT_EQ(rec.Handle, INVALID_HANDLE_VALUE);
    SearchClose(rec);
    EXPECT_EQ(rec.Handle, INVALID_HANDLE_VALUE);
}

TEST_F(SearchFolder, ErrorCodes) {
    TSearchRec rec;
    EXPECT_EQ(SearchFirst(Pattern("*.none"), 0x2F, rec), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(rec.Handle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(SearchFirst(Pattern("missing\\*.lnk"), 0x2F, rec), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(rec.Handle, INVALID_HANDLE_VALUE);
    // Only directories match and mask 0 skips them all: the end, with the search already closed.
    EXPECT_EQ(SearchFirst(Pattern("*sub.lnk"), 0, rec), ERROR_NO_MORE_FILES);
    EXPECT_EQ(rec.Handle, INVALID_HANDLE_VALUE);
    SearchClose(rec);
    EXPECT_EQ(rec.Handle, INVALID_HANDLE_VALUE);
}

TEST_F(SearchFolder, NextEndsWhenEveryRemainingEntryIsSkipped) {
    TSearchRec rec;
    // plain.lnk is the only entry mask 0 takes among these; the others are skipped before or after it.
    ASSERT_EQ(SearchFirst(Pattern("*i*.lnk"), 0, rec), 0);
    EXPECT_EQ(rec.Name, "plain.lnk");
    EXPECT_EQ(SearchNext(rec), ERROR_NO_MORE_FILES);
    SearchClose(rec);
}

TEST(FileSearch, LongestNameIsReturnedWhole) {
    ScratchDir dir;
    const std::string name = std::string(251, 'n') + ".lnk"; // 255 bytes, the most a Linux name holds
    // Folder and name exceed 260 bytes: made and removed through the wide calls.
    const std::string full = dir.Path() + "\\" + name;
    const std::wstring wide(full.begin(), full.end());
    HANDLE f = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);
    EXPECT_EQ(Names(dir.Path() + "\\*.lnk", 0x2F), Strings{name});
    EXPECT_TRUE(DeleteFileW(wide.c_str()));
}

TEST(FileSearch, SizeIsTheLow32BitsOfA5GiBFile) {
    ScratchDir dir;
    const std::string path = dir.Path() + "\\big.bin";
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = 5LL << 30; // written by nothing, so the file stays sparse
    BOOL grown = SetFilePointerEx(f, size, nullptr, FILE_BEGIN) && SetEndOfFile(f);
    CloseHandle(f);
    ASSERT_TRUE(grown);
    TSearchRec rec;
    ASSERT_EQ(SearchFirst(path, 0, rec), 0);
    EXPECT_EQ(rec.Size, 1 << 30);
    SearchClose(rec);
}

TEST(FileSearch, DosTimeIsLocalDateHighAndTimeLow) {
    ScratchDir dir;
    const std::string path = dir.File("dated.lnk");
    auto stamp = [&](WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
        SYSTEMTIME st = {};
        st.wYear = year, st.wMonth = month, st.wDay = day, st.wHour = hour, st.wMinute = minute, st.wSecond = second;
        FILETIME local, utc;
        SystemTimeToFileTime(&st, &local);
        LocalFileTimeToFileTime(&local, &utc);
        HANDLE f = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        EXPECT_TRUE(SetFileTime(f, nullptr, nullptr, &utc));
        CloseHandle(f);
    };
    stamp(2020, 5, 17, 13, 45, 30);
    TSearchRec rec;
    ASSERT_EQ(SearchFirst(path, 0, rec), 0);
    const uint32_t date = ((2020 - 1980) << 9) | (5 << 5) | 17, time = (13 << 11) | (45 << 5) | (30 / 2);
    EXPECT_EQ(static_cast<uint32_t>(rec.DosTime), (date << 16) | time);
    SearchClose(rec);

    // A time DOS format cannot hold leaves the field as it was.
    stamp(1975, 1, 1, 12, 0, 0);
    rec.DosTime = 0x12345678;
    ASSERT_EQ(SearchFirst(path, 0, rec), 0);
    EXPECT_EQ(rec.DosTime, 0x12345678);
    SearchClose(rec);
}
