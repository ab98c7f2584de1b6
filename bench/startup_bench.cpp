// Start-up and footprint of the real horalet.exe, measured from outside as a
// user would meet them: the time from process creation until the main window
// is shown, in a fresh folder with no autosave.ini and with one of 100
// timers; then, with every timer started and a few ticks run, the process's
// memory and its GDI and USER objects; then the time Esc takes to end it.
//
//   startup_bench PATH\horalet.exe [--runs N]
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "bench_timer.h"
#include "shown_main_window.h"
#include "memory_list_control.h"
#include "res/resource.h"
#include "sets/timer_set_file.h"
#include "temp_folder.h"

namespace {
// The largest set the program writes: 100 limited timers, every text 259
// characters long, saved paused.
std::string fullSetText() {
    MemoryListControl list;
    TimerTable table(list);
    for (int i = 0; i < maxTimers; ++i) {
        TimerRecord r;
        std::string text(259, static_cast<char>('a' + i % 26));
        std::strcpy(r.description, text.c_str());
        std::strcpy(r.fileName, text.c_str());
        std::strcpy(r.parameters, text.c_str());
        std::strcpy(r.unit, "minute");
        r.limit = 1;
        r.timeSet = {99, 0, 0};
        r.coastInt = 12;
        std::strcpy(r.coastFrac, "50");
        r.forValue = 15;
        r.state = Paused;
        table.writeTimerRow(-1, r);
    }
    TextBuffer text = buildTimerSetText(table);
    return std::string(text.text(), static_cast<std::size_t>(text.length()));
}

int countOf(const std::string& text, const char* what) {
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

struct Footprint {
    double workingSetKb = 0;
    double peakWorkingSetKb = 0;
    double privateKb = 0;
    double commitKb = 0;  // PagefileUsage: the same figure on Windows
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    int windows = 0;  // top-level and child windows of the process
};

BOOL CALLBACK countChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK countWindowsOf(HWND window, LPARAM footprint) {
    auto* f = reinterpret_cast<std::pair<DWORD, int>*>(footprint);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == f->first) {
        ++f->second;
        EnumChildWindows(window, countChild, reinterpret_cast<LPARAM>(&f->second));
    }
    return TRUE;
}

// A read-only look at the process from outside.
Footprint measureFootprint(DWORD pid) {
    Footprint footprint;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return footprint;
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
        footprint.workingSetKb = counters.WorkingSetSize / 1024.0;
        footprint.peakWorkingSetKb = counters.PeakWorkingSetSize / 1024.0;
        footprint.privateKb = counters.PrivateUsage / 1024.0;
        footprint.commitKb = counters.PagefileUsage / 1024.0;
    }
    footprint.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    footprint.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    CloseHandle(process);
    std::pair<DWORD, int> windows{pid, 0};
    EnumWindows(countWindowsOf, reinterpret_cast<LPARAM>(&windows));
    footprint.windows = windows.second;
    return footprint;
}

// Play/Pause on the selected row, then the Down key to the list: row by row
// as a user with the keyboard would start them all. Sent, not posted, so
// each has been handled when the call returns.
void startEveryTimer(HWND main) {
    HWND list = GetDlgItem(main, IDC_TIMER_LIST);
    int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    auto send = [](HWND window, UINT message, WPARAM wParam) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(window, message, wParam, 0, SMTO_ABORTIFHUNG, 10000, &result);
    };
    for (int row = 0; row < rows; ++row) {
        send(main, WM_COMMAND, MAKEWPARAM(IDM_TIMER_PLAY_PAUSE, 0));
        send(list, WM_KEYDOWN, VK_DOWN);
    }
}

struct Run {
    double startMs = -1;     // -1: the window never showed
    double startAllMs = -1;  // until autosave.ini held every timer running
    double closeMs = -1;     // Esc until the main window was gone
    double exitMs = -1;      // -1: the process did not end
    int rows = 0;
    int running = 0;  // timers saved as running in autosave.ini
    Footprint footprint;
};

// Read only once the program has ended: while it runs it replaces the file
// after every change, and a handle held open here can make that fail.
int savedRunning(const std::string& folder) { return countOf(readWholeFile(folder + "\\autosave.ini"), "STATE = 0"); }

