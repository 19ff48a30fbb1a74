#include "Win32Support.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace TestSupport {

std::string WindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string w = "Z:" + path;
    for (char& c : w)
        if (c == '/') c = '\\';
    return w;
}

std::string PathgrabExe() {
    const char* p = std::getenv("PATHGRAB_EXE");
    return WindowsPath(p ? p : "Pathgrab.exe");
}

Child::Child(Child&& other) noexcept : pi(other.pi) { other.pi = PROCESS_INFORMATION(); }

Child::~Child() {
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
}

bool Child::Wait(DWORD timeoutMs) const {
    return pi.hProcess && WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD Child::ExitCode() const {
    DWORD code = 0xFFFFFFFF;
    if (pi.hProcess) GetExitCodeProcess(pi.hProcess, &code);
    return code;
}

void Child::Kill() const {
    if (pi.hProcess) TerminateProcess(pi.hProcess, 0xDEAD);
}

Child Start(const std::string& exe, const std::string& commandLine) {
    Child c;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &c.pi))
        c.pi = PROCESS_INFORMATION();
    return c;
}

ClipboardText ReadClipboard() {
    ClipboardText result;
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(nullptr)) {
            HANDLE data = GetClipboardData(CF_TEXT);
            if (data) {
                const char* bytes = static_cast<const char*>(GlobalLock(data));
                if (bytes) {
                    result.Present = true;
                    result.Text.assign(bytes, strnlen(bytes, GlobalSize(data)));
                    GlobalUnlock(data);
                }
            }
            CloseClipboard();
            return result;
        }
        Sleep(20);
    }
    return result;
}

bool WriteClipboard(const std::string& text) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
            bool ok = false;
            if (block) {
                std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
                GlobalUnlock(block);
                ok = SetClipboardData(CF_TEXT, block) != nullptr;
                if (!ok) GlobalFree(block);
            }
            CloseClipboard();
            return ok;
        }
        Sleep(20);
    }
    return false;
}

static void SendKey(WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

void KeyDown(WORD vk) { SendKey(vk, false); }
void KeyUp(WORD vk) { SendKey(vk, true); }
void TapKey(WORD vk) {
    KeyDown(vk);
    Sleep(30);
    KeyUp(vk);
}

HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs, bool visibleOnly) {
    DWORD start = GetTickCount();
    do {
        HWND w = FindWindowA(className, title);
        if (w && (!visibleOnly || IsWindowVisible(w))) return w;
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

ScratchDir::ScratchDir() {
    char temp[MAX_PATH + 1];
    GetTempPathA(sizeof temp, temp);
    static unsigned counter = 0;
    for (;;) {
        path_ = std::string(temp) + "pgtest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
}

ScratchDir::~ScratchDir() { RemoveTree(path_); }

std::string ScratchDir::File(const std::string& name, const std::string& contents) const {
    std::string p = path_ + "\\" + name;
    HANDLE f = CreateFileA(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(f, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
        CloseHandle(f);
    }
    return p;
}

std::string ScratchDir::Folder(const std::string& name) const {
    std::string p = path_ + "\\" + name;
    CreateDirectoryA(p.c_str(), nullptr);
    return p;
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

} // namespace TestSupport
