#pragma once
#include <cstdint>

// A counted text that owns an exact-size heap block (text plus terminator).
// Every append builds the new block first, so a failed allocation leaves the
// text as it was.
class TextBuffer {
public:
    static constexpr int32_t maxLength = 16777216;  // 2^24 characters

    TextBuffer();
    TextBuffer(const TextBuffer& other);
    TextBuffer(TextBuffer&& other) noexcept;
    TextBuffer& operator=(const TextBuffer& other);
    TextBuffer& operator=(TextBuffer&& other) noexcept;
    ~TextBuffer();

    void appendLineEnd();
    void appendInt(int32_t value);
    // Skipped silently when the result would pass maxLength. Returns a copy
    // of the whole text as it stands afterwards.
    TextBuffer appendText(const char* source);

    int32_t length() const { return length_; }
    const char* text() const { return text_; }

private:
    void appendBytes(const char* bytes, int32_t count);

    int32_t length_;
    char* text_;
};
