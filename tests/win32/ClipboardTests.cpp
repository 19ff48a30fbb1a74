#include <gtest/gtest.h>

#include "TinyUtils.h"
#include "Win32Support.h"

#include <thread>

TEST(PutClipboardText, PlacesTheBytesUnconvertedAndTheSameTextInUnicode) {
    const std::string text = "C:\\\x83\x5C\\a b\r\nline2\r\n";
    TinyUtils::PutClipboardText(nullptr, text);
    TestSupport::ClipboardText got = TestSupport::ReadClipboard();
    EXPECT_TRUE(got.Present);
    EXPECT_EQ(got.Text, text);
    // U+30BD is katakana so, 0x83 0x5C in code page 932; a Unicode paste reads the same path.
    EXPECT_EQ(got.Wide, L"C:\\\u30BD\\a b\r\nline2\r\n");
    EXPECT_EQ(got.Locale, GetSystemDefaultLCID());
}

TEST(PutClipboardText, EmptyTextLeavesTheClipboardAlone) {
    ASSERT_TRUE(TestSupport::WriteClipboard("sentinel"));
    TinyUtils::PutClipboardText(nullptr, std::string());
    EXPECT_EQ(TestSupport::ReadClipboard().Text, "sentinel");
}

// Another program holding the clipboard for a moment delays the copy instead of losing it. The holder
// opens it for a window of another thread, as a clipboard manager would: that keeps this thread out
// until it closes the clipboard.
TEST(PutClipboardText, WaitsOutABriefHolder) {
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr),
           checked = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    bool held = false;
    std::thread holder([opened, checked, &held] {
        HWND owner =
            CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        held = owner && OpenClipboard(owner);
        SetEvent(opened);
        WaitForSingleObject(checked, 10000);
        if (held) {
            Sleep(100);
            CloseClipboard();
        }
        if (owner) DestroyWindow(owner);
    });
    WaitForSingleObject(opened, 10000);
    // While it is held, this thread cannot open the clipboard.
    const bool excluded = !OpenClipboard(nullptr) || (CloseClipboard(), false);
    SetEvent(checked);
    TinyUtils::PutClipboardText(nullptr, "C:\\held.txt");
    holder.join();
    CloseHandle(opened);
    CloseHandle(checked);
    ASSERT_TRUE(held && excluded) << "the holder did not keep this thread out";
    EXPECT_EQ(TestSupport::ReadClipboard().Text, "C:\\held.txt");
}

// A link's HTML lands beside its text in the same opening; where another program holds the clipboard
// past the wait, neither does.
TEST(PutClipboardText, LinkLandsBesideItsTextOrNeither) {
    const std::string html = TinyUtils::HtmlClipboardText("<a href=\"file:///C:/a.txt\">a.txt</a>");
    TinyUtils::PutClipboardText(nullptr, {"C:\\a.txt", L"C:\\a.txt"}, html);
    TestSupport::ClipboardText got = TestSupport::ReadClipboard();
    EXPECT_EQ(got.Html, html);
    EXPECT_EQ(got.Text, "C:\\a.txt");
    ASSERT_TRUE(TestSupport::WriteClipboard("sentinel"));
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([opened] {
        HWND owner =
            CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        const bool held = OpenClipboard(owner);
        SetEvent(opened);
        Sleep(1500);
        if (held) CloseClipboard();
        DestroyWindow(owner);
    });
    WaitForSingleObject(opened, 10000);
    TinyUtils::PutClipboardText(nullptr, {"C:\\b.txt", L"C:\\b.txt"}, html);
    holder.join();
    CloseHandle(opened);
    got = TestSupport::ReadClipboard();
    EXPECT_EQ(got.Text, "sentinel");
    EXPECT_EQ(got.Html, "");
}

namespace {

// The global memory calls of the code under test while the object lives: the failAt-th GlobalAlloc
// fails, and the locks still held when the clipboard closes are counted.
class MemorySpy {
  public:
    explicit MemorySpy(int failAt) {
        s = State();
        s.failAt = failAt;
        s.alloc = alloc_.Original(), s.lock = lock_.Original();
        s.unlock = unlock_.Original(), s.close = close_.Original();
    }
    bool Installed() const {
        return alloc_.Installed() && lock_.Installed() && unlock_.Installed() && close_.Installed();
    }
    int LocksAtClose() const { return s.locksAtClose; }

  private:
    struct State {
        int failAt = 0, allocs = 0, locks = 0, locksAtClose = -1;
        void *alloc = nullptr, *lock = nullptr, *unlock = nullptr, *close = nullptr;
    };
    static State s;
    static HGLOBAL WINAPI Alloc(UINT flags, SIZE_T size) {
        if (++s.allocs == s.failAt) return nullptr;
        return reinterpret_cast<decltype(&GlobalAlloc)>(s.alloc)(flags, size);
    }
    static LPVOID WINAPI Lock(HGLOBAL block) {
        LPVOID p = reinterpret_cast<decltype(&GlobalLock)>(s.lock)(block);
        if (p) ++s.locks;
        return p;
    }
    static BOOL WINAPI Unlock(HGLOBAL block) {
        --s.locks;
        return reinterpret_cast<decltype(&GlobalUnlock)>(s.unlock)(block);
    }
    static BOOL WINAPI Close() {
        s.locksAtClose = s.locks;
        return reinterpret_cast<decltype(&CloseClipboard)>(s.close)();
    }
    TestSupport::ImportPatch alloc_{"kernel32.dll", "GlobalAlloc", &Alloc};
    TestSupport::ImportPatch lock_{"kernel32.dll", "GlobalLock", &Lock};
    TestSupport::ImportPatch unlock_{"kernel32.dll", "GlobalUnlock", &Unlock};
    TestSupport::ImportPatch close_{"user32.dll", "CloseClipboard", &Close};
};
MemorySpy::State MemorySpy::s;

} // namespace

// A block that cannot be made leaves the old contents (nothing was emptied yet), and whichever block
// failed, none is still locked when the clipboard closes.
TEST(PutClipboardText, FailedBlockKeepsTheOldContentsAndNoneStaysLocked) {
    const struct {
        int failAt; // 0: nothing fails
        const char* expected;
        bool html; // a link: its HTML block is the fourth
    } rows[] = {{0, "C:\\new.txt", false},
                {1, "sentinel", false},
                {2, "sentinel", false},
                {3, "sentinel", false},
                {4, "sentinel", true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.failAt);
        ASSERT_TRUE(TestSupport::WriteClipboard("sentinel"));
        {
            MemorySpy spy(r.failAt);
            ASSERT_TRUE(spy.Installed());
            TinyUtils::PutClipboardText(nullptr, TinyUtils::TextOfBytes("C:\\new.txt"),
                                        r.html ? TinyUtils::HtmlClipboardText("<a href=\"x\">x</a>") : "");
            EXPECT_EQ(spy.LocksAtClose(), 0);
        }
        EXPECT_EQ(TestSupport::ReadClipboard().Text, r.expected);
    }
}
