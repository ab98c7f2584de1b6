#include <gtest/gtest.h>

#include <cstring>

#include "book_entries.h"
#include "books/book_price.h"
#include "books/report_text.h"

namespace {
struct PriceCase {
    int32_t coastInt;
    const char* coastFrac;
    int32_t forValue;
    const char* unit;
    const char* text;
    TimeHms elapsed;
    int64_t cents;  // what the Sum column shows after `elapsed`
};

const PriceCase priceCases[] = {
    {2, "5", 15, "minute", "2.5 per 15 minute", {0, 31, 10}, 500},
    {3, "05", 1, "hour", "3.05 per 1 hour", {2, 59, 59}, 610},
    {0, "5", 0, "second", "0.5 per second", {0, 0, 3}, 150},
    {0, "29", 1, "second", "0.29 per 1 second", {0, 0, 1}, 29},  // 0.29 * 100 is 28.999... in binary
    {7, "", 2, "Minute", "7 per 2 second", {0, 0, 5}, 1400},  // the unit charged, not the one typed
    {4, "5x", 1, "hour", "4.5 per 1 hour", {1, 0, 0}, 450},
    {-2, "5", 1, "hour", "-2.5 per 1 hour", {3, 0, 0}, -750},
    {0, "", 15, "minute", "", {5, 0, 0}, 0},
    {0, "00", 1, "hour", "", {5, 0, 0}, 0},
};

TEST(BookPrice, TextAsChargedAndSumInCentsAsShown) {
    for (const PriceCase& c : priceCases) {
        TimerRecord r;
        r.coastInt = c.coastInt;
        std::strcpy(r.coastFrac, c.coastFrac);
        r.forValue = c.forValue;
        std::strcpy(r.unit, c.unit);
        r.timeCurrent = c.elapsed;
        EXPECT_EQ(bookPriceText(r), c.text);
        EXPECT_EQ(sumCents(r), c.cents) << c.text;
    }
}

BookReport twoRows(BookLedger& ledger) {
    ledger.add(bookEntry("=1+1", "2026-12-07 09:00:00", "2026-12-07 10:30:00", 123456, "-2 per 1 hour"));
    ledger.add(bookEntry("Rush; \"big\"\tjob", "2026-12-07 11:00:00", "2026-12-08 14:30:09", -5, "", 3, 99018));
    return buildBookReport(ledger, BookPeriod{BookPeriodKind::Today, {}, {}}, LocalDate{2026, 12, 7});
}

struct ReportTextCase {
    const char* what;
    ReportTextFormat format;
    bool entries;
    std::string text;
};

const ReportTextCase reportTextCases[] = {
    {"Copy, a comma locale", copyTextFormat(","), false,
     "Description\tStretches\tTime\tHours\tAmount\r\n"
     "'=1+1\t1\t01:30:00\t1,50\t1234,56\r\n"
     "\"Rush; \"\"big\"\"\tjob\"\t3\t27:30:18\t27,51\t-0,05\r\n"
     "Total\t4\t29:00:18\t29,01\t1234,51\r\n"},
    {"Export, a semicolon locale", exportTextFormat(";", ","), false,
     "\xEF\xBB\xBF" "Description;Stretches;Time;Hours;Amount\r\n"
     "'=1+1;1;01:30:00;1,50;1234,56\r\n"
     "\"Rush; \"\"big\"\"\tjob\";3;27:30:18;27,51;-0,05\r\n"
     "Total;4;29:00:18;29,01;1234,51\r\n"},
    {"Export of the entries, a comma that is also the mark", exportTextFormat(",", ","), true,
     "\xEF\xBB\xBF" "Description,Start,End,Time,Hours,Price,Amount,Runs\r\n"
     "'=1+1,2026-12-07 09:00:00,2026-12-07 10:30:00,01:30:00,\"1,50\",'-2 per 1 hour,\"1234,56\",1\r\n"
     "\"Rush; \"\"big\"\"\tjob\",2026-12-07 11:00:00,2026-12-08 14:30:09,27:30:18,\"27,51\",,\"-0,05\",3\r\n"},
};

TEST(ReportText, CopyAndExportFollowTheLocale) {
    for (const ReportTextCase& c : reportTextCases) {
        BookLedger ledger;
        const BookReport report = twoRows(ledger);
        EXPECT_EQ(c.entries ? reportEntriesText(report, ledger, c.format) : reportRowsText(report, c.format), c.text)
            << c.what;
    }
}
}  // namespace
