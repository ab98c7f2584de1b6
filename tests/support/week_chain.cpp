#include "week_chain.h"

TimerRecord weekChainCountdown(int place, int count, bool toTop, int shorterBy) {
    const int share = 7 * 86400 / count - shorterBy;
    TimerRecord r;
    r.limit = 1;
    r.timeSet = timeFromSeconds(share);
    r.timeCurrent = timeFromSeconds(share - share * (count - place) / (count + 1));
    r.runTimer = place == count - 1 && toTop ? Top : Next;
    return r;
}
