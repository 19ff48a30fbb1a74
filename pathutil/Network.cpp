// Questions to the network (the UNC name of a path, whether an item exists, its forms), asked on a
// worker thread within a bound, so that a server that is gone cannot hold the program.
#include "TinyUtils.h"

namespace TinyUtils {

namespace {

// Loaded only when a path lies on a network drive: a local one never pays for mpr.dll.
TSystemProc<decltype(WNetGetUniversalNameW)> systemQuery(L"mpr.dll", "WNetGetUniversalNameW");
TUniversalNameQuery standIn = nullptr;
// The 26 drives, then all servers' paths.
constexpr int ServerSlot = 26;
bool silent[ServerSlot + 1] = {};
// Each drive's type, asked once: many files lie on few drives. 0 not asked, 1 network, -1 any other.
signed char remoteDrive[26] = {};

DWORD WINAPI AskOnWorker(void* Param) {
    TNetworkQuestion* q = static_cast<TNetworkQuestion*>(Param);
    q->Ask();
    q->LetGo();
    return 0;
}

} // namespace

void ForgetNetwork() {
    for (bool& s : silent)
        s = false;
    for (signed char& remote : remoteDrive)
        remote = 0;
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
    if (IsNetworkPath(Path)) return ServerSlot;
    return IsOnRemoteDrive(Path) ? DriveIndex(Path) : -1;
}

bool IsSilent(int Slot) {
    return silent[Slot];
}

bool AnsweredWithin(int Slot, TNetworkQuestion* Q, DWORD WaitMs) {
    HANDLE worker = CreateThread(nullptr, 0, AskOnWorker, Q, 0, nullptr);
    if (!worker) {
        Q->LetGo(); // the worker's share
        return false;
    }
    const bool answered = WaitForSingleObject(worker, WaitMs) == WAIT_OBJECT_0;
    if (!answered) silent[Slot] = true;
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
