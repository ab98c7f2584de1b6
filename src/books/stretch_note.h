#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "books/stretch_recorder.h"

// The open stretches as the list of the last run keeps them, in a section of
// autosave.ini that the timer set's reader passes over, written with the
// elapsed times each time the file is:
//
//   [BOOKS]
//   KEPT = 2026-12-08 10:00:00
//   OPEN_3 = 2026-12-08 09:00:00,300,1250
//
// KEPT is the moment of the write; OPEN_n is the stretch of the timer in
// TIMER_n: its start, the timer's elapsed seconds and its sum in cents then.
// While no stretch is open there is no note.
std::string openStretchesNote(const std::vector<OpenStretch>& open, const TimerTable& table, int64_t now);

// The stretches a run that ended without its exit (a kill, a power cut)
// was in, each up to the last moment it kept: with the list as it loaded
// from the same file, every timer where that moment left it. A line that
// does not read, or does not fit its timer, is passed over.
std::vector<BookEntry> interruptedStretches(std::string_view fileText, const TimerTable& table);
