// Controls of the host-build stand-in: what each stand-in call answers. Defaults are a Japanese NT
// system (thread locale 0x0411, code page 932), so the portable tests meet the same world as under Wine.
#pragma once
#include <string>

namespace HostStub {

struct World {
    std::string CommandLine = "Pathgrab.exe";
    std::wstring WideCommandLine = L"Pathgrab.exe";
    std::string ModuleFileName = "C:\\Tools\\Pathgrab.exe";
    bool VersionCallFails = false;
    unsigned long PlatformId = 2;
    unsigned long ThreadLocale = 0x0411;
    bool LocaleInfoFails = false;
    std::string LocaleCodePageText; // empty: derived from ThreadLocale (932, 1251 or 1252)
    unsigned AnsiCodePage = 932;
    bool CPInfoFails = false;
    unsigned char LeadByteTable[12] = {};
    bool UseLeadByteTable = false; // false: the table of the requested code page
    int DbcsEnabled = 1;
    bool CompareFails = false;
};

// The current answers; tests change fields and call Reset() when done.
World& Current();
void Reset();

// Ranges a real code page reports: 932 gives 0x81-0x9F and 0xE0-0xFC, others none.
void FillLeadBytesOf(unsigned codePage, unsigned char table[12]);

} // namespace HostStub
