// Long and short path forms and the folder test: the file system answers.
#include "TinyUtils.h"

#include "Guards.h"

namespace TinyUtils {

namespace {

// Runs a wide conversion into a buffer of MAX_PATH characters and a NUL. A result below the buffer's
// size is the length of the form; 0 is failure and anything larger the size the form would need.
template <typename Convert> std::wstring WideForm(const std::wstring& Path, Convert convert) {
    if (Path.empty()) return std::wstring();
    wchar_t buffer[PathCharLimit + 1] = {};
    DWORD length;
    {
        // The user sent the real System32, not its 32-bit stand-in.
        Guards::FsRedirectionOff redirectionOff;
        length = convert(Path.c_str(), buffer, PathCharLimit + 1);
    }
    if (length < 1 || length > PathCharLimit) return std::wstring();
    return std::wstring(buffer, length);
}

std::string WithinLimit(std::string Form) {
    return WithinPathLimit(Form) ? Form : std::string();
}

// Looked up, not imported: systems without it still start and simply get no long forms.
TSystemProc<decltype(GetLongPathNameW)> getLongPathName(L"kernel32.dll", "GetLongPathNameW");
TLongPathQuery longPathStandIn = nullptr;

} // namespace

void SetLongPathQuery(TLongPathQuery Query) {
    longPathStandIn = Query;
}

bool FolderExists(const std::wstring& Path) {
    Guards::FsRedirectionOff redirectionOff;
    DWORD attributes = GetFileAttributesW(Path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ItemExists(const std::wstring& Path) {
    Guards::FsRedirectionOff redirectionOff;
    return !Path.empty() && GetFileAttributesW(Path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FolderExists(const std::string& Path) {
    return FolderExists(WideFromBytes(Path, CP_ACP));
}

std::wstring ToLongPath(const std::wstring& Path) {
    if (Path.empty()) return std::wstring();
    const TLongPathQuery getLong = longPathStandIn ? longPathStandIn : getLongPathName.get();
    return getLong ? WideForm(Path, getLong) : std::wstring();
}

std::wstring ToShortPath(const std::wstring& Path) {
    return WideForm(Path, GetShortPathNameW);
}

std::string ToLongPath(const std::string& Path) {
    const std::wstring form = ToLongPath(WideFromBytes(Path, CP_ACP));
    if (form.empty()) return std::string();
    const std::string bytes = ExactBytes(form);
    return WithinLimit(bytes.empty() ? Path : bytes);
}

std::string ToShortPath(const std::string& Path) {
    return WithinLimit(ExactBytes(ToShortPath(WideFromBytes(Path, CP_ACP))));
}

TText PathText(const std::wstring& Path) {
    const TConversion text = ToAnsi(Path);
    // The 8.3 form is asked for only where it can matter.
    const TConversion shortForm = text.Exact ? TConversion{std::string(), false} : ToAnsi(ToShortPath(Path));
    return {StandInBytes(text, shortForm), Path};
}

} // namespace TinyUtils
