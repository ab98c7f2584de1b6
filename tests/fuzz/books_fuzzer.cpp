// Feeds arbitrary bytes to the books' reader, as a torn, damaged or
// hand-edited month file would reach it, and checks what comes back:
// nothing read out of bounds (the sanitizers); only entries the books can
// keep; what was read, written to a new file, reads back the same; lines
// appended after the text, the writer told how it ended, all read back
// after those it held, so no tear can swallow them; and the ledger holds
// the same entries in the order of their starts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "books/book_file.h"
#include "books/book_ledger.h"
#include "books/book_report.h"

namespace {
void require(bool condition) {
    if (!condition) std::abort();  // libFuzzer keeps the input that did it
}

BookEntry awkwardEntry() {
    BookEntry entry;
    entry.description = "=\"a, b\"\r\n";
    entry.start.date = LocalDate{2026, 12, 31};
    entry.end.date = LocalDate{2027, 1, 1};
    entry.seconds = 86400;
    entry.cents = -1;
    return entry;
}

void checkLedger(std::string_view text, std::vector<BookEntry> entries) {
    BookLedger ledger;
    require(ledger.addText(text) == entries.size());
    std::stable_sort(entries.begin(), entries.end(),
                     [](const BookEntry& a, const BookEntry& b) { return a.start < b.start; });
    int64_t seconds = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        require(ledger.entry(i) == entries[i]);
        seconds += entries[i].seconds;
    }
    const BookReport report = buildBookReport(ledger, BookPeriod{BookPeriodKind::All, {}, {}}, LocalDate{});
    require(report.total.seconds == seconds && report.endEntry - report.firstEntry == entries.size());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    const BookText read = readBookText(text);
    for (const BookEntry& entry : read.entries) require(isStorableEntry(entry));
    require(readBookText(appendBookLines(read.entries, BookFileEnd::Empty)).entries == read.entries);

    std::vector<BookEntry> more = read.entries;
    more.push_back(awkwardEntry());
    const BookText again = readBookText(std::string(text) + appendBookLines(more, read.end));
    std::vector<BookEntry> expected = read.entries;
    expected.insert(expected.end(), more.begin(), more.end());
    require(again.entries == expected && again.end == BookFileEnd::LineEnd);

    checkLedger(text, read.entries);
    return 0;
}
