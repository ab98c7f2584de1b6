#pragma once
#include <string>
#include <string_view>

// One field of a CSV line (RFC 4180): quoted when it holds a quote, a line
// break or a character of the separator, its quotes doubled.
void appendCsvValue(std::string& line, std::string_view value, std::string_view separator);

// A text field (a description, a price) that a spreadsheet must show as
// text: one that it would take for a formula, beginning with "=", "+", "-",
// "@", a tab or a carriage return, gets a leading apostrophe, the usual
// mark for "this is text". A text that already begins with apostrophes
// before such a character gets one more, so that taking one away, as
// unguardedText does, always gives back the text as it was.
void appendCsvText(std::string& line, std::string_view text, std::string_view separator);
std::string_view unguardedText(std::string_view field);
