#include "heap_counter.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long long> liveBlocks{0};
std::atomic<long long> liveBytes{0};

// Each block carries its size in front, so that freeing it can count bytes.
constexpr std::size_t header = alignof(std::max_align_t);
}  // namespace

HeapCount liveHeap() { return HeapCount{liveBlocks, liveBytes}; }

void* operator new(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + header));
    if (!block) throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    ++liveBlocks;
    liveBytes += static_cast<long long>(size);
    return block + header;
}

void operator delete(void* pointer) noexcept {
    if (!pointer) return;
    auto* block = static_cast<unsigned char*>(pointer) - header;
    --liveBlocks;
    liveBytes -= static_cast<long long>(*reinterpret_cast<std::size_t*>(block));
    std::free(block);
}

void operator delete(void* pointer, std::size_t) noexcept { operator delete(pointer); }
