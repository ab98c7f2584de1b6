#include "books/report_text.h"

#include <iterator>

#include "books/book_numbers.h"
#include "books/csv_field.h"

namespace {
const ReportColumn rowColumns[] = {
    {"Description", true}, {"Stretches", false}, {"Time", false}, {"Hours", false}, {"Amount", false}};
const ReportColumn entryColumns[] = {{"Description", true}, {"Start", false}, {"End", false},  {"Time", false},
                                     {"Hours", false},      {"Price", true},  {"Amount", false}, {"Runs", false}};

// Texts carry the formula guard (csv_field.h), numbers go as they are.
void appendLine(std::string& text, const ReportTextFormat& format, const std::vector<ReportColumn>& columns,
                const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) text.append(format.separator);
        if (columns[i].isText) {
            appendCsvText(text, cells[i], format.separator);
        } else {
            appendCsvValue(text, cells[i], format.separator);
        }
    }
    text.append("\r\n");
}

std::string headerText(const ReportTextFormat& format, const std::vector<ReportColumn>& columns) {
    std::string text = format.byteOrderMark ? "\xEF\xBB\xBF" : "";
    std::vector<std::string> names;
    for (const ReportColumn& column : columns) names.push_back(column.name);
    appendLine(text, format, std::vector<ReportColumn>(columns.size(), {"", true}), names);
    return text;
}
}  // namespace

const std::vector<ReportColumn>& reportColumns(bool entries) {
    static const std::vector<ReportColumn> rows(std::begin(rowColumns), std::end(rowColumns));
    static const std::vector<ReportColumn> single(std::begin(entryColumns), std::end(entryColumns));
    return entries ? single : rows;
}

std::vector<std::string> bookRowCells(const BookRow& row, std::string_view name, std::string_view decimalMark) {
    return {std::string(name), std::to_string(row.stretches), clockText(row.seconds),
            decimalHoursText(row.seconds, decimalMark), centsText(row.cents, decimalMark)};
}

std::vector<std::string> bookEntryCells(const BookEntry& entry, std::string_view decimalMark) {
    return {entry.description,
            dateTimeText(entry.start),
            dateTimeText(entry.end),
            clockText(entry.seconds),
            decimalHoursText(entry.seconds, decimalMark),
            entry.price,
            centsText(entry.cents, decimalMark),
            std::to_string(entry.runs)};
}

ReportTextFormat copyTextFormat(const std::string& decimalMark) {
    return ReportTextFormat{"\t", decimalMark.empty() ? "." : decimalMark, false};
}

ReportTextFormat exportTextFormat(const std::string& listSeparator, const std::string& decimalMark) {
    return ReportTextFormat{listSeparator.empty() ? "," : listSeparator, decimalMark.empty() ? "." : decimalMark, true};
}

std::string reportRowsText(const BookReport& report, const ReportTextFormat& format) {
    const std::vector<ReportColumn>& columns = reportColumns(false);
    std::string text = headerText(format, columns);
    for (const BookRow& row : report.rows) {
        appendLine(text, format, columns, bookRowCells(row, row.description, format.decimalMark));
    }
    appendLine(text, format, columns, bookRowCells(report.total, reportTotalName, format.decimalMark));
    return text;
}

std::string reportEntriesText(const BookReport& report, const BookLedger& ledger, const ReportTextFormat& format) {
    const std::vector<ReportColumn>& columns = reportColumns(true);
    std::string text = headerText(format, columns);
    for (std::size_t i = report.firstEntry; i < report.endEntry; ++i) {
        appendLine(text, format, columns, bookEntryCells(ledger.entry(i), format.decimalMark));
    }
    return text;
}
