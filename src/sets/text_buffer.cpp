#include "sets/text_buffer.h"

#include <cstring>
#include <utility>

namespace {
// Counts like strlen but never past the length limit, so an unterminated
// source is not read beyond it.
int32_t boundedLength(const char* source) {
    int32_t n = 0;
    while (n < TextBuffer::maxLength && source[n] != '\0') ++n;
    return n;
}
}  // namespace

TextBuffer::TextBuffer() : length_(0), text_(new char[1]) { text_[0] = '\0'; }

TextBuffer::TextBuffer(const TextBuffer& other)
    : length_(other.length_), text_(new char[static_cast<std::size_t>(other.length_) + 1]) {
    std::memcpy(text_, other.text_, static_cast<std::size_t>(length_) + 1);
}

TextBuffer::TextBuffer(TextBuffer&& other) noexcept : length_(0), text_(new char[1]) {
    text_[0] = '\0';
    std::swap(length_, other.length_);
    std::swap(text_, other.text_);
}

TextBuffer& TextBuffer::operator=(const TextBuffer& other) {
    if (this != &other) {
        TextBuffer copy(other);
        std::swap(length_, copy.length_);
        std::swap(text_, copy.text_);
    }
    return *this;
}

TextBuffer& TextBuffer::operator=(TextBuffer&& other) noexcept {
    std::swap(length_, other.length_);
    std::swap(text_, other.text_);
    return *this;
}

TextBuffer::~TextBuffer() { delete[] text_; }

void TextBuffer::appendBytes(const char* bytes, int32_t count) {
    std::size_t oldLength = static_cast<std::size_t>(length_);
    char* block = new char[oldLength + static_cast<std::size_t>(count) + 1];  // may throw: nothing changed yet
    std::memcpy(block, text_, oldLength);
    std::memcpy(block + oldLength, bytes, static_cast<std::size_t>(count));
    block[oldLength + static_cast<std::size_t>(count)] = '\0';
    delete[] text_;
    text_ = block;
    length_ += count;
}

void TextBuffer::appendLineEnd() { appendBytes("\r\n", 2); }

void TextBuffer::appendInt(int32_t value) {
    // Room for every 32-bit value: a sign, ten digits and the terminator.
    char digits[12];
    char* end = digits + sizeof digits;
    char* p = end;
    // Work on the magnitude as unsigned so the most negative value has one.
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *--p = '-';
    appendBytes(p, static_cast<int32_t>(end - p));
}

TextBuffer TextBuffer::appendText(const char* source) {
    if (source && source[0] != '\0') {
        int32_t n = boundedLength(source);
        if (static_cast<int64_t>(length_) + n <= maxLength) appendBytes(source, n);
    }
    return *this;
}
