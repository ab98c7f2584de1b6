#pragma once
#include <string>

// Named timer sets live in the folder "Save" of the current directory, one
// file ".\Save\<name>.ini" each.

extern const char setFolder[];       // ".\Save"
extern const char setListPattern[];  // ".\Save\*.ini"

enum class SetNameCheck { Usable, Empty, Invalid };

// A name is used as typed (blanks and a typed ".ini" included), but it must
// not leave the folder or name a stream. Whether its path is short enough
// depends on the folder the program runs in, which the caller checks.
SetNameCheck checkSetName(const char* name);

// ".\Save\" + name + ".ini"
std::string setPathForName(const char* name);
// ".\Save\" + the file name as the folder listing shows it
std::string setPathForListedFile(const char* fileName);
