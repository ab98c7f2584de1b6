// The real main window, shown, with its real list view, clock, tray icon,
// sounds, balloons and autosave, ticked for a long stretch over a full table
// of chained, limited, unlimited and priced timers. The process's memory,
// its own heap, GDI objects, USER objects and handles must stay where they
// were after the warm-up. A tick here costs tens of milliseconds under Wine,
// so this runs a simulated half hour by default (HORALET_SOAK_TICKS sets
// another count); the whole day runs on the in-memory table in
// tests/core/soak_test.cpp.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/main_window.h"
#include "heap_counter.h"
#include "platform/list_view_control.h"
#include "platform/message_box.h"
#include "platform/monotonic_clock.h"
#include "res/resource.h"
#include "sets/timer_set_file.h"
#include "soak_timers.h"
#include "temp_folder.h"
#include "timers/timer_table.h"

namespace {
struct Footprint {
    SIZE_T privateBytes = 0;
    SIZE_T pagefileBytes = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    DWORD handles = 0;
    HeapCount heap;  // this program's own C++ heap
};

// Wine answers GetGuiResources and GetProcessHandleCount with 0, so where
// they say nothing the objects are counted directly: GDI objects, windows
// and menus by their handle index (Wine takes a handle without its upper
// word for the live object at that index), kernel handles by asking about
// every handle value in turn.
DWORD gdiObjectsByIndex() {
    DWORD count = 0;
    for (ULONG_PTR index = 1; index <= 0xFFFF; ++index) {
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    }
    return count;
}

// Wine's USER handles are even numbers.
DWORD userObjectsByIndex() {
    DWORD count = 0;
    for (ULONG_PTR index = 2; index <= 0xFFFF; index += 2) {
        count += IsWindow(reinterpret_cast<HWND>(index)) || IsMenu(reinterpret_cast<HMENU>(index));
    }
    return count;
}

DWORD handlesByValue() {
    DWORD count = 0, flags = 0;
    for (ULONG_PTR value = 4; value <= 0x10000; value += 4) {
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != 0;
    }
    return count;
}

Footprint footprint() {
    Footprint f;
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        f.privateBytes = memory.PrivateUsage;
        f.pagefileBytes = memory.PagefileUsage;
    }
    f.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (f.gdiObjects == 0) f.gdiObjects = gdiObjectsByIndex();
    f.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (f.userObjects == 0) f.userObjects = userObjectsByIndex();
    if (!GetProcessHandleCount(GetCurrentProcess(), &f.handles) || f.handles == 0) f.handles = handlesByValue();
    f.heap = liveHeap();
    return f;
}

void print(int tick, const Footprint& f) {
    std::printf("  tick %5d: private %6.0f KB, pagefile %6.0f KB, GDI %3lu, USER %3lu, handles %3lu, "
                "heap %lld blocks %lld bytes\n",
                tick, f.privateBytes / 1024.0, f.pagefileBytes / 1024.0, static_cast<unsigned long>(f.gdiObjects),
                static_cast<unsigned long>(f.userObjects), static_cast<unsigned long>(f.handles), f.heap.blocks,
                f.heap.bytes);
}

long long growth(SIZE_T early, SIZE_T late) { return static_cast<long long>(late) - static_cast<long long>(early); }

int soakTicks() {
    const char* text = std::getenv("HORALET_SOAK_TICKS");
    int ticks = text ? std::atoi(text) : 0;
    return ticks > 0 ? ticks : 1800;
}

// What the window's queue holds, but its own timer ticks: the test alone
// says when a second has passed.
void pumpAllButTicks(HWND main) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_TIMER && msg.hwnd == main) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string setText(const TimerTable& table) {
    TextBuffer text = buildTimerSetText(table);
    return std::string(text.text(), static_cast<std::size_t>(text.length()));
}

