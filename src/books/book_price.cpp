#include "books/book_price.h"

#include <cstring>

#include "timers/field_text.h"

namespace {
const char* unitName(const char* unit) {
    switch (unitSeconds(unit)) {
    case 3600: return "hour";
    case 60: return "minute";
    default: return "second";
    }
}

// The digits the price's value is read with: the fraction stops at its
// first non-digit, as strtod does in costValue.
std::string priceValueText(const TimerRecord& record) {
    char frac[coastFracSize];
    copyFieldText(frac, sizeof frac, record.coastFrac);
    std::string text = std::to_string(record.coastInt);
    const std::size_t digits = std::strspn(frac, "0123456789");
    if (digits > 0) text.append(".").append(frac, digits);
    return text;
}
}  // namespace

std::string bookPriceText(const TimerRecord& record) {
    if (costValue(record) == 0.0) return "";
    std::string text = priceValueText(record) + " per ";
    if (record.forValue != 0) text += std::to_string(record.forValue) + " ";
    return text + unitName(record.unit);
}

int64_t sumCents(const TimerRecord& record) {
    const ServiceSum sum = serviceSum(record);
    const std::string& text = sum.text;
    const bool negative = !text.empty() && text[0] == '-';
    int64_t cents = 0;
    for (char c : text) {
        if (c < '0' || c > '9') continue;
        // Beyond 2^63 cents the text no longer fits; the limit keeps the sign.
        if (cents > (INT64_MAX - (c - '0')) / 10) return negative ? INT64_MIN : INT64_MAX;
        cents = cents * 10 + (c - '0');
    }
    return negative ? -cents : cents;
}
