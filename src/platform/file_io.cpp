#include "platform/file_io.h"

#include <windows.h>

#include <string>

namespace {
// A timer set is a few hundred kilobytes at most; anything far beyond that
// is not one, and reading it whole could exhaust memory.
constexpr LONGLONG largestReadableFile = 64LL * 1024 * 1024;

// The folder of `path` (".\" when it has none), where the temporary file
// must live for the final move to be a rename within one volume.
std::string folderOf(const char* path) {
    std::string text(path);
    std::size_t slash = text.find_last_of("\\/");
    if (slash == std::string::npos) return ".";
    if (slash == 0) return text.substr(0, 1);
    return text.substr(0, slash);
}

bool isReadOnlyOrFolder(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;  // missing: it will be created
    return (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0;
}

bool writeWholeFile(const char* path, const char* data, std::size_t size) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    while (ok && size > 0) {
        DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD written = 0;
        ok = WriteFile(file, data, chunk, &written, nullptr) && written == chunk;
        data += written;
        size -= written;
    }
    // The data must be on the disk before the rename makes it the file.
    ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    return ok;
}
}  // namespace

bool replaceFileContents(const char* path, const char* data, std::size_t size) {
    if (!path || !*path) return false;
    // The old save failed on a read-only file; a rename would quietly
    // replace it, so refuse before anything is written.
    if (isReadOnlyOrFolder(path)) return false;
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(folderOf(path).c_str(), "hrl", 0, temporary)) return false;
    if (!writeWholeFile(temporary, data, size) ||
        !MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary);
        return false;
    }
    return true;
}

bool readFileContents(const char* path, std::string& contents) {
    contents.clear();
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= largestReadableFile;
    if (ok) {
        contents.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        ok = contents.empty() ||
             (ReadFile(file, &contents[0], static_cast<DWORD>(contents.size()), &read, nullptr) &&
              read == contents.size());
    }
    CloseHandle(file);
    if (!ok) contents.clear();
    return ok;
}
