#include "TinyShlLnk.h"

#include "Guards.h"
#include "TinyUtils.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

namespace TinyShlLnk {

namespace {

// The published identifiers, spelled out so that no import library has to provide them.
const CLSID ClsidShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IidShellLinkA = {0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IidPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Room for a path at the limit in a double-byte code page, where MAX_PATH characters take up to twice
// as many bytes.
constexpr size_t PathBufferSize = TinyUtils::PathByteCapacity;

TRefusalHandler refusalHandler = nullptr;

[[noreturn]] void InterfaceRefused() {
    if (refusalHandler) refusalHandler();
    ExitProcess(InterfaceRefusedExitCode);
}

// The link path as the UTF-16 file name that IPersistFile takes.
std::vector<wchar_t> WideFileName(const char* Path, int Length) {
    int n = Length > 0 ? MultiByteToWideChar(CP_ACP, 0, Path, Length, nullptr, 0) : 0;
    std::vector<wchar_t> wide(static_cast<size_t>(n) + 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, Path, Length, wide.data(), n);
    return wide;
}

// The two interfaces the operations need from one link object; refusal ends the process.
struct ShellLinkObject {
    Guards::ComPtr<IUnknown> unknown;
    Guards::ComPtr<IShellLinkA> link;
    Guards::ComPtr<IPersistFile> file;
};

} // namespace

void Startup() { CoInitialize(nullptr); }
void Shutdown() { CoUninitialize(); }

void SetRefusalHandler(TRefusalHandler Handler) { refusalHandler = Handler; }

HRESULT CreateComInstance(REFCLSID ClassId, IUnknown*& Obj) {
    if (Obj) {
        IUnknown* old = Obj;
        Obj = nullptr;
        old->Release();
    }
    return CoCreateInstance(ClassId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IidUnknown,
                            reinterpret_cast<void**>(&Obj));
}

namespace {
// A new link object, held by its IUnknown; empty when none could be made.
void CreateShellLink(Guards::ComPtr<IUnknown>& Unknown) {
    IUnknown* raw = nullptr;
    CreateComInstance(ClsidShellLink, raw);
    *Unknown.put() = raw;
}

// Asks the link object for an interface; a refusal does not return.
template <typename T> void AskFor(const Guards::ComPtr<IUnknown>& Unknown, const IID& Iid, Guards::ComPtr<T>& Out) {
    if (FAILED(Unknown->QueryInterface(Iid, Out.put_void())) || !Out) InterfaceRefused();
}

// Creates the link object and asks it for both interfaces. False when no object could be made.
bool OpenShellLink(ShellLinkObject& o) {
    CreateShellLink(o.unknown);
    if (!o.unknown) return false;
    AskFor(o.unknown, IidShellLinkA, o.link);
    AskFor(o.unknown, IidPersistFile, o.file);
    return true;
}
} // namespace

void CreateShortcut(const std::string& LinkFile, const std::string& Description, const std::string& Target,
                    const std::string& Arguments, const std::string& WorkDir, const std::string& IconFile,
                    int32_t IconIndex, int32_t ShowCmd, uint16_t HotKey) {
    Guards::ComPtr<IUnknown> unknown;
    CreateShellLink(unknown);
    // Without the link object there is nothing to write with.
    if (!unknown) return;
    Guards::ComPtr<IShellLinkA> link;
    Guards::ComPtr<IPersistFile> file;
    AskFor(unknown, IidShellLinkA, link);
    link->SetPath(Target.c_str());
    link->SetArguments(Arguments.c_str());
    if (!WorkDir.empty()) link->SetWorkingDirectory(WorkDir.c_str());
    if (!IconFile.empty()) link->SetIconLocation(IconFile.c_str(), IconIndex);
    link->SetShowCmd(ShowCmd);
    if (!Description.empty()) link->SetDescription(Description.c_str());
    if (HotKey != 0) link->SetHotkey(HotKey);
    AskFor(unknown, IidPersistFile, file);
    std::vector<wchar_t> name = WideFileName(LinkFile.data(), static_cast<int>(LinkFile.size()));
    // fRemember TRUE, passed with all bits set.
    file->Save(name.data(), static_cast<BOOL>(-1));
    // Released in the stated order: the file name, then IPersistFile, IShellLinkA and IUnknown.
    std::vector<wchar_t>().swap(name);
    file.reset();
    link.reset();
    unknown.reset();
}

std::string GetShortcutTarget(const std::string& LinkFile) {
    struct WorkArea {
        char LinkPath[PathBufferSize];
        char TargetPath[PathBufferSize];
        WIN32_FIND_DATAA FindData;
    } work;
    std::memset(&work, 0, sizeof work);
    // A link path beyond the path limit is not read at all.
    if (!TinyUtils::WithinPathLimit(LinkFile)) return std::string();
    TinyUtils::StringToBuffer(work.LinkPath, LinkFile);

    ShellLinkObject o;
    if (!OpenShellLink(o)) return std::string();
    std::vector<wchar_t> name = WideFileName(work.LinkPath, static_cast<int>(strnlen(work.LinkPath, PathBufferSize)));
    o.file->Load(name.data(), STGM_READ);
    o.link->GetPath(work.TargetPath, static_cast<int>(PathBufferSize), &work.FindData, SLGP_UNCPRIORITY);
    // A target that fills the whole buffer without its NUL did not fit: it would come back cut off, a
    // path to somewhere else, so it counts as unreadable; so does one beyond the path limit.
    const size_t length = strnlen(work.TargetPath, PathBufferSize);
    std::string result = length < PathBufferSize ? std::string(work.TargetPath, length) : std::string();
    if (!TinyUtils::WithinPathLimit(result)) result.clear();
    // Released in the stated order: the file name, then IUnknown, IPersistFile and IShellLinkA.
    std::vector<wchar_t>().swap(name);
    o.unknown.reset();
    o.file.reset();
    o.link.reset();
    return result;
}

} // namespace TinyShlLnk
