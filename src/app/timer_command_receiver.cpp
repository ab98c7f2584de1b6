#include "app/timer_command_receiver.h"

#include "app/clock_display.h"
#include "app/commanded_timer.h"
#include "app/timer_list_commands.h"
#include "platform/list_view_control.h"
#include "platform/tray_icon.h"

TimerCommandAnswer addTimerFromCommand(const AppState& app, const TimerCommand& command) {
    EditorProblem problem;
    {
        ListViewControl list(app.hwndList);
        TimerTable table(list);
        problem = addCommandedTimer(table, command);
    }
    if (problem == EditorProblem::TableFull) return timerCommandListFull;
    if (problem != EditorProblem::None) return timerCommandRefused;
    refreshClock(app);
    forgetSortOnceMoved(app);
    updateMenuStates(app);
    showTrayBalloon(app.hwndMain, app.title, commandedTimerNotice(command).c_str());
    return timerCommandAdded;
}

TimerCommandAnswer receiveTimerCommand(const AppState& app, const COPYDATASTRUCT* data, uint64_t nowMs) {
    if (!data || data->dwData != timerCommandPayloadId) return timerCommandRefused;
    TimerCommand command;
    uint64_t answerByMs = 0;
    if (!decodeTimerCommand(data->lpData, data->cbData, command, answerByMs)) return timerCommandRefused;
    // Its start has told the user "not added" by now; a retry must not
    // find the timer twice.
    if (nowMs > answerByMs) return timerCommandTooLate;
    return addTimerFromCommand(app, command);
}
