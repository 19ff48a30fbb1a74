// One item sent: the user picks each form of its path by the digit key of its menu item, and leaves
// the menu with Escape or with Cancel. Checked through the clipboard bytes and the exit code.
#include "E2eFixture.h"
#include "MenuE2eSupport.h"

namespace E2e {
namespace {

// The forms the single-item menu offers.
enum Form { Long, QuotedLong, Name, Base, Folder, QuotedFolder, Short };

// A real file or folder below the scratch folder, and the forms the menu should offer for it, in the
// order of its digits. Names hold "/" between folders (see MenuE2eSupport.h).
struct Layout {
    const char* Name;
    const char* Parent; // the containing folder, below the scratch folder
    const char* Item;   // the file or folder sent
    bool IsFolder;
    const char* Base; // the name without its extension (files only)
    std::vector<Form> Digits;
};

// 表 is 95 5C and ソ is 83 5C: trail bytes with the value of a backslash.
const Layout Layouts[] = {
    {"SpaceInFolder",
     "My Files",
     "a b.txt",
     false,
     "a b",
     {Long, QuotedLong, Name, Base, Folder, QuotedFolder, Short}},
    // A folder gets no item for a name without extension, even with a dot in its name: digits shift.
    {"FolderWithDot",
     "My Files",
     "Data.old",
     true,
     nullptr,
     {Long, QuotedLong, Name, Folder, QuotedFolder, Short}},
    {"Ampersand", "R&D", "x.txt", false, "x", {Long, Name, Base, Folder, Short}},
    // The folder form ends in a trail byte 0x5C, which must not be taken for a trailing backslash.
    {"TrailBytesInFile",
     "\x95\x5C\x83\x5C",
     "\x83\x5C\x95\x5C.txt",
     false,
     "\x83\x5C\x95\x5C",
     {Long, Name, Base, Folder, Short}},
    {"TrailByteFolder", "\x83\x5C", "\x95\x5C", true, nullptr, {Long, Name, Folder, Short}},
};

struct Forms {
    std::string LongPath, FileName, BaseName, FolderPath, ShortPath;

    std::string Of(Form f) const {
        switch (f) {
        case Long:
            return LongPath;
        case QuotedLong:
            return Quoted(LongPath);
        case Name:
            return FileName;
        case Base:
            return BaseName;
        case Folder:
            return FolderPath;
        case QuotedFolder:
            return Quoted(FolderPath);
        case Short:
            return ShortPath;
        }
        return std::string();
    }
};

// Lays the item out and derives its forms from the scratch folder's long path and the literal names.
Forms LayOut(const ScratchDir& dir, const Layout& l) {
    Forms f;
    const std::string root = LongPathOf(dir.Path());
    f.FolderPath = MakeFolder(root, l.Parent);
    f.LongPath = l.IsFolder ? MakeFolder(root, std::string(l.Parent) + "/" + l.Item)
                            : MakeItem(root, std::string(l.Parent) + "/" + l.Item, std::string());
    f.FileName = l.Item;
    f.BaseName = l.Base ? l.Base : "";
    f.ShortPath = ShortPathOf(f.LongPath);
    return f;
}

struct DigitCase {
    const Layout* L;
    int Digit;
};

std::vector<DigitCase> AllDigits() {
    std::vector<DigitCase> cases;
    for (const Layout& l : Layouts)
        for (size_t i = 0; i < l.Digits.size(); ++i)
            cases.push_back({&l, static_cast<int>(i) + 1});
    return cases;
}

class DigitPick : public ProgramTest, public testing::WithParamInterface<DigitCase> {};

TEST_P(DigitPick, CopiesTheFormWithThatNumber) {
    const DigitCase& c = GetParam();
    ScratchDir dir;
    const Forms f = LayOut(dir, *c.L);
    // Sent in its short form, as an old shell may: every form must come from the long path found.
    ASSERT_FALSE(f.ShortPath.empty());
    ASSERT_NE(f.ShortPath, f.LongPath);

    Child p;
    ASSERT_NE(StartWithMenu(p, {Quoted(f.ShortPath)}), nullptr);
    PressInMenu(p, static_cast<WORD>('0' + c.Digit));
    ExpectEndsWithZero(p);
    ExpectClipboard(f.Of(c.L->Digits[c.Digit - 1]));
}

INSTANTIATE_TEST_SUITE_P(Layouts, DigitPick, testing::ValuesIn(AllDigits()),
                         [](const testing::TestParamInfo<DigitCase>& i) {
                             return std::string(i.param.L->Name) + "_" + std::to_string(i.param.Digit);
                         });

// ---- Leaving the menu without a choice ----------------------------------------------------------

class LeavingTheMenu : public ProgramTest {
  protected:
    ScratchDir Dir;
};

TEST_F(LeavingTheMenu, EscapeHandsTheForegroundBackAndEnds) {
    Child p;
    ASSERT_NE(StartWithMenu(p, {Quoted(Dir.File("a.txt"))}), nullptr);
    // Up again before the program looks: only the "pressed since" bit still tells of the key.
    TapInMenuAtOnce(p, VK_ESCAPE);
    // Without the hand-back the program would stay the active application and never end.
    ExpectEndsWithZero(p);
    // The hand-back reaches the driver's window as a message: the foreground shows it once pumped.
    for (const DWORD start = GetTickCount();
         GetForegroundWindow() != Shell.Handle() && GetTickCount() - start < EndTimeoutMs;)
        PumpMessages(20);
    EXPECT_EQ(GetForegroundWindow(), Shell.Handle());
    ExpectClipboardUntouched();
}

// Up from no selection reaches the last item, Cancel, in either layout.
class CancelItem : public LeavingTheMenu, public testing::WithParamInterface<int> {};

TEST_P(CancelItem, EndsWithoutACopy) {
    std::vector<std::string> args;
    for (int i = 0; i < GetParam(); ++i)
        args.push_back(Quoted(Dir.File("f" + std::to_string(i) + ".txt")));
    Child p;
    ASSERT_NE(StartWithMenu(p, args), nullptr);
    PressInMenu(p, VK_UP);
    TapKey(VK_RETURN);
    ExpectEndsWithZero(p);
    ExpectClipboardUntouched();
}

INSTANTIATE_TEST_SUITE_P(Arguments, CancelItem, testing::Values(1, 2),
                         [](const testing::TestParamInfo<int>& i) {
                             return i.param == 1 ? std::string("OneItem") : std::string("SeveralItems");
                         });

} // namespace
} // namespace E2e
