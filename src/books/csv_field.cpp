#include "books/csv_field.h"

namespace {
bool startsLikeFormula(std::string_view text) {
    const std::size_t first = text.find_first_not_of('\'');
    if (first == std::string_view::npos) return false;
    const char c = text[first];
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

bool needsQuotes(std::string_view value, std::string_view separator) {
    return value.find_first_of("\"\r\n") != std::string_view::npos ||
           (!separator.empty() && value.find_first_of(separator) != std::string_view::npos);
}
}  // namespace

void appendCsvValue(std::string& line, std::string_view value, std::string_view separator) {
    if (!needsQuotes(value, separator)) {
        line.append(value);
        return;
    }
    line.push_back('"');
    for (char c : value) {
        if (c == '"') line.push_back('"');
        line.push_back(c);
    }
    line.push_back('"');
}

void appendCsvText(std::string& line, std::string_view text, std::string_view separator) {
    if (!startsLikeFormula(text)) {
        appendCsvValue(line, text, separator);
        return;
    }
    std::string guarded("'");
    guarded.append(text);
    appendCsvValue(line, guarded, separator);
}

std::string_view unguardedText(std::string_view field) {
    if (field.size() > 1 && field[0] == '\'' && startsLikeFormula(field)) field.remove_prefix(1);
    return field;
}
