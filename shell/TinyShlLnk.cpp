#include "TinyShlLnk.h"

#include "Guards.h"
#include "TinyShell.h"
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
const IID IidShellLinkW = {0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IidPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Room for a path at the limit, its NUL, and one character more: a link object that cuts a longer target
// to the buffer (as Wine's wide one does, NUL included) then gives one over the limit, never a path
// of legal length that names something else.
constexpr size_t PathBufferSize = TinyUtils::PathCharLimit + 2;

TRefusalHandler refusalHandler = nullptr;
TinyShell::TComUse com;

[[noreturn]] void InterfaceRefused() {
    if (refusalHandler) refusalHandler();
    ExitProcess(InterfaceRefusedExitCode);
}

// The link path as the NUL-ended file name that IPersistFile takes.
std::vector<wchar_t> WideFileName(const wchar_t* Path, size_t Length) {
    std::vector<wchar_t> name(Path, Path + Length);
    name.push_back(L'\0');
    return name;
}

// The two interfaces the operations need from one link object; refusal ends the process.
struct ShellLinkObject {
    Guards::ComPtr<IUnknown> unknown;
    Guards::ComPtr<IShellLinkW> link;
    Guards::ComPtr<IPersistFile> file;
};

} // namespace

void Shutdown() { com.Stop(); }

void SetRefusalHandler(TRefusalHandler Handler) { refusalHandler = Handler; }

HRESULT CreateComInstance(REFCLSID ClassId, IUnknown*& Obj) {
    if (Obj) {
        IUnknown* old = Obj;
        Obj = nullptr;
        old->Release();
    }
    com.Start();
    return TinyShell::ComCreateInstance(ClassId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IidUnknown,
                                        reinterpret_cast<void**>(&Obj));
}

namespace {
// A new link object, held by its IUnknown; empty when none could be made. COM is up on this thread.
void CreateShellLink(Guards::ComPtr<IUnknown>& Unknown) {
    IUnknown* raw = nullptr;
    TinyShell::ComCreateInstance(ClsidShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                 IidUnknown, reinterpret_cast<void**>(&raw));
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
    AskFor(o.unknown, IidShellLinkW, o.link);
    AskFor(o.unknown, IidPersistFile, o.file);
    return true;
}
} // namespace

void CreateShortcut(const std::wstring& LinkFile, const std::wstring& Description, const std::wstring& Target,
                    const std::wstring& Arguments, const std::wstring& WorkDir, const std::wstring& IconFile,
                    int32_t IconIndex, int32_t ShowCmd, uint16_t HotKey) {
    com.Start();
    Guards::ComPtr<IUnknown> unknown;
    CreateShellLink(unknown);
    // Without the link object there is nothing to write with.
    if (!unknown) return;
    Guards::ComPtr<IShellLinkW> link;
    Guards::ComPtr<IPersistFile> file;
    AskFor(unknown, IidShellLinkW, link);
    link->SetPath(Target.c_str());
    link->SetArguments(Arguments.c_str());
    if (!WorkDir.empty()) link->SetWorkingDirectory(WorkDir.c_str());
    if (!IconFile.empty()) link->SetIconLocation(IconFile.c_str(), IconIndex);
    link->SetShowCmd(ShowCmd);
    if (!Description.empty()) link->SetDescription(Description.c_str());
    if (HotKey != 0) link->SetHotkey(HotKey);
    AskFor(unknown, IidPersistFile, file);
    std::vector<wchar_t> name = WideFileName(LinkFile.data(), LinkFile.size());
    // fRemember TRUE, passed with all bits set.
    file->Save(name.data(), static_cast<BOOL>(-1));
    // Released in the stated order: the file name, then IPersistFile, IShellLinkW and IUnknown.
    std::vector<wchar_t>().swap(name);
    file.reset();
    link.reset();
    unknown.reset();
}

namespace {
bool AskedOfNothing(const std::wstring&) {
    return false;
}
} // namespace

