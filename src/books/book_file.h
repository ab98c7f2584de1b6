#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "books/book_entry.h"

// The books' month file, Books\2026-12.csv: the program's own data, so the
// same whatever the locale. UTF-8 CSV (RFC 4180) with "," and ".", CR LF
// line ends, a header line, then one line an entry:
//
//   description,start,end,seconds,price,amount,runs
//   ACME,2026-12-07 14:05:09,2026-12-07 15:35:09,5400,2.5 per 15 minute,15.00,1
//
// The texts carry the spreadsheet's formula guard (see csv_field.h), which
// the reader takes off again.
//
// A kill or a power cut can tear the last line at any byte, inside a
// quoted field too, where an appended line break would not end it. The
// reader never takes a line without its line end, or with other than seven
// fields that all read, for an entry; it reads on from the next line. And
// the writer is told how the file ends, as the reader found it, and closes
// a torn line first: a closing quote if the tear is inside one, then seven
// more fields and a line end, so that the torn line can never come out as
// seven fields, today or after any later append. A file that is missing
// reads as "" (Empty). After an append that was written whole the file
// ends at a line end, so the program reads a file through once, before
// its first append to it, and again only after a write that failed.
enum class BookFileEnd {
    Empty,         // no line at all: the header comes first
    LineEnd,       // ends where a line ends
    TornLine,      // ends inside a line
    TornInQuotes,  // ends inside a quoted field
};

// The month file an entry goes to, by the date of its start: "2026-12.csv".
std::string bookFileName(const LocalDate& start);

// The text to append to a file that ends as `end` says: the header or the
// closing of a torn line, then the entries' lines.
std::string appendBookLines(const std::vector<BookEntry>& entries, BookFileEnd end);

// Calls `take` with each entry of a file's text, in order (the entry is
// the reader's own and changes after the call), and tells how the text
// ends.
BookFileEnd forEachBookEntry(std::string_view text, const std::function<void(const BookEntry&)>& take);

struct BookText {
    std::vector<BookEntry> entries;
    BookFileEnd end = BookFileEnd::Empty;
};
BookText readBookText(std::string_view text);
