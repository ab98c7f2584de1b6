#pragma once
#include <string>
#include <vector>

// The arguments after the program's name, as UTF-8, whatever the console's
// or the system's code page: the wide command line is the one that holds
// every language.
std::vector<std::string> commandArguments();
