// BuildPopupMenu against the real menu functions. It reads the argument count from the process's own
// command line, so each case runs in a child started with the command line the case needs; the child
// reads the built menu back and compares it with the computed content item by item. Some cases play
// another machine (system code page, UI language) and read the captions through the wide API.
#include <gtest/gtest.h>

#include "MenuSupport.h"
#include "Win32Support.h"
#include "Pathgrab.h"
#include "Runtime.h"
#include "TinyUtils.h"

#include <memory>
#include <string>
#include <vector>

namespace {

struct BuildCase {
    const char* name;
    std::string args; // after the program name, exactly as passed
    std::string longPath;
    int argCount;
    bool folder;
    int itemCount;                                 // separators included
    const TestSupport::Machine* machine = nullptr; // null: the rig's own (code page 932, Japanese UI)
    const wchar_t* made = nullptr; // else: the target, made in a scratch folder, read as the program reads it
    bool noShortNames = false;     // its volume gives no 8.3 names
};

using namespace TestSupport;

// Readings the program's own table does not give: the first list caption and Cancel in each language.
const wchar_t JapaneseListLongPaths[] =
    L"&1\uFF1A [ \u9577\u3044\u30D5\u30EB\u30D1\u30B9 ] \u306E\u30EA\u30B9\u30C8\u3092\u30B3\u30D4\u30FC";
const wchar_t JapaneseCancel[] = L"\u30AD\u30E3\u30F3\u30BB\u30EB";

// C:\windows exists in every Wine prefix; the other paths exist nowhere.
const std::vector<BuildCase> Cases = {
    {"OneFileWithSpaces", "\"C:\\My Files\\a b.txt\"", "C:\\My Files\\a b.txt", 1, false, 14},
    {"NoArguments", "", "C:\\Work\\plan.txt", 0, false, 12},
    {"ExistingFolder", "C:\\windows", "C:\\windows", 1, true, 11},
    {"AmpersandAndTrail5C", "C:\\R&D\\\x95\x5C.txt", "C:\\R&D\\\x95\x5C.txt", 1, false, 12},
    {"TwoFiles", "a.txt \"C:\\My Files\\b.txt\"", "C:\\Work\\a.txt", 2, false, 11},
    // Our texts stay Japanese in any code page; the path forms are read in the system's.
    {"TrailIn1252", "C:\\R&D\\\x95\x5C.txt", "C:\\R&D\\\x95\x5C.txt", 1, false, 12, &Cp1252JapaneseUi},
    {"TrailIn936", "C:\\R&D\\\x95\x5C.txt", "C:\\R&D\\\x95\x5C.txt", 1, false, 12, &Cp936JapaneseUi},
    {"ListsIn1252", "a.txt b.txt", "C:\\Work\\a.txt", 2, false, 11, &Cp1252JapaneseUi},
    {"ListsIn936", "a.txt b.txt", "C:\\Work\\a.txt", 2, false, 11, &Cp936JapaneseUi},
    {"ListsEnglishUi", "a.txt b.txt", "C:\\Work\\a.txt", 2, false, 11, &Cp1252EnglishUi},
    // Names the code page lacks: the captions show the exact text, not the bytes that stand for it.
    {"AccentTheCodePageLacks", "x", "", 1, false, 12, nullptr, L"caf\u00E9.txt"},
    // Its bytes name no file ("caf? dir"); the folder test asks the exact text.
    {"AccentFolderWithoutShortNames", "x", "", 1, true, 12, nullptr, L"caf\u00E9 dir", true},
};

const BuildCase* FindCase(const std::string& name) {
    for (const BuildCase& c : Cases)
        if (name == c.name) return &c;
    return nullptr;
}

class BuildPopupMenuTable : public testing::TestWithParam<BuildCase> {};

TEST_P(BuildPopupMenuTable, BuildsTheComputedMenu) {
    EXPECT_EQ(
        RunSelfAsChild("BuildPopupMenuChild.*", GetParam().name, GetParam().args, 30000, GetParam().machine),
        0u)
        << "the child's own output says what differed";
}

INSTANTIATE_TEST_SUITE_P(CommandLines, BuildPopupMenuTable, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<BuildCase>& p) {
                             return std::string(p.param.name);
                         });

