#pragma once
#include <string>
#include <string_view>
#include <vector>

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

// The columns of the report's rows (Description, Stretches, Time, Hours,
// Amount) and of its single entries (Description, Start, End, Time, Hours,
// Price, Amount, Runs), and their cells as the dialog shows them too.
struct ReportColumn {
    const char* name;
    bool isText;  // a text of the user's, guarded in a file; else a number or a date
};
const std::vector<ReportColumn>& reportColumns(bool entries);
constexpr const char* reportTotalName = "Total";
std::vector<std::string> bookRowCells(const BookRow& row, std::string_view name, std::string_view decimalMark);
std::vector<std::string> bookEntryCells(const BookEntry& entry, std::string_view decimalMark);

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
