// Saving and loading a full timer set (100 timers, every text 259 characters)
// through the real list view and the real file system, and reading hostile
// files.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/timer_sets.h"
#include "app_window_fixture.h"
#include "bench_timer.h"
#include "sets/ini_reader.h"
#include "sets/timer_set_file.h"

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
    std::printf("%-52s %10.3f ms\n", what, seconds * 1000.0 / runs);
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

    std::string text = fileBytes(path);
    BenchTimer parse;
    for (int i = 0; i < runs; ++i) {
        IniReader ini(text.data(), text.size());
        char field[260];
        for (int t = 0; t < maxTimers; ++t) ini.readText("TIMER_" + std::to_string(t), "UNIT", field, sizeof field);
    }
    report("parse that file and look up 100 keys (memory)", parse.seconds(), runs);
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
