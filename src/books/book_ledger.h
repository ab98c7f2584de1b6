#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "books/book_entry.h"
#include "books/text_pool.h"

// An entry as the report reads it: times as wall-clock seconds (see
// localSeconds), texts by number in the ledger's pool.
struct LedgerEntry {
    int64_t start = 0;
    int64_t end = 0;
    int64_t seconds = 0;
    int64_t cents = 0;
    int32_t runs = 1;
    uint32_t description = 0;
    uint32_t price = 0;
};

// All the books the report looks at, ordered by start (entries with the
// same start keep the order they came in), so that a period is one run of
// entries. It holds millions: an entry takes 24 bytes, its texts pooled,
// and the few that a catch-up merged (more than one run) or whose amount
// passes 21 million take 16 more on the side. A deque grows without
// moving what it holds, so loading never needs twice the room.
class BookLedger {
public:
    // Reads one month file's text; returns how many entries it added.
    std::size_t addText(std::string_view text);
    // A stretch that just ended; false for one beyond isStorableEntry.
    bool add(const BookEntry& entry);
    void clear();

    std::size_t size() const { return entries_.size(); }
    LedgerEntry at(std::size_t index) const;
    BookEntry entry(std::size_t index) const;
    const std::string& text(uint32_t id) const { return texts_.text(id); }
    std::size_t textCount() const { return texts_.size(); }

    // The entries that start in [from, to), wall-clock seconds: [first, end).
    std::pair<std::size_t, std::size_t> startingWithin(int64_t from, int64_t to) const;
    // The latest end of any entry; meaningless while the ledger is empty.
    int64_t latestEnd() const { return latestEnd_; }

private:
    struct Stored {
        int64_t start;
        int32_t span;       // end - start
        uint32_t seconds;
        uint32_t label;     // its pair of texts; the top bit says the rest is on the side
        int32_t cents;      // or the index of the side record
    };
    static_assert(sizeof(Stored) == 24, "the ledger's memory figure counts 24 bytes an entry");
    struct Side {
        int64_t cents;
        int32_t runs;
    };
    struct Label {
        uint32_t description;
        uint32_t price;
    };

    void append(const BookEntry& entry);
    uint32_t labelOf(const BookEntry& entry);
    void putInOrder(std::size_t firstNew);

    std::deque<Stored> entries_;
    std::vector<Side> side_;
    std::vector<Label> labels_;
    std::unordered_map<uint64_t, uint32_t> labelIds_;
    TextPool texts_;
    int64_t latestEnd_ = INT64_MIN;
};
