#include "Win32Support.h"

#include "ParamLines.h"

#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
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

std::string OwnFolder() {
    char buffer[MAX_PATH + 1];
    DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    std::string path(buffer, n < sizeof buffer ? n : 0);
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

static std::string PathForm(DWORD(WINAPI* form)(LPCSTR, LPSTR, DWORD), const std::string& path) {
    char buffer[MAX_PATH * 2];
    DWORD n = form(path.c_str(), buffer, sizeof buffer);
    return n && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

std::string LongPathOf(const std::string& path) {
    return PathForm(GetLongPathNameA, path);
}
std::string ShortPathOf(const std::string& path) {
    return PathForm(GetShortPathNameA, path);
}

std::string ReadFileBytes(const std::string& path) {
    std::string data;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return data;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(f, chunk, sizeof chunk, &got, nullptr) && got)
        data.append(chunk, got);
    CloseHandle(f);
    return data;
}

std::vector<std::string> ZeroSeparatedFields(const std::string& record) {
    std::vector<std::string> fields;
    size_t from = 0;
    for (size_t nul; (nul = record.find('\0', from)) != std::string::npos; from = nul + 1)
        fields.push_back(record.substr(from, nul - from));
    return fields;
}

// ---- Processes

Child::Child(Child&& other) noexcept
    : pi(other.pi), StartError(other.StartError), CommandLine(std::move(other.CommandLine)),
      Failure(std::move(other.Failure)) {
    other.pi = PROCESS_INFORMATION();
}

Child& Child::operator=(Child&& other) noexcept {
    if (this != &other) {
        Child old(std::move(*this));
        pi = other.pi;
        StartError = other.StartError;
        CommandLine = std::move(other.CommandLine);
        Failure = std::move(other.Failure);
        other.pi = PROCESS_INFORMATION();
    }
    return *this;
}

Child::~Child() {
    if (pi.hProcess && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(pi.hProcess, 0xDEAD);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
}

bool Child::Wait(DWORD timeoutMs) const {
    if (!pi.hProcess) return false;
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - start;
        const DWORD left = spent >= timeoutMs ? 0 : timeoutMs - spent;
        DWORD r = MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, left, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return true;
        if (r != WAIT_OBJECT_0 + 1) return false;
        PumpMessages();
    }
}

DWORD Child::ExitCode() const {
    DWORD code = 0xFFFFFFFF;
    if (pi.hProcess) GetExitCodeProcess(pi.hProcess, &code);
    return code;
}

void Child::Kill() const {
    if (pi.hProcess) TerminateProcess(pi.hProcess, 0xDEAD);
}

namespace {
// The system's text of an error code, without its line end.
std::string ErrorText(DWORD code) {
    char text[512] = "";
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                             text, sizeof text, nullptr);
    while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r' || text[n - 1] == ' '))
        --n;
    return std::string(text, n);
}

// A command line for a message: escaped, and cut where a test's line runs to thousands of characters.
std::string ShownLine(const std::string& line) {
    const size_t Shown = 400;
    if (line.size() <= Shown) return ParamLines::Escaped(line);
    return ParamLines::Escaped(line.substr(0, Shown)) + "... (" + std::to_string(line.size()) + " bytes)";
}

// Wine's NtCreateUserProcess answers STATUS_INTERNAL_ERROR, which CreateProcess reports as
// ERROR_INTERNAL_ERROR (1359), when the new Unix process ends before it has told the wineserver that it
// runs: no code of the program has run then. On a busy machine that happens to about one start in a
// thousand, of any program (seen with one that only returns 7). That error alone is retried, a few times.
template <typename Create> BOOL CreateRetryingEarlyEnd(const char* call, Create create) {
    for (int attempt = 1;; ++attempt) {
        if (create()) return TRUE;
        const DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == 3) {
            SetLastError(error);
            return FALSE;
        }
        std::fprintf(stderr,
                     "%s failed with error 1359 (the new process ended before it ran), attempt %d; "
                     "starting it again\n",
                     call, attempt);
        Sleep(200);
    }
}

