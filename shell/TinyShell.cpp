#include "TinyShell.h"

#include "TinyUtils.h"

#include <shlobj.h>

#include <cstring>

namespace TinyShell {

namespace {

using TinyUtils::TSystemProc;
TSystemProc<decltype(::CoInitialize)> coInitialize(L"ole32.dll", "CoInitialize");
TSystemProc<decltype(::CoUninitialize)> coUninitialize(L"ole32.dll", "CoUninitialize");
TSystemProc<decltype(::CoCreateInstance)> coCreateInstance(L"ole32.dll", "CoCreateInstance");
TSystemProc<decltype(::CoTaskMemFree)> coTaskMemFree(L"ole32.dll", "CoTaskMemFree");
TSystemProc<decltype(::SHGetSpecialFolderPathW)> shGetSpecialFolderPath(L"shell32.dll",
                                                                         "SHGetSpecialFolderPathW");
TSystemProc<decltype(::SHGetPathFromIDListW)> shGetPathFromIDList(L"shell32.dll", "SHGetPathFromIDListW");
typedef BOOL WINAPI TGetPathFromIDListEx(const ITEMIDLIST*, LPWSTR, DWORD, int);
TSystemProc<TGetPathFromIDListEx> shGetPathFromIDListEx(L"shell32.dll", "SHGetPathFromIDListEx");

TSystemProc<decltype(::SHChangeNotify)> shChangeNotify(L"shell32.dll", "SHChangeNotify");

TComUse com;

} // namespace

void TComUse::Start() {
    if (started_) return;
    started_ = true;
    if (auto f = coInitialize.get()) f(nullptr);
}

void TComUse::Stop() {
    if (!started_) return;
    started_ = false;
    if (auto f = coUninitialize.get()) f();
}

void Shutdown() { com.Stop(); }

HRESULT ComCreateInstance(REFCLSID ClassId, IUnknown* Outer, DWORD Context, REFIID Iid, void** Obj) {
    auto f = coCreateInstance.get();
    if (!f) {
        *Obj = nullptr;
        return CO_E_DLLNOTFOUND;
    }
    return f(ClassId, Outer, Context, Iid, Obj);
}

void ComTaskMemFree(void* Block) {
    if (auto f = coTaskMemFree.get()) f(Block);
}

BOOL ShGetPathFromIDListEx(const ITEMIDLIST* IdList, LPWSTR Path, DWORD Size) {
    if (Size == 0) return FALSE;
    Path[0] = L'\0';
    // Flags 0: GPFIDL_DEFAULT, the file-system path.
    if (auto f = shGetPathFromIDListEx.get()) return f(IdList, Path, Size, 0);
    auto g = shGetPathFromIDList.get();
    return Size >= MAX_PATH && g ? g(IdList, Path) : FALSE;
}

std::wstring GetSpecialFolder(int32_t Csidl) {
    com.Start();
    auto getFolder = shGetSpecialFolderPath.get();
    if (!getFolder) return std::wstring();
    wchar_t buffer[MAX_PATH + 1] = {};
    // fCreate FALSE: a missing folder is reported as missing, never made behind the user's back.
    if (!getFolder(nullptr, buffer, Csidl, FALSE)) return std::wstring();
    // An empty answer names no folder; a lone backslash would stand for the current drive's root.
    if (buffer[0] == L'\0') return std::wstring();
    return TinyUtils::AddTrailingBackslash(std::wstring(buffer, wcsnlen(buffer, MAX_PATH + 1)));
}

std::wstring GetSendToFolder() {
    return GetSpecialFolder(CSIDL_SENDTO);
}

std::wstring GetProgramsFolder() {
    return GetSpecialFolder(CSIDL_PROGRAMS);
}

void NotifyFolderChanged(const std::wstring& Folder) {
    if (auto f = shChangeNotify.get()) f(SHCNE_UPDATEDIR, SHCNF_PATHW, Folder.c_str(), nullptr);
}

} // namespace TinyShell
