// Path and file utilities: the locale's lead bytes, path strings, long and short forms, file search and
// the clipboard. Strings are byte strings in the ANSI code page (932 on the target); positions are 1-based.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace TinyUtils {

// ---- Lead bytes and locale start-up -------------------------------------------------------------

enum TByteKind { bkSingle = 0, bkLead = 1, bkTrail = 2 };

// Module state, written only by Startup() and read-only afterwards.
extern int32_t PlatformId;
extern uint32_t LocaleId;
extern int32_t PrimaryLanguage;
extern uint8_t LeadByteSet[32]; // value v is bit v mod 8 of byte v div 8
extern bool MultiByteLocale;

// Module start-up: ReadPlatformId, then InitLocale. The process entry calls it first of all modules.
void Startup();
void ReadPlatformId();
void InitLocale();
bool IsWesternLanguage();
int CodePageOfLocale(uint32_t Locale);
void LoadLeadBytes();
inline bool IsLeadByteValue(unsigned char b) { return (LeadByteSet[b >> 3] >> (b & 7)) & 1; }
TByteKind ClassifyByte(const char* Text, int32_t Index); // 0-based
TByteKind ByteKindAt(const std::string& S, int32_t Index); // 1-based

// ---- Path strings ------------------------------------------------------------------------------

int LastDelimiterIndex(const std::string& Delimiters, const std::string& S);
std::string PathHead(const std::string& Path);
std::string PathFolder(const std::string& Path);
std::string PathFileName(const std::string& Path);
std::string PathExt(const std::string& Path);
std::string PathChangeExt(const std::string& Path, const std::string& Ext);
bool IsBackslashAt(const std::string& S, int Index);
std::string AddTrailingBackslash(const std::string& S);
std::string DropTrailingBackslash(const std::string& S);
std::string UpperCaseLocale(const std::string& S);
std::string DoubleAmpersands(const std::string& S);
bool ContainsSpace(const std::string& S);
std::string IntToDecimal(int32_t N);
// Characters of S: a lead byte and the byte after it are one character.
size_t CharCount(const std::string& S);
// The classic path limit of MAX_PATH counts characters, not bytes: a Japanese path of 200 characters
// takes up to 400 bytes and is as legal as an ASCII one of 200.
constexpr size_t PathCharLimit = 260;
inline bool WithinPathLimit(const std::string& S) { return CharCount(S) <= PathCharLimit; }
// Bytes enough for a path at that limit in any ANSI code page (at most two bytes a character) and a NUL.
constexpr size_t PathByteCapacity = 2 * PathCharLimit + 1;
// Copies S and a zero byte into Buffer, which must hold S.size() + 1 bytes; returns Buffer.
char* StringToBuffer(char* Buffer, const std::string& S);

#ifdef _WIN32
// ---- Wide text ----------------------------------------------------------------------------------------

// Bytes of the given code page as UTF-16 (CP_ACP: the system ANSI code page); empty when they cannot
// be read.
std::wstring WideFromBytes(const std::string& Bytes, unsigned CodePage);
// Wide text as bytes of the system ANSI code page, only when every character has its exact counterpart
// there (read back to the same text); otherwise empty.
std::string ExactBytes(const std::wstring& Wide);

// ---- Long and short path forms, file tests (the file system: Windows build only) ----------------

bool FolderExists(const std::string& Path);
std::string ToLongPath(const std::string& Path);
std::string ToShortPath(const std::string& Path);
// A path the shell sent, as bytes of the system code page that name the same file: the path itself when
// the code page holds it exactly, else its 8.3 form when the code page holds that, else empty.
std::string HeldPath(const std::wstring& Path);

// ---- File search ----------------------------------------------------------------------------------

typedef std::string TFileName;

struct TSearchRec {
    int32_t DosTime = 0;
    int32_t Size = 0;
    int32_t Attributes = 0;
    TFileName Name;
    int32_t SkipMask = 0;
    HANDLE Handle = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA FoundData = {};
};

int SearchFirst(const std::string& Pattern, int32_t Mask, TSearchRec& Rec);
int SearchNext(TSearchRec& Rec);
void SearchClose(TSearchRec& Rec);
int FillSearchRec(TSearchRec& Rec);

// ---- Clipboard ------------------------------------------------------------------------------------

void PutClipboardText(HWND Owner, const std::string& Text);
#endif

} // namespace TinyUtils
