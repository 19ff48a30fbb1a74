#include "Runtime.h"

#include <windows.h>

namespace Runtime {

namespace {

// The splitting rules, for the bytes of the ANSI command line (stepped with CharNextA, so that a
// double-byte character goes whole) and for the UTF-16 units of the wide one (stepped one by one).
inline unsigned Unit(const char* p) { return static_cast<unsigned char>(*p); }
inline unsigned Unit(const wchar_t* p) { return static_cast<unsigned>(*p); }
inline const char* Next(const char* p) { return CharNextA(p); }
inline const wchar_t* Next(const wchar_t* p) { return *p ? p + 1 : p; }

// Walks one token from Cursor by the splitting rules; Copy (may be null) receives the counted units.
// Returns the cursor behind the token and stores the counted length in Length.
template <typename Ch> const Ch* WalkToken(const Ch* Cursor, Ch* Copy, size_t& Length) {
    Length = 0;
    auto take = [&](const Ch* from, const Ch* to) {
        // A double-byte character whose trail byte is missing ends at the NUL; never copy past it.
        for (const Ch* q = from; q < to; ++q) {
            if (Copy) Copy[Length] = *q;
            ++Length;
        }
    };
    while (Unit(Cursor) > 0x20) {
        if (*Cursor == '"') {
            ++Cursor;
            while (*Cursor != '\0' && *Cursor != '"') {
                const Ch* next = Next(Cursor);
                take(Cursor, next);
                Cursor = next;
            }
            if (*Cursor == '"') ++Cursor;
        } else {
            const Ch* next = Next(Cursor);
            take(Cursor, next);
            Cursor = next;
        }
    }
    return Cursor;
}

template <typename Ch> const Ch* Scan(const Ch* Cursor, std::basic_string<Ch>& Token) {
    for (;;) {
        while (*Cursor != '\0' && Unit(Cursor) <= 0x20) Cursor = Next(Cursor);
        if (Cursor[0] == '"' && Cursor[1] == '"') {
            Cursor += 2;
            continue;
        }
        break;
    }
    const Ch* start = Cursor;
    size_t length = 0;
    WalkToken(start, static_cast<Ch*>(nullptr), length);
    Token.assign(length, '\0');
    return WalkToken(start, length ? &Token[0] : nullptr, length);
}

// Every argument after the program name, in one pass.
template <typename Ch> std::vector<std::basic_string<Ch>> AllArguments(const Ch* Line) {
    std::vector<std::basic_string<Ch>> args;
    std::basic_string<Ch> token;
    const Ch* cursor = Scan(Line, token);
    for (;;) {
        cursor = Scan(cursor, token);
        if (token.empty()) break;
        args.push_back(token);
    }
    return args;
}

} // namespace

const char* ScanParam(const char* Cursor, std::string& Token) { return Scan(Cursor, Token); }

int ParamCount() {
    std::string token;
    const char* cursor = ScanParam(GetCommandLineA(), token);
    int count = 0;
    for (;;) {
        cursor = ScanParam(cursor, token);
        if (token.empty()) break;
        ++count;
    }
    return count;
}

std::string ParamStr(int Index) {
    std::string result;
    if (Index == 0) {
        char buffer[261];
        DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
        // The call reports at most the buffer size (it truncates); never take more than the buffer holds.
        if (length > sizeof buffer) length = sizeof buffer;
        result.assign(buffer, length);
        return result;
    }
    const char* cursor = GetCommandLineA();
    for (;;) {
        cursor = ScanParam(cursor, result);
        if (Index == 0) break;
        if (result.empty()) break;
        --Index;
    }
    return result;
}

std::vector<std::string> ParamStrs() { return AllArguments<char>(GetCommandLineA()); }

std::vector<std::wstring> WideParamStrs() { return AllArguments<wchar_t>(GetCommandLineW()); }

} // namespace Runtime
