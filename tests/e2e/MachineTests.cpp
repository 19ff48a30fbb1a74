// One table of files sent as the shell sends them (a wide command line; files made with the wide API),
// run once for each kind of machine the rig plays: the system code page, the format locale and the
// keyboard layout come from the environment the driver runs in (see WineTiers.cmake). Whatever the
// machine, the copied text names the file that was sent, byte-exact wherever the system code page
// holds the name, and a Unicode paste reads the same path.
#include "E2eFixture.h"

#include <memory>

namespace E2e {
namespace {

// The bytes of w in the system code page when it holds every character exactly; else empty.
std::string Held(const std::wstring& w) {
    BOOL lossy = FALSE;
    std::string b(w.size() * 2, '\0');
    b.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(),
                                                     static_cast<int>(w.size()), &b[0],
                                                     static_cast<int>(b.size()), nullptr, &lossy)));
    return lossy || WideOf(b) != w ? std::string() : b;
}

std::wstring LongW(const std::wstring& path) {
    wchar_t buffer[1024] = {};
    const DWORD n = GetLongPathNameW(path.c_str(), buffer, 1024);
    return n > 0 && n < 1024 ? std::wstring(buffer, n) : std::wstring();
}

std::wstring ShortW(const std::wstring& path) {
    wchar_t buffer[1024] = {};
    const DWORD n = GetShortPathNameW(path.c_str(), buffer, 1024);
    return n > 0 && n < 1024 ? std::wstring(buffer, n) : std::wstring();
}

std::wstring LastName(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

void MakeFileW(const std::wstring& path) {
    for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

// 表 (hyo) is 0x95 0x5C in code page 932: a trail byte with the value of a backslash.
const std::wstring Hyo(30, L'\u8868');

struct MachineRow {
    const char* Name;
    std::wstring Item;  // below the scratch folder, "\" between names
    std::wstring Decoy; // what a look-alike of Item would name (made too), or empty
    char Digit;         // 0: Shift copies the long path at once; '2': the file name item (no spaces here)
};

const MachineRow Rows[] = {
    // A Japanese system with English format: the lead bytes are the system's, whatever the format.
    {"TrailBackslashInName", L"\u30BD\u30D5\u30C8\\\u8868.txt", L"", '2'},
    // An English system with Japanese format: 0xE9 is a letter, never a lead byte.
    {"AccentedFolder", L"Caf\u00E9\\x.txt", L"", '2'},
    // Characters the code page lacks arrive as look-alikes in the ANSI command line.
    {"AccentTheCodePageLacks", L"caf\u00E9.txt", L"cafe.txt", 0},
    {"YenSignTheCodePageLacks", L"a\u00A5b.txt", L"a\\b.txt", 0},
    // 152 characters: over 260 bytes where they take two bytes each, yet within the path limit.
    {"LongDoubleBytePath", Hyo + L"\\" + Hyo + L"\\" + Hyo + L"\\" + Hyo + L"\\" + Hyo.substr(0, 10) + L".txt", L"",
     0},
};

void PrintTo(const MachineRow& row, std::ostream* os) { *os << row.Name; }

class Machine : public ProgramTest, public testing::WithParamInterface<MachineRow> {};

TEST_P(Machine, CopiesAPathThatNamesTheSentFile) {
    const MachineRow& row = GetParam();
    ScratchDir dir;
    const std::wstring sent = WideOf(dir.Path()) + L"\\" + row.Item;
    MakeFileW(sent);
    if (!row.Decoy.empty()) MakeFileW(WideOf(dir.Path()) + L"\\" + row.Decoy);
    const std::wstring longSent = LongW(sent);
    ASSERT_FALSE(longSent.empty());

    // As the shell starts it: the program's path and the item's, quoted, in a wide command line.
    const std::wstring exe = WideOf(PathgrabExe());
    Child p;
    {
        std::unique_ptr<KeyHeld> shift(row.Digit ? nullptr : new KeyHeld(VK_SHIFT));
        p = StartWide(exe, L"\"" + exe + L"\" \"" + sent + L"\"");
        ASSERT_TRUE(p.Started());
        if (row.Digit) {
            ASSERT_NE(WaitForPopupMenu(p, StartTimeoutMs), nullptr);
            PumpMessages(200);
            TapKey(static_cast<WORD>(row.Digit));
        }
        ExpectEndsWithZero(p);
    }
    const ClipboardText got = ReadClipboard();
    ASSERT_NE(got.Text, Sentinel) << "nothing was copied";
    const std::wstring copied = WideOf(got.Text);
    EXPECT_EQ(got.Wide, copied) << "a Unicode paste reads another text";
    if (row.Digit) {
        // The file name as the code page holds it, else the 8.3 name that stands for it.
        const std::wstring name = LastName(longSent);
        EXPECT_EQ(copied, Held(name).empty() ? LastName(ShortW(sent)) : name);
        return;
    }
    EXPECT_EQ(LongW(copied), longSent) << "the copied path names another file, or none";
    if (!Held(longSent).empty()) {
        EXPECT_EQ(got.Text, Held(longSent));
    }
}

INSTANTIATE_TEST_SUITE_P(Files, Machine, testing::ValuesIn(Rows),
                         [](const testing::TestParamInfo<MachineRow>& i) { return std::string(i.param.Name); });

} // namespace
} // namespace E2e
