#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

// Reads an INI text in one pass, noting where the lines of each section lie,
// and answers key lookups from there. Memory grows with the number of
// sections only, and a lookup reads no more than its section's lines, so a
// huge or hostile file costs time in proportion to its size.
//
// Rules (the files the program writes need only the first four; the rest
// decide what a hand-edited or damaged file gives):
// - Lines end at LF; a CR before it, like every blank (space, tab, CR) at
//   either end of a line, of a name or of a value, is dropped.
// - "[name]" starts a section; the name ends at the first "]" or, when there
//   is none, at the line end. Text after "]" is ignored.
// - "key = value": the key is the text before the first "=", the value the
//   text after it. Quotes and ";" inside a value are kept as they are.
// - Section and key names match without regard to the case of ASCII letters.
// - The first section of a name is the one read; a later header of the same
//   name and its lines are ignored. Within a section the first line of a key
//   wins.
// - Ignored: lines without "=", lines whose first character is ";" or "#",
//   lines with an empty key, and keys before the first section.
// - A UTF-8 byte-order mark at the very start is skipped.
// - NUL bytes are ordinary bytes while parsing; a text value ends at its
//   first NUL when it is copied into a field.
class IniReader {
public:
    // The reader keeps a view of `data`, which must outlive it.
    IniReader(const char* data, std::size_t size);

    bool hasSection(std::string_view section) const;
    // False when the section or the key is missing.
    bool findValue(std::string_view section, std::string_view key, std::string_view& value) const;

    // The value copied into a field of `capacity` bytes (terminator
    // included), cut at a character boundary; empty when missing.
    void readText(std::string_view section, std::string_view key, char* field, std::size_t capacity) const;
    // The decimal number at the start of the value (clamped to 32 bits);
    // `fallback` when missing.
    int readInt(std::string_view section, std::string_view key, int fallback) const;

private:
    struct Lines {
        std::size_t begin = 0;  // offsets into the text, end excluded
        std::size_t end = 0;
    };
    const Lines* findLines(std::string_view section) const;

    std::string_view text_;
    // Section name in upper case -> the lines under its first header.
    std::unordered_map<std::string, Lines> sections_;
};