TEST(BuildPopupMenuChild, MatchesComputedEntries) {
    const BuildCase* c = FindCase(TestSupport::ChildCase());
    if (!c) GTEST_SKIP() << "runs only as the child of BuildPopupMenuTable";
    ASSERT_EQ(Runtime::ParamCount(), c->argCount) << "the child's command line is not what the case needs";
    const Machine& m = c->machine ? *c->machine : Cp932JapaneseUi;
    ASSERT_EQ(GetACP(), m.CodePage) << "Wine did not play " << m.Name;
    ASSERT_EQ(GetUserDefaultUILanguage(), m.UiLanguage) << "Wine did not play " << m.Name;
    const bool japanese = m.UiLanguage == 0x0411;

    using namespace Pathgrab;
    using namespace TinyUtils;
    ScratchDir scratch;
    if (c->made) {
        const std::wstring path = WideOf(scratch.Path()) + L"\\" + c->made;
        if (c->folder)
            ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
        else
            CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        {
            std::unique_ptr<ImportPatch> noShortNames(
                c->noShortNames ? new ImportPatch("kernel32.dll", "GetShortPathNameW", &LongNameAsShortName)
                                : nullptr);
            TargetLongPath = PathText(path);
            TargetShortPath = PathText(ToShortPath(path));
        }
        TargetFolder = Each(TargetLongPath, [](const auto& p) { return PathFolder(p); });
    } else {
        TargetLongPath = TextOfBytes(c->longPath);
        TargetFolder = TextOfBytes(PathFolder(c->longPath));
        TargetShortPath = TextOfBytes("C:\\SHORT~1\\X~1.TXT");
    }
    TargetFileName = Each(TargetLongPath, [](const auto& p) { return PathFileName(p); });
    TargetBaseName = WithoutExt(TargetFileName);
    BuildPopupMenu();
    ASSERT_TRUE(PopupMenuHandle != nullptr && IsMenu(PopupMenuHandle));

    const std::vector<TMenuEntry> expected =
        MenuEntries(c->argCount, c->folder, FaceFor(m.UiLanguage),
                    c->argCount >= 2 ? ListOfferOf(Runtime::WideParamStrs()) : TListOffer{false, false});
    ASSERT_EQ(GetMenuItemCount(PopupMenuHandle), c->itemCount);
    ASSERT_EQ(static_cast<int>(expected.size()), c->itemCount);
    for (int i = 0; i < c->itemCount; ++i) {
        const TMenuEntry& e = expected[i];
        const UINT state = GetMenuState(PopupMenuHandle, i, MF_BYPOSITION);
        if (e.Separator) {
            EXPECT_NE(state & MF_SEPARATOR, 0u) << "position " << i;
            continue;
        }
        // A plain enabled string item: not grayed, checked, default or a submenu; or the one submenu,
        // holding the computed items.
        HMENU submenu = GetSubMenu(PopupMenuHandle, i);
        if (!e.Submenu.empty()) {
            EXPECT_EQ(state & 0xFF, static_cast<UINT>(MF_POPUP)) << "position " << i;
            ASSERT_EQ(GetMenuItemCount(submenu), static_cast<int>(e.Submenu.size())) << "position " << i;
            for (size_t k = 0; k < e.Submenu.size(); ++k)
                EXPECT_EQ(GetMenuItemID(submenu, static_cast<int>(k)), e.Submenu[k].Id) << "submenu " << k;
        } else {
            EXPECT_EQ(state, 0u) << "position " << i;
            EXPECT_EQ(GetMenuItemID(PopupMenuHandle, i), e.Id) << "position " << i;
        }
        wchar_t caption[600] = L"";
        const int n = GetMenuStringW(PopupMenuHandle, i, caption, 600, MF_BYPOSITION);
        const std::wstring shown(caption, n > 0 ? n : 0);
        EXPECT_EQ(shown, WideFromBytes(e.Fixed, 932) + e.Form.Wide) << "position " << i;
        if (e.Id == IDM_CANCEL) {
            EXPECT_EQ(shown, japanese ? JapaneseCancel : L"Cancel");
        } else if (e.Id == IDM_LIST_LONG_PATHS) {
            EXPECT_EQ(shown, japanese ? JapaneseListLongPaths : L"&1: [ Long full paths ] copy as list");
        }
    }
    DestroyMenu(PopupMenuHandle);
    PopupMenuHandle = nullptr;
    ReleaseTargets();
}

} // namespace