void NoteFailedStart(Child& c, const char* call) {
    c.StartError = GetLastError();
    c.pi = PROCESS_INFORMATION();
    c.Failure = std::string(call) + " failed, error " + std::to_string(c.StartError) + " (" +
                ErrorText(c.StartError) + ")";
}
} // namespace

std::string Child::StartFailure() const {
    if (Started()) return std::string();
    return (Failure.empty() ? std::string("not started") : Failure) +
           "; command line: " + ShownLine(CommandLine);
}

Child Start(const std::string& exe, const std::string& commandLine, const std::string& workDir) {
    Child c;
    c.CommandLine = commandLine;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateRetryingEarlyEnd("CreateProcessA", [&] {
            return CreateProcessA(exe.empty() ? nullptr : exe.c_str(), line.data(), nullptr, nullptr, FALSE,
                                  0, nullptr, workDir.empty() ? nullptr : workDir.c_str(), &si, &c.pi);
        }))
        NoteFailedStart(c, "CreateProcessA");
    return c;
}

Child StartWide(const std::wstring& exe, const std::wstring& commandLine) {
    Child c;
    // UTF-8, so that the message shows every character the code page lacks too.
    const int n = WideCharToMultiByte(CP_UTF8, 0, commandLine.data(), static_cast<int>(commandLine.size()),
                                      nullptr, 0, nullptr, nullptr);
    c.CommandLine.resize(n > 0 ? n : 0);
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, commandLine.data(), static_cast<int>(commandLine.size()),
                            &c.CommandLine[0], n, nullptr, nullptr);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    if (!CreateRetryingEarlyEnd("CreateProcessW", [&] {
            return CreateProcessW(exe.empty() ? nullptr : exe.c_str(), line.data(), nullptr, nullptr, FALSE,
                                  0, nullptr, nullptr, &si, &c.pi);
        }))
        NoteFailedStart(c, "CreateProcessW");
    return c;
}

std::wstring WideOf(const std::string& bytes, UINT codePage) {
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &w[0], n);
    return w;
}

std::string BytesOf(const std::wstring& w, UINT codePage) {
    const int n =
        WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

std::string Quoted(const std::string& s) {
    return "\"" + s + "\"";
}

Child StartPathgrab(const std::vector<std::string>& rawArgs) {
    std::string line = Quoted(PathgrabExe());
    for (const std::string& a : rawArgs)
        line += " " + a;
    return Start(PathgrabExe(), line);
}

// ---- Windows

HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs, bool visibleOnly) {
    DWORD start = GetTickCount();
    do {
        HWND w = FindWindowA(className, title);
        if (w && (!visibleOnly || IsWindowVisible(w))) return w;
        PumpMessages(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

namespace {
struct WindowQuery {
    DWORD pid;
    bool visibleOnly;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND w, LPARAM param) {
    WindowQuery& q = *reinterpret_cast<WindowQuery*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != q.pid || (q.visibleOnly && !IsWindowVisible(w))) return TRUE;
    if (q.className) {
        char name[64] = "";
        GetClassNameA(w, name, sizeof name);
        if (lstrcmpA(name, q.className) != 0) return TRUE;
    }
    q.found.push_back(w);
    return TRUE;
}

template <typename Probe> HWND PollFor(DWORD timeoutMs, Probe probe) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND w = probe()) return w;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        PumpMessages(20);
    }
}
} // namespace

