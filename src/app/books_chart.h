#pragma once
#include <windows.h>

#include "books/book_report.h"

// The report's bar chart in its owner-drawn frame: the hours of each day of
// the period, the tallest bar's hours above, the first and last day below,
// in the dialog's font so that it reads at every display scale. A period of
// more days than the frame has pixels gives each bar several days, and says
// so.
void drawBooksChart(const DRAWITEMSTRUCT& item, HFONT font, const BookReport& report);
