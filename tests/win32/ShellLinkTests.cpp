// TinyShlLnk against a link object of our own, registered for CLSID_ShellLink in this process: which
// calls reach the object, with which arguments, in which order; that nothing outlives a call; and
// that a refused interface ends the process with exit code 228.
#include <gtest/gtest.h>

#include "MenuSupport.h"
#include "TinyShlLnk.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const CLSID ClsidShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IidShellLinkW = {0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IidPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IidClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// What the fake objects saw, and how they behave.
struct FakeWorld {
    std::vector<std::string> calls;
    std::wstring fileName; // the last name given to Load or Save
    int liveObjects = 0;
    bool refuseShellLink = false;
    bool refusePersistFile = false;
    std::wstring pathToReport; // what GetPath writes, without a NUL when it fills the whole buffer
};
FakeWorld world;

// The (ASCII) text of a wide argument, quoted.
std::string Str(const wchar_t* s) {
    return s ? "\"" + std::string(s, s + wcslen(s)) + "\"" : "null";
}

class FakeLink : public IShellLinkW, public IPersistFile {
  public:
    FakeLink() { ++world.liveObjects; }
    virtual ~FakeLink() { --world.liveObjects; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        *out = nullptr;
        if (IsEqualIID(riid, IidUnknown)) {
            *out = static_cast<IShellLinkW*>(this);
        } else if (IsEqualIID(riid, IidShellLinkW)) {
            world.calls.push_back("QueryInterface(IShellLinkW)");
            if (world.refuseShellLink) return E_NOINTERFACE;
            *out = static_cast<IShellLinkW*>(this);
        } else if (IsEqualIID(riid, IidPersistFile)) {
            world.calls.push_back("QueryInterface(IPersistFile)");
            if (world.refusePersistFile) return E_NOINTERFACE;
            *out = static_cast<IPersistFile*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG n = --refs_;
        if (n == 0) delete this;
        return n;
    }

    // IShellLinkW
    HRESULT STDMETHODCALLTYPE GetPath(LPWSTR file, int cch, WIN32_FIND_DATAW*, DWORD flags) override {
        char call[64];
        std::snprintf(call, sizeof call, "GetPath(%d, %lu)", cch, static_cast<unsigned long>(flags));
        world.calls.push_back(call);
        const std::wstring& p = world.pathToReport;
        for (size_t i = 0; i < p.size() && i < static_cast<size_t>(cch); ++i)
            file[i] = p[i];
        if (p.size() < static_cast<size_t>(cch)) file[p.size()] = L'\0';
        return p.empty() ? S_FALSE : S_OK;
    }
    // No item list: the stored path is the target.
    HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE* list) override {
        *list = nullptr;
        world.calls.push_back("GetIDList");
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE) override { return Unexpected("SetIDList"); }
    HRESULT STDMETHODCALLTYPE GetDescription(LPWSTR, int) override { return Unexpected("GetDescription"); }
    HRESULT STDMETHODCALLTYPE SetDescription(LPCWSTR s) override {
        return Log("SetDescription(" + Str(s) + ")");
    }
    HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPWSTR, int) override {
        return Unexpected("GetWorkingDirectory");
    }
    HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCWSTR s) override {
        return Log("SetWorkingDirectory(" + Str(s) + ")");
    }
    HRESULT STDMETHODCALLTYPE GetArguments(LPWSTR, int) override { return Unexpected("GetArguments"); }
    HRESULT STDMETHODCALLTYPE SetArguments(LPCWSTR s) override { return Log("SetArguments(" + Str(s) + ")"); }
    HRESULT STDMETHODCALLTYPE GetHotkey(WORD*) override { return Unexpected("GetHotkey"); }
    HRESULT STDMETHODCALLTYPE SetHotkey(WORD k) override {
        return Log("SetHotkey(" + std::to_string(k) + ")");
    }
    HRESULT STDMETHODCALLTYPE GetShowCmd(int*) override { return Unexpected("GetShowCmd"); }
    HRESULT STDMETHODCALLTYPE SetShowCmd(int n) override {
        return Log("SetShowCmd(" + std::to_string(n) + ")");
    }
    HRESULT STDMETHODCALLTYPE GetIconLocation(LPWSTR, int, int*) override {
        return Unexpected("GetIconLocation");
    }
    HRESULT STDMETHODCALLTYPE SetIconLocation(LPCWSTR s, int i) override {
        return Log("SetIconLocation(" + Str(s) + ", " + std::to_string(i) + ")");
    }
    HRESULT STDMETHODCALLTYPE SetRelativePath(LPCWSTR, DWORD) override {
        return Unexpected("SetRelativePath");
    }
    HRESULT STDMETHODCALLTYPE Resolve(HWND, DWORD) override { return Unexpected("Resolve"); }
    HRESULT STDMETHODCALLTYPE SetPath(LPCWSTR s) override { return Log("SetPath(" + Str(s) + ")"); }

    // IPersistFile
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override { return Unexpected("GetClassID"); }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return Unexpected("IsDirty"); }
    HRESULT STDMETHODCALLTYPE Load(LPCOLESTR name, DWORD mode) override {
        world.fileName = name ? name : L"(null)";
        return Log("Load(" + std::to_string(mode) + ")");
    }
    HRESULT STDMETHODCALLTYPE Save(LPCOLESTR name, BOOL remember) override {
        world.fileName = name ? name : L"(null)";
        return Log("Save(" + std::to_string(remember) + ")");
    }
    HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR) override { return Unexpected("SaveCompleted"); }
    HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR*) override { return Unexpected("GetCurFile"); }

  private:
    static HRESULT Log(const std::string& call) {
        world.calls.push_back(call);
        return S_OK;
    }
    static HRESULT Unexpected(const char* method) {
        world.calls.push_back(std::string("unexpected ") + method);
        return E_NOTIMPL;
    }
    ULONG refs_ = 1;
};

