// File search over the entries of a folder that match a pattern, filtered by attributes.
#include "TinyUtils.h"

#include "Guards.h"

#include <cstring>

namespace TinyUtils {

namespace {
// Hidden, system, volume label and directory: the only attributes that can exclude an entry.
constexpr int32_t SpecialAttributes = 0x1E;
} // namespace

int SearchFirst(const std::string& Pattern, int32_t Mask, TSearchRec& Rec) {
    Rec.SkipMask = ~Mask & SpecialAttributes;
    {
        Guards::FsRedirectionOff redirectionOff;
        Rec.Handle = FindFirstFileA(Pattern.c_str(), &Rec.FoundData);
    }
    if (Rec.Handle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
    int result = FillSearchRec(Rec);
    if (result != 0) SearchClose(Rec);
    return result;
}

int SearchNext(TSearchRec& Rec) {
    if (!FindNextFileA(Rec.Handle, &Rec.FoundData)) return static_cast<int>(GetLastError());
    return FillSearchRec(Rec);
}

void SearchClose(TSearchRec& Rec) {
    if (Rec.Handle != INVALID_HANDLE_VALUE) {
        FindClose(Rec.Handle);
        Rec.Handle = INVALID_HANDLE_VALUE;
    }
}

int FillSearchRec(TSearchRec& Rec) {
    while (static_cast<int32_t>(Rec.FoundData.dwFileAttributes) & Rec.SkipMask) {
        if (!FindNextFileA(Rec.Handle, &Rec.FoundData)) return static_cast<int>(GetLastError());
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
    const char* name = Rec.FoundData.cFileName;
    Rec.Name.assign(name, strnlen(name, MAX_PATH));
    return 0;
}

} // namespace TinyUtils
