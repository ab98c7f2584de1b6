#pragma once
#include <string>

// A fresh, empty current directory for one test, removed again afterwards:
// the program reads and writes autosave.ini and Save relative to it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string previous_;
};

// Makes a new folder under the temporary path, named from `prefix`, the
// process id and a serial number. Only a folder this call created is used,
// so it is empty; when none can be made it throws, which fails the test at
// set-up with the reason.
std::string createFreshFolder(const std::string& prefix);
// Removes a folder and everything in it, read-only files included.
void removeFolderTree(const std::string& folder);

std::string readWholeFile(const std::string& path);
void writeWholeFile(const std::string& path, const std::string& contents);