std::vector<HWND> WindowsOf(DWORD pid, bool visibleOnly, const char* className) {
    WindowQuery q{pid, visibleOnly, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

HWND WaitForProgramWindow(const Child& p, DWORD timeoutMs) {
    if (!p.Started()) return nullptr;
    return PollFor(timeoutMs, [&p]() -> HWND {
        for (HWND w : WindowsOf(p.Id(), false, "PathgrabWndClass")) {
            char title[64] = "";
            GetWindowTextA(w, title, sizeof title);
            if (lstrcmpA(title, "Pathgrab") == 0) return w;
        }
        return nullptr;
    });
}

HWND WaitForPopupMenu(const Child& p, DWORD timeoutMs) {
    // A child that never started shows no menu however long one waits.
    if (!p.Started()) return nullptr;
    return PollFor(timeoutMs, [&p]() -> HWND {
        std::vector<HWND> menus = WindowsOf(p.Id(), true, "#32768");
        return menus.empty() ? nullptr : menus.front();
    });
}

bool WaitForNoPopupMenu(const Child& p, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (WindowsOf(p.Id(), true, "#32768").empty()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        PumpMessages(20);
    }
}

namespace {
std::string MenuWaitSeen;

std::string Handle(HWND w) {
    return std::to_string(reinterpret_cast<UINT_PTR>(w));
}

// MenuScene without the clipboard, which a test may be holding open.
std::string WindowsScene(const Child& p) {
    if (!p.Started()) return "process not started: " + p.StartFailure();
    std::string s = "process " + std::to_string(p.Id()) + (p.Running() ? " running" : " ended") + "; menus:";
    const std::vector<HWND> menus = WindowsOf(p.Id(), false, "#32768");
    if (menus.empty()) s += " none";
    for (HWND w : menus)
        s += " " + Handle(w) + (IsWindowVisible(w) ? " visible" : " hidden");
    HWND front = GetForegroundWindow();
    DWORD frontPid = 0;
    GetWindowThreadProcessId(front, &frontPid);
    s += "; foreground " + Handle(front) + " of process " + std::to_string(frontPid);
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    if (GetGUIThreadInfo(p.pi.dwThreadId, &gui))
        s += "; its thread: flags " + std::to_string(gui.flags) + ", menu owner " +
             Handle(gui.hwndMenuOwner) + ", focus " + Handle(gui.hwndFocus);
    return s;
}
} // namespace

bool WaitForMenuKeys(const Child& p, DWORD timeoutMs) {
    // Wine answers GetAsyncKeyState from the calling thread's copy of the key states for 50 ms after
    // its last read, and the program reads Shift and Ctrl just before its menu shows: a key sooner
    // than that after the show would be missed by its "pressed since" check of Escape. No user is
    // that quick, so the menu counts as taking keys only once it has shown for longer.
    const DWORD KeyStateCopyMs = 60;
    const DWORD start = GetTickCount();
    if (!p.Started()) {
        MenuWaitSeen = "no wait for the menu: " + WindowsScene(p);
        return false;
    }
    DWORD shown = 0;
    for (bool seen = false;;) {
        const std::vector<HWND> menus = WindowsOf(p.Id(), true, "#32768");
        if (!menus.empty() && !seen) {
            seen = true;
            shown = GetTickCount();
        }
        DWORD front = 0;
        GetWindowThreadProcessId(GetForegroundWindow(), &front);
        const DWORD spent = GetTickCount() - start;
        const DWORD left = spent >= timeoutMs ? 0 : timeoutMs - spent;
        // Answered only once the thread pumps messages after showing the menu: in the menu's loop.
        DWORD_PTR result = 0;
        const bool ready = !menus.empty() && front == p.Id() && GetTickCount() - shown >= KeyStateCopyMs &&
                           SendMessageTimeoutA(menus.front(), WM_NULL, 0, 0, SMTO_NORMAL, left, &result);
        if (ready || GetTickCount() - start >= timeoutMs) {
            MenuWaitSeen = std::string(ready ? "menu took keys after " : "menu not taking keys after ") +
                           std::to_string(GetTickCount() - start) + " ms: " + WindowsScene(p);
            return ready;
        }
        PumpMessages(20);
    }
}

const std::string& LastMenuWait() {
    return MenuWaitSeen;
}

void ForgetMenuWait() {
    MenuWaitSeen = "no wait for the menu";
}

std::string MenuScene(const Child& p) {
    const ClipboardText c = ReadClipboard();
    return WindowsScene(p) + "; clipboard " +
           (c.Present ? "\"" + ParamLines::Escaped(c.Text) + "\"" : std::string("without text"));
}

void PumpMessages(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (ms) Sleep(ms < 10 ? ms : 10);
    } while (GetTickCount() - start < ms);
}

namespace {
const int ForegroundWidth = 200, ForegroundHeight = 80, ForegroundMargin = 20;

RECT ForegroundRect() {
    const int right = GetSystemMetrics(SM_CXSCREEN) - ForegroundMargin;
    return RECT{right - ForegroundWidth, ForegroundMargin, right, ForegroundMargin + ForegroundHeight};
}
} // namespace

ForegroundWindow::ForegroundWindow() {
    static ATOM atom = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "PathgrabTestForeground";
        return RegisterClassA(&wc);
    }();
    (void)atom;
    const RECT r = ForegroundRect();
    wnd_ = CreateWindowExA(0, "PathgrabTestForeground", "driver", WS_POPUP | WS_VISIBLE | WS_BORDER, r.left,
                           r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    PumpMessages(50);
}

ForegroundWindow::~ForegroundWindow() {
    if (wnd_) DestroyWindow(wnd_);
    PumpMessages();
}

ForegroundWindow& SharedForegroundWindow() {
    static ForegroundWindow* shared = new ForegroundWindow;
    return *shared;
}

bool ForegroundWindow::TakeForeground(DWORD timeoutMs) const {
    if (!wnd_) return false;
    SetForegroundWindow(wnd_);
    return PollFor(timeoutMs, [this]() -> HWND { return GetForegroundWindow() == wnd_ ? wnd_ : nullptr; }) !=
           nullptr;
}

// ---- Keyboard and mouse

static void SendKey(WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

void KeyDown(WORD vk) {
    SendKey(vk, false);
}
void KeyUp(WORD vk) {
    SendKey(vk, true);
}
void TapKey(WORD vk) {
    KeyDown(vk);
    Sleep(30);
    KeyUp(vk);
}

KeyHeld::KeyHeld(WORD vk) : vk_(vk), down_(true) {
    KeyDown(vk_);
    // The key state reaches the server asynchronously; wait until it shows, as a later process sees it.
    for (int i = 0; i < 1000 && GetAsyncKeyState(vk_) >= 0; ++i)
        Sleep(10);
}

KeyHeld::~KeyHeld() {
    Release();
}

void KeyHeld::Release() {
    if (!down_) return;
    down_ = false;
    KeyUp(vk_);
    for (int i = 0; i < 1000 && GetAsyncKeyState(vk_) < 0; ++i)
        Sleep(10);
}

void ClickAt(int x, int y) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in[3] = {};
    for (INPUT& i : in)
        i.type = INPUT_MOUSE;
    in[0].mi.dx = MulDiv(x, 65535, w - 1);
    in[0].mi.dy = MulDiv(y, 65535, h - 1);
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in[0], sizeof(INPUT));
    PumpMessages(30);
    SendInput(2, &in[1], sizeof(INPUT));
    PumpMessages(30);
}

