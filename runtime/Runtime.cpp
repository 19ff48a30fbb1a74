#include "Runtime.h"

#include <windows.h>

namespace Runtime {

namespace {

inline unsigned char ByteAt(const char* p) { return static_cast<unsigned char>(*p); }

// Walks one token from Cursor by the splitting rules; Copy (may be null) receives the counted bytes.
// Returns the cursor behind the token and stores the counted length in Length.
const char* WalkToken(const char* Cursor, char* Copy, size_t& Length) {
    Length = 0;
    auto take = [&](const char* from, const char* to) {
        // A double-byte character whose trail byte is missing ends at the NUL; never copy past it.
        for (const char* q = from; q < to; ++q) {
            if (Copy) Copy[Length] = *q;
            ++Length;
        }
    };
    while (ByteAt(Cursor) > 0x20) {
        if (*Cursor == '"') {
            ++Cursor;
            while (*Cursor != '\0' && *Cursor != '"') {
                const char* next = CharNextA(Cursor);
                take(Cursor, next);
                Cursor = next;
            }
            if (*Cursor == '"') ++Cursor;
        } else {
            const char* next = CharNextA(Cursor);
            take(Cursor, next);
            Cursor = next;
        }
    }
    return Cursor;
}

} // namespace

const char* ScanParam(const char* Cursor, std::string& Token) {
    for (;;) {
        while (*Cursor != '\0' && ByteAt(Cursor) <= 0x20) Cursor = CharNextA(Cursor);
        if (Cursor[0] == '"' && Cursor[1] == '"') {
            Cursor += 2;
            continue;
        }
        break;
    }
    const char* start = Cursor;
    size_t length = 0;
    WalkToken(start, nullptr, length);
    Token.assign(length, '\0');
    return WalkToken(start, length ? &Token[0] : nullptr, length);
}

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

std::vector<std::string> ParamStrs() {
    std::vector<std::string> args;
    std::string token;
    const char* cursor = ScanParam(GetCommandLineA(), token);
    for (;;) {
        cursor = ScanParam(cursor, token);
        if (token.empty()) break;
        args.push_back(token);
    }
    return args;
}

} // namespace Runtime
