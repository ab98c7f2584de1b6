// The report over a year of books, from month files not yet read: each
// case writes twelve files with the program's own writer into a temporary
// folder, then reads them into a ledger (std::ifstream, one file at a time,
// as the dialog would) and builds the report of every period seen from the
// last working day. The files were just written, so they come from the
// page cache: the figure is the reading and the report, not the disk.
//
//   busy desk    20 timers, a stretch every 10 minutes, 8 hours a day,
//                250 working days: 240,000 entries. Goal: read and report
//                the worst period within 200 ms.
//   stress case  100 timers, a stretch every 5 minutes: 2.4 million
//                entries. Goal: within 2 s and 100 MB of peak memory.
//
// The worst period is All: every entry is in it, its chart has a bar for
// every day of the year. The peak memory is the process's (VmHWM), its
// mark reset before each case, so it holds the ledger, the largest month
// file's text while it is read and the report.
//
//   books_report_bench [--runs N]   (the median of N loads, default 3)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <malloc.h>
#include <unistd.h>

#include "books/book_file.h"
#include "books/book_ledger.h"
#include "books/book_report.h"

namespace {
struct Desk {
    const char* name;
    int timers;
    int everyMinutes;
    double goalMs;
};

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

long statusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, std::strlen(key), key) == 0) return std::atol(line.c_str() + std::strlen(key));
    }
    return -1;
}

// Starts the peak memory afresh from what the process holds now.
void resetPeak() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The first 250 weekdays of 2026.
std::vector<LocalDate> workingDays() {
    std::vector<LocalDate> days;
    for (int64_t day = dayNumber(LocalDate{2026, 1, 1}); days.size() < 250; ++day) {
        if (isoWeekday(dateOfDay(day)) <= 5) days.push_back(dateOfDay(day));
    }
    return days;
}

// One day of a desk: each timer's stretches from 09:00 on, a few seconds
// apart from the others and of varied lengths, so that they end in another
// order than they start; the file has them in the order they ended.
std::vector<BookEntry> dayOfStretches(const Desk& desk, const LocalDate& day) {
    std::vector<BookEntry> entries;
    const int64_t nine = dayNumber(day) * 86400 + 9 * 3600;
    const int64_t every = desk.everyMinutes * 60;
    for (int64_t k = 0; k < 8 * 60 / desk.everyMinutes; ++k) {
        for (int t = 0; t < desk.timers; ++t) {
            BookEntry e;
            char name[64];
            std::snprintf(name, sizeof name, "Client %03d, project work", t);
            e.description = name;
            const int64_t start = nine + k * every + t * 3;
            e.seconds = every - 20 - (t * 37 + k * 11) % 200;
            e.start = dateTimeOfSeconds(start);
            e.end = dateTimeOfSeconds(start + e.seconds);
            if (t % 2 == 0) {
                e.price = "2.5 per 15 minute";
                e.cents = e.seconds / 900 * 250;
            }
            entries.push_back(e);
        }
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const BookEntry& a, const BookEntry& b) { return a.end < b.end; });
    return entries;
}

// Writes the year's month files; returns their paths and total size.
std::vector<std::string> writeYear(const Desk& desk, const std::string& folder, long long& bytes) {
    std::vector<std::string> paths;
    std::string text;
    bytes = 0;
    const std::vector<LocalDate> days = workingDays();
    for (std::size_t i = 0; i < days.size(); ++i) {
        text += appendBookLines(dayOfStretches(desk, days[i]), text.empty() ? BookFileEnd::Empty : BookFileEnd::LineEnd);
        if (i + 1 == days.size() || days[i + 1].month != days[i].month) {
            paths.push_back(folder + "/" + bookFileName(days[i]));
            std::ofstream(paths.back(), std::ios::binary) << text;
            bytes += static_cast<long long>(text.size());
            text.clear();
            text.shrink_to_fit();
        }
    }
    return paths;
}

std::string fileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    std::string text(static_cast<std::size_t>(file.tellg()), '\0');
    file.seekg(0);
    file.read(&text[0], static_cast<std::streamsize>(text.size()));
    return text;
}

void loadYear(BookLedger& ledger, const std::vector<std::string>& paths) {
    for (const std::string& path : paths) ledger.addText(fileText(path));
}

const struct {
    const char* name;
    BookPeriodKind kind;
} periods[] = {{"today", BookPeriodKind::Today},          {"this week", BookPeriodKind::ThisWeek},
               {"this month", BookPeriodKind::ThisMonth}, {"last month", BookPeriodKind::LastMonth},
               {"all", BookPeriodKind::All}};

void runDesk(const Desk& desk, const std::string& folder, int runs) {
    long long bytes = 0;
    const std::vector<std::string> paths = writeYear(desk, folder, bytes);
    const LocalDate today = workingDays().back();
    resetPeak();
    std::vector<double> loads;
    std::vector<std::vector<double>> reports(std::size(periods));
    std::size_t entries = 0;
    for (int run = 0; run < runs; ++run) {
        BookLedger ledger;
        const auto start = std::chrono::steady_clock::now();
        loadYear(ledger, paths);
        loads.push_back(msSince(start));
        entries = ledger.size();
        for (std::size_t p = 0; p < std::size(periods); ++p) {
            const auto from = std::chrono::steady_clock::now();
            const BookReport report = buildBookReport(ledger, BookPeriod{periods[p].kind, {}, {}}, today);
            reports[p].push_back(msSince(from));
            if (run == 0 && report.rows.size() != static_cast<std::size_t>(desk.timers)) std::abort();
        }
    }
    std::printf("-- %s: %d timers, a stretch every %d minutes, 8 hours a day, 250 days: %zu entries in %zu files, %.1f MB\n",
                desk.name, desk.timers, desk.everyMinutes, entries, paths.size(), bytes / 1e6);
    std::printf("   read and parsed    %8.1f ms  (median of %d)\n", median(loads), runs);
    double worst = 0;
    const char* worstName = "";
    for (std::size_t p = 0; p < std::size(periods); ++p) {
        const double ms = median(reports[p]);
        std::printf("   report %-11s %8.1f ms\n", periods[p].name, ms);
        if (ms >= worst) {
            worst = ms;
            worstName = periods[p].name;
        }
    }
    std::printf("   worst period: %s, read and report %.1f ms (goal %.0f ms); peak memory %.1f MB\n", worstName,
                median(loads) + worst, desk.goalMs, statusKb("VmHWM:") / 1024.0);
    for (const std::string& path : paths) std::remove(path.c_str());
}
}  // namespace

int main(int argc, char** argv) {
    int runs = 3;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
    }
    char folder[] = "/tmp/horalet-books-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    runDesk(Desk{"busy desk", 20, 10, 200}, folder, runs);
    runDesk(Desk{"stress case", 100, 5, 2000}, folder, runs);
    rmdir(folder);
    return 0;
}
