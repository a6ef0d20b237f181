#pragma once
// One replaceable source of time and random numbers, so tests can fix "today".
#include <functional>

#include "platform/core/date.h"

namespace vb {

// The current local date and time; tests replace it with a fixed value.
void SetClock(std::function<Date()> now);
void ResetClock();

// Rnd: the next number in [0, 1); Randomize seeds it. Tests may seed a fixed sequence.
float Rnd();
void Randomize(unsigned seed);
void Randomize();  // from the clock

// Seconds since midnight, as Timer gave them.
double Timer();

}  // namespace vb
