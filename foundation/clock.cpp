#include "foundation/clock.h"

#include <ctime>

namespace {
tClockFunction gClock = nullptr;
}

int64_t NowSeconds() { return gClock ? gClock() : int64_t(std::time(nullptr)); }

tClockFunction SetClockForTest(tClockFunction clock) {
    tClockFunction old = gClock;
    gClock = clock;
    return old;
}
