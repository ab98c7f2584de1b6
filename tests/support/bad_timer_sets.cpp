#include "bad_timer_sets.h"

#include <random>

namespace {
constexpr std::size_t tenMegabytes = 10 * 1024 * 1024;
const std::string byteOrderMark = "\xEF\xBB\xBF";

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string threeTimers() { return writtenSection(0, "one") + writtenSection(1, "two", 1) + writtenSection(2, "three", 2); }

std::string randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

BadTimerSet manySections() {
    BadTimerSet set{"10,000 sections", "", 100, "t0", "t99"};
    for (int i = 0; i < 10000; ++i) set.text += writtenSection(i, "t" + std::to_string(i));
    return set;
}

BadTimerSet hugeDescription() {
    return {"a 10 MB description line",
            "\r\n[TIMER_0]\r\nDESCRIPTION = " + std::string(tenMegabytes, 'd') + "\r\nLIMIT = 1\r\nSECONDS = 9\r\n" +
                writtenSection(1, "after"),
            2, std::string(259, 'd'), "after"};
}

BadTimerSet hugeStrayLine() {
    return {"a 10 MB line without \"=\"",
            "\r\n[TIMER_0]\r\n" + std::string(tenMegabytes, 's') + "\r\nDESCRIPTION = behind it\r\n", 1, "behind it",
            "behind it"};
}

// Random bytes without "[" cannot open a section, so the timers after them
// are all there is.
BadTimerSet garbageBeforeTimers() {
    std::string noise = replaceAll(randomBytes(1024 * 1024, 11), "[", "?");
    return {"1 MB of binary garbage before two timers", noise + "\r\n" + writtenSection(0, "x") + writtenSection(1, "y"),
            2, "x", "y"};
}

BadTimerSet pureGarbage() { return {"4 MB of binary garbage", randomBytes(4 * 1024 * 1024, 5), -1, "", ""}; }

BadTimerSet lineFeedsOnly() {
    return {"LF-only lines", replaceAll(threeTimers(), "\r\n", "\n"), 3, "one", "three"};
}

BadTimerSet withByteOrderMark() { return {"a byte-order mark", byteOrderMark + threeTimers(), 3, "one", "three"}; }

// Without LF the whole file is one line: the header "[TIMER_0]" and the
// rest of that line, which holds no key.
BadTimerSet carriageReturnsOnly() {
    return {"CR-only lines", replaceAll(threeTimers(), "\r\n", "\r"), 0, "", ""};
}

BadTimerSet duplicateSections() {
    return {"duplicate sections",
            writtenSection(0, "first zero") + writtenSection(1, "first one") + writtenSection(0, "second zero") +
                writtenSection(1, "second one") + writtenSection(2, "two"),
            3, "first zero", "two"};
}
}  // namespace

std::string writtenSection(int index, const std::string& description, int state) {
    return "\r\n[TIMER_" + std::to_string(index) + "]\r\nDESCRIPTION = " + description +
           "\r\nHOURS = 0\r\nMINUTES = 1\r\nSECONDS = 30\r\nACTION_TYPE = 0\r\nFILE = \r\nFLAGS = 0"
           "\r\nPARAMETER = \r\nRUN_TIMER = 0\r\nSTATE = " +
           std::to_string(state) + "\r\nLIMIT = 1\r\nCOAST_INT = 0\r\nCOAST_FRAC = \r\nVALUE = 0\r\nUNIT = second\r\n";
}

BadTimerSet numbersBeyond32Bits() {
    return {"numbers beyond 32 bits",
            "\r\n[TIMER_0]\r\nDESCRIPTION = big\r\nHOURS = 99999999999\r\nMINUTES = -99999999999\r\n"
            "LIMIT = 4294967297\r\nCOAST_INT = 4294967295\r\nVALUE = -2147483649\r\n"
            "FLAGS = 18446744073709551617\r\nSTATE = 4294967296\r\n"
            "\r\n[TIMER_1]\r\nDESCRIPTION = padded\r\nHOURS = 0000000000000000000001\r\n"
            "SECONDS = 00000000000000000000000000042\r\nLIMIT = 1\r\n",
            2, "big", "padded"};
}

std::vector<BadTimerSet> badTimerSets() {
    return {
        manySections(),
        hugeDescription(),
        hugeStrayLine(),
        garbageBeforeTimers(),
        pureGarbage(),
        lineFeedsOnly(),
        withByteOrderMark(),
        carriageReturnsOnly(),
        numbersBeyond32Bits(),
        duplicateSections(),
    };
}
