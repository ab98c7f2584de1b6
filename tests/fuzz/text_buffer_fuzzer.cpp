// Runs a byte-driven sequence of TextBuffer operations (appends, also of a
// buffer's own text, copies, moves, self-assignment, the copy appendText
// returns) over three buffers, each shadowed by a std::string model, and
// checks after every step that the buffer holds exactly the model's
// characters in a block that ends with the terminator. The sanitizers catch
// any access outside the exact-size blocks and any block not freed.
//
// The 2^24 length limit is left to the unit tests: reaching it takes sixteen
// million instrumented steps of the length count, about a second an input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "sets/text_buffer.h"

namespace {
void require(bool condition) {
    if (!condition) std::abort();  // libFuzzer keeps the input that did it
}

void requireSame(const TextBuffer& buffer, const std::string& model) {
    require(buffer.text() != nullptr);
    require(buffer.length() == static_cast<int32_t>(model.size()));
    require(std::memcmp(buffer.text(), model.data(), model.size()) == 0);
    require(buffer.text()[buffer.length()] == '\0');
}

class Input {
public:
    Input(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return at_ >= size_; }
    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    int32_t int32() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = value << 8 | byte();
        return static_cast<int32_t>(value);
    }
    // Up to `count` raw bytes, NULs included: appendText must stop at the first.
    std::string bytes(std::size_t count) {
        std::string taken;
        while (taken.size() < count && !empty()) taken += static_cast<char>(byte());
        return taken;
    }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

constexpr std::size_t maxTextSize = 1 << 16;

struct Slot {
    TextBuffer buffer;
    std::string model;
};

// appendText's rule: nothing past the first NUL. The source may be the
// buffer's own text, which the append replaces.
void appendTextTo(Slot& slot, const char* source) {
    const std::string piece = source ? source : "";
    TextBuffer whole = slot.buffer.appendText(source);
    slot.model += piece;
    requireSame(whole, slot.model);
    require(whole.text() != slot.buffer.text());  // a copy, not a view
}

// One operation on one or two of the slots; both are checked afterwards.
void step(Input& in, Slot (&slots)[3]) {
    const uint8_t op = in.byte();
    Slot& slot = slots[(op >> 4) % 3];
    Slot& other = slots[(op >> 6) % 3];
    switch (op % 9) {
        case 0:
            appendTextTo(slot, in.bytes(in.byte() % 64).c_str());
            break;
        case 1: {
            int32_t value = in.int32();
            slot.buffer.appendInt(value);
            slot.model += std::to_string(value);
            break;
        }
        case 2:
            slot.buffer.appendLineEnd();
            slot.model += "\r\n";
            break;
        case 3:
            appendTextTo(slot, in.byte() % 2 ? nullptr : "");
            break;
        case 4:
            // Its own text when both name one slot. Repeated, that doubles
            // the text: it stops at 64 KB, far below the limit.
            if (slot.model.size() + other.model.size() <= maxTextSize) appendTextTo(slot, other.buffer.text());
            break;
        case 5:
            other.buffer = slot.buffer;  // a self-assignment when both name one slot
            other.model = slot.model;
            break;
        case 6: {
            TextBuffer copy(slot.buffer);
            requireSame(copy, slot.model);
            copy.appendLineEnd();  // must leave the original alone
            requireSame(slot.buffer, slot.model);
            break;
        }
        case 7: {
            TextBuffer moved(std::move(slot.buffer));
            requireSame(moved, slot.model);
            requireSame(slot.buffer, "");  // a moved-from buffer stays usable
            slot.buffer = std::move(moved);
            break;
        }
        case 8:
            if (&slot != &other) {
                std::swap(slot.buffer, other.buffer);
                std::swap(slot.model, other.model);
            }
            break;
    }
    requireSame(slot.buffer, slot.model);
    requireSame(other.buffer, other.model);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    Input in(data, size);
    Slot slots[3];
    for (int steps = 0; !in.empty() && steps < 64; ++steps) step(in, slots);
    return 0;
}
