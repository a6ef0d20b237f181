#pragma once
// Fixes "today" for one test and puts the system clock back afterwards.
#include "platform/core/clock.h"

struct FixedClock {
    explicit FixedClock(vb::Date now) {
        vb::SetClock([now] { return now; });
    }
    ~FixedClock() { vb::ResetClock(); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
};
