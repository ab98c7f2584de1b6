#include "books/stretch_note.h"

#include "books/book_numbers.h"
#include "sets/ini_reader.h"

namespace {
const char noteSection[] = "BOOKS";

std::string openKey(int row) { return "OPEN_" + std::to_string(row); }

bool parseSignedCount(std::string_view text, int64_t& value) {
    const bool negative = !text.empty() && text[0] == '-';
    if (!parseCountText(negative ? text.substr(1) : text, value)) return false;
    if (negative) value = -value;
    return true;
}

// "2026-12-08 09:00:00,300,1250"
bool parseOpenStretch(std::string_view text, OpenStretch& stretch) {
    const std::size_t first = text.find(',');
    const std::size_t second = first == std::string_view::npos ? first : text.find(',', first + 1);
    if (second == std::string_view::npos) return false;
    LocalDateTime start;
    if (!parseDateTimeText(text.substr(0, first), start)) return false;
    stretch.start = localSeconds(start);
    return parseCountText(text.substr(first + 1, second - first - 1), stretch.startElapsed) &&
           parseSignedCount(text.substr(second + 1), stretch.startCents);
}
}  // namespace

std::string openStretchesNote(const std::vector<OpenStretch>& open, const TimerTable& table, int64_t now) {
    std::string note;
    for (const OpenStretch& stretch : open) {
        const int row = table.findRow(stretch.id);
        if (row < 0) continue;
        // Nothing runs, nothing to note: the file stays as it always was.
        if (note.empty()) note = std::string("\r\n[") + noteSection + "]\r\nKEPT = " + dateTimeText(dateTimeOfSeconds(now)) + "\r\n";
        note += openKey(row) + " = " + dateTimeText(dateTimeOfSeconds(stretch.start)) + "," +
                std::to_string(stretch.startElapsed) + "," + std::to_string(stretch.startCents) + "\r\n";
    }
    return note;
}

std::vector<BookEntry> interruptedStretches(std::string_view fileText, const TimerTable& table) {
    std::vector<BookEntry> entries;
    const IniReader ini(fileText.data(), fileText.size());
    std::string_view keptText;
    LocalDateTime kept;
    if (!ini.findValue(noteSection, "KEPT", keptText) || !parseDateTimeText(keptText, kept)) return entries;
    for (int row = 0; row < table.rowCount(); ++row) {
        std::string_view value;
        OpenStretch stretch;
        if (!ini.findValue(noteSection, openKey(row), value) || !parseOpenStretch(value, stretch)) continue;
        const TimerRecord record = table.readTimerRow(row);
        // A timer that had finished comes back from zero, short of where
        // any stretch of its began.
        if (totalSeconds(record.timeCurrent) < stretch.startElapsed) continue;
        BookEntry entry = stretchEntry(stretch, record, localSeconds(kept));
        if (isKeptStretch(entry)) entries.push_back(std::move(entry));
    }
    return entries;
}