class FakeFactory : public IClassFactory {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        *out = nullptr;
        if (!IsEqualIID(riid, IidUnknown) && !IsEqualIID(riid, IidClassFactory)) return E_NOINTERFACE;
        *out = this;
        return S_OK;
    }
    // Lives as long as the test: no counting needed.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        FakeLink* link = new FakeLink;
        HRESULT hr = link->QueryInterface(riid, out);
        link->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};
FakeFactory factory;

// COM for this thread, and our object in place of the shell's for as long as the object lives.
class FakeShellLinkRegistration {
  public:
    FakeShellLinkRegistration() {
        world = FakeWorld();
        CoInitialize(nullptr);
        registered_ = SUCCEEDED(CoRegisterClassObject(ClsidShellLink, &factory, CLSCTX_INPROC_SERVER,
                                                      REGCLS_MULTIPLEUSE, &cookie_));
    }
    ~FakeShellLinkRegistration() {
        if (registered_) CoRevokeClassObject(cookie_);
        CoUninitialize();
    }
    FakeShellLinkRegistration(const FakeShellLinkRegistration&) = delete;
    FakeShellLinkRegistration& operator=(const FakeShellLinkRegistration&) = delete;
    bool Registered() const { return registered_; }

  private:
    DWORD cookie_ = 0;
    bool registered_ = false;
};

class FakeShellLink : public testing::Test {
  protected:
    FakeShellLinkRegistration registration;
    void SetUp() override { ASSERT_TRUE(registration.Registered()); }
};

// ---- CreateShortcut ---------------------------------------------------------------------------

struct CreateCase {
    const char* name;
    std::string description, target, arguments, workDir, iconFile;
    int32_t iconIndex, showCmd;
    uint16_t hotKey;
    std::vector<std::string> calls;
};

class CreateShortcutCalls : public FakeShellLink, public testing::WithParamInterface<CreateCase> {};

