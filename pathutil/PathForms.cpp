// Long and short path forms and the folder test: the file system answers.
#include "TinyUtils.h"

namespace TinyUtils {

namespace {
constexpr DWORD PathBufferSize = MAX_PATH + 1;

// A result of 1..260 is the length of the converted form; 0 is failure and anything larger the
// size the form would need.
std::string FormFromBuffer(DWORD length, const char* buffer) {
    if (length < 1 || length > PathBufferSize - 1) return std::string();
    return std::string(buffer);
}
} // namespace

bool FolderExists(const std::string& Path) {
    DWORD attributes = GetFileAttributesA(Path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string ToLongPath(const std::string& Path) {
    if (Path.empty()) return std::string();
    typedef DWORD(WINAPI * TGetLongPathNameA)(LPCSTR, LPSTR, DWORD);
    // Looked up, not imported: systems without it still start and simply get no long forms.
    HMODULE kernel = LoadLibraryA("kernel32.dll");
    std::string result;
    if (kernel) {
        auto getLongPathName =
            reinterpret_cast<TGetLongPathNameA>(reinterpret_cast<void*>(GetProcAddress(kernel, "GetLongPathNameA")));
        if (getLongPathName) {
            char buffer[PathBufferSize] = {};
            result = FormFromBuffer(getLongPathName(Path.c_str(), buffer, PathBufferSize), buffer);
        }
        FreeLibrary(kernel);
    }
    return result;
}

std::string ToShortPath(const std::string& Path) {
    if (Path.empty()) return std::string();
    char buffer[PathBufferSize] = {};
    return FormFromBuffer(GetShortPathNameA(Path.c_str(), buffer, PathBufferSize), buffer);
}

} // namespace TinyUtils
