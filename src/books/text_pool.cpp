#include "books/text_pool.h"

uint32_t TextPool::idOf(std::string_view text) {
    const auto found = ids_.find(text);
    if (found != ids_.end()) return found->second;
    const uint32_t id = static_cast<uint32_t>(texts_.size());
    texts_.emplace_back(text);
    ids_.emplace(texts_.back(), id);
    return id;
}
