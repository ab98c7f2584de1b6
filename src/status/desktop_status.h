#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "status/desktop_shell.h"
#include "timers/running_timers.h"
#include "timers/timer_record.h"

// Where the main window stands when a timer finishes.
enum class WindowPresence { Hidden, Behind, InFront };

// The selected timer, as the progress bar under the clock shows it.
struct SelectedTimer {
    TimerId id = 0;  // 0: none
    int32_t state = Running;
    bool limited = false;
    int percent = 0;
};

// What the program shows of its timers outside its window: the tray icon's
// tip and picture, the taskbar button's progress, the flashing button, and
// which finished timers the user has not seen yet. It is told what changed
// and calls the shell only when what it shows changes, so a tick of a full
// list costs at most a tip a second.
class DesktopStatus {
public:
    DesktopStatus(DesktopShell& shell, std::string title);

    void showRunning(const RunningTimers& running);
    void showSelected(const SelectedTimer& selected);
    // While the list cannot be saved the tip says so, whatever runs.
    void showAutosaveFailing(bool failing);

    // A finish the user was not looking at stays unseen until the window is
    // shown and active; while the window is open behind others, its
    // taskbar button flashes too.
    // Finishes are kept by the timer's identity, so that rows moved or
    // deleted since never point at another timer.
    void timerFinished(TimerId id, WindowPresence presence);
    // The main window was shown and active: every finish has been seen.
    void looked();
    // The first finish not seen yet, or 0.
    TimerId firstUnseenTimer() const { return unseen_.empty() ? 0 : unseen_.front(); }

    // The shell forgot what it showed: the tray icon was added again with
    // the plain picture and the title, or the taskbar made a new button.
    void trayIconAdded();
    void taskbarButtonCreated();

private:
    bool unseen(TimerId id) const;
    void refreshTray();
    void refreshTaskbar();

    DesktopShell& shell_;
    std::string title_;
    RunningTimers running_;
    SelectedTimer selected_;
    bool autosaveFailing_ = false;
    std::vector<TimerId> unseen_;  // in the order they finished
    bool flashing_ = false;

    std::string shownTip_;
    TrayMark shownMark_ = TrayMark::Plain;
    TaskbarProgress shownProgress_ = TaskbarProgress::None;
    int shownPercent_ = 0;
};
