#include "status/tray_tip.h"

#include <cstdio>
#include <cstring>

#include "timers/field_text.h"

namespace {
std::string cutToBytes(const std::string& text, std::size_t maxBytes) {
    return text.substr(0, fittingPrefixLength(text.c_str(), text.size(), maxBytes));
}

// A timer without a description is told by where it stands.
std::string shownName(const RunningTimers& running) {
    if (*running.shownName()) return running.shownName();
    const int row = running.soonestCountdown() >= 0 ? running.soonestCountdown() : running.firstCountUp();
    return "Row " + std::to_string(row + 1);
}
}  // namespace

std::string shortTimeText(int64_t seconds) {
    char text[32];
    const long long hours = seconds / 3600, minutes = seconds / 60 % 60, rest = seconds % 60;
    if (hours > 0) {
        std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", hours, minutes, rest);
    } else {
        std::snprintf(text, sizeof text, "%02lld:%02lld", minutes, rest);
    }
    return text;
}

std::string trayTipText(const RunningTimers& running, const std::string& title, std::size_t capacity) {
    if (capacity == 0) return "";
    const std::size_t room = capacity - 1;
    if (running.count() == 0) return cutToBytes(title, room);
    std::string tail = ": " + shortTimeText(running.shownSeconds());
    if (running.soonestCountdown() >= 0) tail += " left";
    if (running.count() > 1) tail += " (+" + std::to_string(running.count() - 1) + " running)";
    if (tail.size() >= room) return cutToBytes(tail.substr(2), room);
    return cutToBytes(shownName(running), room - tail.size()) + tail;
}