void ClickAwayFrom(const RECT& avoid) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    const RECT fg = ForegroundRect();
    const POINT candidates[] = {{5, h - 5}, {5, 5}, {w / 2, h - 5}, {w - 5, h - 5}};
    for (const POINT& p : candidates) {
        if (PtInRect(&avoid, p) || PtInRect(&fg, p)) continue;
        ClickAt(p.x, p.y);
        return;
    }
}

void CenterCursor() {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
}

// ---- Clipboard

ClipboardText ReadClipboard() {
    ClipboardText result;
    for (int attempt = 0; attempt < 500; ++attempt) {
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
            if (HANDLE wide = GetClipboardData(CF_UNICODETEXT)) {
                if (const wchar_t* w = static_cast<const wchar_t*>(GlobalLock(wide))) {
                    result.Wide.assign(w, wcsnlen(w, GlobalSize(wide) / sizeof(wchar_t)));
                    GlobalUnlock(wide);
                }
            }
            if (HANDLE locale = GetClipboardData(CF_LOCALE)) {
                if (const LCID* l = static_cast<const LCID*>(GlobalLock(locale))) {
                    result.Locale = *l;
                    GlobalUnlock(locale);
                }
            }
            if (HANDLE html = GetClipboardData(RegisterClipboardFormatA("HTML Format"))) {
                if (const char* h = static_cast<const char*>(GlobalLock(html))) {
                    result.Html.assign(h, strnlen(h, GlobalSize(html)));
                    GlobalUnlock(html);
                }
            }
            CloseClipboard();
            return result;
        }
        Sleep(20);
    }
    return result;
}

