// File search over the entries of a folder that match a pattern, filtered by attributes.
#include "TinyUtils.h"

#include "Guards.h"

#include <cstring>

namespace TinyUtils {

namespace {
// Hidden, system, volume label and directory: the only attributes that can exclude an entry.
constexpr int32_t SpecialAttributes = 0x1E;

inline HANDLE FindFirst(const char* Pattern, WIN32_FIND_DATAA* Data) {
    return FindFirstFileA(Pattern, Data);
}
inline HANDLE FindFirst(const wchar_t* Pattern, WIN32_FIND_DATAW* Data) {
    return FindFirstFileW(Pattern, Data);
}
inline BOOL FindNext(HANDLE Handle, WIN32_FIND_DATAA* Data) {
    return FindNextFileA(Handle, Data);
}
inline BOOL FindNext(HANDLE Handle, WIN32_FIND_DATAW* Data) {
    return FindNextFileW(Handle, Data);
}
inline size_t Length(const char* s, size_t n) {
    return strnlen(s, n);
}
inline size_t Length(const wchar_t* s, size_t n) {
    return wcsnlen(s, n);
}

template <typename Char> int Fill(TSearchRecOf<Char>& Rec);

template <typename Char> void Close(TSearchRecOf<Char>& Rec) {
    if (Rec.Handle != INVALID_HANDLE_VALUE) {
        FindClose(Rec.Handle);
        Rec.Handle = INVALID_HANDLE_VALUE;
    }
}

template <typename Char>
int First(const std::basic_string<Char>& Pattern, int32_t Mask, TSearchRecOf<Char>& Rec) {
    Rec.SkipMask = ~Mask & SpecialAttributes;
    {
        Guards::FsRedirectionOff redirectionOff;
        Rec.Handle = FindFirst(Pattern.c_str(), &Rec.FoundData);
    }
    if (Rec.Handle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
    int result = Fill(Rec);
    if (result != 0) Close(Rec);
    return result;
}

template <typename Char> int Next(TSearchRecOf<Char>& Rec) {
    if (!FindNext(Rec.Handle, &Rec.FoundData)) return static_cast<int>(GetLastError());
    return Fill(Rec);
}

template <typename Char> int Fill(TSearchRecOf<Char>& Rec) {
    while (static_cast<int32_t>(Rec.FoundData.dwFileAttributes) & Rec.SkipMask) {
        if (!FindNext(Rec.Handle, &Rec.FoundData)) return static_cast<int>(GetLastError());
    }
    // Zeroed, so that a failed conversion to local time becomes a year DOS cannot hold (1601), which
    // leaves DosTime as it was, instead of converting whatever the stack held.
    FILETIME local = {};
    WORD date, time;
    FileTimeToLocalFileTime(&Rec.FoundData.ftLastWriteTime, &local);
    if (FileTimeToDosDateTime(&local, &date, &time))
        Rec.DosTime = static_cast<int32_t>((static_cast<uint32_t>(date) << 16) | time);
    Rec.Size = static_cast<int32_t>(Rec.FoundData.nFileSizeLow);
    Rec.Attributes = static_cast<int32_t>(Rec.FoundData.dwFileAttributes);
    const Char* name = Rec.FoundData.cFileName;
    Rec.Name.assign(name, Length(name, MAX_PATH));
    return 0;
}

} // namespace

int SearchFirst(const std::string& Pattern, int32_t Mask, TSearchRec& Rec) {
    return First(Pattern, Mask, Rec);
}
int SearchFirst(const std::wstring& Pattern, int32_t Mask, TSearchRecW& Rec) {
    return First(Pattern, Mask, Rec);
}
int SearchNext(TSearchRec& Rec) {
    return Next(Rec);
}
int SearchNext(TSearchRecW& Rec) {
    return Next(Rec);
}
void SearchClose(TSearchRec& Rec) {
    Close(Rec);
}
void SearchClose(TSearchRecW& Rec) {
    Close(Rec);
}
int FillSearchRec(TSearchRec& Rec) {
    return Fill(Rec);
}
int FillSearchRec(TSearchRecW& Rec) {
    return Fill(Rec);
}

} // namespace TinyUtils