Run runOnce(const std::string& exe, const std::string& folder, bool withTimers) {
    Run run;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + exe + "\"";
    const double t0 = counterMs();
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        std::printf("  CreateProcess failed: %lu\n", GetLastError());
        return run;
    }
    HWND main = nullptr;
    while (!(main = shownMainWindow(process.dwProcessId)) && counterMs() - t0 < 60000) Sleep(1);
    if (main) {
        run.startMs = counterMs() - t0;
        run.rows = static_cast<int>(SendMessageA(GetDlgItem(main, IDC_TIMER_LIST), LVM_GETITEMCOUNT, 0, 0));
        if (withTimers) {
            const double startAll = counterMs();
            startEveryTimer(main);
            run.startAllMs = counterMs() - startAll;
        }
        Sleep(3500);  // three ticks or more
        run.footprint = measureFootprint(process.dwProcessId);

        const double t1 = counterMs();
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        while (IsWindow(main) && counterMs() - t1 < 30000) Sleep(1);
        if (!IsWindow(main)) run.closeMs = counterMs() - t1;
        if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) {
            run.exitMs = counterMs() - t1;
            run.running = savedRunning(folder);  // as saved at exit
        }
    }
    if (run.exitMs < 0) {
        std::printf("  horalet.exe did not end; stopping it\n");
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 10000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

double median(std::vector<double> values) {
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <typename Field>
std::vector<double> collect(const std::vector<Run>& runs, Field field) {
    std::vector<double> values;
    for (const Run& run : runs) {
        double value = field(run);
        if (value >= 0) values.push_back(value);
    }
    return values;
}

void printSpread(const char* what, const std::vector<double>& values, const char* unit) {
    if (values.empty()) {
        std::printf("  %-34s no value\n", what);
        return;
    }
    auto [low, high] = std::minmax_element(values.begin(), values.end());
    std::printf("  %-34s median %9.1f %s  (min %.1f, max %.1f, %zu runs)\n", what, median(values), unit, *low, *high,
                values.size());
}

void scenario(const std::string& exe, const char* name, const std::string& setText, int count) {
    std::printf("-- %s\n", name);
    std::vector<Run> runs;
    for (int i = 0; i < count; ++i) {
        TempFolder folder;  // removed with what the program left in it
        if (!setText.empty()) writeWholeFile("autosave.ini", setText);
        Run run = runOnce(exe, folder.path(), !setText.empty());
        std::printf("  run %2d: shown after %7.1f ms, %3d rows, %3d running at exit, ended %7.1f ms after Esc\n", i + 1,
                    run.startMs, run.rows, run.running, run.exitMs);
        if (run.startAllMs >= 0) std::printf("          all timers started by keys in %.1f ms\n", run.startAllMs);
        std::fflush(stdout);
        runs.push_back(run);
    }
    printSpread("start to main window shown", collect(runs, [](const Run& r) { return r.startMs; }), "ms");
    printSpread("Esc to main window gone", collect(runs, [](const Run& r) { return r.closeMs; }), "ms");
    printSpread("Esc to process ended", collect(runs, [](const Run& r) { return r.exitMs; }), "ms");
    printSpread("working set", collect(runs, [](const Run& r) { return r.footprint.workingSetKb; }), "KB");
    printSpread("peak working set", collect(runs, [](const Run& r) { return r.footprint.peakWorkingSetKb; }), "KB");
    printSpread("private bytes (PrivateUsage)", collect(runs, [](const Run& r) { return r.footprint.privateKb; }), "KB");
    printSpread("commit charge (PagefileUsage)", collect(runs, [](const Run& r) { return r.footprint.commitKb; }), "KB");
    printSpread("GDI objects (GetGuiResources)", collect(runs, [](const Run& r) { return double(r.footprint.gdiObjects); }), "");
    printSpread("USER objects (GetGuiResources)", collect(runs, [](const Run& r) { return double(r.footprint.userObjects); }), "");
    printSpread("windows of the process", collect(runs, [](const Run& r) { return double(r.footprint.windows); }), "");
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_bench PATH\\horalet.exe [--runs N]\n");
        return 2;
    }
    char exe[MAX_PATH];
    GetFullPathNameA(argv[1], sizeof exe, exe, nullptr);
    int runs = 10;
    for (int i = 2; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
    }
    if (FindWindowA(nullptr, "Horalet")) {
        std::fprintf(stderr, "a Horalet window is already open; end it first\n");
        return 1;
    }
    scenario(exe, "fresh folder, no autosave.ini", std::string(), runs);
    scenario(exe, "autosave.ini with 100 timers (259-character texts), all started", fullSetText(), runs);
    return 0;
}
