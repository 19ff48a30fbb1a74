#include "HostStub.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>

namespace HostStub {

namespace {
World world;
unsigned CodePageForLocale(unsigned long lcid) {
    switch (lcid & 0x3FF) {
    case 0x11: return 932;
    case 0x19: return 1251;
    default: return 1252;
    }
}
bool IsLead932(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
} // namespace

World& Current() { return world; }
void Reset() { world = World(); }

void FillLeadBytesOf(unsigned codePage, unsigned char table[12]) {
    std::memset(table, 0, 12);
    if (codePage == 932) {
        table[0] = 0x81, table[1] = 0x9F, table[2] = 0xE0, table[3] = 0xFC;
    }
}

} // namespace HostStub

using HostStub::world;

LPSTR WINAPI GetCommandLineA() { return &world.CommandLine[0]; }
LPWSTR WINAPI GetCommandLineW() { return &world.WideCommandLine[0]; }

// Steps like the platform's for the stand-in's ANSI code page: a lead byte takes its trail byte
// along unless the string ends there.
LPSTR WINAPI CharNextA(LPCSTR p) {
    if (*p == '\0') return const_cast<LPSTR>(p);
    if (world.AnsiCodePage == 932 && HostStub::IsLead932(static_cast<unsigned char>(*p)) && p[1] != '\0')
        return const_cast<LPSTR>(p + 2);
    return const_cast<LPSTR>(p + 1);
}

DWORD WINAPI CharUpperBuffA(LPSTR s, DWORD n) {
    for (DWORD i = 0; i < n; ++i) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        if (world.AnsiCodePage == 932 && HostStub::IsLead932(b) && i + 1 < n) {
            ++i; // a trail byte is not a letter of its own
            continue;
        }
        if (b >= 'a' && b <= 'z') s[i] = static_cast<char>(b - 32);
    }
    return n;
}

DWORD WINAPI CharUpperBuffW(LPWSTR s, DWORD n) {
    for (DWORD i = 0; i < n; ++i)
        if (s[i] >= L'a' && s[i] <= L'z') s[i] = static_cast<wchar_t>(s[i] - 32);
    return n;
}

// A plain model of a linguistic comparison: letters compare without case first, then lower case
// orders before upper case. Enough for host tests; the real order is asserted under Wine.
int WINAPI CompareStringA(LCID, DWORD, LPCSTR a, int na, LPCSTR b, int nb) {
    if (world.CompareFails) return 0;
    if (na < 0) na = static_cast<int>(std::strlen(a));
    if (nb < 0) nb = static_cast<int>(std::strlen(b));
    auto fold = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
    int n = std::min(na, nb);
    for (int i = 0; i < n; ++i) {
        int x = fold(static_cast<unsigned char>(a[i])), y = fold(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
    }
    if (na != nb) return na < nb ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
    for (int i = 0; i < n; ++i) {
        if (a[i] != b[i]) return static_cast<unsigned char>(a[i]) > static_cast<unsigned char>(b[i])
                                      ? CSTR_LESS_THAN
                                      : CSTR_GREATER_THAN;
    }
    return CSTR_EQUAL;
}

// Unit by unit, as Windows compares; ignoring case upper-cases ASCII letters only, the letters the host
// tests compare (the system's own table is met under Wine).
int WINAPI CompareStringOrdinal(LPCWCH a, int na, LPCWCH b, int nb, BOOL ignoreCase) {
    if (na < 0) na = static_cast<int>(std::wcslen(a));
    if (nb < 0) nb = static_cast<int>(std::wcslen(b));
    auto fold = [ignoreCase](wchar_t c) { return ignoreCase && c >= L'a' && c <= L'z' ? c - 32 : c; };
    for (int i = 0; i < std::min(na, nb); ++i) {
        if (fold(a[i]) != fold(b[i])) return fold(a[i]) < fold(b[i]) ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
    }
    return na == nb ? CSTR_EQUAL : na < nb ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
}

DWORD WINAPI GetModuleFileNameA(HMODULE, LPSTR buffer, DWORD size) {
    if (size == 0) return 0;
    DWORD n = static_cast<DWORD>(world.ModuleFileName.size());
    if (n >= size) {
        std::memcpy(buffer, world.ModuleFileName.data(), size);
        return size;
    }
    std::memcpy(buffer, world.ModuleFileName.c_str(), n + 1);
    return n;
}

BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA info) {
    if (world.VersionCallFails || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) return FALSE;
    info->dwPlatformId = world.PlatformId;
    return TRUE;
}

LCID WINAPI GetThreadLocale() { return world.ThreadLocale; }

int WINAPI GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size) {
    if (world.LocaleInfoFails || type != LOCALE_IDEFAULTANSICODEPAGE) return 0;
    std::string text = world.LocaleCodePageText.empty()
                           ? std::to_string(HostStub::CodePageForLocale(locale))
                           : world.LocaleCodePageText;
    if (static_cast<int>(text.size()) + 1 > size) return 0;
    std::memcpy(data, text.c_str(), text.size() + 1);
    return static_cast<int>(text.size()) + 1;
}

UINT WINAPI GetACP() { return world.AnsiCodePage; }

BOOL WINAPI GetCPInfo(UINT codePage, LPCPINFO info) {
    if (world.CPInfoFails) return FALSE;
    std::memset(info, 0, sizeof *info);
    info->MaxCharSize = codePage == 932 ? 2 : 1;
    if (world.UseLeadByteTable)
        std::memcpy(info->LeadByte, world.LeadByteTable, 12);
    else
        HostStub::FillLeadBytesOf(codePage, info->LeadByte);
    return TRUE;
}

int WINAPI GetSystemMetrics(int index) { return index == SM_DBCSENABLED ? world.DbcsEnabled : 0; }
