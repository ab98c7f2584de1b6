#include "temp_folder.h"

#include <windows.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

void removeFolderTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeFolderTree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::string createFreshFolder(const std::string& prefix) {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    // Wine hands out process ids again, so a folder of an earlier run with
    // the same id and serial may still be there, with its files: pass it by.
    static unsigned serial = 0;
    DWORD error = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::string path =
            std::string(base) + prefix + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
        if (CreateDirectoryA(path.c_str(), nullptr)) return path;
        error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS) break;
    }
    throw std::runtime_error("no new empty folder could be made under " + std::string(base) + " (error " +
                             std::to_string(error) + ")");
}

TempFolder::TempFolder() : path_(createFreshFolder("horalet-test-")) {
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    previous_ = current;
    SetCurrentDirectoryA(path_.c_str());
}

TempFolder::~TempFolder() {
    SetCurrentDirectoryA(previous_.c_str());
    removeFolderTree(path_);
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeWholeFile(const std::string& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
}
