#include "sets/set_names.h"

#include <cstring>

const char setFolder[] = ".\\Save";
const char setListPattern[] = ".\\Save\\*.ini";

namespace {
const char setFileExtension[] = ".ini";
}  // namespace

SetNameCheck checkSetName(const char* name) {
    if (!name || !*name) return SetNameCheck::Empty;
    // A separator would put the file outside "Save" (or into a folder that
    // does not exist); a colon would write an alternate stream of another
    // file, which the load list never shows.
    if (std::strpbrk(name, "\\/:")) return SetNameCheck::Invalid;
    return SetNameCheck::Usable;
}

std::string setPathForName(const char* name) {
    return std::string(setFolder) + "\\" + name + setFileExtension;
}

std::string setPathForListedFile(const char* fileName) { return std::string(setFolder) + "\\" + fileName; }
