// Questions to the network (the UNC name of a path, whether an item exists, its forms), asked on a
// worker thread within a bound, so that a server that is gone cannot hold the program.
#include "Guards.h"
#include "TinyUtils.h"

#include <winioctl.h>

#include <algorithm>
#include <map>

namespace TinyUtils {

namespace {

// Loaded only when a path lies on a network drive: a local one never pays for mpr.dll.
TSystemProc<decltype(WNetGetUniversalNameW)> systemQuery(L"mpr.dll", "WNetGetUniversalNameW");
TUniversalNameQuery standIn = nullptr;
TLinkTargetQuery linkStandIn = nullptr;
// The 26 drives, then each server in the order it was first met; each is silent on its own, so that a
// server that is gone costs its own items the bound once and every other server's nothing.
constexpr int FirstServerSlot = 26;
std::vector<std::wstring> servers; // in upper case
std::vector<bool> silent(FirstServerSlot);
// Each drive's type, asked once: many files lie on few drives. 0 not asked, 1 network, -1 any other.
signed char remoteDrive[26] = {};
// What a local path leads to through a link, asked once for each folder: the slot of the network the
// link names, or -1.
std::map<std::wstring, int> linkedSlots;

// The slot of a server's path (\\server\share...).
int ServerSlot(const std::wstring& Plain) {
    const std::wstring server = UpperCaseLocale(Plain.substr(2, Plain.find(L'\\', 2) - 2));
    const size_t known = std::find(servers.begin(), servers.end(), server) - servers.begin();
    if (known == servers.size()) {
        servers.push_back(server);
        silent.push_back(false);
    }
    return FirstServerSlot + static_cast<int>(known);
}

// The target a symbolic link (or a junction) at Path names, read from the link's own reparse data, so
// that nothing is asked of where it leads; empty where Path is no such link.
std::wstring SystemLinkTarget(const std::wstring& Path) {
    Guards::FsRedirectionOff redirectionOff;
    const DWORD attributes = GetFileAttributesW(Path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return std::wstring();
    Guards::UniqueHandle link(CreateFileW(
        Path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (link.get() == INVALID_HANDLE_VALUE) return std::wstring();
    std::vector<unsigned char> data(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
    DWORD size = 0;
    if (!DeviceIoControl(link.get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, data.data(),
                         static_cast<DWORD>(data.size()), &size, nullptr))
        return std::wstring();
    return ReparseTarget(data.data(), size);
}

// The slot of the network a link at Path leads into, -1 where it is no link or leads elsewhere.
int SlotOfLink(const std::wstring& Path) {
    const std::wstring target = PlainPath((linkStandIn ? linkStandIn : SystemLinkTarget)(Path));
    if (IsNetworkPath(target)) return ServerSlot(target);
    return IsOnRemoteDrive(target) ? DriveIndex(target) : -1;
}

// The slot of the first link on the way from a local drive's root down to Plain that leads into a
// network; -1 where none does (a link to another local folder leads on within this walk).
int LinkedSlot(const std::wstring& Plain) {
    for (size_t end = Plain.find(L'\\', 3); Plain.size() > 3; end = Plain.find(L'\\', end + 1)) {
        const std::wstring step = Plain.substr(0, end);
        auto known = linkedSlots.find(step);
        if (known == linkedSlots.end()) known = linkedSlots.emplace(step, SlotOfLink(step)).first;
        if (known->second >= 0) return known->second;
        if (end == std::wstring::npos) break;
    }
    return -1;
}

DWORD WINAPI AskOnWorker(void* Param) {
    TNetworkQuestion* q = static_cast<TNetworkQuestion*>(Param);
    q->Ask();
    q->LetGo();
    return 0;
}

} // namespace

void ForgetNetwork() {
    silent.assign(FirstServerSlot, false);
    servers.clear();
    for (signed char& remote : remoteDrive)
        remote = 0;
    linkedSlots.clear();
}

void SetLinkTargetQuery(TLinkTargetQuery Query) {
    linkStandIn = Query;
    ForgetNetwork();
}

void SetUniversalNameQuery(TUniversalNameQuery Query) {
    standIn = Query;
    ForgetNetwork();
}

bool IsOnRemoteDrive(const std::wstring& Path) {
    const int drive = DriveIndex(Path);
    if (drive < 0) return false;
    if (!remoteDrive[drive]) {
        const wchar_t root[] = {wchar_t(L'A' + drive), L':', L'\\', 0};
        remoteDrive[drive] = GetDriveTypeW(root) == DRIVE_REMOTE ? 1 : -1;
    }
    return remoteDrive[drive] > 0;
}

int NetworkSlot(const std::wstring& Path) {
    const std::wstring plain = PlainPath(Path);
    if (IsNetworkPath(plain)) return ServerSlot(plain);
    if (DriveIndex(plain) < 0) return -1;
    return IsOnRemoteDrive(plain) ? DriveIndex(plain) : LinkedSlot(plain);
}

bool IsSilent(int Slot) {
    return Slot >= 0 && static_cast<size_t>(Slot) < silent.size() && silent[Slot];
}

bool AnsweredWithin(int Slot, TNetworkQuestion* Q, DWORD WaitMs) {
    HANDLE worker = CreateThread(nullptr, 0, AskOnWorker, Q, 0, nullptr);
    if (!worker) {
        Q->LetGo(); // the worker's share
        return false;
    }
    const bool answered = WaitForSingleObject(worker, WaitMs) == WAIT_OBJECT_0;
    if (!answered && Slot >= 0 && static_cast<size_t>(Slot) < silent.size()) silent[Slot] = true;
    CloseHandle(worker);
    return answered;
}

std::wstring UniversalName(const std::wstring& Path, DWORD WaitMs) {
    const int drive = DriveIndex(Path);
    if (drive < 0 || silent[drive] || !IsOnRemoteDrive(Path)) return std::wstring();
    const TUniversalNameQuery query = standIn ? standIn : systemQuery.get();
    if (!query) return std::wstring();
    struct TLookup : TNetworkQuestion {
        TLookup(TUniversalNameQuery Q, const std::wstring& P) : query(Q), path(P) {}
        void Ask() override {
            // UNIVERSAL_NAME_INFOW holds a pointer into the same buffer, behind it.
            union {
                UNIVERSAL_NAME_INFOW Info;
                wchar_t Raw[2048];
            } buffer = {};
            DWORD size = sizeof buffer;
            if (query(path.c_str(), UNIVERSAL_NAME_INFO_LEVEL, &buffer, &size) == NO_ERROR &&
                buffer.Info.lpUniversalName)
                answer = buffer.Info.lpUniversalName;
        }
        TUniversalNameQuery query;
        std::wstring path, answer;
    };
    // The redirector names the drive's own path: \\?\Z:\x is Z:\x.
    TLookup* lookup = new TLookup(query, PlainPath(Path));
    const std::wstring answer = AnsweredWithin(drive, lookup, WaitMs) ? lookup->answer : std::wstring();
    lookup->LetGo();
    return answer;
}

bool ItemExistsWithinBound(const std::wstring& Path) {
    return WithinNetworkBound(Path, false, [Path] { return ItemExists(Path); });
}

} // namespace TinyUtils