TEST_P(CreateShortcutCalls, SetsWhatIsGivenInOrder) {
    const CreateCase& c = GetParam();
    // 表 has the trail byte 0x5C; the whole link path reaches Save as UTF-16.
    using TestSupport::WideOf;
    TinyShlLnk::CreateShortcut(L"C:\\\u8868\\a.lnk", WideOf(c.description), WideOf(c.target),
                               WideOf(c.arguments), WideOf(c.workDir), WideOf(c.iconFile), c.iconIndex,
                               c.showCmd, c.hotKey);
    EXPECT_EQ(world.calls, c.calls);
    EXPECT_EQ(world.fileName, L"C:\\\u8868\\a.lnk");
    EXPECT_EQ(world.liveObjects, 0) << "a reference outlived the call";
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CreateShortcutCalls,
    testing::Values(
        CreateCase{"Everything",
                   "desc",
                   "C:\\T\\Pathgrab.exe",
                   "-x",
                   "C:\\T",
                   "C:\\T\\i.exe",
                   3,
                   7,
                   0x0241,
                   {"QueryInterface(IShellLinkW)", "SetPath(\"C:\\T\\Pathgrab.exe\")", "SetArguments(\"-x\")",
                    "SetWorkingDirectory(\"C:\\T\")", "SetIconLocation(\"C:\\T\\i.exe\", 3)", "SetShowCmd(7)",
                    "SetDescription(\"desc\")", "SetHotkey(577)", "QueryInterface(IPersistFile)",
                    "Save(-1)"}},
        // As the registration prompt calls it.
        CreateCase{"AsRegistered",
                   "",
                   "C:\\T\\Pathgrab.exe",
                   "",
                   "C:\\T",
                   "C:\\T\\Pathgrab.exe",
                   0,
                   1,
                   0,
                   {"QueryInterface(IShellLinkW)", "SetPath(\"C:\\T\\Pathgrab.exe\")", "SetArguments(\"\")",
                    "SetWorkingDirectory(\"C:\\T\")", "SetIconLocation(\"C:\\T\\Pathgrab.exe\", 0)",
                    "SetShowCmd(1)", "QueryInterface(IPersistFile)", "Save(-1)"}},
        // Empty target and arguments are still set, as empty strings rather than null pointers; an
        // icon index without an icon file is not; the show command always is, 0 included.
        CreateCase{"AllEmpty",
                   "",
                   "",
                   "",
                   "",
                   "",
                   5,
                   0,
                   0,
                   {"QueryInterface(IShellLinkW)", "SetPath(\"\")", "SetArguments(\"\")", "SetShowCmd(0)",
                    "QueryInterface(IPersistFile)", "Save(-1)"}}),
    [](const testing::TestParamInfo<CreateCase>& p) { return std::string(p.param.name); });

// ---- GetShortcutTarget --------------------------------------------------------------------------

const std::vector<std::string> ReadCalls = {"QueryInterface(IShellLinkW)", "QueryInterface(IPersistFile)",
                                            "Load(0)", "GetPath(262, 2)", "GetIDList"};

TEST_F(FakeShellLink, GetShortcutTargetLoadsAndReadsWithoutResolving) {
    world.pathToReport = L"C:\\Data\\\u30BD.xls";
    EXPECT_EQ(TinyShlLnk::GetShortcutTarget(L"C:\\\u8868\\r.lnk"), L"C:\\Data\\\u30BD.xls");
    EXPECT_EQ(world.calls, ReadCalls);
    EXPECT_EQ(world.fileName, L"C:\\\u8868\\r.lnk");
    EXPECT_EQ(world.liveObjects, 0) << "a reference outlived the call";
}

TEST_F(FakeShellLink, GetPathWritingNothingGivesEmpty) {
    EXPECT_EQ(TinyShlLnk::GetShortcutTarget(L"C:\\r.lnk"), L"");
    EXPECT_EQ(world.calls, ReadCalls);
}

TEST_F(FakeShellLink, TargetThatFillsTheBufferWithoutNulIsUnreadable) {
    world.pathToReport = std::wstring(521, L'x');
    EXPECT_EQ(TinyShlLnk::GetShortcutTarget(L"C:\\r.lnk"), L"");
    world.pathToReport = std::wstring(261, L'x');
    EXPECT_EQ(TinyShlLnk::GetShortcutTarget(L"C:\\r.lnk"), L"");
    world.pathToReport = std::wstring(260, L'x');
    EXPECT_EQ(TinyShlLnk::GetShortcutTarget(L"C:\\r.lnk"), std::wstring(260, L'x'));
    // A target the code page lacks comes back exactly.
    world.pathToReport = L"C:\\Data\\caf\u00E9 \uD55C\uAE00.txt";
    EXPECT_EQ(TinyShlLnk::GetShortcutTarget(L"C:\\r.lnk"), world.pathToReport);
}

