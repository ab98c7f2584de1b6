#include "platform/file_io.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace {
// A timer set is a few hundred kilobytes at most; anything far beyond that
// is not one, and reading it whole could exhaust memory.
constexpr LONGLONG largestReadableFile = 64LL * 1024 * 1024;

// The new text is written beside the target, in the same folder, so that the
// final move is a rename within one volume. The name is fixed rather than
// unique: a save killed before its move leaves this file behind, and the
// next save of the same target writes over it and moves it away, where
// unique names would pile up one per killed save.
std::string temporaryPathFor(const char* path) { return std::string(path) + ".tmp"; }

bool isReadOnlyOrFolder(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;  // missing: it will be created
    return (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0;
}

// Writes, flushes and closes: the data must be on the disk before a rename
// makes it the file, or before the books count it written.
bool writeAndClose(HANDLE file, const char* data, std::size_t size) {
    bool ok = true;
    while (ok && size > 0) {
        DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD written = 0;
        ok = WriteFile(file, data, chunk, &written, nullptr) && written == chunk;
        data += written;
        size -= written;
    }
    ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    return ok;
}

bool writeWholeFile(const char* path, const char* data, std::size_t size) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file != INVALID_HANDLE_VALUE && writeAndClose(file, data, size);
}
}  // namespace

bool appendFileContents(const char* path, const char* data, std::size_t size) {
    // Readers may look at the books meanwhile (a spreadsheet has it open).
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    return file != INVALID_HANDLE_VALUE && writeAndClose(file, data, size);
}

bool replaceFileContents(const char* path, const char* data, std::size_t size) {
    if (!path || !*path) return false;
    // The old save failed on a read-only file; a rename would quietly
    // replace it, so refuse before anything is written.
    if (isReadOnlyOrFolder(path)) return false;
    const std::string temporary = temporaryPathFor(path);
    if (!writeWholeFile(temporary.c_str(), data, size) ||
        !MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

bool pathFitsForReplace(const char* path) {
    if (!path || !*path) return false;
    char full[MAX_PATH];
    // Counted in bytes of the active code page, never fewer than the
    // system's own UTF-16 characters: a name with letters beyond ASCII is
    // refused a little early rather than let through to fail.
    DWORD length = GetFullPathNameA(temporaryPathFor(path).c_str(), sizeof full, full, nullptr);
    return length > 0 && length < sizeof full;
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

bool readFileHead(const char* path, std::size_t most, std::string& head, uint64_t& size) {
    head.clear();
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER length = {};
    bool ok = GetFileSizeEx(file, &length) != FALSE;
    if (ok) {
        size = static_cast<uint64_t>(length.QuadPart);
        head.resize(static_cast<std::size_t>(std::min<uint64_t>(size, most)));
        DWORD read = 0;
        ok = head.empty() || (ReadFile(file, &head[0], static_cast<DWORD>(head.size()), &read, nullptr) && read == head.size());
    }
    CloseHandle(file);
    if (!ok) head.clear();
    return ok;
}
