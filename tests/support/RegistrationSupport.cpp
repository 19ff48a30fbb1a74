#include "RegistrationSupport.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "TinyShlLnk.h"
#include "TinyUtils.h"

namespace TestSupport {

namespace {

const char UserShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char ShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Paths go through the wide API, which, unlike the ANSI one under Wine, takes more than 260 bytes.

template <typename T> struct Com {
    T* p = nullptr;
    ~Com() {
        if (p) p->Release();
    }
};

// The system's link object factory, counting the objects asked of it; registered in this process, it is
// what CoCreateInstance reaches however the caller found that function.
class CountingFactory : public IClassFactory {
  public:
    IClassFactory* real = nullptr;
    int calls = 0;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        *out = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) return E_NOINTERFACE;
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        ++calls;
        return real->CreateInstance(outer, riid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override { return real->LockServer(lock); }
};
CountingFactory spyFactory;

} // namespace

std::string ShellSendToFolder() {
    char buffer[MAX_PATH + 1] = {};
    if (!SHGetSpecialFolderPathA(nullptr, buffer, CSIDL_SENDTO, FALSE)) return std::string();
    std::string dir(buffer);
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    return dir;
}

std::vector<std::string> FolderEntries(const std::string& dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(WideOf(dir + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = BytesOf(fd.cFileName);
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

bool MakeFolders(const std::string& path) {
    std::wstring w = WideOf(path);
    for (size_t i = 3; i <= w.size(); ++i) {
        if (i == w.size() || w[i] == L'\\') CreateDirectoryW(w.substr(0, i).c_str(), nullptr);
    }
    DWORD a = GetFileAttributesW(w.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Cp932(const char* utf8) {
    return BytesOf(WideOf(utf8, CP_UTF8), 932);
}

ShortcutFields ReadShortcut(const std::string& linkPath) {
    ShortcutFields f;
    Com<IShellLinkA> link;
    Com<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link.p))))
        return f;
    if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p)))) return f;
    if (FAILED(file.p->Load(WideOf(linkPath).c_str(), STGM_READ))) return f;
    f.Loaded = true;
    char buffer[1024] = {};
    WIN32_FIND_DATAA fd;
    link.p->GetPath(buffer, sizeof buffer, &fd, SLGP_RAWPATH);
    f.Path = buffer;
    Com<IShellLinkW> wide;
    if (SUCCEEDED(link.p->QueryInterface(IID_IShellLinkW, reinterpret_cast<void**>(&wide.p)))) {
        PIDLIST_ABSOLUTE list = nullptr;
        if (SUCCEEDED(wide.p->GetIDList(&list)) && list) {
            wchar_t fromList[MAX_PATH + 1] = {};
            if (SHGetPathFromIDListW(list, fromList)) f.IdListPath = fromList;
            CoTaskMemFree(list);
        }
    }
    std::memset(buffer, 0, sizeof buffer);
    link.p->GetWorkingDirectory(buffer, sizeof buffer);
    f.WorkDir = buffer;
    std::memset(buffer, 0, sizeof buffer);
    link.p->GetArguments(buffer, sizeof buffer);
    f.Arguments = buffer;
    std::memset(buffer, 0, sizeof buffer);
    int index = -1;
    link.p->GetIconLocation(buffer, sizeof buffer, &index);
    f.IconFile = buffer;
    f.IconIndex = index;
    int show = -1;
    link.p->GetShowCmd(&show);
    f.ShowCmd = show;
    link.p->GetHotkey(&f.HotKey);
    return f;
}

void WriteShortcut(const std::string& linkPath, const std::string& target) {
    // A second CoInitialize on a thread that has COM only counts up; the thread keeps it to its end.
    static thread_local const HRESULT com = CoInitialize(nullptr);
    (void)com;
    CreateShortcutBytes(linkPath, std::string(), target, std::string(), std::string(), std::string(), 0,
                        SW_SHOWNORMAL, 0);
}

std::string ShortcutTargetBytes(const std::string& linkPath) {
    return TinyUtils::ToAnsi(TinyShlLnk::GetShortcutTarget(WideOf(linkPath))).Bytes;
}

void CreateShortcutBytes(const std::string& linkPath, const std::string& description,
                         const std::string& target, const std::string& arguments, const std::string& workDir,
                         const std::string& iconFile, int32_t iconIndex, int32_t showCmd, uint16_t hotKey) {
    TinyShlLnk::CreateShortcut(WideOf(linkPath), WideOf(description), WideOf(target), WideOf(arguments),
                               WideOf(workDir), WideOf(iconFile), iconIndex, showCmd, hotKey);
}

std::string CreateQuestion() {
    return Cp932("\"送る\"にショートカットを作成してもよろしいですか？");
}

std::string DeleteQuestion() {
    return Cp932("\"送る\"からショートカットを削除してもよろしいですか？");
}

std::wstring CreateQuestionShown(LANGID uiLanguage) {
    return PRIMARYLANGID(uiLanguage) == LANG_JAPANESE
               ? WideOf("\"送る\"にショートカットを作成してもよろしいですか？", CP_UTF8)
               : L"Create a shortcut to Pathgrabber in \"Send To\"?";
}

void ClearFolder(const std::string& dir) {
    for (const std::string& name : FolderEntries(dir)) {
        std::wstring child = WideOf(dir + "\\" + name);
        DWORD a = GetFileAttributesW(child.c_str());
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) {
            ClearFolder(dir + "\\" + name);
            RemoveDirectoryW(child.c_str());
        } else {
            DeleteFileW(child.c_str());
        }
    }
}

