#include "app/books_chart.h"

#include <algorithm>
#include <string>
#include <vector>

#include "books/book_numbers.h"
#include "books/local_time.h"

namespace {
struct Bars {
    std::vector<int64_t> seconds;
    int64_t daysEach = 1;
};

Bars gatherBars(const std::vector<int64_t>& days, int columns) {
    Bars bars;
    const int64_t count = static_cast<int64_t>(days.size());
    bars.daysEach = std::max<int64_t>(1, (count + std::max(1, columns) - 1) / std::max(1, columns));
    bars.seconds.assign(static_cast<std::size_t>((count + bars.daysEach - 1) / bars.daysEach), 0);
    for (int64_t i = 0; i < count; ++i) bars.seconds[static_cast<std::size_t>(i / bars.daysEach)] += days[i];
    return bars;
}

void drawText(HDC dc, const std::string& text, RECT box, UINT format) {
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, format | DT_SINGLELINE | DT_NOPREFIX);
}

std::string scaleText(const Bars& bars) {
    const int64_t tallest = *std::max_element(bars.seconds.begin(), bars.seconds.end());
    const std::string days = bars.daysEach > 1 ? " " + std::to_string(bars.daysEach) + " days" : " day";
    return "Busiest" + days + ": " + clockText(tallest);
}
}  // namespace

void drawBooksChart(const DRAWITEMSTRUCT& item, HFONT font, const BookReport& report) {
    HDC dc = item.hDC;
    RECT frame = item.rcItem;
    FillRect(dc, &frame, GetSysColorBrush(COLOR_WINDOW));
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    const int line = metrics.tmHeight;
    const int margin = std::max<int>(2, metrics.tmAveCharWidth / 2);
    InflateRect(&frame, -margin, -margin / 2);
    const bool empty = report.daySeconds.empty() ||
                       *std::max_element(report.daySeconds.begin(), report.daySeconds.end()) == 0;
    if (empty) {
        drawText(dc, "No entries in this period.", frame, DT_CENTER | DT_VCENTER);
        SelectObject(dc, oldFont);
        return;
    }
    RECT plot = {frame.left, frame.top + line, frame.right, frame.bottom - line};
    const Bars bars = gatherBars(report.daySeconds, static_cast<int>(plot.right - plot.left));
    drawText(dc, scaleText(bars), frame, DT_LEFT | DT_TOP);
    const int64_t lastDay = report.firstDay + static_cast<int64_t>(report.daySeconds.size()) - 1;
    drawText(dc, dateText(dateOfDay(report.firstDay)), frame, DT_LEFT | DT_BOTTOM);
    drawText(dc, dateText(dateOfDay(lastDay)), frame, DT_RIGHT | DT_BOTTOM);

    const int64_t tallest = *std::max_element(bars.seconds.begin(), bars.seconds.end());
    const int width = static_cast<int>(plot.right - plot.left);
    const int height = static_cast<int>(plot.bottom - plot.top);
    const int count = static_cast<int>(bars.seconds.size());
    const int gap = width / count >= 4 ? 1 : 0;  // bars apart while there is room
    for (int i = 0; i < count; ++i) {
        const int64_t seconds = bars.seconds[static_cast<std::size_t>(i)];
        if (seconds == 0) continue;
        RECT bar;
        bar.left = plot.left + i * width / count;
        bar.right = std::max<LONG>(bar.left + 1, plot.left + (i + 1) * width / count - gap);
        bar.bottom = plot.bottom;
        bar.top = plot.bottom - std::max<LONG>(1, static_cast<LONG>(seconds * height / tallest));
        FillRect(dc, &bar, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    RECT base = {plot.left, plot.bottom, plot.right, plot.bottom + 1};
    FillRect(dc, &base, GetSysColorBrush(COLOR_WINDOWTEXT));
    SelectObject(dc, oldFont);
}
