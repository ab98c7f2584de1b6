#include "timers/timer_record.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "timers/field_text.h"

TimeHms timeInRange(int64_t seconds) {
    return timeFromSeconds(seconds < 0 ? 0 : seconds > longestTimeSeconds ? longestTimeSeconds : seconds);
}

bool isZeroTime(const TimeHms& time) {
    return time.hours == 0 && time.minutes == 0 && time.seconds == 0;
}

std::string formatTimeText(const TimeHms& time) {
    char text[40];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hours, time.minutes, time.seconds);
    return text;
}

TimeHms parseTimeText(const char* text) {
    TimeHms time;
    if (!text || std::strlen(text) != 8) return time;
    // Each pair is converted on its own: "1:" reads as 1, "ab" as 0.
    auto pair = [text](int at) {
        char two[3] = {text[at], text[at + 1], '\0'};
        return parseDecimalInt(two);
    };
    time.hours = pair(0);
    time.minutes = pair(3);
    time.seconds = pair(6);
    return time;
}

void computeTimeLeft(TimerRecord& record) {
    int64_t left = totalSeconds(record.timeSet) - totalSeconds(record.timeCurrent);
    if (left < 0) left = 0;
    record.timeLeft = timeFromSeconds(left);
}

double costValue(const TimerRecord& record) {
    char frac[coastFracSize];
    copyFieldText(frac, sizeof frac, record.coastFrac);
    char text[64];
    std::snprintf(text, sizeof text, "%d.%s", record.coastInt, frac);
    // The program never calls setlocale, so strtod reads "." as the separator.
    return std::strtod(text, nullptr);
}

int unitSeconds(const char* unit) {
    if (unit && unit[0] == 'm') return 60;
    if (unit && unit[0] == 'h') return 3600;
    return 1;
}

ServiceSum serviceSum(const TimerRecord& record) {
    int64_t period = unitSeconds(record.unit);
    if (record.forValue != 0) period *= record.forValue;
    int64_t elapsed = totalSeconds(record.timeCurrent);
    int64_t periods = elapsed / period;  // truncates toward zero, so only whole periods count
    ServiceSum sum;
    // Half a cent is added away from zero, so a negative price (possible in a
    // hand-edited file) gives the mirror image of the positive one.
    double raw = costValue(record) * static_cast<double>(periods);
    sum.amount = raw + (raw < 0 ? -0.005 : 0.005);
    char text[400];
    if (!(std::fabs(sum.amount) < 1e16)) {
        std::snprintf(text, sizeof text, "%.2f", raw);  // beyond whole cents in 64 bits
    } else {
        int64_t whole = static_cast<int64_t>(sum.amount);
        int64_t cents = static_cast<int64_t>(sum.amount * 100) - whole * 100;
        const char* sign = (sum.amount < 0 && whole == 0) ? "-" : "";
        std::snprintf(text, sizeof text, "%s%lld.%02lld", sign, static_cast<long long>(whole),
                      static_cast<long long>(cents < 0 ? -cents : cents));
    }
    sum.text = text;
    return sum;
}
