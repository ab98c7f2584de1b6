#include "app/write_notice.h"

#include "platform/message_box.h"
#include "platform/tray_icon.h"
#include "status/desktop_status.h"

const WriteNoticeTexts autosaveNoticeTexts = {
    "Error operation of save!\r\n\r\n"
    "The list cannot be written to autosave.ini. Horalet tries again every second "
    "and tells you when the list is saved again.",
    "The list is saved again.", WM_AUTOSAVE_REPORT, true};
const WriteNoticeTexts booksNoticeTexts = {
    "The books cannot be written to the Books folder.\r\n\r\n"
    "Horalet keeps the entries, tries again every second "
    "and tells you when the books are written again.",
    "The books are written again.", WM_BOOKS_REPORT, false};

namespace {
// A modal dialog or message box of ours disables the main window; a menu
// runs a modal loop of its own. A box of ours must not land on top of
// either.
bool anotherWindowOfOursIsUp(const AppState& app) {
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    const bool inMenu = GetGUIThreadInfo(GetCurrentThreadId(), &thread) &&
                        (thread.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) != 0;
    return inMenu || !IsWindowEnabled(app.hwndMain);
}
}  // namespace

void WriteNotice::saveFailed(const AppState& app) {
    if (!failing_) {
        failing_ = true;
        reportDue_ = true;
        if (app.desktop && texts_.inTrayTip) app.desktop->showAutosaveFailing(true);
    }
    postHeldReport(app);
}

void WriteNotice::saveSucceeded(const AppState& app) {
    if (!failing_) return;
    failing_ = false;
    reportDue_ = false;  // a report not shown yet has nothing left to tell
    if (app.desktop && texts_.inTrayTip) app.desktop->showAutosaveFailing(false);
    showTrayBalloon(app.hwndMain, app.title, texts_.writtenAgain);
}

void WriteNotice::postHeldReport(const AppState& app) {
    if (!reportDue_ || reportPosted_ || sessionEnding_) return;
    reportPosted_ = PostMessageA(app.hwndMain, texts_.reportMessage, 0, 0) != FALSE;
}

void WriteNotice::showPendingReport(const AppState& app) {
    reportPosted_ = false;
    // Held back, not dropped: the next second posts it again.
    if (!reportDue_ || reportOnScreen_ || sessionEnding_ || anotherWindowOfOursIsUp(app)) return;
    reportDue_ = false;
    reportOnScreen_ = true;
    showMessage(app.hwndMain, texts_.failureReport, app.title, MB_OK | MB_ICONERROR);
    reportOnScreen_ = false;
}
