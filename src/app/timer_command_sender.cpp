#include "app/timer_command_sender.h"

#include <string>
#include <vector>

#include "editor/editor_model.h"
#include "platform/message_box.h"

namespace {
// An instance that is still loading its list, or is inside its tick,
// answers "not ready"; one that is hung must not keep this start, and the
// user's prompt, waiting forever.
constexpr DWORD answerWaitMs = 10000;
constexpr DWORD retryMs = 50;
// The instance takes the payload only until the moment it carries; the
// wait for its answer goes on a little past that, so that a timer taken
// just in time, and saved, is still heard of as added.
constexpr DWORD answerGraceMs = 3000;

struct Reply {
    HandOverReply kind;
    int answer;
};

Reply askRunningInstance(HWND running, const TimerCommand& command) {
    const ULONGLONG answerBy = GetTickCount64() + answerWaitMs;
    std::vector<unsigned char> payload = encodeTimerCommand(command, answerBy);
    COPYDATASTRUCT data = {};
    data.dwData = timerCommandPayloadId;
    data.cbData = static_cast<DWORD>(payload.size());
    data.lpData = payload.data();
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        const DWORD wait = static_cast<DWORD>(answerBy + answerGraceMs - now);
        DWORD_PTR answer = timerCommandRefused;
        SetLastError(ERROR_SUCCESS);
        if (!SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, wait,
                                 &answer)) {
            // A message that the system's rights between programs block is
            // told apart by its error; anything else is no answer.
            return {GetLastError() == ERROR_ACCESS_DENIED ? HandOverReply::AccessDenied : HandOverReply::NoAnswer, 0};
        }
        if (answer != timerCommandNotReady || GetTickCount64() >= answerBy) {
            return {HandOverReply::Answered, static_cast<int>(answer)};
        }
        Sleep(retryMs);
    }
}
}  // namespace

void showCommandRefusal(const AppState& app, const char* problem) {
    const std::string text = std::string(problem) + "\r\n\r\n" + commandUsageText();
    showMessage(nullptr, text.c_str(), app.title, MB_OK | MB_ICONERROR);
}

int sendTimerCommand(const AppState& app, HWND running, const TimerCommand& command) {
    const Reply reply = askRunningInstance(running, command);
    const HandOverOutcome outcome = handOverOutcome(reply.kind, reply.answer, app.title);
    if (outcome.refusal) {
        showCommandRefusal(app, outcome.problem.c_str());
    } else if (!outcome.problem.empty()) {
        showMessage(nullptr, outcome.problem.c_str(), app.title,
                    MB_OK | (outcome.exitCode == 3 ? MB_ICONWARNING : MB_ICONERROR));
    }
    return outcome.exitCode;
}
