#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "books/stretch_note.h"
#include "memory_list_control.h"

namespace {
TimerRecord pausedAt(const char* description, int elapsed) {
    TimerRecord r;
    std::strcpy(r.description, description);
    r.state = Paused;
    r.timeCurrent = timeFromSeconds(elapsed);
    r.coastInt = 3;  // 3.00 a second
    return r;
}
}  // namespace

// The note of a run that was killed, read back with the list as it loaded:
// each stretch up to the moment kept, where the list left its timer; what
// does not read or does not fit is passed over, never guessed at.
TEST(StretchNoteTest, AKilledRunsStretchesEndWhereTheListWasKept) {
    MemoryListControl list;
    TimerTable table(list);
    table.writeTimerRow(-1, pausedAt("Kept", 600));
    table.writeTimerRow(-1, pausedAt("Other", 50));
    const int64_t start = localSeconds({{2026, 12, 8}, 9, 0, 0});
    const std::string note = openStretchesNote({{table.rowId(0), start, 100, 300}, {99, start, 0, 0}}, table, start + 500);
    EXPECT_EQ(openStretchesNote({{99, start, 0, 0}}, table, start), "") << "no stretch, no note";
    EXPECT_EQ(note, "\r\n[BOOKS]\r\nKEPT = 2026-12-08 09:08:20\r\nOPEN_0 = 2026-12-08 09:00:00,100,300\r\n");

    const auto entries = interruptedStretches(note, table);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].description, "Kept");
    EXPECT_EQ(dateTimeText(entries[0].end), "2026-12-08 09:08:20");
    EXPECT_EQ(entries[0].seconds, 500);
    EXPECT_EQ(entries[0].cents, 600 * 300 - 300);

    const char* const unreadable[] = {
        "[BOOKS]\r\nOPEN_0 = 2026-12-08 09:00:00,100,300\r\n",                        // no moment kept
        "[BOOKS]\r\nKEPT = 2026-13-08 09:08:20\r\nOPEN_0 = 2026-12-08 09:00:00,100,300",  // no such month
        "[BOOKS]\r\nKEPT = 2026-12-08 09:08:20\r\nOPEN_0 = 2026-12-08 09:00:00,700,300",  // past the timer's time
        "[BOOKS]\r\nKEPT = 2026-12-08 09:08:20\r\nOPEN_0 = 2026-12-08 09:00:00,-1,300",
        "[BOOKS]\r\nKEPT = 2026-12-08 09:08:20\r\nOPEN_0 = 2026-12-08 09:00:00,100",
        "[BOOKS]\r\nKEPT = 2026-12-08 09:08:20\r\nOPEN_0 = 2026-12-08 09:00:00,100,3x",
        "[BOOKS]\r\nKEPT = 2026-12-08 09:08:20\r\nOPEN_7 = 2026-12-08 09:00:00,0,0",      // no such row
        "[BOOKS]\r\nKEPT = 2026-12-08 09:08:20\r\nOPEN_0 = 2026-12-08 09:08:20,600,0",    // nothing counted
    };
    for (const char* text : unreadable) EXPECT_TRUE(interruptedStretches(text, table).empty()) << text;
}
