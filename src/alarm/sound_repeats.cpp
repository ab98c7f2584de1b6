#include "alarm/sound_repeats.h"

#include <algorithm>

void SoundRepeats::tickReported(const TickReport& report, int64_t nowMs) {
    for (const RowRuns& runs : report.rows) {
        if (!soundRepeats(runs, report.seconds)) continue;
        finished(runs.id, runs.record.fileName, nowMs - (report.seconds - runs.lastFinish) * 1000, nowMs);
    }
}

void SoundRepeats::finished(TimerId id, const std::string& fileName, int64_t finishedAtMs, int64_t nowMs) {
    const auto turn = std::find_if(queue_.begin(), queue_.end(), [id](const Turn& t) { return t.id == id; });
    if (turn != queue_.end()) {
        turn->fileName = fileName;  // a ring's timer keeps its place, and its ten minutes
    } else {
        queue_.push_back({id, fileName, finishedAtMs});
    }
    due(nowMs);
}

// A play in progress is never cut off, whoever asks: the next waits for its
// end, the repeats' timer woken for it again (the user's return stopped it).
void SoundRepeats::due(int64_t nowMs) {
    if (nowMs < quietFrom_) {
        host_.wakeAfter(quietFrom_ - nowMs);
    } else {
        playNext(nowMs);
    }
}

// Takes timers out of the queue; the turn stays with the timer it was at.
void SoundRepeats::remove(const std::function<bool(const Turn&)>& gone) {
    std::vector<Turn> kept;
    std::size_t next = 0;
    for (std::size_t i = 0; i < queue_.size(); ++i) {
        if (gone(queue_[i])) continue;
        if (i < next_) ++next;
        kept.push_back(queue_[i]);
    }
    queue_.swap(kept);
    next_ = next;
    if (queue_.empty()) host_.wakeAfter(-1);
}

void SoundRepeats::playNext(int64_t nowMs) {
    remove([nowMs](const Turn& t) { return nowMs - t.finishedAt >= longestMs; });
    if (queue_.empty()) return;
    if (next_ >= queue_.size()) next_ = 0;
    const Turn& turn = queue_[next_++];
    host_.playSound(turn.fileName);
    const int64_t length = host_.soundLengthMs(turn.fileName);
    const int64_t every = length >= 0 ? length + pauseMs : unknownLengthEveryMs;
    quietFrom_ = nowMs + every;
    soundingUntil_ = nowMs + (length >= 0 ? length : unknownLengthEveryMs);
    host_.wakeAfter(every);
}

void SoundRepeats::seen(int64_t nowMs) {
    if (queue_.empty()) return;  // a sound of another finish is not ours to cut
    remove([](const Turn&) { return true; });
    if (nowMs < soundingUntil_) host_.silence();
    quietFrom_ = soundingUntil_ = nowMs;
}

void SoundRepeats::stop(TimerId id) {
    remove([id](const Turn& t) { return t.id == id; });
}
