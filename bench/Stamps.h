// Time stamps a benchmarked child takes at the borders of its phases, written at its very end to the
// file named by STAMP_OUT, so that the driver can split the wall time of a start. Plain Win32 only: the
// floor that includes it must stay as small as it is without.
#pragma once
#include <windows.h>

namespace Bench {

struct Stamps {
    LONGLONG at[8];
    int count = 0;
    void Take() {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        if (count < 8) at[count++] = now.QuadPart;
    }
    void Write() const {
        char out[MAX_PATH];
        if (!GetEnvironmentVariableA("STAMP_OUT", out, sizeof out)) return;
        HANDLE f = CreateFileA(out, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f == INVALID_HANDLE_VALUE) return;
        DWORD written = 0;
        WriteFile(f, at, static_cast<DWORD>(count * sizeof at[0]), &written, nullptr);
        CloseHandle(f);
    }
};

#ifdef BENCH_DRIVER
// The stamps of a file that Stamps::Write made, in milliseconds.
inline int ReadStamps(const std::string& data, double* ms, int max) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const int n = static_cast<int>(data.size() / sizeof(LONGLONG));
    for (int i = 0; i < n && i < max; ++i) {
        LONGLONG v;
        memcpy(&v, data.data() + i * sizeof v, sizeof v);
        ms[i] = 1000.0 * static_cast<double>(v) / static_cast<double>(frequency.QuadPart);
    }
    return n;
}
#endif

} // namespace Bench
