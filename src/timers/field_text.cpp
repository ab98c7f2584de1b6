#include "timers/field_text.h"

#include <climits>
#include <cstring>

namespace {
TextEncoding activeEncoding = TextEncoding::Utf8;

bool isUtf8Continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

std::size_t utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;  // a stray byte counts as a character of its own
}
}  // namespace

void setFieldTextEncoding(TextEncoding encoding) { activeEncoding = encoding; }
TextEncoding fieldTextEncoding() { return activeEncoding; }

std::size_t fittingPrefixLength(const char* text, std::size_t length, std::size_t maxBytes) {
    if (length <= maxBytes) return length;
    if (activeEncoding == TextEncoding::SingleByte) return maxBytes;
    // Walk back from the cut to the start of the character it falls in, then
    // keep that character only if it is whole.
    std::size_t start = maxBytes;
    std::size_t steps = 0;
    while (start > 0 && steps < 3 && isUtf8Continuation(static_cast<unsigned char>(text[start]))) {
        --start;
        ++steps;
    }
    if (!isUtf8Continuation(static_cast<unsigned char>(text[start]))) {
        std::size_t whole = start + utf8SequenceLength(static_cast<unsigned char>(text[start]));
        return whole <= maxBytes ? whole : start;
    }
    return maxBytes;  // not UTF-8 at all here: a plain byte cut is all we can do
}

void copyFieldText(char* field, std::size_t capacity, const char* source, std::size_t sourceLength) {
    if (capacity == 0) return;
    std::size_t n = source ? fittingPrefixLength(source, sourceLength, capacity - 1) : 0;
    if (n) std::memcpy(field, source, n);
    field[n] = '\0';
}

void copyFieldText(char* field, std::size_t capacity, const char* source) {
    // Count no further than the field can hold: a source without a
    // terminator in that reach is longer than the field and is cut anyway,
    // and it may be a field of exactly that size with nothing after it.
    std::size_t length = source ? strnlen(source, capacity) : 0;
    copyFieldText(field, capacity, source, length);
}

int parseDecimalInt(const char* text) {
    if (!text) return 0;
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > 1LL + INT_MAX) value = 1LL + INT_MAX;  // saturate, never overflow
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

bool isControlCharacter(char c) {
    const unsigned char byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

bool holdsControlCharacter(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (isControlCharacter(text[i])) return true;
    }
    return false;
}
