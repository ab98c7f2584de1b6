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
    updateMenuStates(app);
    showTrayBalloon(app.hwndMain, app.title, commandedTimerNotice(command).c_str());
    return timerCommandAdded;
}

TimerCommandAnswer receiveTimerCommand(const AppState& app, const COPYDATASTRUCT* data) {
    if (!data || data->dwData != timerCommandPayloadId) return timerCommandRefused;
    TimerCommand command;
    if (!decodeTimerCommand(data->lpData, data->cbData, command)) return timerCommandRefused;
    return addTimerFromCommand(app, command);
}
