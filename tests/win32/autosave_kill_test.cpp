#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/timer_sets.h"
#include "app_window_fixture.h"
#include "large_timer_sets.h"
#include "platform/list_view_control.h"
#include "platform/message_box.h"
#include "sets/timer_set_file.h"
#include "temp_folder.h"
#include "window_fixture.h"

namespace {
// The writer lives beside this test program.
std::string writerPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text(path);
    return text.substr(0, text.find_last_of("\\/") + 1) + "autosave_writer.exe";
}

std::string largeSetText(char variant) {
    ListViewWindow window;
    ListViewControl list(window.list());
    TimerTable table(list);
    fillLargeTimerSet(table, variant);
    TextBuffer text = buildTimerSetText(table);
    return std::string(text.text(), static_cast<std::size_t>(text.length()));
}

// Starts the writer in `folder`, lets it save for `delayMs` after it has
// begun, and kills it. False when it never began.
bool killWriterAfter(const ScratchFolder& folder, DWORD delayMs) {
    static int serial = 0;
    std::string eventName = "horalet-autosave-writer-" + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(++serial);
    HANDLE saving = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
    std::string commandLine = "\"" + writerPath() + "\" " + eventName;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    bool began = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                folder.path().c_str(), &startup, &child);
    if (began) {
        began = WaitForSingleObject(saving, 60000) == WAIT_OBJECT_0;
        if (began) Sleep(delayMs);
        TerminateProcess(child.hProcess, 9);
        WaitForSingleObject(child.hProcess, 30000);
        CloseHandle(child.hProcess);
        CloseHandle(child.hThread);
    }
    CloseHandle(saving);
    return began;
}

std::vector<std::string> namesBesides(const ScratchFolder& folder, const std::string& kept) {
    std::vector<std::string> others;
    for (const std::string& name : folder.fileNames()) {
        if (name != kept) others.push_back(name);
    }
    return others;
}
}  // namespace

// A save killed at any moment leaves autosave.ini holding either the whole
// text it had or the whole new one, byte for byte; and the temporary files of
// killed saves do not pile up: the next save clears what one left behind.
TEST(AutosaveKillTest, KilledSavesLeaveAWholeFileAndNoPileOfTemporaryFiles) {
    const std::string first = largeSetText('a'), second = largeSetText('b');
    ASSERT_NE(first, second);
    ASSERT_GT(first.size(), 100000u);
    ScratchFolder folder;
    const std::string autosave = folder.file("autosave.ini");
    writeWholeFile(autosave, second);  // the writer's first save writes `first`

    const unsigned seed = GetTickCount();
    std::printf("  seed %u, %zu bytes a file\n", seed, first.size());
    std::mt19937 random(seed);
    const int kills = 40;
    int holdingFirst = 0, leftTemporary = 0;
    std::size_t mostLeftOver = 0;
    DWORD start = GetTickCount();
    for (int kill = 0; kill < kills; ++kill) {
        DWORD delayMs = random() % 400;
        ASSERT_TRUE(killWriterAfter(folder, delayMs)) << "the writer did not start saving";
        std::string now = readWholeFile(autosave);
        ASSERT_TRUE(now == first || now == second)
            << "kill " << kill << " after " << delayMs << " ms left " << now.size() << " bytes that are neither";
        holdingFirst += now == first;
        std::vector<std::string> others = namesBesides(folder, "autosave.ini");
        leftTemporary += !others.empty();
        if (others.size() > mostLeftOver) mostLeftOver = others.size();
        EXPECT_LE(others.size(), 1u) << "kill " << kill << ": temporary files pile up, first " << others[0];
    }
    std::printf("  %d kills in %.1f s: %d left the first set, %d the second; %d left a temporary file "
                "(at most %zu at once)\n",
                kills, (GetTickCount() - start) / 1000.0, holdingFirst, kills - holdingFirst, leftTemporary,
                mostLeftOver);
    EXPECT_GT(holdingFirst, 0) << "the writer never finished a save before it was killed";

    // One whole save clears what the killed ones left.
    ListViewWindow window;
    ListViewControl list(window.list());
    TimerTable table(list);
    fillLargeTimerSet(table, 'b');
    AppState app;
    app.hwndMain = window.window();
    app.hwndList = window.list();
    std::vector<std::string> messages;
    setMessageResponder([&](HWND, const char* text, const char*, UINT) {
        messages.push_back(text);
        return IDOK;
    });
    EXPECT_TRUE(saveTimerSet(autosave.c_str(), app));
    setMessageResponder({});
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(readWholeFile(autosave), second);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"autosave.ini"});
}
