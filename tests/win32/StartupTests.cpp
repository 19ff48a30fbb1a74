// What the program's start-up leaves in force for everything it loads afterwards, and the system DLLs'
// load on a system without the search flags.
#include <gtest/gtest.h>

#include "MenuSupport.h"
#include "Pathgrab.h"
#include "TinyUtils.h"

#include <string>
#include <utility>
#include <vector>

namespace {

using namespace TestSupport;

// The shell and COM load DLLs by bare name, so the search itself must leave the program's folder out:
// PlantedDll.dll lies beside this program, where an unrestricted search finds it.
TEST(StartModules, LeavesTheProgramsFolderOutOfTheSearchAndSilencesDiskBoxes) {
    HMODULE found = LoadLibraryExW(L"PlantedDll.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(found, nullptr) << "no DLL beside the test program to be found";
    FreeLibrary(found);
    EXPECT_EQ(RunSelfAsChild("StartModulesChild.*", "search", ""), 0u);
}

TEST(StartModulesChild, ThenLoadsNothingFromBesideTheProgram) {
    if (ChildCase() != "search") GTEST_SKIP() << "runs only as the child of StartModules";
    Pathgrab::StartModules();
    const UINT mode = SetErrorMode(0);
    EXPECT_EQ(mode & (SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX),
              UINT(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX));
    SetLastError(0);
    EXPECT_EQ(LoadLibraryW(L"PlantedDll.dll"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));
}

std::vector<std::pair<std::wstring, DWORD>> loads;
decltype(&LoadLibraryExW) realLoad = nullptr;
HMODULE WINAPI RefuseTheSearchFlag(LPCWSTR name, HANDLE file, DWORD flags) {
    loads.push_back({name, flags});
    if (flags & LOAD_LIBRARY_SEARCH_SYSTEM32) {
        SetLastError(ERROR_INVALID_PARAMETER); // as Windows 7 without its loader update answers
        return nullptr;
    }
    return realLoad(name, file, flags);
}

TEST(LoadSystemLibrary, RefusedSearchFlagLoadsByTheFullSystemPath) {
    ImportPatch patch("kernel32.dll", "LoadLibraryExW", &RefuseTheSearchFlag);
    ASSERT_TRUE(patch.Installed());
    realLoad = reinterpret_cast<decltype(realLoad)>(patch.Original());
    EXPECT_NE(TinyUtils::LoadSystemLibrary(L"mpr.dll"), nullptr);
    wchar_t system[MAX_PATH + 1] = {};
    GetSystemDirectoryW(system, MAX_PATH + 1);
    ASSERT_EQ(loads.size(), 2u);
    EXPECT_EQ(loads[1].first, std::wstring(system) + L"\\mpr.dll");
    EXPECT_EQ(loads[1].second, DWORD(LOAD_WITH_ALTERED_SEARCH_PATH));
}

} // namespace
