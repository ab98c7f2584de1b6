#include "app/autosave.h"

#include "app/book_keeper.h"
#include "platform/file_io.h"
#include "platform/list_view_control.h"
#include "platform/message_box.h"
#include "platform/monotonic_clock.h"
#include "sets/timer_set_file.h"

const char autosaveReadPath[] = ".\\autosave.ini";
const char autosaveWritePath[] = "autosave.ini";
const char autosaveUnreadPath[] = "autosave-unread.ini";

namespace {
const char exitQuestion[] =
    "Error operation of save!\r\n\r\n"
    "The list cannot be written to autosave.ini. Retry, or Cancel to keep Horalet running with its list.";

// Without progress: what a change of the list is told by. The times move
// every second, and a write for each would wear the disk for nothing; they
// are written with every change and once a minute besides.
std::string setText(const AppState& app, bool withProgress) {
    ListViewControl list(app.hwndList);
    TimerTable table(list);
    TextBuffer text = buildTimerSetText(table, withProgress);
    return std::string(text.text(), static_cast<std::size_t>(text.length()));
}

std::string currentSetText(const AppState& app) { return setText(app, false); }

// An empty list writes an empty file; anything else that loads no timer is a
// file the next save must not simply replace.
bool holdsSomethingUnread(const AppState& app) {
    if (ListViewControl(app.hwndList).rowCount() > 0) return false;
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExA(autosaveWritePath, GetFileExInfoStandard, &info)) {
        return GetLastError() != ERROR_FILE_NOT_FOUND && GetLastError() != ERROR_PATH_NOT_FOUND;
    }
    return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && (info.nFileSizeLow | info.nFileSizeHigh) != 0;
}
}  // namespace

void Autosave::adoptLoadedFile(const AppState& app) {
    savedText_ = currentSetText(app);
    lastWriteMs_ = monotonicMs();
    unreadFileToKeep_ = holdsSomethingUnread(app);
    if (unreadFileToKeep_) {
        showMessage(app.hwndMain,
                    "autosave.ini holds no timers that can be read, so the list starts empty.\r\n"
                    "The file will be kept as autosave-unread.ini.",
                    app.title, MB_ICONWARNING);
    }
}

bool Autosave::keepUnreadFile() {
    if (!unreadFileToKeep_) return true;
    // A file gone meanwhile leaves nothing to lose.
    if (!CopyFileA(autosaveWritePath, autosaveUnreadPath, FALSE) && GetLastError() != ERROR_FILE_NOT_FOUND) {
        return false;
    }
    unreadFileToKeep_ = false;
    return true;
}

bool Autosave::write(const AppState& app, const std::string& text) {
    // The open stretches ride along, so that the books and the list agree
    // on where a kill left each timer.
    const std::string withProgress = setText(app, true) + (app.books ? app.books->note(app) : std::string());
    const bool saved =
        keepUnreadFile() && replaceFileContents(autosaveWritePath, withProgress.data(), withProgress.size());
    if (saved) {
        savedText_ = text;
        lastWriteMs_ = monotonicMs();
        notice_.saveSucceeded(app);
    } else {
        notice_.saveFailed(app);
    }
    return saved;
}

void Autosave::saveIfChanged(const AppState& app) {
    if (notice_.failing()) return;
    std::string text = currentSetText(app);
    if (text != savedText_) write(app, text);
}

bool Autosave::saveNow(const AppState& app) {
    std::string text = currentSetText(app);
    return (!notice_.failing() && text == savedText_) || write(app, text);
}

void Autosave::keepProgress(const AppState& app) {
    if (notice_.failing() || monotonicMs() - lastWriteMs_ < progressIntervalMs) return;
    write(app, currentSetText(app));
}

void Autosave::retryIfFailing(const AppState& app) {
    if (notice_.failing()) write(app, currentSetText(app));
    notice_.postHeldReport(app);
}

bool Autosave::saveForExit(const AppState& app) {
    while (!write(app, currentSetText(app))) {
        notice_.toldByExit();
        if (showMessage(app.hwndMain, exitQuestion, app.title, MB_RETRYCANCEL | MB_ICONERROR) != IDRETRY) {
            return false;
        }
    }
    savedForExit_ = true;
    return true;
}

void Autosave::saveQuietly(const AppState& app) {
    if (!savedForExit_) write(app, currentSetText(app));
}

void Autosave::saveForSessionEnd(const AppState& app) {
    notice_.holdForSessionEnd(true);
    saveQuietly(app);
}
