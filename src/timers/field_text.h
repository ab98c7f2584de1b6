#pragma once
#include <cstddef>

// Timer texts live in fixed fields (260 bytes, or 4 for the price's fraction).
// Copying into such a field cuts the text to fit, but never in the middle of
// a multi-byte character of the active code page.

enum class TextEncoding { SingleByte, Utf8 };

// The encoding the field cuts follow; the Windows side sets it from the
// active code page at start, tests set it directly.
void setFieldTextEncoding(TextEncoding encoding);
TextEncoding fieldTextEncoding();

// Length of the longest prefix of `text` (of `length` bytes) that holds at
// most `maxBytes` bytes and ends on a character boundary.
std::size_t fittingPrefixLength(const char* text, std::size_t length, std::size_t maxBytes);

// Copies `source` (may be null) into `field` of `capacity` bytes, terminator
// included, cut at a character boundary. Without a length, `source` is read
// up to its terminator but never beyond its first `capacity` bytes.
void copyFieldText(char* field, std::size_t capacity, const char* source);
void copyFieldText(char* field, std::size_t capacity, const char* source, std::size_t sourceLength);

// A control character (below 0x20, or 0x7F) has no place in a timer's
// one-line texts: a line break inside a value would start a line of its own
// in a timer set file, and the reader would take it for a key.
bool isControlCharacter(char c);
bool holdsControlCharacter(const char* text, std::size_t length);

// Reads a decimal integer the way the table and the set file store numbers:
// leading white space, an optional sign, digits up to the first non-digit;
// no digits give 0. Values beyond the 32-bit range are clamped to it, so a
// hand-edited file cannot overflow a field.
int parseDecimalInt(const char* text);
