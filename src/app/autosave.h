#pragma once
#include <string>

#include "app/app_state.h"

extern const char autosaveReadPath[];   // ".\autosave.ini": a path with a folder part
extern const char autosaveWritePath[];  // "autosave.ini": the same file

// Keeps autosave.ini in step with the list, so that a crash, a killed process
// or a power cut loses nothing: after every command or tick the main window
// asks it to save if what the file would hold has changed.
class Autosave {
public:
    // The list as it stands now is what the file holds (after loading it).
    void markSaved(const AppState& app);
    // Saves when the list's set text differs from the last one written. A
    // failed write is reported once and not retried until the list changes
    // again, so the error cannot come back every second.
    void saveIfChanged(const AppState& app);
    // Exit and shut-down always write, changed or not.
    void saveNow(const AppState& app);

private:
    std::string savedText_;
};
