#pragma once
#include <windows.h>

#include "alarm/sound_repeats.h"

constexpr UINT_PTR repeatsTimerId = 2;  // the tick's is 1

// The repeats' sounds on the real system: PlaySoundA, which plays the
// default sound for a file that is missing or unreadable, the wave's length
// from its header, and a window timer of their own on the main window,
// whose WM_TIMER calls SoundRepeats::due.
class Win32RepeatHost : public RepeatHost {
public:
    explicit Win32RepeatHost(HWND window) : window_(window) {}
    void playSound(const std::string& fileName) override;
    void silence() override;
    int64_t soundLengthMs(const std::string& fileName) override;
    void wakeAfter(int64_t delayMs) override;

private:
    HWND window_;
};
