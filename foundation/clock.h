// The current calendar time, replaceable in tests so that dated names and
// session stamps are predictable.
#pragma once

#include <cstdint>

using tClockFunction = int64_t (*)();

// Seconds since 1 January 1970, 00:00 UTC.
int64_t NowSeconds();
// Installs a clock for tests; null restores the system clock.  Returns the previous one.
tClockFunction SetClockForTest(tClockFunction clock);
