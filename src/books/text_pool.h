#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

// Each distinct text once, under a number: a year of books repeats a few
// hundred descriptions and prices millions of times.
class TextPool {
public:
    TextPool() = default;
    // A copy's keys would point into the original's texts; a move keeps them.
    TextPool(const TextPool&) = delete;
    TextPool& operator=(const TextPool&) = delete;
    TextPool(TextPool&&) = default;
    TextPool& operator=(TextPool&&) = default;

    uint32_t idOf(std::string_view text);
    const std::string& text(uint32_t id) const { return texts_[id]; }
    std::size_t size() const { return texts_.size(); }

private:
    std::deque<std::string> texts_;  // a deque never moves them: the map's keys point into them
    std::unordered_map<std::string_view, uint32_t> ids_;
};