TEST_F(FakeShellLink, LinkPathOf260BytesIsLoadedWhole) {
    const std::wstring link = L"C:\\" + std::wstring(253, L'n') + L".lnk";
    ASSERT_EQ(link.size(), 260u);
    world.pathToReport = L"C:\\t.txt";
    EXPECT_EQ(TinyShlLnk::GetShortcutTarget(link), L"C:\\t.txt");
    EXPECT_EQ(world.fileName, L"C:\\" + std::wstring(253, L'n') + L".lnk");
}

TEST_F(FakeShellLink, LinkPathOver260BytesIsNotReadAtAll) {
    world.pathToReport = L"C:\\t.txt";
    EXPECT_EQ(TinyShlLnk::GetShortcutTarget(L"C:\\" + std::wstring(254, L'n') + L".lnk"), L"");
    EXPECT_EQ(TinyShlLnk::GetShortcutTarget(L"C:\\" + std::wstring(5000, L'n') + L".lnk"), L"");
    EXPECT_TRUE(world.calls.empty());
}

// ---- Refused interfaces end the process with 228 ----------------------------------------------

struct RefusalCase {
    const char* name;
    bool refuseShellLink;
    bool create; // CreateShortcut; otherwise GetShortcutTarget
    bool handler;
};

const std::vector<RefusalCase> RefusalCases = {
    {"ReadRefusesShellLink", true, false, false},   {"ReadRefusesPersistFile", false, false, false},
    {"WriteRefusesShellLink", true, true, false},   {"WriteRefusesPersistFile", false, true, false},
    {"HandlerRunsFirstOnRead", false, false, true}, {"HandlerRunsFirstOnWrite", true, true, true},
};

const char MarkerVariable[] = "PATHGRAB_TEST_MARKER";

std::string MarkerPath() {
    char temp[MAX_PATH + 1] = "";
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "pg_refusal_" + std::to_string(GetCurrentProcessId()) + ".txt";
}

class RefusalEndsProcess : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalEndsProcess, WithExitCode228) {
    const std::string marker = MarkerPath();
    DeleteFileA(marker.c_str());
    SetEnvironmentVariableA(MarkerVariable, marker.c_str());
    EXPECT_EQ(TestSupport::RunSelfAsChild("ShellLinkRefusalChild.*", GetParam().name, ""), 228u);
    SetEnvironmentVariableA(MarkerVariable, nullptr);
    EXPECT_EQ(GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES, GetParam().handler)
        << "the refusal handler ran (or did not) against expectation";
    DeleteFileA(marker.c_str());
}

INSTANTIATE_TEST_SUITE_P(Interfaces, RefusalEndsProcess, testing::ValuesIn(RefusalCases),
                         [](const testing::TestParamInfo<RefusalCase>& p) {
                             return std::string(p.param.name);
                         });

void WriteMarker() {
    char path[MAX_PATH + 1] = "";
    if (!GetEnvironmentVariableA(MarkerVariable, path, sizeof path)) return;
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
}

TEST(ShellLinkRefusalChild, EndsTheProcess) {
    const std::string name = TestSupport::ChildCase();
    const RefusalCase* c = nullptr;
    for (const RefusalCase& r : RefusalCases)
        if (name == r.name) c = &r;
    if (!c) GTEST_SKIP() << "runs only as the child of RefusalEndsProcess";
    FakeShellLinkRegistration registration;
    ASSERT_TRUE(registration.Registered());
    world.refuseShellLink = c->refuseShellLink;
    world.refusePersistFile = !c->refuseShellLink;
    if (c->handler) TinyShlLnk::SetRefusalHandler(WriteMarker);
    if (c->create)
        TinyShlLnk::CreateShortcut(L"C:\\a.lnk", L"", L"C:\\t.exe", L"", L"", L"", 0, 1, 0);
    else
        TinyShlLnk::GetShortcutTarget(L"C:\\a.lnk");
    ADD_FAILURE() << "the refused interface did not end the process";
}

} // namespace