SendToSandbox::SendToSandbox() : dir_(ShellSendToFolder()) {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    static unsigned counter = 0;
    do {
        stash_ = std::string(temp) + "pgsendto" + std::to_string(GetCurrentProcessId()) + "_" +
                 std::to_string(++counter);
    } while (!CreateDirectoryA(stash_.c_str(), nullptr));
    if (dir_.empty()) return;
    for (const std::string& name : FolderEntries(dir_))
        MoveFileW(WideOf(dir_ + "\\" + name).c_str(), WideOf(stash_ + "\\" + name).c_str());
}

SendToSandbox::~SendToSandbox() {
    if (!dir_.empty()) {
        ClearFolder(dir_);
        for (const std::string& name : FolderEntries(stash_))
            MoveFileW(WideOf(stash_ + "\\" + name).c_str(), WideOf(dir_ + "\\" + name).c_str());
    }
    ClearFolder(stash_);
    RemoveDirectoryA(stash_.c_str());
}

SendToRedirect::SendToRedirect(const std::string& folder, const char* value) : value_(value) {
    saved_[0].key = UserShellFolders;
    saved_[1].key = ShellFolders;
    for (Saved& s : saved_) {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, s.key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            continue;
        DWORD size = 0;
        if (RegQueryValueExA(key, value_, nullptr, &s.type, nullptr, &size) == ERROR_SUCCESS) {
            s.data.resize(size);
            s.present =
                RegQueryValueExA(key, value_, nullptr, &s.type, s.data.data(), &size) == ERROR_SUCCESS;
        }
        RegSetValueExA(key, value_, 0, s.key == UserShellFolders ? REG_EXPAND_SZ : REG_SZ,
                       reinterpret_cast<const BYTE*>(folder.c_str()), static_cast<DWORD>(folder.size() + 1));
        RegCloseKey(key);
    }
}

SendToRedirect::~SendToRedirect() {
    for (Saved& s : saved_) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, s.key, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) continue;
        if (s.present)
            RegSetValueExA(key, value_, 0, s.type, s.data.data(), static_cast<DWORD>(s.data.size()));
        else
            RegDeleteValueA(key, value_);
        RegCloseKey(key);
    }
}

namespace {
struct BoxSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindBox(HWND w, LPARAM param) {
    BoxSearch* s = reinterpret_cast<BoxSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[32] = {}, title[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, title, sizeof title);
    if (pid == s->pid && IsWindowVisible(w) && std::strcmp(cls, "#32770") == 0 &&
        std::strcmp(title, "Pathgrabber") == 0) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK ReadControl(HWND w, LPARAM param) {
    QuestionBox* q = reinterpret_cast<QuestionBox*>(param);
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0) {
        char text[512] = {};
        LRESULT n = SendMessageA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        if (n > 0) {
            q->Text.assign(text, static_cast<size_t>(n));
            wchar_t wide[512] = {};
            const UINT got = GetDlgItemTextW(GetParent(w), GetDlgCtrlID(w), wide, 512);
            q->WideText.assign(wide, got);
        }
    } else if (lstrcmpiA(cls, "Button") == 0) {
        int id = GetDlgCtrlID(w);
        if (id >= IDOK && id <= IDNO && IsWindowVisible(w)) {
            q->Buttons[id] = true;
            if ((GetWindowLongA(w, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) q->DefaultButton = id;
        }
    }
    return TRUE;
}
} // namespace

QuestionBox WaitForQuestion(const Child& child, DWORD timeoutMs) {
    QuestionBox q;
    DWORD start = GetTickCount();
    for (;;) {
        BoxSearch s = {child.pi.dwProcessId, nullptr};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&s));
        if (s.found) {
            // The box shows before it has laid out its controls and before it is activated; on a busy
            // machine either can take a while, so wait for both (a box that never gets there is
            // reported as it is when the time is up).
            for (const DWORD shown = GetTickCount();;) {
                q = QuestionBox();
                q.Box = s.found;
                EnumChildWindows(s.found, ReadControl, reinterpret_cast<LPARAM>(&q));
                q.Foreground = GetForegroundWindow() == s.found;
                if ((q.Foreground && q.DefaultButton != 0) || GetTickCount() - shown > 30000) return q;
                Sleep(20);
            }
        }
        if (child.Wait(0) || GetTickCount() - start > timeoutMs) return q;
        Sleep(50);
    }
}

void ClickButton(HWND box, int id) {
    PostMessageA(GetDlgItem(box, id), BM_CLICK, 0, 0);
}

CoCreateSpy::CoCreateSpy() {
    spyFactory.calls = 0;
    if (FAILED(CoGetClassObject(CLSID_ShellLink, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                reinterpret_cast<void**>(&spyFactory.real))))
        return;
    if (FAILED(CoRegisterClassObject(CLSID_ShellLink, &spyFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                     &cookie_))) {
        spyFactory.real->Release();
        spyFactory.real = nullptr;
    }
}

CoCreateSpy::~CoCreateSpy() {
    if (!spyFactory.real) return;
    CoRevokeClassObject(cookie_);
    spyFactory.real->Release();
    spyFactory.real = nullptr;
}

bool CoCreateSpy::Installed() const {
    return spyFactory.real != nullptr;
}

int CoCreateSpy::Calls() const {
    return spyFactory.calls;
}

} // namespace TestSupport
