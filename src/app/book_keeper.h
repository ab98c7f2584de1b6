#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/write_notice.h"
#include "books/book_file.h"
#include "books/book_ledger.h"
#include "books/stretch_recorder.h"

extern const char booksFolder[];  // "Books", beside autosave.ini

// The books on the disk: the stretches the recorder ends become lines of
// Books\yyyy-mm.csv. They are gathered and written at most once a minute
// while timers run (a ring of one-second timers ends a stretch every
// second), and at once at the exit and the session's end. A write that
// fails keeps its entries for the next, which comes every second until one
// works; the user is told once, as of the autosave.
class BookKeeper {
public:
    BookKeeper() : notice_(booksNoticeTexts) {}

    // The wall clock, as the books keep it.
    static int64_t now();

    StretchRecorder& recorder() { return recorder_; }
    // After a command: stretches end and begin as the list now runs.
    void follow(const AppState& app);
    void tickReported(const TickReport& report);
    // A load or the exit: every stretch ends now.
    void endAll(const AppState& app);

    // Every second from the tick.
    void writeIfDue(const AppState& app);
    // The exit and the session's end; true when nothing waits unwritten.
    bool writeNow(const AppState& app);

    // Every entry for the report: the month files, and those still waiting
    // to be written (a write is tried first).
    void readAll(const AppState& app, BookLedger& ledger);

    // The open stretches, for autosave.ini (see stretch_note.h).
    std::string note(const AppState& app) const;
    // At the start, after the list of the last run loaded from `fileText`:
    // the stretches a kill interrupted, up to the moment that run kept.
    // Those that a start before this one recorded already (it was killed
    // before it rewrote the note) are not recorded twice.
    void recordInterrupted(const AppState& app, const std::string& fileText);

    WriteNotice& notice() { return notice_; }
    static constexpr int64_t writeIntervalMs = 60000;

private:
    void gather();
    bool write(const AppState& app);
    bool writeFile(const std::string& name, const std::vector<BookEntry>& entries);
    bool learnEnd(const std::string& path);

    StretchRecorder recorder_;
    std::vector<BookEntry> pending_;
    // How each month file ends, once it was read through; forgotten after a
    // write that failed, whose end nobody knows.
    std::map<std::string, BookFileEnd> ends_;
    int64_t lastWriteMs_ = INT64_MIN / 2;
    WriteNotice notice_;
};
