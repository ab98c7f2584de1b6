#include "app/book_keeper.h"

#include <windows.h>

#include <algorithm>

#include "books/stretch_note.h"
#include "platform/file_io.h"
#include "platform/list_view_control.h"
#include "platform/monotonic_clock.h"

const char booksFolder[] = "Books";

namespace {
std::string bookPath(const std::string& name) { return std::string(booksFolder) + "\\" + name; }

bool folderReady() {
    return CreateDirectoryA(booksFolder, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}
}  // namespace

int64_t BookKeeper::now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return localSeconds({{t.wYear, t.wMonth, t.wDay}, t.wHour, t.wMinute, t.wSecond});
}

void BookKeeper::gather() {
    std::vector<BookEntry> ended = recorder_.takeEntries();
    pending_.insert(pending_.end(), std::make_move_iterator(ended.begin()), std::make_move_iterator(ended.end()));
}

void BookKeeper::follow(const AppState& app) {
    ListViewControl list(app.hwndList);
    recorder_.follow(TimerTable(list), now());
    gather();
}

void BookKeeper::tickReported(const TickReport& report) {
    if (report.rows.empty()) return;
    recorder_.tickReported(report, now());
    gather();
}

void BookKeeper::endAll(const AppState& app) {
    ListViewControl list(app.hwndList);
    recorder_.endAll(TimerTable(list), now());
    gather();
}

void BookKeeper::writeIfDue(const AppState& app) {
    if (pending_.empty()) return;
    if (notice_.failing() || monotonicMs() - lastWriteMs_ >= writeIntervalMs) write(app);
    notice_.postHeldReport(app);
}

bool BookKeeper::writeNow(const AppState& app) { return pending_.empty() || write(app); }

bool BookKeeper::learnEnd(const std::string& path) {
    if (ends_.count(path)) return true;
    std::string text;
    if (!readFileContents(path.c_str(), text)) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return false;
    }
    ends_[path] = forEachBookEntry(text, [](const BookEntry&) {});
    return true;
}

bool BookKeeper::writeFile(const std::string& name, const std::vector<BookEntry>& entries) {
    const std::string path = bookPath(name);
    if (!learnEnd(path)) return false;
    const std::string text = appendBookLines(entries, ends_[path]);
    if (!appendFileContents(path.c_str(), text.data(), text.size())) {
        ends_.erase(path);  // a part may have landed: read it again first
        return false;
    }
    ends_[path] = BookFileEnd::LineEnd;
    return true;
}

// Month by month, each file in one append; the entries of a month that
// could not be written stay, in order, for the next try.
bool BookKeeper::write(const AppState& app) {
    lastWriteMs_ = monotonicMs();
    std::vector<BookEntry> left;
    bool written = folderReady();
    if (written) {
        std::map<std::string, std::vector<BookEntry>> months;
        for (BookEntry& entry : pending_) months[bookFileName(entry.start.date)].push_back(std::move(entry));
        for (auto& [name, entries] : months) {
            if (written && writeFile(name, entries)) continue;
            written = false;
            left.insert(left.end(), entries.begin(), entries.end());
        }
        pending_.swap(left);
    }
    if (written) {
        notice_.saveSucceeded(app);
    } else {
        notice_.saveFailed(app);
    }
    return written;
}

std::string BookKeeper::note(const AppState& app) const {
    ListViewControl list(app.hwndList);
    return openStretchesNote(recorder_.open(), TimerTable(list), now());
}

void BookKeeper::recordInterrupted(const AppState& app, const std::string& fileText) {
    ListViewControl list(app.hwndList);
    for (BookEntry& entry : interruptedStretches(fileText, TimerTable(list))) {
        std::string text;
        readFileContents(bookPath(bookFileName(entry.start.date)).c_str(), text);
        bool recorded = false;
        forEachBookEntry(text, [&](const BookEntry& kept) { recorded = recorded || kept == entry; });
        if (!recorded) pending_.push_back(std::move(entry));
    }
    if (!pending_.empty()) write(app);
}

void BookKeeper::readAll(const AppState& app, BookLedger& ledger) {
    ledger.clear();
    writeNow(app);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(bookPath("*.csv").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string text;
            if (readFileContents(bookPath(found.cFileName).c_str(), text)) ledger.addText(text);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    for (const BookEntry& entry : pending_) ledger.add(entry);
}
