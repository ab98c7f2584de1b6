#include "app/timer_command_sender.h"

#include <string>
#include <vector>

#include "app/timer_command_receiver.h"
#include "editor/editor_model.h"
#include "platform/message_box.h"

namespace {
// An instance that is still loading its list answers "not ready"; one that
// is hung must not keep this start, and the user's prompt, waiting forever.
constexpr DWORD answerWaitMs = 10000;
constexpr DWORD retryMs = 50;

LRESULT askRunningInstance(HWND running, std::vector<unsigned char>& payload) {
    COPYDATASTRUCT data = {};
    data.dwData = timerCommandPayloadId;
    data.cbData = static_cast<DWORD>(payload.size());
    data.lpData = payload.data();
    const ULONGLONG until = GetTickCount64() + answerWaitMs;
    for (;;) {
        DWORD_PTR answer = timerCommandRefused;
        if (!SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                                 answerWaitMs, &answer)) {
            return timerCommandRefused;
        }
        if (answer != timerCommandNotReady || GetTickCount64() >= until) return static_cast<LRESULT>(answer);
        Sleep(retryMs);
    }
}
}  // namespace

void showCommandRefusal(const AppState& app, const char* problem) {
    const std::string text = std::string(problem) + "\r\n\r\n" + commandUsageText();
    showMessage(nullptr, text.c_str(), app.title, MB_OK | MB_ICONERROR);
}

int sendTimerCommand(const AppState& app, HWND running, const TimerCommand& command) {
    std::vector<unsigned char> payload = encodeTimerCommand(command);
    const LRESULT answer = askRunningInstance(running, payload);
    if (answer == timerCommandAdded) return 0;
    if (answer == timerCommandListFull) {
        showCommandRefusal(app, editorProblemText(EditorProblem::TableFull));
    } else {
        const std::string problem = std::string("The running ") + app.title + " did not take the timer.";
        showCommandRefusal(app, problem.c_str());
    }
    return 2;
}
