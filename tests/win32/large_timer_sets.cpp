#include "large_timer_sets.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {
void fillText(char (&field)[timerTextSize], const char* prefix, int index, char variant) {
    std::string text = prefix + std::to_string(index) + " ";
    text.resize(timerTextSize - 1, variant);
    std::memcpy(field, text.c_str(), text.size() + 1);
}
}  // namespace

void fillLargeTimerSet(TimerTable& table, char variant) {
    table.deleteAllRows();
    for (int i = 0; i < maxTimers; ++i) {
        TimerRecord r;
        fillText(r.description, "Timer ", i, variant);
        fillText(r.fileName, "C:\\sounds\\", i, variant);
        fillText(r.parameters, "/p ", i, variant);
        fillText(r.unit, "minute ", i, variant);
        r.state = i % 3;
        r.limit = i % 2;
        r.timeSet = {i % 24, i % 60, variant % 60};
        r.actionType = i % 2;
        r.runTimer = i % 3;
        r.coastInt = i * 1000 + variant;
        std::snprintf(r.coastFrac, sizeof r.coastFrac, "%02d", i % 100);
        r.forValue = i;
        table.writeTimerRow(-1, r);
    }
}
