#include "MenuE2eSupport.h"

#include "RegistrationSupport.h"
#include "Win32Support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <cctype>
#include <cstdlib>

namespace TestSupport {

namespace {
// root\relPath with backslashes, its folders made; the last name too when lastIsFolder.
std::string Lay(const std::string& root, const std::string& relPath, bool lastIsFolder) {
    std::string path = root;
    size_t from = 0;
    for (size_t slash; (slash = relPath.find('/', from)) != std::string::npos; from = slash + 1) {
        path += "\\" + relPath.substr(from, slash - from);
        CreateDirectoryA(path.c_str(), nullptr);
    }
    path += "\\" + relPath.substr(from);
    if (lastIsFolder) CreateDirectoryA(path.c_str(), nullptr);
    return path;
}
} // namespace

std::string MakeFolder(const std::string& root, const std::string& relPath) {
    return Lay(root, relPath, true);
}

std::string MakeItem(const std::string& root, const std::string& relPath, const std::string& linkTarget) {
    const std::string path = Lay(root, relPath, false);
    std::string ext = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".lnk") {
        WriteShortcut(path, linkTarget);
        return path;
    }
    HANDLE f =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    return path;
}

namespace {
// The bound of the e2e tier's other waits.
const DWORD MenuTimeoutMs = 60000;

void AwaitMenu(const Child& p) {
    EXPECT_TRUE(WaitForMenuKeys(p, MenuTimeoutMs)) << LastMenuWait();
}
} // namespace

void PressInMenu(const Child& p, WORD vk) {
    AwaitMenu(p);
    TapKey(vk);
}

void TapInMenuAtOnce(const Child& p, WORD vk) {
    AwaitMenu(p);
    INPUT in[2] = {};
    for (INPUT& i : in) {
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    }
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

std::string ArtifactsDir() {
    const char* dir = std::getenv("PATHGRAB_ARTIFACTS");
    if (!dir || !*dir) return std::string();
    const std::string path = WindowsPath(dir);
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

namespace {
const char DesktopKey[] = "Control Panel\\Desktop";
} // namespace

ScopedLogPixels::ScopedLogPixels(DWORD dpi) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, DesktopKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    DWORD size = sizeof old_, type = 0;
    had_ = RegQueryValueExA(key, "LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&old_), &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD;
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
}

ScopedLogPixels::~ScopedLogPixels() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, DesktopKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    if (had_)
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
    else
        RegDeleteValueA(key, "LogPixels");
    RegCloseKey(key);
}

bool SaveWindowShot(HWND w, int margin, const std::string& bmpPath) {
    RECT r = {};
    return GetWindowRect(w, &r) && SaveScreenShot(r, margin, bmpPath);
}

bool SaveScreenShot(const RECT& r, int margin, const std::string& bmpPath) {
    const int x = r.left - margin > 0 ? r.left - margin : 0;
    const int y = r.top - margin > 0 ? r.top - margin : 0;
    // Within the screen: Wine copies nothing at all from a rectangle that reaches beyond it.
    const int right = std::min<int>(r.right + margin, GetSystemMetrics(SM_CXSCREEN));
    const int bottom = std::min<int>(r.bottom + margin, GetSystemMetrics(SM_CYSCREEN));
    const int width = right - x, height = bottom - y;

    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height; // bottom-up, as a BMP file stores its rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    bi.bmiHeader.biSizeImage = stride * static_cast<DWORD>(height);

    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bmp && bits) {
        HGDIOBJ old = SelectObject(mem, bmp);
        ok = BitBlt(mem, 0, 0, width, height, screen, x, y, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(mem, old);
    }
    if (ok) {
        BITMAPFILEHEADER fh = {};
        fh.bfType = 0x4D42; // "BM"
        fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
        fh.bfSize = fh.bfOffBits + bi.bmiHeader.biSizeImage;
        HANDLE f = CreateFileA(bmpPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD n = 0;
        ok = f != INVALID_HANDLE_VALUE && WriteFile(f, &fh, sizeof fh, &n, nullptr) &&
             WriteFile(f, &bi.bmiHeader, sizeof bi.bmiHeader, &n, nullptr) &&
             WriteFile(f, bits, bi.bmiHeader.biSizeImage, &n, nullptr);
        if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    }
    if (bmp) DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

namespace {
const wchar_t LibraryKey[] = L"Software\\SyncEngines\\Providers\\OneDrive\\pgtest-library";
}

SyncedLibrary::SyncedLibrary(const std::wstring& mount, const std::wstring& url) {
    HKEY key = nullptr;
    // Where the prefix had no client's records, none are left behind, the keys above ours included.
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\SyncEngines", 0, KEY_READ, &key) == ERROR_SUCCESS)
        RegCloseKey(key);
    else
        deleteAll_ = true;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, LibraryKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        return;
    const std::pair<const wchar_t*, std::wstring> values[] = {
        {L"MountPoint", mount}, {L"UrlNamespace", url}, {L"LibraryType", L"teamsite"}};
    for (const auto& v : values)
        RegSetValueExW(key, v.first, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.second.c_str()),
                       static_cast<DWORD>((v.second.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

SyncedLibrary::~SyncedLibrary() {
    if (deleteAll_)
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\SyncEngines");
    else
        RegDeleteKeyW(HKEY_CURRENT_USER, LibraryKey);
}

} // namespace TestSupport
