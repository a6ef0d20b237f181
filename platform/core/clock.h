#pragma once
// One replaceable source of time and random numbers, so tests can fix "today".
#include <cstdint>
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

// Milliseconds of a steady clock, for pacing work such as repaints (no time of day); tests may
// put a source of their own in its place (an empty one restores the system's).
std::int64_t Milliseconds();
void SetMilliseconds(std::function<std::int64_t()> source);

}  // namespace vb
