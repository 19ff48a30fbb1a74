// Shared by the Windows benchmarks: a wall clock, the statistics of a sample set, the clipboard and
// child processes. Plain Win32, no test framework.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace Bench {

inline double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Linear interpolation between the order statistics; q in [0, 1].
inline double Quantile(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const double at = q * static_cast<double>(v.size() - 1);
    const size_t lo = static_cast<size_t>(at);
    const size_t hi = std::min(lo + 1, v.size() - 1);
    return v[lo] + (v[hi] - v[lo]) * (at - static_cast<double>(lo));
}
inline double Median(const std::vector<double>& v) { return Quantile(v, 0.5); }

// A figure against its floor, measured alternately in one run. The ratio is the median of the ratios of
// the runs that stood side by side, so that the load of the machine drifting meanwhile cancels out; its
// spread and that of each side is the interquartile range.
struct Figure {
    std::string name;
    std::vector<double> a, floor;
    std::string goal; // "<= LIMIT"; empty: no goal, shown for attribution
};

inline void PrintRow(const Figure& f) {
    std::vector<double> ratios;
    for (size_t i = 0; i < f.a.size() && i < f.floor.size(); ++i) ratios.push_back(f.a[i] / f.floor[i]);
    const double ratio = Median(ratios);
    const bool met = !f.goal.empty() && ratio <= std::strtod(f.goal.c_str() + 3, nullptr);
    std::printf("| %s | %.1f ms | %.1f-%.1f ms | %.1f ms | %.1f-%.1f ms | %.3f | %.3f-%.3f | %s |\n", f.name.c_str(),
                Median(f.a), Quantile(f.a, 0.25), Quantile(f.a, 0.75), Median(f.floor), Quantile(f.floor, 0.25),
                Quantile(f.floor, 0.75), ratio, Quantile(ratios, 0.25), Quantile(ratios, 0.75),
                f.goal.empty() ? "-" : (f.goal + (met ? " met" : " MISSED")).c_str());
    std::fflush(stdout);
}

// ---- Clipboard -------------------------------------------------------------------------------------

// Opened without an owner window, so that a later EmptyClipboard of a child sends nothing back here.
inline bool WriteClipboard(const std::string& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    bool ok = false;
    if (block) {
        if (void* p = GlobalLock(block)) {
            memcpy(p, text.c_str(), text.size() + 1);
            GlobalUnlock(block);
            ok = SetClipboardData(CF_TEXT, block) != nullptr;
        }
        if (!ok) GlobalFree(block);
    }
    CloseClipboard();
    return ok;
}

inline std::string ReadClipboard() {
    std::string text;
    for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(10);
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

// ---- Processes -------------------------------------------------------------------------------------

inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Starts exe with exactly commandLine and waits for its end; returns the wall time in ms from just
// before the start to the moment the end is seen, or a negative value on failure. exitCode gets the
// child's exit code, and startedAt (if given) the clock at the start.
inline double RunTimed(const std::string& exe, std::string commandLine, DWORD& exitCode,
                       double* startedAt = nullptr) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    const double t0 = NowMs();
    if (startedAt) *startedAt = t0;
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    for (;;) {
        // A bound for a child that hangs; the list benchmark's measuring child runs every round in one
        // process, which takes well over a minute on a slow machine.
        const DWORD r = MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 900000, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0 + 1) {
            Pump();
            continue;
        }
        if (r != WAIT_OBJECT_0) {
            TerminateProcess(pi.hProcess, 1);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
            return -1;
        }
        break;
    }
    const double t1 = NowMs();
    GetExitCodeProcess(pi.hProcess, &exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return t1 - t0;
}

inline std::string ReadFileBytes(const std::string& path) {
    std::string data;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return data;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(f, chunk, sizeof chunk, &got, nullptr) && got) data.append(chunk, got);
    CloseHandle(f);
    return data;
}

inline std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

inline std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

inline std::string OwnPath() {
    char buffer[MAX_PATH + 1];
    const DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return std::string(buffer, n);
}

inline std::string LongPathOf(const std::string& path) {
    char buffer[MAX_PATH + 1];
    const DWORD n = GetLongPathNameA(path.c_str(), buffer, sizeof buffer);
    return n && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

inline bool WriteFileBytes(const std::string& path, const std::string& data) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(f, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    CloseHandle(f);
    return ok && written == data.size();
}

} // namespace Bench
