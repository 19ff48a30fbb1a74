// Pictures of both menu layouts and of the question as the user sees them, left in the build tree
// (e2e-artifacts/*.bmp, turned into PNG by the CTest step that follows) so that the captions can be
// looked at: on Japanese and English UIs, in several system code pages, and on a scaled display. The
// items lie in a user's Documents folder, so that the pictures show what a user sees.
#include "E2eFixture.h"
#include "MenuE2eSupport.h"
#include "MenuSupport.h"
#include "RegistrationSupport.h"

#include <memory>

namespace E2e {
namespace {

// C:\Users\<user>\Documents for the life of the object. A home that the tests did not make (a real
// user's, on Windows) is never removed: Made() is then false.
class UserDocuments {
  public:
    explicit UserDocuments(const std::string& user) : home_("C:\\Users\\" + user) {
        const std::string mark = home_ + "\\made-by-pathgrab-tests";
        CreateDirectoryA("C:\\Users", nullptr);
        if (CreateDirectoryA(home_.c_str(), nullptr))
            CloseHandle(CreateFileA(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        made_ = GetFileAttributesA(mark.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (made_) CreateDirectoryA(Path().c_str(), nullptr);
    }
    ~UserDocuments() {
        if (made_) RemoveTree(home_);
    }
    UserDocuments(const UserDocuments&) = delete;
    UserDocuments& operator=(const UserDocuments&) = delete;
    bool Made() const { return made_; }
    std::string Path() const { return home_ + "\\Documents"; }

  private:
    std::string home_;
    bool made_ = false;
};

class MenuScreenshot : public ProgramTest {
  protected:
    // The menu for items in user's Documents, on machine m (null: the rig's own), as picture.
    // submenu: the digit that opens a submenu, shown beside the menu in the picture; 0: none.
    // library: a folder below Documents that the OneDrive client syncs as a team library (null: none).
    void Take(const char* user, const std::vector<std::string>& items, const char* picture,
              const Machine* m = nullptr, char submenu = 0, const char* library = nullptr) {
        const std::string out = ArtifactsDir();
        if (out.empty()) GTEST_SKIP() << "PATHGRAB_ARTIFACTS is not set";
        UserDocuments docs(user);
        ASSERT_TRUE(docs.Made()) << docs.Path() << " is not the tests' own";
        const std::string root = LongPathOf(docs.Path());
        // The submenu's picture shows every form: Documents is a Git work tree there.
        if (submenu) CreateDirectoryA((root + "\\.git").c_str(), nullptr);
        std::unique_ptr<SyncedLibrary> synced(
            library ? new SyncedLibrary(WideOf(MakeFolder(root, library)),
                                        L"https://contoso.sharepoint.com/sites/Sales/Shared Documents/")
                    : nullptr);
        std::vector<std::string> args;
        std::string line;
        for (const std::string& item : items) {
            args.push_back(Quoted(MakeItem(root, item, std::string())));
            line += (line.empty() ? "" : " ") + args.back();
        }
        POINT cursor = {};
        GetCursorPos(&cursor);
        Child p;
        HWND menu = nullptr;
        if (m) {
            p = StartOnMachine(*m, PathgrabExe(), line);
            menu = WaitForPopupMenu(p, StartTimeoutMs);
        } else {
            menu = StartWithMenu(p, args);
        }
        ASSERT_NE(menu, nullptr) << picture;
        // Painted once its loop runs: a shown window's paint comes before any wait for input.
        ASSERT_TRUE(WaitForMenuKeys(p, StartTimeoutMs)) << LastMenuWait();
        RECT shot = {};
        GetWindowRect(menu, &shot);
        if (submenu) {
            TapKey(submenu);
            for (DWORD start = GetTickCount(); WindowsOf(p.Id(), true, "#32768").size() < 2;) {
                ASSERT_LT(GetTickCount() - start, StartTimeoutMs) << "the submenu did not open";
                PumpMessages(20);
            }
            PumpMessages(300); // painted
            for (HWND w : WindowsOf(p.Id(), true, "#32768")) {
                RECT r = {};
                GetWindowRect(w, &r);
                UnionRect(&shot, &shot, &r);
            }
        }
        EXPECT_TRUE(SaveScreenShot(shot, 10, out + "\\" + picture));
        if (submenu) PressInMenu(p, VK_ESCAPE); // closes the submenu; the next one the menu
        // It opens with its corner at the cursor, at any scale.
        RECT r = {};
        GetWindowRect(menu, &r);
        EXPECT_EQ(r.left, cursor.x) << picture;
        EXPECT_EQ(r.top, cursor.y) << picture;
        MenuHeight = r.bottom - r.top;
        PressInMenu(p, VK_ESCAPE);
        ExpectEndsWithZero(p);
    }

    // The registration question (the create one: Send To is emptied meanwhile), answered No.
    void TakeQuestion(const char* picture, const Machine* m = nullptr) {
        const std::string out = ArtifactsDir();
        if (out.empty()) GTEST_SKIP() << "PATHGRAB_ARTIFACTS is not set";
        SendToSandbox sandbox;
        Child p = m ? StartOnMachine(*m, PathgrabExe(), std::string())
                    : Start(PathgrabExe(), Quoted(PathgrabExe()));
        QuestionBox q = WaitForQuestion(p, StartTimeoutMs);
        ASSERT_NE(q.Box, nullptr) << "no question was shown: " << picture;
        PumpMessages(400);
        EXPECT_TRUE(SaveWindowShot(q.Box, 10, out + "\\" + picture));
        ClickButton(q.Box, IDNO);
        ExpectEndsWithZero(p);
    }

    int MenuHeight = 0;
};

// 報告書 (95 F1 8D 90 8F 91) in a folder with a space and an ampersand: every form shows.
const char Report[] = "R&D Files/\x95\xF1\x8D\x90\x8F\x91 2024.txt";

TEST_F(MenuScreenshot, SingleItem) {
    Take("yamada", {Report}, "menu-single.bmp");
}

// The submenu of more forms, opened by its digit (8: the path and its folder hold a space), from a
// cursor far enough left that it opens beside the menu, not over it.
TEST_F(MenuScreenshot, MoreForms) {
    POINT was = {};
    GetCursorPos(&was);
    SetCursorPos(20, 200);
    Take("yamada", {Report}, "menu-more-forms.bmp", nullptr, '8');
    SetCursorPos(was.x, was.y);
}

// A file in a synced team library (営業部 - ドキュメント\見積\a.xlsx): its web address follows the UNC
// path's place, and the links point at it.
TEST_F(MenuScreenshot, MoreFormsOfASyncedFile) {
    POINT was = {};
    GetCursorPos(&was);
    SetCursorPos(20, 200);
    const char library[] = "Contoso/\x89"
                           "c\x8B\xC6\x95\x94 - \x83h\x83L\x83\x85\x83\x81\x83\x93\x83g";
    Take("yamada", {std::string(library) + "/\x8C\xA9\x90\xCF/a.xlsx"}, "menu-synced-file.bmp", nullptr, '8',
         library);
    SetCursorPos(was.x, was.y);
}

TEST_F(MenuScreenshot, SeveralItems) {
    Take("yamada", {"Work/b.txt", "Work/a.txt"}, "menu-list.bmp");
}

// The same menu and the question where the system code page is not 932, and where the UI is English.
// The item's name is one that the code page can spell (報告書 is in 936 too).
TEST_F(MenuScreenshot, OnEveryMachine) {
    const struct {
        const Machine* machine;
        const char* user;
        const char* item;
        const char* menu;
        const char* question;
    } cases[] = {
        {&Cp932JapaneseUi, "yamada", Report, "menu-cp932.bmp", "question-cp932.bmp"},
        {&Cp1252JapaneseUi, "yamada", "R&D Files/Report 2024.txt", "menu-cp1252.bmp", "question-cp1252.bmp"},
        {&Cp936JapaneseUi, "yamada", Report, "menu-cp936.bmp", "question-cp936.bmp"},
        {&Cp1252EnglishUi, "alex", "R&D Files/Report 2024.txt", "menu-english.bmp", "question-english.bmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.machine->Name);
        Take(c.user, {c.item}, c.menu, c.machine);
        TakeQuestion(c.question, c.machine);
    }
}

// At 150 % (144 DPI) the program draws its menu and question at that scale itself, and the menu
// still opens at the cursor.
TEST_F(MenuScreenshot, ScaledDisplay) {
    Take("yamada", {Report}, "menu-96dpi.bmp");
    const int height96 = MenuHeight;
    ScopedLogPixels dpi(144);
    Take("yamada", {Report}, "menu-144dpi.bmp");
    EXPECT_GE(MenuHeight * 4, height96 * 5) << "the menu did not grow with the scale";
    TakeQuestion("question-144dpi.bmp");
}

} // namespace
} // namespace E2e