namespace {
// The shortcut's target as GetShortcutTarget gives it, on a thread where COM is up; Exists answers
// whether an item exists (null: the file system is asked nothing).
std::wstring ReadTarget(const std::wstring& LinkFile, TinyUtils::TExistsProbe Exists,
                        std::wstring* Arguments) {
    struct WorkArea {
        wchar_t LinkPath[PathBufferSize];
        wchar_t TargetPath[PathBufferSize];
        wchar_t ListPath[PathBufferSize];
        WIN32_FIND_DATAW FindData;
    } work;
    std::memset(&work, 0, sizeof work);
    // A link path beyond the path limit is not read at all.
    if (LinkFile.size() > TinyUtils::PathCharLimit) return std::wstring();
    LinkFile.copy(work.LinkPath, LinkFile.size());

    ShellLinkObject o;
    if (!OpenShellLink(o)) return std::wstring();
    std::vector<wchar_t> name = WideFileName(work.LinkPath, wcsnlen(work.LinkPath, PathBufferSize));
    o.file->Load(name.data(), STGM_READ);
    o.link->GetPath(work.TargetPath, static_cast<int>(PathBufferSize), &work.FindData, SLGP_UNCPRIORITY);
    if (Arguments) {
        // INFOTIPSIZE, the most the shell's properties page writes; one longer is cut, never overrun.
        wchar_t arguments[1024] = {};
        if (FAILED(o.link->GetArguments(arguments, 1024))) arguments[0] = L'\0';
        Arguments->assign(arguments, wcsnlen(arguments, 1024));
    }
    // A path that fills the whole buffer without its NUL did not fit: it is kept one over the limit,
    // so that it counts as unreadable rather than as a path cut off to somewhere else.
    TinyUtils::TShortcutPaths paths;
    paths.Stored.assign(work.TargetPath, wcsnlen(work.TargetPath, PathBufferSize));
    // The item list is what the shell opens; the stored path may be a look-alike of it. A stored
    // network path stands, and the list is not even read: naming a network item may ask its server.
    const bool readList = Exists && !TinyUtils::IsNetworkPath(paths.Stored);
    ITEMIDLIST* list = nullptr;
    if (readList && SUCCEEDED(o.link->GetIDList(&list)) && list) {
        if (!TinyShell::ShGetPathFromIDListEx(list, work.ListPath, static_cast<DWORD>(PathBufferSize)))
            work.ListPath[0] = L'\0';
        TinyShell::ComTaskMemFree(list);
    }
    paths.ItemList.assign(work.ListPath, wcsnlen(work.ListPath, PathBufferSize));
    std::wstring result = TinyUtils::ShortcutTarget(paths, Exists ? Exists : AskedOfNothing);
    // Released in the stated order: the file name, then IUnknown, IPersistFile and IShellLinkW.
    std::vector<wchar_t>().swap(name);
    o.unknown.reset();
    o.file.reset();
    o.link.reset();
    return result;
}
} // namespace

std::wstring GetShortcutTarget(const std::wstring& LinkFile, bool AskFileSystem, std::wstring* Arguments) {
    com.Start();
    return ReadTarget(LinkFile, AskFileSystem ? TinyUtils::ItemExistsWithinBound : nullptr, Arguments);
}

std::wstring GetShortcutTargetWithinBound(const std::wstring& LinkFile, const std::wstring& Unread) {
    // A local shortcut is read as it always was.
    if (TinyUtils::NetworkSlot(LinkFile) < 0) return GetShortcutTarget(LinkFile);
    // Reading the file itself asks its server: on a worker, with COM of the worker's own. The worker
    // asks its questions unbounded (it is the bound) and never touches what the program learnt of the
    // network, which the caller goes on using when the worker is left behind.
    return TinyUtils::WithinNetworkBound(LinkFile, Unread, [LinkFile] {
        TinyShell::TComUse workerCom;
        workerCom.Start();
        std::wstring target = ReadTarget(LinkFile, TinyUtils::ItemExists, nullptr);
        workerCom.Stop();
        return target;
    });
}

} // namespace TinyShlLnk
