#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "alarm/sound_repeats.h"
#include "alarm/wave_length.h"

namespace {
// The seam where sounds are played, with a clock the test moves: it keeps
// each play as "file@ms" and runs the repeats' timer when it is due.
class ClockedHost : public RepeatHost {
public:
    void playSound(const std::string& fileName) override { plays.push_back(fileName + "@" + std::to_string(now)); }
    void silence() override { plays.push_back("silence@" + std::to_string(now)); }
    int64_t soundLengthMs(const std::string& fileName) override {
        const auto length = lengths.find(fileName);
        return length == lengths.end() ? -1 : length->second;
    }
    void wakeAfter(int64_t delayMs) override { wake = delayMs < 0 ? -1 : now + delayMs; }
    // Moves the clock to `until`, waking the repeats whenever they asked.
    void runTo(SoundRepeats& repeats, int64_t until) {
        while (wake >= 0 && wake <= until) {
            now = wake;
            wake = -1;
            repeats.due(now);
        }
        now = until;
    }

    std::map<std::string, int64_t> lengths{{"tea.wav", 1000}, {"call.wav", 3000}};
    std::vector<std::string> plays;
    int64_t now = 0;
    int64_t wake = -1;
};

struct Step {
    int64_t at;
    enum { Finish, Seen, Stop } what;
    TimerId id;
    const char* file;
};

std::vector<std::string> playsOf(const std::vector<Step>& steps, int64_t until) {
    ClockedHost host;
    SoundRepeats repeats(host);
    for (const Step& step : steps) {
        host.runTo(repeats, step.at);
        if (step.what == Step::Finish) repeats.finished(step.id, step.file, step.at, step.at);
        if (step.what == Step::Seen) repeats.seen(step.at);
        if (step.what == Step::Stop) repeats.stop(step.id);
    }
    host.runTo(repeats, until);
    return host.plays;
}
}  // namespace

// A repeat's whole life: the first play at the finish, the next after the
// wave's length and two seconds (five without a length), turns between
// timers in the order they finished, and each way it ends.
TEST(SoundRepeatsTest, SoundsTakeTurnsUntilTheUserIsBackOrTenMinutesPass) {
    using V = std::vector<std::string>;
    struct Case {
        const char* name;
        std::vector<Step> steps;
        int64_t until;
        V plays;
    } cases[] = {
        {"one timer, until seen: the play still sounding is cut off",
         {{0, Step::Finish, 1, "tea.wav"}, {6500, Step::Seen, 0, ""}}, 60000,
         V{"tea.wav@0", "tea.wav@3000", "tea.wav@6000", "silence@6500"}},
        {"no length: every five seconds", {{0, Step::Finish, 1, "ding"}, {12000, Step::Seen, 0, ""}}, 60000,
         V{"ding@0", "ding@5000", "ding@10000", "silence@12000"}},
        {"a second finish waits for the play in progress, then they take turns",
         {{0, Step::Finish, 1, "tea.wav"}, {500, Step::Finish, 2, "call.wav"}, {15000, Step::Seen, 0, ""}}, 60000,
         V{"tea.wav@0", "call.wav@3000", "tea.wav@8000", "call.wav@11000"}},
        {"the user starts one over: the other goes on alone",
         {{0, Step::Finish, 1, "tea.wav"}, {500, Step::Finish, 2, "call.wav"}, {4000, Step::Stop, 2, ""},
          {10000, Step::Seen, 0, ""}},
         60000, V{"tea.wav@0", "call.wav@3000", "tea.wav@8000"}},
        {"a ring's timer finishes again: it keeps its one place",
         {{0, Step::Finish, 1, "tea.wav"}, {500, Step::Finish, 2, "call.wav"}, {2000, Step::Finish, 1, "tea.wav"},
          {9000, Step::Seen, 0, ""}},
         60000, V{"tea.wav@0", "call.wav@3000", "tea.wav@8000"}},
        {"the only timer started over: a finish meanwhile waits for its play to end",
         {{0, Step::Finish, 1, "tea.wav"}, {500, Step::Stop, 1, ""}, {2000, Step::Finish, 2, "call.wav"},
          {9000, Step::Seen, 0, ""}},
         60000, V{"tea.wav@0", "call.wav@3000", "call.wav@8000", "silence@9000"}},
        {"after the user was back a finish plays at once: nothing sounds any more",
         {{0, Step::Finish, 1, "tea.wav"}, {500, Step::Seen, 0, ""}, {2000, Step::Finish, 2, "call.wav"},
          {4000, Step::Seen, 0, ""}},
         60000, V{"tea.wav@0", "silence@500", "call.wav@2000", "silence@4000"}},
        {"a new finish after the user was back rings again",
         {{0, Step::Finish, 1, "tea.wav"}, {1000, Step::Seen, 0, ""}, {20000, Step::Finish, 1, "tea.wav"},
          {24000, Step::Seen, 0, ""}},
         60000, V{"tea.wav@0", "tea.wav@20000", "tea.wav@23000"}},
    };
    for (const Case& c : cases) EXPECT_EQ(playsOf(c.steps, c.until), c.plays) << c.name;

    // Nobody comes: ten minutes after its finish a timer is quiet, even a
    // ring's that finishes again meanwhile.
    const V alone = playsOf({{0, Step::Finish, 1, "tea.wav"}, {300000, Step::Finish, 1, "tea.wav"}}, 3600000);
    EXPECT_EQ(alone.size(), 200u);
    EXPECT_EQ(alone.back(), "tea.wav@597000");
}