// The times go to the file once a minute; all else must be as the list is.
std::string withoutTimes(std::string text) {
    for (std::size_t at = text.find("\r\nELAPSED = "); at != std::string::npos; at = text.find("\r\nELAPSED = ", at)) {
        text.erase(at, text.find("\r\n", at + 2) - at);
    }
    // The books' note of the stretches that run ends the file, and moves with the times.
    const std::size_t note = text.find("\r\n[BOOKS]\r\n");
    return note == std::string::npos ? text : text.substr(0, note);
}
}  // namespace

TEST(MainWindowSoakTest, LongRunOfTicksKeepsMemoryAndObjectsFlat) {
    TempFolder folder;
    std::vector<std::string> messages;
    setMessageResponder([&](HWND, const char* text, const char*, UINT) {
        messages.push_back(text);
        return IDOK;
    });
    // The tick counts the seconds of this clock: the test alone says when a
    // second has passed.
    int64_t nowMs = 0;
    setMonotonicClock([&nowMs] { return nowMs; });
    AppState app;
    app.hInstance = GetModuleHandleA(nullptr);
    std::strcpy(app.title, "Horalet");
    CreateDialogParamA(app.hInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                       reinterpret_cast<LPARAM>(&app));
    ASSERT_NE(app.hwndMain, nullptr);
    ShowWindow(app.hwndMain, SW_SHOWNOACTIVATE);
    ListViewControl list(app.hwndList);
    TimerTable table(list);
    soak::fillTimers(table);

    const int ticks = soakTicks();
    const int warmUp = ticks >= 5 ? ticks / 5 : 1;
    // The first count makes Wine set up tables of its own, about 1.5 MB
    // that stay; that must not show up as growth.
    footprint();
    Footprint early, late;
    DWORD tickingMs = 0;
    for (int tick = 1; tick <= ticks; ++tick) {
        DWORD before = GetTickCount();
        nowMs += 1000;
        SendMessageA(app.hwndMain, WM_TIMER, 1, 0);
        pumpAllButTicks(app.hwndMain);
        tickingMs += GetTickCount() - before;
        // Counting the objects takes seconds under Wine: three samples only.
        if (tick == warmUp || tick == ticks / 2 || tick == ticks) {
            Footprint now = footprint();
            print(tick, now);
            (tick == warmUp ? early : late) = now;
        }
    }
    std::printf("  %d ticks over %d timers in %.1f s (%.1f ms a tick)\n", ticks, table.rowCount(), tickingMs / 1000.0,
                static_cast<double>(tickingMs) / ticks);

    // The timers went as they would have in memory: the counters counted
    // every tick, and the one-shots due by now are finished.
    const std::string elapsed = formatTimeText(timeFromSeconds(ticks));
    EXPECT_EQ(formatTimeText(table.readTimerRow(soak::firstCounter + 1).timeCurrent), elapsed);
    for (int row = soak::firstOneShot; row < soak::firstCounter; ++row) {
        const bool due = soak::oneShotSetSeconds(row) <= ticks;
        EXPECT_EQ(table.readTimerRow(row).state, due ? Finished : Running) << row;
    }
    EXPECT_EQ(withoutTimes(readWholeFile("autosave.ini")), setText(table)) << "the autosave kept up";
    EXPECT_TRUE(messages.empty());

    EXPECT_LE(growth(early.privateBytes, late.privateBytes), 1024 * 1024) << "private memory grows with the ticks";
    EXPECT_LE(growth(early.pagefileBytes, late.pagefileBytes), 1024 * 1024) << "memory grows with the ticks";
    EXPECT_LE(late.heap.blocks - early.heap.blocks, 16) << "heap blocks pile up with the ticks";
    EXPECT_LE(late.heap.bytes - early.heap.bytes, 64 * 1024) << "heap bytes pile up with the ticks";
    EXPECT_LE(growth(early.gdiObjects, late.gdiObjects), 8) << "GDI objects leak";
    EXPECT_LE(growth(early.userObjects, late.userObjects), 8) << "USER objects leak";
    EXPECT_LE(growth(early.handles, late.handles), 8) << "handles leak";

    DestroyWindow(app.hwndMain);
    setMessageResponder({});
    setMonotonicClock({});
}
