#include "books/book_ledger.h"

#include <algorithm>

#include "books/book_file.h"

namespace {
constexpr uint32_t onTheSide = UINT32_C(1) << 31;
}  // namespace

std::size_t BookLedger::addText(std::string_view text) {
    const std::size_t before = entries_.size();
    forEachBookEntry(text, [this](const BookEntry& entry) { append(entry); });
    putInOrder(before);
    return entries_.size() - before;
}

bool BookLedger::add(const BookEntry& entry) {
    if (!isStorableEntry(entry)) return false;
    const std::size_t before = entries_.size();
    append(entry);
    putInOrder(before);
    return true;
}

void BookLedger::clear() { *this = BookLedger(); }

uint32_t BookLedger::labelOf(const BookEntry& entry) {
    const Label label{texts_.idOf(entry.description), texts_.idOf(entry.price)};
    const uint64_t key = (static_cast<uint64_t>(label.description) << 32) | label.price;
    const auto found = labelIds_.find(key);
    if (found != labelIds_.end()) return found->second;
    labels_.push_back(label);
    return labelIds_[key] = static_cast<uint32_t>(labels_.size() - 1);
}

void BookLedger::append(const BookEntry& entry) {
    Stored stored;
    stored.start = localSeconds(entry.start);
    stored.span = static_cast<int32_t>(localSeconds(entry.end) - stored.start);
    stored.seconds = static_cast<uint32_t>(entry.seconds);
    stored.label = labelOf(entry);
    if (entry.runs == 1 && entry.cents >= INT32_MIN && entry.cents <= INT32_MAX) {
        stored.cents = static_cast<int32_t>(entry.cents);
    } else {
        stored.label |= onTheSide;
        stored.cents = static_cast<int32_t>(side_.size());
        side_.push_back(Side{entry.cents, entry.runs});
    }
    entries_.push_back(stored);
    latestEnd_ = std::max(latestEnd_, stored.start + stored.span);
}

// A file is in the order stretches ended, which is nearly the order they
// started; files may come in any order. Only what is out of place moves.
void BookLedger::putInOrder(std::size_t firstNew) {
    auto earlier = [](const Stored& a, const Stored& b) { return a.start < b.start; };
    const auto middle = entries_.begin() + static_cast<std::ptrdiff_t>(firstNew);
    if (!std::is_sorted(middle, entries_.end(), earlier)) std::stable_sort(middle, entries_.end(), earlier);
    if (middle == entries_.begin() || middle == entries_.end()) return;
    const auto from = std::upper_bound(entries_.begin(), middle, *middle, earlier);
    if (from != middle) std::inplace_merge(from, middle, entries_.end(), earlier);
}

LedgerEntry BookLedger::at(std::size_t index) const {
    const Stored& stored = entries_[index];
    const Label& label = labels_[stored.label & ~onTheSide];
    LedgerEntry entry;
    entry.start = stored.start;
    entry.end = stored.start + stored.span;
    entry.seconds = stored.seconds;
    entry.description = label.description;
    entry.price = label.price;
    if (stored.label & onTheSide) {
        const Side& side = side_[static_cast<uint32_t>(stored.cents)];
        entry.cents = side.cents;
        entry.runs = side.runs;
    } else {
        entry.cents = stored.cents;
    }
    return entry;
}

BookEntry BookLedger::entry(std::size_t index) const {
    const LedgerEntry stored = at(index);
    BookEntry entry;
    entry.description = text(stored.description);
    entry.start = dateTimeOfSeconds(stored.start);
    entry.end = dateTimeOfSeconds(stored.end);
    entry.seconds = stored.seconds;
    entry.price = text(stored.price);
    entry.cents = stored.cents;
    entry.runs = stored.runs;
    return entry;
}

std::pair<std::size_t, std::size_t> BookLedger::startingWithin(int64_t from, int64_t to) const {
    auto startsBefore = [](const Stored& stored, int64_t at) { return stored.start < at; };
    const auto first = std::lower_bound(entries_.begin(), entries_.end(), from, startsBefore);
    const auto end = std::lower_bound(first, entries_.end(), std::max(from, to), startsBefore);
    return {static_cast<std::size_t>(first - entries_.begin()), static_cast<std::size_t>(end - entries_.begin())};
}
