#include "command/timer_command.h"
#include "timers/field_text.h"
#include "timers/timer_record.h"

// Layout, every number a little-endian uint32:
//   version (2), flags (bit 0: paused), seconds, description length,
//   the answer-by moment's low and high halves,
//   then the description's bytes and a terminating NUL.
// Nothing is optional, so a payload has exactly one valid size and a command
// exactly one encoding.
namespace {
constexpr uint32_t payloadVersion = 2;
constexpr uint32_t pausedFlag = 1;
constexpr std::size_t headerSize = 24;
constexpr std::size_t longestDescription = timerTextSize - 1;

void putUint32(std::vector<unsigned char>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>(value >> shift));
}

// Byte by byte: a sender's buffer has no alignment we can count on.
uint32_t getUint32(const unsigned char* at) {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 | static_cast<uint32_t>(at[2]) << 16 |
           static_cast<uint32_t>(at[3]) << 24;
}
}  // namespace

std::vector<unsigned char> encodeTimerCommand(const TimerCommand& command, uint64_t answerByMs) {
    std::vector<unsigned char> out;
    out.reserve(headerSize + command.description.size() + 1);
    putUint32(out, payloadVersion);
    putUint32(out, command.paused ? pausedFlag : 0);
    // Out of range, it wraps to a number the reader refuses.
    putUint32(out, static_cast<uint32_t>(command.seconds));
    putUint32(out, static_cast<uint32_t>(command.description.size()));
    putUint32(out, static_cast<uint32_t>(answerByMs));
    putUint32(out, static_cast<uint32_t>(answerByMs >> 32));
    out.insert(out.end(), command.description.begin(), command.description.end());
    out.push_back(0);
    return out;
}

bool decodeTimerCommand(const void* data, std::size_t size, TimerCommand& command, uint64_t& answerByMs) {
    if (!data || size < headerSize + 1) return false;
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    const uint32_t version = getUint32(bytes);
    const uint32_t flags = getUint32(bytes + 4);
    const uint32_t seconds = getUint32(bytes + 8);
    const uint32_t length = getUint32(bytes + 12);
    if (version != payloadVersion || (flags & ~pausedFlag) != 0) return false;
    if (seconds > static_cast<uint64_t>(longestTimeSeconds)) return false;
    if (length > longestDescription || size != headerSize + length + 1) return false;
    const char* text = reinterpret_cast<const char*>(bytes + headerSize);
    if (text[length] != '\0' || holdsControlCharacter(text, length)) return false;
    answerByMs = getUint32(bytes + 16) | static_cast<uint64_t>(getUint32(bytes + 20)) << 32;
    command.paused = (flags & pausedFlag) != 0;
    command.seconds = seconds;
    command.description.assign(text, length);
    return true;
}
