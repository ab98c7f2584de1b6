#include "books/book_file.h"

#include "books/book_numbers.h"
#include "books/csv_field.h"

namespace {
const char header[] = "description,start,end,seconds,price,amount,runs\r\n";
// Seven more fields: whatever a torn line held, it now has more than seven.
const char closeTornLine[] = ",,,,,,,\r\n";

void appendBookLine(std::string& text, const BookEntry& entry) {
    appendCsvText(text, entry.description, ",");
    text.append(",").append(dateTimeText(entry.start));
    text.append(",").append(dateTimeText(entry.end));
    text.append(",").append(std::to_string(entry.seconds)).append(",");
    appendCsvText(text, entry.price, ",");
    text.append(",").append(centsText(entry.cents, "."));
    text.append(",").append(std::to_string(entry.runs)).append("\r\n");
}
}  // namespace

std::string bookFileName(const LocalDate& start) {
    return dateText(start).substr(0, 7) + ".csv";
}

std::string appendBookLines(const std::vector<BookEntry>& entries, BookFileEnd end) {
    std::string text;
    switch (end) {
    case BookFileEnd::Empty: text = header; break;
    case BookFileEnd::LineEnd: break;
    case BookFileEnd::TornLine: text = closeTornLine; break;
    case BookFileEnd::TornInQuotes: text = std::string("\"") + closeTornLine; break;
    }
    for (const BookEntry& entry : entries) appendBookLine(text, entry);
    return text;
}
