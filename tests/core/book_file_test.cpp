#include <gtest/gtest.h>

#include <cctype>
#include <vector>

#include "book_entries.h"
#include "books/book_file.h"

namespace {
const BookEntry plain = bookEntry("ACME", "2026-12-07 14:05:09", "2026-12-07 15:35:09", 1500, "2.5 per 15 minute");
const BookEntry later = bookEntry("Tea", "2026-12-08 09:00:00", "2026-12-08 09:04:00");
const std::string plainLine = "ACME,2026-12-07 14:05:09,2026-12-07 15:35:09,5400,2.5 per 15 minute,15.00,1\r\n";

// A file as the program makes it: `written` to a new file, then `tail`
// (what a torn write left, or lines from elsewhere), then `appended` by a
// writer told how the file ended. Every entry written reads back, in order.
struct FileCase {
    const char* what;
    std::vector<BookEntry> written;
    std::string tail;
    std::vector<BookEntry> appended;
    std::string shows;  // the file holds this text
    std::string fileName;  // of the first entry written
};

const FileCase fileCases[] = {
    {"a plain line", {plain}, "", {}, plainLine, "2026-12.csv"},
    {"quoting", {bookEntry("Rush, \"big\" job\r\nline 2\nline 3", "2026-12-01 08:00:00", "2026-12-01 08:00:01")}, "", {later},
     "\"Rush, \"\"big\"\" job\r\nline 2\nline 3\",", "2026-12.csv"},
    {"formula-looking texts",
     {bookEntry("=HYPERLINK(\"x\")", "2026-12-01 08:00:00", "2026-12-01 08:00:01", -250, "-2.5 per hour"),
      bookEntry("+1", "2026-12-01 08:00:00", "2026-12-01 08:00:01"), bookEntry("@A1", "2026-12-01 08:00:00", "2026-12-01 08:00:01"),
      bookEntry("\tx", "2026-12-01 08:00:00", "2026-12-01 08:00:01"), bookEntry("\rx", "2026-12-01 08:00:00", "2026-12-01 08:00:01"),
      bookEntry("''-x", "2026-12-01 08:00:00", "2026-12-01 08:00:01"), bookEntry("'quoted'", "2026-12-01 08:00:00", "2026-12-01 08:00:01")},
     "", {}, "\"'=HYPERLINK(\"\"x\"\")\",2026-12-01 08:00:00,2026-12-01 08:00:01,1,'-2.5 per hour,-2.50,1\r\n'+1,", "2026-12.csv"},
    {"UTF-8 names", {bookEntry("Caf\xC3\xA9 \xC3\x9C" "ber \xE6\x9D\xB1\xE4\xBA\xAC", "2026-12-01 08:00:00", "2026-12-01 09:00:00")}, "", {},
     "\r\nCaf\xC3\xA9 \xC3\x9C" "ber \xE6\x9D\xB1\xE4\xBA\xAC,", "2026-12.csv"},
    {"the locale's separators stay out of the file",
     {bookEntry("M\xC3\xBCller; 12,50", "2026-12-01 08:00:00", "2026-12-01 08:30:00", 1250, "12,5 per hour")}, "", {},
     "\"M\xC3\xBCller; 12,50\",2026-12-01 08:00:00,2026-12-01 08:30:00,1800,\"12,5 per hour\",12.50,1\r\n", "2026-12.csv"},
    {"a month boundary", {bookEntry("Night", "2026-11-30 23:50:00", "2026-12-01 00:20:00")}, "", {later},
     "Night,2026-11-30 23:50:00,2026-12-01 00:20:00,1800,", "2026-11.csv"},
    {"torn in a bare field", {plain}, plainLine.substr(0, 30), {later}, "", "2026-12.csv"},
    {"torn inside quotes", {plain}, "\"half, a \"\"descrip", {later}, "", "2026-12.csv"},
    {"torn inside quotes after a line break", {plain}, "\"two\r\n", {later}, "", "2026-12.csv"},
    {"torn right after a quote", {plain}, "\"ACME\"", {later}, "", "2026-12.csv"},
    {"torn with every field whole, the line end lost", {plain}, plainLine.substr(0, plainLine.size() - 2), {later}, "", "2026-12.csv"},
    {"torn between CR and LF", {plain}, plainLine.substr(0, plainLine.size() - 1), {later}, "", "2026-12.csv"},
    {"lines that are no entries",
     {plain},
     "\r\nx,y\r\nBad date,2026-02-29 08:00:00,2026-02-29 09:00:00,3600,,0.00,1\r\n"
     "Late,2026-12-07 24:00:00,2026-12-07 24:00:01,1,,0.00,1\r\nMinus,2026-12-07 08:00:00,2026-12-07 08:00:01,-1,,0.00,1\r\n"
     "No runs,2026-12-07 08:00:00,2026-12-07 08:00:01,1,,0.00,0\r\nCents,2026-12-07 08:00:00,2026-12-07 08:00:01,1,,1.5,1\r\n"
     "Eight,2026-12-07 08:00:00,2026-12-07 08:00:01,1,,0.00,1,\r\nBare\"quote,2026-12-07 08:00:00,2026-12-07 08:00:01,1,,0.00,1\r\n"
     "\"After\"quote,2026-12-07 08:00:00,2026-12-07 08:00:01,1,,0.00,1\r\nLone\rCR,2026-12-07 08:00:00,2026-12-07 08:00:01,1,,0.00,1\r\n"
     "Century,2026-12-07 08:00:00,2126-12-07 08:00:01,1,,0.00,1\r\n",
     {later}, "", "2026-12.csv"},
};

void PrintTo(const FileCase& c, std::ostream* out) { *out << c.what; }

class BookFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(BookFileTest, EveryEntryWrittenReadsBackAndNoOtherLine) {
    const FileCase& c = GetParam();
    std::string file = appendBookLines(c.written, readBookText("").end) + c.tail;
    EXPECT_EQ(readBookText(file).entries, c.written);
    file += appendBookLines(c.appended, readBookText(file).end);

    std::vector<BookEntry> expected = c.written;
    expected.insert(expected.end(), c.appended.begin(), c.appended.end());
    const BookText read = readBookText(file);
    EXPECT_EQ(read.entries, expected);
    EXPECT_EQ(read.end, BookFileEnd::LineEnd);
    EXPECT_NE(file.find(c.shows), std::string::npos) << file;
    EXPECT_EQ(bookFileName(c.written[0].start.date), c.fileName);
}

INSTANTIATE_TEST_SUITE_P(Cases, BookFileTest, ::testing::ValuesIn(fileCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char* c = info.param.what; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });
}  // namespace
