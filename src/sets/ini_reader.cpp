#include "sets/ini_reader.h"

#include <string>

#include "timers/field_text.h"

namespace {
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trimBlanks(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && isBlank(text[begin])) ++begin;
    std::size_t end = text.size();
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string upperCase(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) c = upperAscii(c);
    return folded;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upperAscii(a[i]) != upperAscii(b[i])) return false;
    }
    return true;
}

bool isCommentOrEmpty(std::string_view line) { return line.empty() || line[0] == ';' || line[0] == '#'; }

// Walks the lines of text[begin, end), LF-separated.
template <typename Visit>
void forEachLine(std::string_view text, std::size_t begin, std::size_t end, Visit visit) {
    while (begin < end) {
        std::size_t lineEnd = text.find('\n', begin);
        if (lineEnd == std::string_view::npos || lineEnd > end) lineEnd = end;
        if (!visit(begin, lineEnd)) return;
        begin = lineEnd + 1;
    }
}
}  // namespace

IniReader::IniReader(const char* data, std::size_t size) : text_(data ? std::string_view(data, size) : std::string_view()) {
    if (text_.substr(0, byteOrderMark.size()) == byteOrderMark) text_.remove_prefix(byteOrderMark.size());
    // Element references of an unordered_map survive rehashing.
    Lines* current = nullptr;
    forEachLine(text_, 0, text_.size(), [&](std::size_t begin, std::size_t end) {
        std::string_view line = trimBlanks(text_.substr(begin, end - begin));
        if (line.empty() || line[0] != '[') return true;
        if (current) current->end = begin;
        line.remove_prefix(1);
        std::string_view name = trimBlanks(line.substr(0, line.find(']')));
        auto [entry, isNew] = sections_.try_emplace(upperCase(name));
        current = isNew ? &entry->second : nullptr;
        if (current) current->begin = current->end = end + 1 < text_.size() ? end + 1 : text_.size();
        return true;
    });
    if (current) current->end = text_.size();
}

const IniReader::Lines* IniReader::findLines(std::string_view section) const {
    auto entry = sections_.find(upperCase(section));
    return entry == sections_.end() ? nullptr : &entry->second;
}

bool IniReader::hasSection(std::string_view section) const { return findLines(section) != nullptr; }

bool IniReader::findValue(std::string_view section, std::string_view key, std::string_view& value) const {
    const Lines* lines = findLines(section);
    if (!lines) return false;
    bool found = false;
    forEachLine(text_, lines->begin, lines->end, [&](std::size_t begin, std::size_t end) {
        std::string_view line = trimBlanks(text_.substr(begin, end - begin));
        if (isCommentOrEmpty(line)) return true;
        std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) return true;
        std::string_view name = trimBlanks(line.substr(0, equals));
        if (name.empty() || !sameName(name, key)) return true;
        value = trimBlanks(line.substr(equals + 1));
        found = true;
        return false;
    });
    return found;
}

void IniReader::readText(std::string_view section, std::string_view key, char* field, std::size_t capacity) const {
    std::string_view value;
    if (!findValue(section, key, value)) value = std::string_view();
    copyFieldText(field, capacity, value.data(), value.size());
}

int IniReader::readInt(std::string_view section, std::string_view key, int fallback) const {
    std::string_view value;
    if (!findValue(section, key, value)) return fallback;
    return parseDecimalInt(std::string(value).c_str());
}