// A catch-up hands the repeats only the finishes of its last ten minutes,
// each as long ago as it happened; the tick plays the older ones once.
TEST(SoundRepeatsTest, ACatchUpRepeatsOnlyWhatFinishedInItsLastTenMinutes) {
    ClockedHost host;
    SoundRepeats repeats(host);
    TickReport report;
    report.seconds = 3600;
    auto finishedAt = [&](TimerId id, const char* file, int64_t tick, int32_t flags) {
        RowRuns runs;
        runs.id = id;
        runs.finishes = 1;
        runs.lastFinish = tick;
        runs.record.flags = flags;
        std::snprintf(runs.record.fileName, sizeof runs.record.fileName, "%s", file);
        report.rows.push_back(runs);
    };
    finishedAt(1, "old.wav", 3000, repeatSound);   // ten minutes ago: the tick's, once
    finishedAt(2, "tea.wav", 3300, repeatSound);   // five minutes ago
    finishedAt(3, "call.wav", 3599, 0);            // does not repeat
    host.now = 1000000;
    repeats.tickReported(report, host.now);
    host.runTo(repeats, host.now + 299999);
    EXPECT_EQ(host.plays.size(), 100u) << "tea.wav every 3 s for the five minutes it has left";
    EXPECT_EQ(host.plays.front(), "tea.wav@1000000");
    host.runTo(repeats, host.now + 60000);
    EXPECT_EQ(host.plays.size(), 100u);
}

TEST(SoundRepeatsTest, AWavesLengthComesFromItsHeader) {
    auto wave = [](uint32_t byteRate, uint32_t dataSize, const std::string& before = "") {
        auto le = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
        std::string fmt = "fmt " + le(16) + std::string(8, '\1') + le(byteRate) + std::string(4, '\0');
        return "RIFF" + le(0) + "WAVE" + before + fmt + "data" + le(dataSize);
    };
    struct Case {
        std::string head;
        uint64_t fileSize;
        int64_t ms;
    } cases[] = {
        {wave(44100 * 4, 44100 * 4 * 2), 1000000, 2000},
        {wave(8000, 4000, "LIST" + std::string("\x03\0\0\0abc\0", 8)), 100000, 500},  // an odd chunk, padded
        {wave(8000, 0), 44 + 8000, 1000},            // no size: to the file's end
        {wave(8000, 0xFFFFFFFFu), 44 + 16000, 2000},  // past the end: to the file's end
        {wave(0, 8000), 100000, -1},
        {"RIFF\0\0\0\0AVI ", 100, -1},
        {"", 0, -1},
        {wave(8000, 8000).substr(0, 30), 100000, -1},  // the head stops inside the format
    };
    for (const Case& c : cases) EXPECT_EQ(waveLengthMs(c.head, c.fileSize), c.ms) << c.head.size();
}
