#include "alarm/wave_length.h"

namespace {
uint32_t littleEndian32(std::string_view bytes, std::size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}
}  // namespace

int64_t waveLengthMs(std::string_view head, uint64_t fileSize) {
    if (head.size() < 12 || head.substr(0, 4) != "RIFF" || head.substr(8, 4) != "WAVE") return -1;
    uint32_t byteRate = 0;
    // Chunks follow each other, each an id, a size and its bytes padded to
    // an even length; the format comes before the data.
    for (std::size_t at = 12; at + 8 <= head.size();) {
        const std::string_view id = head.substr(at, 4);
        const uint64_t size = littleEndian32(head, at + 4);
        const std::size_t body = at + 8;
        if (id == "fmt " && size >= 12 && body + 12 <= head.size()) byteRate = littleEndian32(head, body + 8);
        if (id == "data") {
            if (byteRate == 0) return -1;
            const uint64_t left = fileSize > body ? fileSize - body : 0;
            const uint64_t bytes = size == 0 || size > left ? left : size;
            return static_cast<int64_t>(bytes * 1000 / byteRate);
        }
        at = body + static_cast<std::size_t>(size + (size & 1));
        if (at < body) return -1;  // a size that wraps round
    }
    return -1;
}
