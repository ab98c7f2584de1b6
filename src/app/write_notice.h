#pragma once
#include <windows.h>

#include "app/app_state.h"

// Posted to the main window, whose own message loop then shows the report of
// a failed write: never from inside the tick or command that failed.
constexpr UINT WM_AUTOSAVE_REPORT = WM_APP + 1;
constexpr UINT WM_BOOKS_REPORT = WM_APP + 3;

// What the user is told of one kind of file, and how.
struct WriteNoticeTexts {
    const char* failureReport;
    const char* writtenAgain;  // the balloon when a write works again
    UINT reportMessage;
    bool inTrayTip;            // the tip says so while it lasts
};
extern const WriteNoticeTexts autosaveNoticeTexts;
extern const WriteNoticeTexts booksNoticeTexts;

// What the user hears of a file that cannot be written. An episode runs
// from the first failed save after a good one to the next good one, and is
// reported once: by a box shown from the main loop as soon as no other box or
// dialog of the program is open. Meanwhile the tray icon's tip (the desktop
// status's) says that the list is not being saved, and a balloon tells when it is saved again.
class WriteNotice {
public:
    explicit WriteNotice(const WriteNoticeTexts& texts = autosaveNoticeTexts) : texts_(texts) {}
    void saveFailed(const AppState& app);
    void saveSucceeded(const AppState& app);
    bool failing() const { return failing_; }

    // The exit's own Retry/Cancel question has told the user.
    void toldByExit() { reportDue_ = false; }
    // From the query of a log-off or shut-down until it is called off, no
    // report is posted or shown: the session must not wait for a box, nor
    // meet one between the query and its end. A report due meanwhile waits
    // for the seconds after a cancelled end.
    void holdForSessionEnd(bool ending) { sessionEnding_ = ending; }
    // Every second: a report held back while another window of ours was up
    // is posted again.
    void postHeldReport(const AppState& app);
    // WM_AUTOSAVE_REPORT.
    void showPendingReport(const AppState& app);

private:
    const WriteNoticeTexts& texts_;
    bool failing_ = false;
    bool reportDue_ = false;
    bool reportPosted_ = false;
    bool reportOnScreen_ = false;
    bool sessionEnding_ = false;
};
