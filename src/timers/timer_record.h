#pragma once
#include <cstdint>
#include <string>

struct TimeHms {
    int32_t hours = 0;
    int32_t minutes = 0;
    int32_t seconds = 0;
};

enum TimerState : int32_t { Running = 0, Paused = 1, Finished = 2 };
enum ActionType : int32_t { PlayWave = 0, RunProgram = 1 };
enum ChainMode : int32_t { Off = 0, Next = 1, Top = 2 };

constexpr int32_t skipTick = 1;  // bit 0 of TimerRecord::flags
// Bit 1: the finish's wave file plays again and again until the user is back.
constexpr int32_t repeatSound = 2;
// Bit 2: the timer ran when the program last ended and waits, paused, for
// "Resume timers". Starting, restarting or editing it takes it out.
constexpr int32_t waitsToResume = 4;

constexpr int timerTextSize = 260;  // 259 characters and the terminator
constexpr int coastFracSize = 4;    // the field; the table keeps at most 2 characters
constexpr int maxTimers = 100;
// 99:59:59: a time with three hour digits no longer fits the table's text.
constexpr int64_t longestTimeSeconds = (99 * 60 + 59) * 60 + 59;

// One timer as a plain value; the table row is where it lives between operations.
struct TimerRecord {
    int32_t state = Running;
    TimeHms timeCurrent;
    TimeHms timeLeft;
    TimeHms timeSet;
    char description[timerTextSize] = {};
    int32_t actionType = PlayWave;
    char fileName[timerTextSize] = {};
    char parameters[timerTextSize] = {};
    int32_t runTimer = Off;
    int32_t flags = 0;
    int32_t limit = 0;
    char unit[timerTextSize] = {};
    int32_t coastInt = 0;
    char coastFrac[coastFracSize] = {};
    int32_t forValue = 0;
};

struct ServiceSum {
    double amount = 0.0;
    std::string text;
};

// Inline: a catch-up converts times at every event it walks.
inline int64_t totalSeconds(const TimeHms& time) {
    return (static_cast<int64_t>(time.hours) * 60 + time.minutes) * 60 + time.seconds;
}
inline TimeHms timeFromSeconds(int64_t seconds) {
    TimeHms time;
    time.hours = static_cast<int32_t>(seconds / 3600);
    time.minutes = static_cast<int32_t>((seconds - static_cast<int64_t>(time.hours) * 3600) / 60);
    time.seconds = static_cast<int32_t>(seconds % 60);
    return time;
}
// Any count of seconds as a time the table can hold: 0 to 99:59:59.
TimeHms timeInRange(int64_t seconds);
bool isZeroTime(const TimeHms& time);
std::string formatTimeText(const TimeHms& time);
TimeHms parseTimeText(const char* text);
void computeTimeLeft(TimerRecord& record);
double costValue(const TimerRecord& record);
int unitSeconds(const char* unit);
ServiceSum serviceSum(const TimerRecord& record);