bool WriteClipboard(const std::string& text, UINT format) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            HGLOBAL block = format ? GlobalAlloc(GMEM_MOVEABLE, text.size() + 1) : nullptr;
            bool ok = !format;
            if (block) {
                std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
                GlobalUnlock(block);
                ok = SetClipboardData(format, block) != nullptr;
                if (!ok) GlobalFree(block);
            }
            CloseClipboard();
            return ok;
        }
        Sleep(20);
    }
    return false;
}

std::string DropFiles(const std::vector<std::wstring>& files) {
    DROPFILES header = {};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    for (const std::wstring& f : files)
        block.append(reinterpret_cast<const char*>(f.c_str()), (f.size() + 1) * sizeof(wchar_t));
    return block.append(sizeof(wchar_t), '\0');
}

ClipboardHold::ClipboardHold() : held_(false) {
    for (int attempt = 0; attempt < 500 && !held_; ++attempt) {
        held_ = OpenClipboard(nullptr) != FALSE;
        if (!held_) Sleep(20);
    }
}

ClipboardHold::~ClipboardHold() {
    Release();
}

void ClipboardHold::Release() {
    if (held_) CloseClipboard();
    held_ = false;
}

// ---- Calls of the code under test

ImportPatch::ImportPatch(const char* module, const char* function, void* replacement) {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    HMODULE library = GetModuleHandleA(module);
    // The loader resolves forwarded exports as GetProcAddress does, so the slot holds this address.
    void* target = library ? reinterpret_cast<void*>(GetProcAddress(library, function)) : nullptr;
    if (!target) return;
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) return;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
        for (auto* t = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk); t->u1.Function; ++t) {
            void** slot = reinterpret_cast<void**>(&t->u1.Function);
            if (*slot != target) continue;
            DWORD old;
            if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) return;
            *slot = replacement;
            VirtualProtect(slot, sizeof *slot, old, &old);
            slot_ = slot;
            original_ = target;
            return;
        }
    }
}

ImportPatch::~ImportPatch() {
    if (!slot_) return;
    DWORD old;
    VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &old);
    *slot_ = original_;
    VirtualProtect(slot_, sizeof *slot_, old, &old);
}

// ---- Scratch files

DWORD WINAPI LongNameAsShortName(LPCWSTR path, LPWSTR buffer, DWORD size) {
    const DWORD n = static_cast<DWORD>(wcslen(path));
    if (n >= size) return n + 1;
    wcscpy(buffer, path);
    return n;
}

