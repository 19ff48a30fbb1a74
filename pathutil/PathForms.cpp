// Long and short path forms and the folder test: the file system answers.
#include "TinyUtils.h"

#include "Guards.h"

namespace TinyUtils {

namespace {

// Runs a wide conversion into a buffer of MAX_PATH characters and a NUL. A result below the buffer's
// size is the length of the form; 0 is failure and anything larger the size the form would need.
// The forms are asked for wide: the ANSI calls would hand back a look-alike of a name that the code
// page lacks, which is the path of another file.
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

std::string WithinLimit(std::string Form) { return WithinPathLimit(Form) ? Form : std::string(); }

} // namespace

bool FolderExists(const std::string& Path) {
    Guards::FsRedirectionOff redirectionOff;
    DWORD attributes = GetFileAttributesA(Path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string ToLongPath(const std::string& Path) {
    if (Path.empty()) return std::string();
    typedef DWORD(WINAPI * TGetLongPathNameW)(LPCWSTR, LPWSTR, DWORD);
    // Looked up, not imported: systems without it still start and simply get no long forms.
    HMODULE kernel = LoadLibraryA("kernel32.dll");
    std::string result;
    if (kernel) {
        auto getLongPathName =
            reinterpret_cast<TGetLongPathNameW>(reinterpret_cast<void*>(GetProcAddress(kernel, "GetLongPathNameW")));
        const std::wstring form = getLongPathName ? WideForm(WideFromBytes(Path, CP_ACP), getLongPathName) : std::wstring();
        if (!form.empty()) {
            result = ExactBytes(form);
            // The file is there, but its long name holds characters the code page lacks: the form the
            // path came in (an 8.3 form) is the longest that still names it.
            if (result.empty()) result = Path;
            result = WithinLimit(result);
        }
        FreeLibrary(kernel);
    }
    return result;
}

std::string HeldPath(const std::wstring& Path) {
    const std::string bytes = ExactBytes(Path);
    return bytes.empty() ? ExactBytes(WideForm(Path, GetShortPathNameW)) : bytes;
}

std::string ToShortPath(const std::string& Path) {
    if (Path.empty()) return std::string();
    return WithinLimit(ExactBytes(WideForm(WideFromBytes(Path, CP_ACP), GetShortPathNameW)));
}

} // namespace TinyUtils
