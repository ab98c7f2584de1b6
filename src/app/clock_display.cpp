#include "app/clock_display.h"

#include <commctrl.h>

#include "app/clock_font.h"
#include "platform/list_view_control.h"
#include "res/resource.h"
#include "status/desktop_status.h"
#include "timers/clock_view.h"

namespace {
// Rewriting the same text every second makes the big clock flicker.
void setTextIfChanged(HWND control, const std::string& text) {
    char shown[260] = {};
    int length = GetWindowTextA(control, shown, sizeof shown);
    if (length == static_cast<int>(text.size()) && text.compare(0, text.size(), shown, length) == 0) return;
    SetWindowTextA(control, text.c_str());
}

std::string localTimeOfDay() {
    char text[260] = {};
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, sizeof text);
    return text;
}
}  // namespace

void refreshClock(const AppState& app) {
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    ListViewControl list(app.hwndList);
    TimerTable table(list);
    ClockView view = computeClockView(table, utc.wSecond, localTimeOfDay());
    SendDlgItemMessageA(app.hwndMain, IDC_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(view.position), 0);
    fitClockFont(app.hwndClock, view.text.c_str());
    setTextIfChanged(app.hwndClock, view.text);
    if (app.desktop) app.desktop->showSelected({view.id, view.state, view.limited, view.position});
}
