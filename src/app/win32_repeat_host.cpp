#include "app/win32_repeat_host.h"

#include <mmsystem.h>

#include <algorithm>

#include "alarm/wave_length.h"
#include "platform/file_io.h"

void Win32RepeatHost::playSound(const std::string& fileName) { PlaySoundA(fileName.c_str(), nullptr, SND_ASYNC); }

void Win32RepeatHost::silence() { PlaySoundA(nullptr, nullptr, 0); }

int64_t Win32RepeatHost::soundLengthMs(const std::string& fileName) {
    // Chunks before the data (a list of tags, a cue) rarely pass a few
    // kilobytes; a header that does not show the data by then says nothing.
    constexpr std::size_t headBytes = 64 * 1024;
    std::string head;
    uint64_t size = 0;
    if (!readFileHead(fileName.c_str(), headBytes, head, size)) return -1;
    return waveLengthMs(head, size);
}

void Win32RepeatHost::wakeAfter(int64_t delayMs) {
    if (delayMs < 0) {
        KillTimer(window_, repeatsTimerId);
    } else {
        SetTimer(window_, repeatsTimerId, static_cast<UINT>(std::clamp<int64_t>(delayMs, USER_TIMER_MINIMUM, 24 * 3600 * 1000)), nullptr);
    }
}
