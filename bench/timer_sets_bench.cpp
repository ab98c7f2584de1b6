// Saving and loading a full timer set (100 timers, every text 259 characters)
// through the real list view and the real file system; the program's reader
// beside one that asks the system's profile functions for every key; and
// reading hostile files.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/timer_sets.h"
#include "app_window_fixture.h"
#include "bench_timer.h"
#include "memory_list_control.h"
#include "platform/file_io.h"
#include "sets/ini_reader.h"
#include "sets/timer_set_file.h"
#include "temp_folder.h"

namespace {
TimerRecord fullTimer(int index) {
    TimerRecord r;
    std::string text(259, static_cast<char>('a' + index % 26));
    std::strcpy(r.description, text.c_str());
    std::strcpy(r.fileName, text.c_str());
    std::strcpy(r.parameters, text.c_str());
    std::strcpy(r.unit, text.c_str());
    std::strcpy(r.coastFrac, "50");
    r.limit = 1;
    r.timeSet = {1, 2, 3};
    r.coastInt = 123456;
    r.forValue = 15;
    r.runTimer = Next;
    return r;
}

void report(const char* what, double seconds, int runs) {
    std::printf("%-60s %10.3f ms\n", what, seconds * 1000.0 / runs);
}

// The comparison reader: GetPrivateProfileStringA and GetPrivateProfileIntA
// for every key of every timer, as a program without an INI parser of its
// own would read the file. Same result as loadTimerSet's reader for the
// files the program writes; `path` must name a folder, or the system looks
// in the Windows folder.
int readWithProfileCalls(const char* path, TimerTable& table) {
    table.deleteAllRows();
    int loaded = 0;
    for (; loaded < maxTimers; ++loaded) {
        const std::string name = "TIMER_" + std::to_string(loaded);
        const char* section = name.c_str();
        char keys[1024];
        if (GetPrivateProfileStringA(section, nullptr, "", keys, sizeof keys, path) == 0) break;
        auto text = [&](const char* key, char* field, DWORD size) {
            GetPrivateProfileStringA(section, key, "", field, size, path);
        };
        auto number = [&](const char* key) {
            return static_cast<int32_t>(GetPrivateProfileIntA(section, key, 0, path));
        };
        TimerRecord r;
        text("DESCRIPTION", r.description, sizeof r.description);
        r.timeSet = {number("HOURS"), number("MINUTES"), number("SECONDS")};
        r.actionType = number("ACTION_TYPE");
        text("FILE", r.fileName, sizeof r.fileName);
        r.flags = number("FLAGS");
        text("PARAMETER", r.parameters, sizeof r.parameters);
        r.runTimer = number("RUN_TIMER");
        number("STATE");  // read like every key, then overruled: loads come back paused
        r.state = Paused;
        r.limit = number("LIMIT");
        r.coastInt = number("COAST_INT");
        text("COAST_FRAC", r.coastFrac, sizeof r.coastFrac);
        r.forValue = number("VALUE");
        text("UNIT", r.unit, sizeof r.unit);
        table.writeTimerRow(-1, r);
    }
    if (loaded > 0) table.selectRow(0);
    return loaded;
}

std::string setText(const TimerTable& table) {
    TextBuffer text = buildTimerSetText(table);
    return std::string(text.text(), static_cast<std::size_t>(text.length()));
}

// Both readers, first into a list held in memory (the reading alone), then
// the profile reader into the real list view with its redraw held off, as
// loadTimerSet fills it.
void benchReaders(const std::string& path, AppWindow& ui, int runs) {
    MemoryListControl memoryList;
    TimerTable memoryTable(memoryList);
    BenchTimer ours;
    for (int i = 0; i < runs; ++i) {
        std::string bytes;
        readFileContents(path.c_str(), bytes);
        readTimerSetText(memoryTable, bytes.data(), bytes.size(), true);
    }
    report("program's reader: file, parse, 15 keys a timer (memory list)", ours.seconds(), runs);
    const std::string oursText = setText(memoryTable);

    BenchTimer profile;
    for (int i = 0; i < runs; ++i) readWithProfileCalls(path.c_str(), memoryTable);
    report("GetPrivateProfile* for every key, 1,600 calls (memory list)", profile.seconds(), runs);
    std::printf("  %d rows read by the profile calls, same records as ours: %s\n", memoryTable.rowCount(),
                setText(memoryTable) == oursText ? "yes" : "NO");

    BenchTimer profileView;
    for (int i = 0; i < runs; ++i) {
        SendMessageA(ui.app.hwndList, WM_SETREDRAW, FALSE, 0);
        readWithProfileCalls(path.c_str(), ui.table);
        SendMessageA(ui.app.hwndList, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(ui.app.hwndList, nullptr, TRUE);
    }
    report("GetPrivateProfile* for every key, into the real list view", profileView.seconds(), runs);
}

void benchSaveAndLoad() {
    AppWindow ui;
    for (int i = 0; i < maxTimers; ++i) ui.table.writeTimerRow(-1, fullTimer(i));
    ScratchFolder folder;
    std::string path = folder.file("bench.ini");

    const int runs = 50;
    BenchTimer build;
    std::size_t bytes = 0;
    for (int i = 0; i < runs; ++i) bytes = static_cast<std::size_t>(buildTimerSetText(ui.table).length());
    report("build text of 100 timers (real list view)", build.seconds(), runs);

    BenchTimer save;
    for (int i = 0; i < runs; ++i) saveTimerSet(path.c_str(), ui.app);
    report("saveTimerSet, 100 timers (list view + file)", save.seconds(), runs);

    BenchTimer load;
    for (int i = 0; i < runs; ++i) loadTimerSet(path.c_str(), ui.app, true);
    report("loadTimerSet, 100 timers (file + list view)", load.seconds(), runs);
    std::printf("  file size %zu bytes, %d rows loaded, %zu messages\n", bytes, ui.table.rowCount(),
                ui.messages.size());

    std::string text = readWholeFile(path);
    BenchTimer parse;
    for (int i = 0; i < runs; ++i) {
        IniReader ini(text.data(), text.size());
        char field[260];
        for (int t = 0; t < maxTimers; ++t) ini.readText("TIMER_" + std::to_string(t), "UNIT", field, sizeof field);
    }
    report("parse that file and look up 100 keys (memory)", parse.seconds(), runs);

    benchReaders(path, ui, runs);
}

void benchHostile() {
    std::string sections;
    for (int i = 0; i < 10000; ++i) sections += "[TIMER_" + std::to_string(i) + "]\r\nDESCRIPTION = x\r\n";
    std::string longLine = "[TIMER_0]\r\nDESCRIPTION = " + std::string(10 * 1024 * 1024, 'v') + "\r\n";
    std::string garbage(10 * 1024 * 1024, '\0');
    unsigned state = 1;
    for (char& c : garbage) c = static_cast<char>((state = state * 1103515245u + 12345u) >> 16);

    const struct {
        const char* name;
        const std::string* text;
    } cases[] = {{"read 10,000 sections (100 loaded)", &sections},
                 {"read a 10 MB line", &longLine},
                 {"read 10 MB of binary garbage", &garbage}};
    AppWindow ui;
    for (const auto& c : cases) {
        BenchTimer timer;
        int loaded = readTimerSetText(ui.table, c.text->data(), c.text->size(), true);
        report(c.name, timer.seconds(), 1);
        std::printf("  %d timers loaded\n", loaded);
    }
}
}  // namespace

int main() {
    benchSaveAndLoad();
    benchHostile();
    return 0;
}
