// The files another program copied, as the clipboard holds them: a file list, or lines of text.
#include "TinyUtils.h"

#include <cstring>

namespace TinyUtils {

namespace {

// DROPFILES: pFiles (the list's offset), pt, fNC, fWide, each four bytes.
constexpr size_t DropHeaderSize = 20;
constexpr size_t FilesOffsetAt = 0;
constexpr size_t WideFlagAt = 16;

uint32_t FieldAt(const unsigned char* Block, size_t At) {
    uint32_t value;
    std::memcpy(&value, Block + At, sizeof value);
    return value;
}

// The names from Begin to End, each ended by a zero unit; a zero unit where a name would start ends the
// list. Read unit by unit: a wide list need not be aligned.
template <typename Unit, typename Keep>
void EachName(const unsigned char* Begin, const unsigned char* End, Keep keep) {
    std::basic_string<Unit> name;
    for (const unsigned char* at = Begin; End - at >= static_cast<ptrdiff_t>(sizeof(Unit));
         at += sizeof(Unit)) {
        Unit unit;
        std::memcpy(&unit, at, sizeof unit);
        if (unit != 0) {
            name += unit;
            continue;
        }
        if (name.empty()) return;
        keep(name);
        name.clear();
    }
}

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\u3000';
}

// A path of a drive, of a server's share or in a device namespace, in any spelling Windows accepts: its
// kind is read where every form reads it.
bool IsAbsolutePath(const std::wstring& Line) {
    const std::wstring path = BackslashSpelling(Line);
    switch (PathKind(path)) {
    case pkOther:
        return false;
    case pkUnc: {
        // A server alone is no place a file lies in: a share follows it.
        const size_t server = path.find(L'\\', 2);
        return server != std::wstring::npos && server + 1 < path.size() && path[server + 1] != L'\\';
    }
    default:
        return true;
    }
}

} // namespace

std::vector<std::wstring> DropFileNames(const void* Block, size_t Size,
                                        std::wstring (*FromAnsi)(const std::string& Bytes)) {
    std::vector<std::wstring> names;
    const unsigned char* block = static_cast<const unsigned char*>(Block);
    if (!block || Size < DropHeaderSize) return names;
    const uint32_t offset = FieldAt(block, FilesOffsetAt);
    // A list inside the header would read the header as names.
    if (offset < DropHeaderSize || offset >= Size) return names;
    if (FieldAt(block, WideFlagAt)) {
        // UTF-16 units, whatever size wchar_t has where this is built.
        EachName<char16_t>(block + offset, block + Size,
                           [&](const std::u16string& n) { names.emplace_back(n.begin(), n.end()); });
    } else {
        EachName<char>(block + offset, block + Size, [&](const std::string& n) {
            std::wstring wide = FromAnsi(n);
            if (!wide.empty()) names.push_back(std::move(wide));
        });
    }
    return names;
}

std::vector<std::wstring> TextPaths(const std::wstring& Text) {
    std::vector<std::wstring> paths;
    for (size_t at = 0; at < Text.size();) {
        size_t end = Text.find(L'\n', at);
        if (end == std::wstring::npos) end = Text.size();
        size_t first = at, last = end;
        while (first < last && (IsBlank(Text[first]) || Text[first] == L'\r'))
            ++first;
        while (last > first && (IsBlank(Text[last - 1]) || Text[last - 1] == L'\r'))
            --last;
        if (last - first >= 2 && Text[first] == L'"' && Text[last - 1] == L'"') ++first, --last;
        const std::wstring line = Text.substr(first, last - first);
        if (IsAbsolutePath(line)) paths.push_back(line);
        at = end + 1;
    }
    return paths;
}

} // namespace TinyUtils
