// A timer asked for on the command line: the time from starting
// `horalet.exe 5m Tea` until its row runs in the instance that holds a list
// of 99 other timers, beside the time a process start alone takes (Wine's
// own cost here), and the receiver's own share: the main window's handling
// of the handed-over payload, measured in process on the real main dialog.
//
//   command_line_bench PATH\horalet.exe [--runs N]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "app/timer_command_receiver.h"
#include "bench_timer.h"
#include "shown_main_window.h"
#include "command/timer_command.h"
#include "platform/code_page.h"
#include "platform/list_view_control.h"
#include "res/resource.h"
#include "sets/timer_set_file.h"
#include "temp_folder.h"
#include "memory_list_control.h"
#include "timers/timer_table.h"

namespace {
constexpr int otherTimers = maxTimers - 1;

void fillPausedTimers(TimerTable& table, int timers) {
    table.deleteAllRows();
    for (int i = 0; i < timers; ++i) {
        TimerRecord r;
        std::snprintf(r.description, sizeof r.description, "Timer %d", i);
        r.limit = 1;
        r.timeSet = {0, 25, 0};
        r.state = Paused;
        std::strcpy(r.unit, "second");
        table.writeTimerRow(-1, r);
    }
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

void report(const char* what, const std::vector<double>& ms) {
    double sum = 0;
    for (double m : ms) sum += m;
    std::printf("  %-58s median %8.3f ms, mean %8.3f ms (%d runs)\n", what, median(ms),
                ms.empty() ? -1 : sum / static_cast<double>(ms.size()), static_cast<int>(ms.size()));
}

// In process: the real main dialog with 99 timers receives the payload a
// start sends; each run's row is deleted again, so every run adds the
// hundredth timer and saves a list of 100.
void receiverShare(int runs) {
    TempFolder folder;
    static AppState app;
    app.hInstance = GetModuleHandleA(nullptr);
    LoadStringA(app.hInstance, IDS_APP_TITLE, app.title, sizeof app.title);
    CreateDialogParamA(app.hInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, reinterpret_cast<LPARAM>(&app));
    ListViewControl list(app.hwndList);
    TimerTable table(list);
    fillPausedTimers(table, otherTimers);
    TimerCommand tea;
    tea.seconds = 300;
    tea.description = "Tea";
    // The runs are quick; an hour is far beyond the last one.
    std::vector<unsigned char> payload = encodeTimerCommand(tea, GetTickCount64() + 3600 * 1000);
    COPYDATASTRUCT data = {timerCommandPayloadId, static_cast<DWORD>(payload.size()), payload.data()};
    std::vector<double> ms, answered;
    for (int run = 0; run < runs; ++run) {
        // Sent from another thread, as a start's message comes: the sender
        // is let go at the answer, once the list is written; the tray is
        // told after that.
        std::atomic<bool> done{false};
        LRESULT answer = 0;
        std::thread sender([&] {
            const double sent = counterMs();
            answer = SendMessageA(app.hwndMain, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
            answered.push_back(counterMs() - sent);
            done = true;
        });
        const double start = counterMs();
        while (!done) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        }
        ms.push_back(counterMs() - start);
        sender.join();
        if (answer != 1 || table.rowCount() != maxTimers) {
            std::printf("  the receiver answered %d with %d rows\n", static_cast<int>(answer), table.rowCount());
            break;
        }
        table.deleteRow(maxTimers - 1);
    }
    report("receiver: a start's WM_COPYDATA sent until answered, the list saved (100th timer)", answered);
    report("  the same until the tray is told too", ms);
    // The same without the autosave check and write, which is the rest.
    ms.clear();
    for (int run = 0; run < runs && table.rowCount() == otherTimers; ++run) {
        const double start = counterMs();
        addTimerFromCommand(app, tea);
        ms.push_back(counterMs() - start);
        table.deleteRow(maxTimers - 1);
    }
    report("  of which the row, its balloon and the refreshes (no save)", ms);
    DestroyWindow(app.hwndMain);
}

// The process's time from creation to its end.
double runToEnd(const std::string& commandLine, const std::string& folder, DWORD* exitCode) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    const double start = counterMs();
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &process)) {
        return -1;
    }
    WaitForSingleObject(process.hProcess, 60000);
    const double ms = counterMs() - start;
    GetExitCodeProcess(process.hProcess, exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ms;
}

int rowCountOf(HWND main) {
    DWORD_PTR rows = 0;
    SendMessageTimeoutA(GetDlgItem(main, IDC_TIMER_LIST), LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &rows);
    return static_cast<int>(rows);
}

std::string listText(int timers) {
    MemoryListControl list;
    TimerTable table(list);
    fillPausedTimers(table, timers);
    TextBuffer text = buildTimerSetText(table);
    return std::string(text.text(), static_cast<std::size_t>(text.length()));
}

// From outside: a running horalet.exe whose list grows from 100 - runs to
// 100 timers, one `horalet.exe 5m Tea` a run; beside it a start of a
// program that does nothing, which is what any process start costs here.
void endToEnd(const std::string& exe, int runs) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    const std::string folder = createFreshFolder("command-line-bench");
    writeWholeFile(folder + "\\autosave.ini", listText(maxTimers - runs));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION instance = {};
    std::string line = "\"" + exe + "\"";
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &instance)) {
        std::printf("  CreateProcess failed: %lu\n", GetLastError());
        return;
    }
    HWND main = nullptr;
    for (int waited = 0; waited < 3000 && !(main && rowCountOf(main) == maxTimers - runs); ++waited, Sleep(10)) {
        main = shownMainWindow(instance.dwProcessId);
    }
    std::vector<double> toRow, toExit, bareStart;
    for (int run = 0; main && run < runs; ++run) {
        DWORD code = 1;
        bareStart.push_back(runToEnd("\"" + std::string(self) + "\" --noop", folder, &code));
        PROCESS_INFORMATION sender = {};
        line = "\"" + exe + "\" 5m Tea";
        const double start = counterMs();
        if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &sender)) {
            break;
        }
        const int wanted = maxTimers - runs + run + 1;
        while (rowCountOf(main) < wanted && counterMs() - start < 30000) Sleep(1);
        toRow.push_back(counterMs() - start);
        WaitForSingleObject(sender.hProcess, 30000);
        toExit.push_back(counterMs() - start);
        GetExitCodeProcess(sender.hProcess, &code);
        CloseHandle(sender.hThread);
        CloseHandle(sender.hProcess);
        if (code != 0) std::printf("  run %d: the start ended with %lu\n", run + 1, code);
    }
    report("a process start alone (a program that does nothing)", bareStart);
    report("horalet.exe 5m Tea: start until the row is in the list", toRow);
    report("horalet.exe 5m Tea: start until that start has ended", toExit);
    if (main) PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
    WaitForSingleObject(instance.hProcess, 30000);
    CloseHandle(instance.hThread);
    CloseHandle(instance.hProcess);
    removeFolderTree(folder);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--noop") == 0) return 0;
    if (argc < 2) {
        std::printf("usage: command_line_bench PATH\\horalet.exe [--runs N]\n");
        return 1;
    }
    int runs = 10;
    for (int i = 2; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::min(maxTimers - 1, std::atoi(argv[i + 1])));
    }
    useActiveCodePageForFields();
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    InitCommonControlsEx(&controls);
    std::printf("A timer from the command line, 100 timers in the list:\n");
    receiverShare(200);
    endToEnd(argv[1], runs);
    return 0;
}
