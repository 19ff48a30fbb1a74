// Lead-byte classification and the locale start-up of the module.
#include "TinyUtils.h"

#include <cstring>

namespace TinyUtils {

int32_t PlatformId = 0;
uint32_t LocaleId = 0x0409;
int32_t PrimaryLanguage = 9;
uint8_t LeadByteSet[32] = {};
bool MultiByteLocale = false;

namespace {

// Primary languages whose ANSI code pages have no lead bytes (bit n: language n).
constexpr uint32_t WesternLanguages = (1u << 0x00) | (1u << 0x06) | (1u << 0x07) | (1u << 0x09) | (1u << 0x0A) |
                                      (1u << 0x0B) | (1u << 0x0C) | (1u << 0x10) | (1u << 0x13) | (1u << 0x14) |
                                      (1u << 0x16) | (1u << 0x1D);

void AddLeadByte(unsigned v) { LeadByteSet[v >> 3] = static_cast<uint8_t>(LeadByteSet[v >> 3] | (1u << (v & 7))); }

bool SetIsEmpty() {
    for (uint8_t b : LeadByteSet)
        if (b) return false;
    return true;
}

} // namespace

void Startup() {
    PlatformId = 0;
    ReadPlatformId();
    InitLocale();
}

void ReadPlatformId() {
    OSVERSIONINFOA info;
    std::memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = sizeof info; // 148
    if (GetVersionExA(&info)) PlatformId = static_cast<int32_t>(info.dwPlatformId);
}

void InitLocale() {
    LocaleId = 0x0409;
    PrimaryLanguage = 9;
    LCID locale = GetThreadLocale();
    if (locale != 0) {
        LocaleId = static_cast<uint32_t>(locale);
        if ((locale & 0xFFFF) != 0) PrimaryLanguage = static_cast<int32_t>(locale & 0xFFFF & 0x3FF);
    }
    std::memset(LeadByteSet, 0, sizeof LeadByteSet);
    if (PlatformId == VER_PLATFORM_WIN32_NT) {
        // The format language says nothing about the bytes: a Japanese system with English format
        // still hands us code page 932 paths, and an English one with Japanese format code page 1252.
        LoadLeadBytes();
        MultiByteLocale = !SetIsEmpty();
    } else {
        MultiByteLocale = GetSystemMetrics(SM_DBCSENABLED) != 0;
        if (MultiByteLocale) LoadLeadBytes();
    }
}

bool IsWesternLanguage() {
    return PrimaryLanguage >= 0 && PrimaryLanguage <= 31 && ((WesternLanguages >> PrimaryLanguage) & 1u);
}

int CodePageOfLocale(uint32_t Locale) {
    char buffer[7] = {};
    int written = GetLocaleInfoA(static_cast<LCID>(Locale), LOCALE_IDEFAULTANSICODEPAGE, buffer, 7);
    if (written == 0) return static_cast<int>(GetACP());
    // Read up to the first zero byte, at most the 7 bytes of the buffer, as a plain decimal integer.
    size_t n = 0;
    while (n < sizeof buffer && buffer[n] != '\0') ++n;
    if (n == 0) return static_cast<int>(GetACP());
    size_t i = 0;
    bool negative = false;
    if (buffer[0] == '-' || buffer[0] == '+') {
        negative = buffer[0] == '-';
        i = 1;
        if (n == 1) return static_cast<int>(GetACP());
    }
    long value = 0;
    for (; i < n; ++i) {
        if (buffer[i] < '0' || buffer[i] > '9') return static_cast<int>(GetACP());
        value = value * 10 + (buffer[i] - '0');
    }
    return static_cast<int>(negative ? -value : value);
}

void LoadLeadBytes() {
    CPINFO info;
    std::memset(&info, 0, sizeof info);
    // Every path and argument reaches us in the system ANSI code page, whatever the thread locale.
    if (!GetCPInfo(GetACP(), &info)) return;
    for (int pair = 0; pair < 6; ++pair) {
        unsigned low = info.LeadByte[2 * pair], high = info.LeadByte[2 * pair + 1];
        if (low == 0 && high == 0) break;
        for (unsigned v = low; v <= high; ++v) AddLeadByte(v);
    }
}

TByteKind ClassifyByte(const char* Text, int32_t Index) {
    if (Text == nullptr || Index < 0 || Text[Index] == '\0') return bkSingle;
    const unsigned char* t = reinterpret_cast<const unsigned char*>(Text);
    if (Index == 0) return IsLeadByteValue(t[0]) ? bkLead : bkSingle;
    // The byte before a run of lead-byte values ends a character, and inside the run bytes pair up as
    // lead and trail: an odd run means the byte at Index completes a two-byte character.
    int32_t run = 0;
    for (int32_t i = Index - 1; i >= 0 && IsLeadByteValue(t[i]); --i) ++run;
    if (run & 1) return bkTrail;
    return IsLeadByteValue(t[Index]) ? bkLead : bkSingle;
}

TByteKind ByteKindAt(const std::string& S, int32_t Index) {
    if (!MultiByteLocale) return bkSingle;
    // Positions outside 1..length(s) + 1 name no byte of the string; they are single-byte positions.
    if (Index < 1 || static_cast<size_t>(Index) > S.size() + 1) return bkSingle;
    return ClassifyByte(S.c_str(), Index - 1);
}

} // namespace TinyUtils
