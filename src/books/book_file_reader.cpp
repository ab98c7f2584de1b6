#include <array>
#include <climits>

#include "books/book_file.h"
#include "books/book_numbers.h"
#include "books/csv_field.h"

namespace {
constexpr std::size_t columnCount = 7;

enum class Scan { Line, BadLine, Torn };

// Reads the text one line (one CSV record) at a time, RFC 4180's way:
// quoted fields may hold line breaks. A line that breaks the rules (a
// quote inside a bare field, a character after a closing quote, a carriage
// return alone) is passed over up to the next line feed.
class LineScanner {
public:
    explicit LineScanner(std::string_view text) : text_(text) {}

    bool atEnd() const { return at_ == text_.size(); }
    bool isEmpty() const { return text_.empty(); }
    BookFileEnd tornEnd() const { return tornEnd_; }
    std::size_t fieldCount() const { return count_; }
    std::string_view field(std::size_t i) const { return fields_[i]; }

    Scan scanLine() {
        count_ = 0;
        for (;;) {
            if (atEnd()) return torn(BookFileEnd::TornLine);
            if (text_[at_] != '"') {
                readBareField();
            } else if (!readQuotedField()) {
                return torn(BookFileEnd::TornInQuotes);
            }
            if (atEnd()) return torn(BookFileEnd::TornLine);
            const char after = text_[at_];
            if (after == ',') {
                ++at_;
            } else if (after == '\n') {
                ++at_;
                return Scan::Line;
            } else if (after == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n') {
                at_ += 2;
                return Scan::Line;
            } else {
                return passOverLine();
            }
        }
    }

private:
    Scan torn(BookFileEnd end) {
        tornEnd_ = end;
        at_ = text_.size();
        return Scan::Torn;
    }

    Scan passOverLine() {
        const std::size_t lineFeed = text_.find('\n', at_);
        if (lineFeed == std::string_view::npos) return torn(BookFileEnd::TornLine);
        at_ = lineFeed + 1;
        return Scan::BadLine;
    }

    void keep(std::string_view value) {
        if (count_ < columnCount) fields_[count_] = value;
        ++count_;
    }

    // Up to the next comma or line end; a quote stops it too, and the line
    // is then passed over.
    void readBareField() {
        const std::size_t start = at_;
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == ',' || c == '\n' || c == '\r' || c == '"') break;
            ++at_;
        }
        keep(text_.substr(start, at_ - start));
    }

    // False when the text ends inside the quotes. A doubled quote stands for
    // one; only then is the field copied, into a buffer of its own.
    bool readQuotedField() {
        std::size_t start = ++at_;
        std::string* unquoted = nullptr;
        for (;;) {
            const std::size_t quote = text_.find('"', at_);
            if (quote == std::string_view::npos) return false;
            if (quote + 1 < text_.size() && text_[quote + 1] == '"') {
                if (!unquoted) {
                    unquoted = &buffers_[count_ < columnCount ? count_ : 0];
                    unquoted->clear();
                }
                unquoted->append(text_.substr(start, quote + 1 - start));
                at_ = start = quote + 2;
                continue;
            }
            at_ = quote + 1;
            if (!unquoted) {
                keep(text_.substr(start, quote - start));
            } else {
                unquoted->append(text_.substr(start, quote - start));
                keep(*unquoted);
            }
            return true;
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t count_ = 0;
    std::array<std::string_view, columnCount> fields_;
    std::array<std::string, columnCount> buffers_;
    BookFileEnd tornEnd_ = BookFileEnd::LineEnd;
};

bool readEntry(const LineScanner& line, BookEntry& entry) {
    if (line.fieldCount() != columnCount) return false;
    int64_t runs = 0;
    if (!parseDateTimeText(line.field(1), entry.start) || !parseDateTimeText(line.field(2), entry.end) ||
        !parseCountText(line.field(3), entry.seconds) || !parseCentsText(line.field(5), entry.cents) ||
        !parseCountText(line.field(6), runs) || runs > INT32_MAX) {
        return false;
    }
    entry.runs = static_cast<int32_t>(runs);
    entry.description.assign(unguardedText(line.field(0)));
    entry.price.assign(unguardedText(line.field(4)));
    return isStorableEntry(entry);
}
}  // namespace

BookFileEnd forEachBookEntry(std::string_view text, const std::function<void(const BookEntry&)>& take) {
    LineScanner scanner(text);
    if (scanner.isEmpty()) return BookFileEnd::Empty;
    BookEntry entry;
    while (!scanner.atEnd()) {
        const Scan scan = scanner.scanLine();
        if (scan == Scan::Torn) return scanner.tornEnd();
        if (scan == Scan::Line && readEntry(scanner, entry)) take(entry);
    }
    return BookFileEnd::LineEnd;
}

BookText readBookText(std::string_view text) {
    BookText read;
    read.end = forEachBookEntry(text, [&read](const BookEntry& entry) { read.entries.push_back(entry); });
    return read;
}
