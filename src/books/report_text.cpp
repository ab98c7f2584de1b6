#include "books/report_text.h"

#include <initializer_list>

#include "books/book_numbers.h"
#include "books/csv_field.h"

namespace {
// Builds one line field by field, each after the separator but the first.
class ReportLine {
public:
    ReportLine(std::string& text, const ReportTextFormat& format) : text_(text), format_(format) {}
    ~ReportLine() { text_.append("\r\n"); }

    ReportLine& text(std::string_view value) {
        separate();
        appendCsvText(text_, value, format_.separator);
        return *this;
    }
    ReportLine& value(std::string_view value) {
        separate();
        appendCsvValue(text_, value, format_.separator);
        return *this;
    }
    ReportLine& duration(int64_t seconds) {
        return value(clockText(seconds)).value(decimalHoursText(seconds, format_.decimalMark));
    }
    ReportLine& cents(int64_t cents) { return value(centsText(cents, format_.decimalMark)); }

private:
    void separate() {
        if (!first_) text_.append(format_.separator);
        first_ = false;
    }

    std::string& text_;
    const ReportTextFormat& format_;
    bool first_ = true;
};

std::string startText(const ReportTextFormat& format, std::initializer_list<const char*> header) {
    std::string text = format.byteOrderMark ? "\xEF\xBB\xBF" : "";
    {
        ReportLine line(text, format);  // its line end comes as it goes
        for (const char* name : header) line.text(name);
    }
    return text;
}

void appendRow(std::string& text, const ReportTextFormat& format, const BookRow& row, const std::string& name) {
    ReportLine(text, format).text(name).value(std::to_string(row.stretches)).duration(row.seconds).cents(row.cents);
}
}  // namespace

ReportTextFormat copyTextFormat(const std::string& decimalMark) {
    return ReportTextFormat{"\t", decimalMark.empty() ? "." : decimalMark, false};
}

ReportTextFormat exportTextFormat(const std::string& listSeparator, const std::string& decimalMark) {
    return ReportTextFormat{listSeparator.empty() ? "," : listSeparator, decimalMark.empty() ? "." : decimalMark, true};
}

std::string reportRowsText(const BookReport& report, const ReportTextFormat& format) {
    std::string text = startText(format, {"Description", "Stretches", "Time", "Hours", "Amount"});
    for (const BookRow& row : report.rows) appendRow(text, format, row, row.description);
    appendRow(text, format, report.total, "Total");
    return text;
}

std::string reportEntriesText(const BookReport& report, const BookLedger& ledger, const ReportTextFormat& format) {
    std::string text =
        startText(format, {"Description", "Start", "End", "Time", "Hours", "Price", "Amount", "Runs"});
    for (std::size_t i = report.firstEntry; i < report.endEntry; ++i) {
        const BookEntry entry = ledger.entry(i);
        ReportLine(text, format)
            .text(entry.description)
            .value(dateTimeText(entry.start))
            .value(dateTimeText(entry.end))
            .duration(entry.seconds)
            .text(entry.price)
            .cents(entry.cents)
            .value(std::to_string(entry.runs));
    }
    return text;
}
