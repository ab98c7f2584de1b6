#pragma once
#include <string>

#include "books/book_ledger.h"
#include "books/book_report.h"

// How Copy and Export write the report for a spreadsheet in the user's
// locale: numbers with the locale's decimal mark, fields apart by the
// separator, quoted where they hold one, texts guarded against being taken
// for formulas (csv_field.h), CR LF line ends, a header line. Durations
// come twice, as hh:mm:ss and as decimal hours: a spreadsheet reads
// "27:30:00" as a time of day.
struct ReportTextFormat {
    std::string separator;
    std::string decimalMark;
    bool byteOrderMark = false;  // so that Excel reads the file as UTF-8
};

// Copy: tab-separated, which pastes as columns in every locale.
ReportTextFormat copyTextFormat(const std::string& decimalMark);
// Export: the locale's list separator (";" where the decimal mark is ",")
// and a byte order mark. An empty setting falls back to "," and ".".
ReportTextFormat exportTextFormat(const std::string& listSeparator, const std::string& decimalMark);

// Description, Stretches, Time, Hours, Amount; the rows, then the total.
std::string reportRowsText(const BookReport& report, const ReportTextFormat& format);
// Description, Start, End, Time, Hours, Price, Amount, Runs; the period's
// entries in the order they started.
std::string reportEntriesText(const BookReport& report, const BookLedger& ledger, const ReportTextFormat& format);
