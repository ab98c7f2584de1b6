#include "books/book_numbers.h"

#include <cstdio>

namespace {
// Whole units and hundredths of a magnitude, the sign written apart:
// -INT64_MIN has no signed form.
std::string hundredthsText(bool negative, uint64_t hundredths, std::string_view decimalMark) {
    char whole[32], fraction[4];
    std::snprintf(whole, sizeof whole, "%s%llu", negative ? "-" : "", static_cast<unsigned long long>(hundredths / 100));
    std::snprintf(fraction, sizeof fraction, "%02u", static_cast<unsigned>(hundredths % 100));
    std::string text(whole);
    text.append(decimalMark);
    return text.append(fraction);
}

bool parseMagnitude(std::string_view digits, uint64_t limit, uint64_t& value) {
    if (digits.empty()) return false;
    value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        const unsigned digit = static_cast<unsigned>(c - '0');
        if (value > (limit - digit) / 10) return false;
        value = value * 10 + digit;
    }
    return true;
}
}  // namespace

std::string clockText(int64_t seconds) {
    char text[40];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

std::string decimalHoursText(int64_t seconds, std::string_view decimalMark) {
    // A hundredth of an hour is 36 seconds.
    const uint64_t magnitude = seconds < 0 ? 0 - static_cast<uint64_t>(seconds) : static_cast<uint64_t>(seconds);
    return hundredthsText(seconds < 0, magnitude / 36 + (magnitude % 36 >= 18 ? 1 : 0), decimalMark);
}

std::string centsText(int64_t cents, std::string_view decimalMark) {
    const uint64_t magnitude = cents < 0 ? 0 - static_cast<uint64_t>(cents) : static_cast<uint64_t>(cents);
    return hundredthsText(cents < 0, magnitude, decimalMark);
}

bool parseCentsText(std::string_view text, int64_t& cents) {
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) text.remove_prefix(1);
    if (text.size() < 4 || text[text.size() - 3] != '.') return false;
    std::string digits(text.substr(0, text.size() - 3));
    digits.append(text.substr(text.size() - 2));
    uint64_t magnitude;
    if (!parseMagnitude(digits, negative ? UINT64_C(1) << 63 : INT64_MAX, magnitude)) return false;
    cents = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return true;
}

bool parseCountText(std::string_view text, int64_t& value) {
    uint64_t magnitude;
    if (!parseMagnitude(text, INT64_MAX, magnitude)) return false;
    value = static_cast<int64_t>(magnitude);
    return true;
}
