#pragma once
#include <string>

#include "app/app_state.h"

extern const char autosaveReadPath[];   // ".\autosave.ini": a path with a folder part
extern const char autosaveWritePath[];  // "autosave.ini": the same file
extern const char autosaveUnreadPath[]; // where a file that gave no timers is kept

// Keeps autosave.ini in step with the list, so that a crash, a killed process
// or a power cut loses nothing: after every command or tick the main window
// asks it to save if what the file would hold has changed.
class Autosave {
public:
    // After the start's load: the list as it stands is what the file holds.
    // When the list came out empty from a file that holds something (a
    // damaged or foreign file, one too large or locked), the user is told,
    // and that file is copied to autosave-unread.ini before anything is
    // written over it; while the copy cannot be made, saving fails instead.
    void adoptLoadedFile(const AppState& app);
    // Saves when the list's set text differs from the last one written. A
    // failed write is reported once and not retried until the list changes
    // again, so the error cannot come back every second.
    void saveIfChanged(const AppState& app);
    // Exit and shut-down always write, changed or not.
    void saveNow(const AppState& app);

private:
    // False when the write may not go ahead (it is reported as a failed save).
    bool keepUnreadFile(const AppState& app);
    void write(const AppState& app);

    std::string savedText_;
    bool unreadFileToKeep_ = false;
};
