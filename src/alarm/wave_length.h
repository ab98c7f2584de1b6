#pragma once
#include <cstdint>
#include <string_view>

// How long a RIFF WAVE file plays, in milliseconds, from its first bytes
// (`head`) and its size; -1 when they do not tell: not a wave, no format or
// data chunk within the head, no byte rate. A data chunk whose size is
// missing or runs past the file (one still being written, or cut short)
// plays to the file's end.
int64_t waveLengthMs(std::string_view head, uint64_t fileSize);
