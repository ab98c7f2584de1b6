#include "timers/clock_view.h"

ClockView computeClockView(const TimerTable& table, int systemSecond, const std::string& localTimeText) {
    ClockView view;
    const int row = table.findSelectedRow();
    if (row < 0) {
        view.text = localTimeText;
        return view;
    }
    const TimerRecord r = table.readTimerRow(row);
    const bool limited = r.limit != 0;
    view.row = row;
    view.id = table.rowId(row);
    view.state = r.state;
    view.limited = limited;
    // The time left is the one the row holds, as computed when it was written.
    view.text = formatTimeText(limited ? r.timeLeft : r.timeCurrent);
    if (r.state == Paused && systemSecond % 2 != 0) view.text.clear();  // blink with the system clock

    const int64_t setSeconds = totalSeconds(r.timeSet);
    if (limited && setSeconds != 0) {
        double percent = static_cast<double>(totalSeconds(r.timeCurrent)) * 100.0 / static_cast<double>(setSeconds);
        // A hand-edited set time can be negative; the bar knows only 0 to 100.
        if (!(percent > 0.0)) percent = 0.0;
        if (percent > 100.0) percent = 100.0;
        view.position = static_cast<int>(percent);  // truncated toward zero
    }
    return view;
}
