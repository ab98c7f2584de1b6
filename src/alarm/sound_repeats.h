#pragma once
#include <cstdint>
#include <functional>
#include <vector>
#include <string>

#include "timers/tick_report.h"

// What the repeats need of the system: sounds, and a timer of their own, so
// that they never run through the second's tick. Times are milliseconds of
// a monotonic clock.
class RepeatHost {
public:
    virtual ~RepeatHost() = default;
    // Asynchronous: it cuts off the sound before, and says nothing when done.
    virtual void playSound(const std::string& fileName) = 0;
    // Cuts off the sound that plays.
    virtual void silence() = 0;
    // From the wave's header; -1 when it cannot be read (a system sound's
    // name, a missing file that plays the default sound instead).
    virtual int64_t soundLengthMs(const std::string& fileName) = 0;
    // due() once `delayMs` have passed, in place of any wake before; -1 for none.
    virtual void wakeAfter(int64_t delayMs) = 0;
};

// The finishes whose sound repeats until the user is back: each timer has
// one place in the queue, in the order they finished, and they take turns,
// the next play due once the one before has ended and two seconds passed.
// A timer's repeats end when the user is back, when the user starts it over,
// edits or deletes it, and ten minutes after its finish; a chain's start of
// the same timer does not end them, or a ring would fall silent at once.
class SoundRepeats {
public:
    static constexpr int64_t pauseMs = 2000;
    static constexpr int64_t unknownLengthEveryMs = 5000;
    static constexpr int64_t longestMs = soundRepeatSeconds * 1000;

    explicit SoundRepeats(RepeatHost& host) : host_(host) {}

    // The finishes a tick, run at `nowMs`, left to the repeats; each plays at
    // once, or as soon as the play in progress has ended.
    void tickReported(const TickReport& report, int64_t nowMs);
    void finished(TimerId id, const std::string& fileName, int64_t finishedAtMs, int64_t nowMs);
    void due(int64_t nowMs);
    // The user is back: every repeat ends, and a repeat's play still
    // sounding is cut off.
    void seen(int64_t nowMs);
    void stop(TimerId id);

private:
    struct Turn {
        TimerId id;
        std::string fileName;
        int64_t finishedAt;
    };
    void playNext(int64_t nowMs);
    void remove(const std::function<bool(const Turn&)>& gone);

    RepeatHost& host_;
    std::vector<Turn> queue_;  // in the order they finished
    std::size_t next_ = 0;     // whose turn it is; past the end, the first's
    int64_t quietFrom_ = INT64_MIN;  // when the play in progress and its pause are over
    int64_t soundingUntil_ = INT64_MIN;  // when a repeat's play ends, as far as its length tells
};
