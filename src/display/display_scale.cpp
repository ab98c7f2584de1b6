#include "display/display_scale.h"

#include <cstdint>
#include <limits>

int rescaleLength(int length, int fromDpi, int toDpi) {
    if (fromDpi <= 0 || toDpi <= 0) return length;
    const int64_t product = static_cast<int64_t>(length) * toDpi;
    const int64_t half = fromDpi / 2;
    const int64_t rounded = (product >= 0 ? product + half : product - half) / fromDpi;
    // A window message may carry any DPI; a length past the range is held
    // at its end rather than wrapped to the other sign.
    if (rounded > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (rounded < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(rounded);
}

int pickRendition(int dpi, const int* renditionDpis, int count) {
    for (int i = 0; i < count; ++i) {
        if (renditionDpis[i] >= dpi) return i;
    }
    return count - 1;
}
