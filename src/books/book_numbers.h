#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Numbers as the books and the report write them, from whole seconds and
// whole cents only: no floating point comes near a sum.

// "27:30:05"; the hours grow past 99 as they need.
std::string clockText(int64_t seconds);
// Hours to two decimals, half a hundredth rounded up: 5400 s gives "1.50",
// with `decimalMark` between the whole and the hundredths.
std::string decimalHoursText(int64_t seconds, std::string_view decimalMark);
// "12.50", "-0.05".
std::string centsText(int64_t cents, std::string_view decimalMark);

// Reads what centsText wrote with ".": an optional "-", digits, "." and
// exactly two digits, within 64 bits of cents.
bool parseCentsText(std::string_view text, int64_t& cents);
// Digits only (no sign, no blanks), within 64 bits.
bool parseCountText(std::string_view text, int64_t& value);
