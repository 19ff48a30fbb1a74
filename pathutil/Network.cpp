// The UNC name of a network drive's path, asked of the network redirector on a worker thread so that a
// drive whose server is gone cannot hold the menu.
#include "TinyUtils.h"

namespace TinyUtils {

namespace {

// Loaded only when a path lies on a network drive: a local one never pays for mpr.dll.
TSystemProc<decltype(WNetGetUniversalNameW)> systemQuery(L"mpr.dll", "WNetGetUniversalNameW");
TUniversalNameQuery standIn = nullptr;
// Drives whose redirector did not answer in time: asking again would only wait again.
bool silentDrive[26] = {};
// Each drive's type, asked once: many files lie on few drives. 0 not asked, 1 network, -1 any other.
signed char remoteDrive[26] = {};

// Shared by the caller and the worker, freed by whichever lets go last: a worker that never returns
// must not write into memory the caller has freed.
struct TQuestion {
    LONG Holders = 2;
    TUniversalNameQuery Query;
    std::wstring Path;
    std::wstring Answer;
};

void LetGo(TQuestion* Q) {
    if (InterlockedDecrement(&Q->Holders) == 0) delete Q;
}

DWORD WINAPI Ask(void* Param) {
    TQuestion* q = static_cast<TQuestion*>(Param);
    // UNIVERSAL_NAME_INFOW holds a pointer into the same buffer, behind it.
    union {
        UNIVERSAL_NAME_INFOW Info;
        wchar_t Raw[2048];
    } buffer = {};
    DWORD size = sizeof buffer;
    if (q->Query(q->Path.c_str(), UNIVERSAL_NAME_INFO_LEVEL, &buffer, &size) == NO_ERROR &&
        buffer.Info.lpUniversalName)
        q->Answer = buffer.Info.lpUniversalName;
    LetGo(q);
    return 0;
}

} // namespace

int DriveIndex(const std::wstring& Path) {
    if (Path.size() < 3 || Path[1] != L':' || Path[2] != L'\\') return -1;
    const wchar_t letter = Path[0] & ~0x20;
    return letter >= L'A' && letter <= L'Z' ? letter - L'A' : -1;
}

void SetUniversalNameQuery(TUniversalNameQuery Query) {
    standIn = Query;
    for (bool& silent : silentDrive)
        silent = false;
    for (signed char& remote : remoteDrive)
        remote = 0;
}

bool IsOnRemoteDrive(const std::wstring& Path) {
    const int drive = DriveIndex(Path);
    if (drive < 0) return false;
    if (!remoteDrive[drive])
        remoteDrive[drive] = GetDriveTypeW(Path.substr(0, 3).c_str()) == DRIVE_REMOTE ? 1 : -1;
    return remoteDrive[drive] > 0;
}

std::wstring UniversalName(const std::wstring& Path, DWORD WaitMs) {
    const int drive = DriveIndex(Path);
    if (drive < 0 || silentDrive[drive] || !IsOnRemoteDrive(Path)) return std::wstring();
    const TUniversalNameQuery query = standIn ? standIn : systemQuery.get();
    if (!query) return std::wstring();
    TQuestion* q = new TQuestion{2, query, Path, std::wstring()};
    DWORD id = 0;
    HANDLE worker = CreateThread(nullptr, 0, Ask, q, 0, &id);
    if (!worker) {
        delete q;
        return std::wstring();
    }
    std::wstring answer;
    if (WaitForSingleObject(worker, WaitMs) == WAIT_OBJECT_0)
        answer = q->Answer;
    else
        silentDrive[drive] = true;
    CloseHandle(worker);
    LetGo(q);
    return answer;
}

} // namespace TinyUtils
