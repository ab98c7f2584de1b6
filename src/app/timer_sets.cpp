#include "app/timer_sets.h"

#include <new>
#include <string>

#include "app/book_keeper.h"
#include "app/clock_display.h"
#include "platform/file_io.h"
#include "platform/list_view_control.h"
#include "platform/message_box.h"
#include "sets/timer_set_file.h"

namespace {
bool writeTableTo(const char* path, const TimerTable& table) {
    try {
        TextBuffer text = buildTimerSetText(table);
        return replaceFileContents(path, text.text(), static_cast<std::size_t>(text.length()));
    } catch (const std::bad_alloc&) {
        return false;  // the old file is still whole; the user hears of it below
    }
}

// A list view that redraws after every inserted row is slow to fill (about
// 2 ms a row under Wine); the rows are drawn once, when all are in.
class RedrawSuspended {
public:
    explicit RedrawSuspended(HWND list) : list_(list) { SendMessageA(list_, WM_SETREDRAW, FALSE, 0); }
    ~RedrawSuspended() {
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }
    RedrawSuspended(const RedrawSuspended&) = delete;
    RedrawSuspended& operator=(const RedrawSuspended&) = delete;

private:
    HWND list_;
};
}  // namespace

bool saveTimerSet(const char* path, const AppState& app) {
    ListViewControl list(app.hwndList);
    TimerTable table(list);
    if (writeTableTo(path, table)) return true;
    showMessage(app.hwndMain, "Error operation of save!", app.title, MB_ICONERROR);
    return false;
}

void loadTimerSet(const char* path, const AppState& app, bool pauseAll) {
    std::string contents;
    if (!readFileContents(path, contents)) contents.clear();  // a missing file gives an empty table
    ListViewControl list(app.hwndList);
    TimerTable table(list);
    if (app.books) app.books->endAll(app);  // the list's timers leave it
    int loaded = 0;
    {
        RedrawSuspended quiet(app.hwndList);
        loaded = readTimerSetText(table, contents.data(), contents.size(), pauseAll);
    }
    // The last run's list keeps the stretches a kill interrupted.
    if (pauseAll && app.books) app.books->recordInterrupted(app, contents);
    if (loaded > 0) refreshClock(app);
}
