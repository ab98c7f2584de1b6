#pragma once
#include <cstdint>
#include <string>

#include "app/app_state.h"
#include "app/write_notice.h"

extern const char autosaveReadPath[];   // ".\autosave.ini": a path with a folder part
extern const char autosaveWritePath[];  // "autosave.ini": the same file
extern const char autosaveUnreadPath[]; // where a file that gave no timers is kept

// Keeps autosave.ini in step with the list, so that a crash, a killed process
// or a power cut loses nothing: after every command or tick the main window
// asks it to save if what the file would hold has changed. A save that fails
// is tried again every second until one succeeds; the user hears of it as
// WriteNotice tells, once for each run of failures.
class Autosave {
public:
    // After the start's load: the list as it stands is what the file holds.
    // When the list came out empty from a file that holds something (a
    // damaged or foreign file, one too large or locked), the user is told,
    // and that file is copied to autosave-unread.ini before anything is
    // written over it; while the copy cannot be made, saving fails instead.
    void adoptLoadedFile(const AppState& app);
    // Saves when the list's set text differs from the last one written.
    // While saving fails it leaves the change to the retry.
    void saveIfChanged(const AppState& app);
    // A timer handed over by another start, whose exit code promises it
    // survives a kill: writes the list now if the file does not hold it,
    // with one more try while saving fails. True when the file holds it.
    bool saveNow(const AppState& app);
    // After a tick while timers run: the elapsed times go to the file once
    // a minute (counted from the last write of any kind), so a kill or a
    // power cut loses at most that much of them.
    void keepProgress(const AppState& app);
    static constexpr int64_t progressIntervalMs = 60000;
    // Every second, whatever the tick changed: while saving fails, tries
    // again, so that a change that could not be saved is written as soon as
    // the file can be, without waiting for another change.
    void retryIfFailing(const AppState& app);
    // Exit: writes the list. When that fails the user may Retry or Cancel;
    // false means Cancel, and the program must go on with its list.
    bool saveForExit(const AppState& app);
    // The window's end: one attempt that shows nothing, so that nothing
    // waits for the user.
    void saveQuietly(const AppState& app);
    // Log-off and shut-down (WM_QUERYENDSESSION, WM_ENDSESSION): a quiet
    // save that tells nothing later either, even as the first failure of an
    // episode; when the end is called off, the retry of the next seconds
    // tells the user as usual.
    void saveForSessionEnd(const AppState& app);
    void sessionGoesOn() { notice_.holdForSessionEnd(false); }
    // The main window's WM_AUTOSAVE_REPORT.
    WriteNotice& notice() { return notice_; }

private:
    // False when the write may not go ahead (it is reported as a failed save).
    bool keepUnreadFile();
    bool write(const AppState& app, const std::string& text);

    std::string savedText_;  // the list as last written, without its times
    int64_t lastWriteMs_ = 0;
    bool unreadFileToKeep_ = false;
    bool savedForExit_ = false;
    WriteNotice notice_;
};