namespace {
HANDLE silenceEnds = nullptr;
LONG silentCalls = 0;
decltype(&GetFileAttributesW) realAttributes = nullptr;
decltype(&GetShortPathNameW) realShortPath = nullptr;
decltype(&GetDriveTypeW) realDriveType = nullptr;

bool OnDriveZ(LPCWSTR p) {
    if (wcsncmp(p, L"\\\\?\\", 4) == 0 || wcsncmp(p, L"\\\\.\\", 4) == 0) p += 4;
    return (p[0] | 0x20) == L'z' && p[1] == L':';
}

// A server's path or one on Z: waits, then fails as a server that is gone does.
bool Silenced(LPCWSTR p) {
    const bool device = wcsncmp(p, L"\\\\?\\", 4) == 0 || wcsncmp(p, L"\\\\.\\", 4) == 0;
    const bool server = device ? _wcsnicmp(p + 4, L"UNC\\", 4) == 0
                               : p[0] == L'\\' && p[1] == L'\\' && p[2] != L'?' && p[2] != L'.';
    if (!server && !OnDriveZ(p)) return false;
    InterlockedIncrement(&silentCalls);
    WaitForSingleObject(silenceEnds, SilentNetwork::SilenceMs);
    SetLastError(ERROR_BAD_NETPATH);
    return true;
}

DWORD WINAPI SilentAttributes(LPCWSTR p) {
    return Silenced(p) ? INVALID_FILE_ATTRIBUTES : realAttributes(p);
}
DWORD WINAPI SilentShortPath(LPCWSTR p, LPWSTR buffer, DWORD size) {
    return Silenced(p) ? 0 : realShortPath(p, buffer, size);
}
UINT WINAPI ZIsANetworkDrive(LPCWSTR root) {
    return OnDriveZ(root) ? DRIVE_REMOTE : realDriveType(root);
}
} // namespace

SilentNetwork::SilentNetwork()
    : attributes_("kernel32.dll", "GetFileAttributesW", &SilentAttributes),
      shortPath_("kernel32.dll", "GetShortPathNameW", &SilentShortPath),
      driveType_("kernel32.dll", "GetDriveTypeW", &ZIsANetworkDrive) {
    silenceEnds = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    silentCalls = 0;
    realAttributes = reinterpret_cast<decltype(realAttributes)>(attributes_.Original());
    realShortPath = reinterpret_cast<decltype(realShortPath)>(shortPath_.Original());
    realDriveType = reinterpret_cast<decltype(realDriveType)>(driveType_.Original());
}

SilentNetwork::~SilentNetwork() {
    // Workers left behind by the bound are still waiting: they end now, and only then do the calls go
    // back to the system's.
    SetEvent(silenceEnds);
    Sleep(100);
    CloseHandle(silenceEnds);
}

LONG SilentNetwork::Asked() const {
    return silentCalls;
}

DWORD WINAPI SilentNetwork::LongPathName(LPCWSTR path, LPWSTR buffer, DWORD size) {
    return Silenced(path) ? 0 : GetLongPathNameW(path, buffer, size);
}

ScratchDir::ScratchDir() {
    char temp[MAX_PATH + 1];
    GetTempPathA(sizeof temp, temp);
    static unsigned counter = 0;
    for (;;) {
        path_ = std::string(temp) + "pgtest" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
}

ScratchDir::~ScratchDir() {
    RemoveTree(path_);
}

std::string ScratchDir::File(const std::string& name, const std::string& contents) const {
    std::string p = path_ + "\\" + name;
    HANDLE f =
        CreateFileA(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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

namespace {
void RemoveTreeWide(const std::wstring& path) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTreeWide(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(path.c_str());
}
} // namespace

// Wide, with the \\?\ prefix: the ANSI calls cannot reach a name the code page lacks or a path over
// 260 bytes, and a folder left behind in the prefix shares its hashed 8.3 names with the next run's.
void RemoveTree(const std::string& path) {
    if (path.empty()) return;
    const std::wstring wide = WideOf(path);
    RemoveTreeWide(wide.compare(0, 2, L"\\\\") == 0 ? wide : L"\\\\?\\" + wide);
}

} // namespace TestSupport
