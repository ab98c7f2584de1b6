#pragma once
#include <string>
#include <vector>

// Hand-made damaged or hostile timer set files, each with what the reader
// must make of it. The unit tests read them from memory, the Windows tests
// from disk into the real list view.
struct BadTimerSet {
    std::string name;
    std::string text;
    int timers = 0;                // rows loaded; -1: any number up to 100
    std::string firstDescription;  // of row 0, when timers > 0
    std::string lastDescription;   // of the last row, when timers > 0
};

std::vector<BadTimerSet> badTimerSets();
// The one of them whose numbers pass the 32-bit range, alone.
BadTimerSet numbersBeyond32Bits();

// One section as the writer makes it (CR LF lines, all fifteen keys).
std::string writtenSection(int index, const std::string& description, int state = 0);
