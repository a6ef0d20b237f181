#include "platform/core/clock.h"

#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>
#include <mutex>

#include "platform/core/date_parts.h"

namespace vb {

namespace {

std::mutex gMutex;
std::function<Date()> gClock;  // empty: the system's local time
std::function<std::int64_t()> gMilliseconds;  // empty: the system's steady clock
std::uint32_t gSeed = 0x50000;  // the runtime's start value, so an unseeded Rnd repeats

// Local time, to the second for Now and to the millisecond for Timer.
Date SystemNow(bool fractions) {
    auto now = std::chrono::system_clock::now();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    std::time_t t = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    localtime_r(&t, &local);
    double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    if (fractions) seconds += static_cast<double>(ms % 1000) / 1000.0;
    long day = detail::DayFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    return Date{static_cast<double>(day) + seconds / 86400.0};
}

// Randomize's mixing of its number into the middle bytes of the seed, as the runtime did it, but
// from a fixed low byte so that one seed always gives one sequence.
void Seed(double number) {
    std::uint64_t bits;
    static_assert(sizeof bits == sizeof number);
    std::memcpy(&bits, &number, sizeof bits);
    auto high = static_cast<std::uint32_t>(bits >> 32);
    gSeed = (((high & 0xFFFF) ^ (high >> 16)) << 8) & 0xFFFFFF;
}

}  // namespace

void SetClock(std::function<Date()> now) {
    std::lock_guard lock(gMutex);
    gClock = std::move(now);
}

void ResetClock() { SetClock(nullptr); }

void SetMilliseconds(std::function<std::int64_t()> source) {
    std::lock_guard lock(gMutex);
    gMilliseconds = std::move(source);
}

std::int64_t Milliseconds() {
    std::function<std::int64_t()> source;
    {
        std::lock_guard lock(gMutex);
        source = gMilliseconds;
    }
    if (source) return source();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

Date Now() {
    std::function<Date()> clock;
    {
        std::lock_guard lock(gMutex);
        clock = gClock;
    }
    return clock ? clock() : SystemNow(false);
}

double Timer() {
    std::function<Date()> clock;
    {
        std::lock_guard lock(gMutex);
        clock = gClock;
    }
    Date now = clock ? clock() : SystemNow(true);
    return std::fabs(now.serial - std::trunc(now.serial)) * 86400.0;
}

float Rnd() {
    std::lock_guard lock(gMutex);
    gSeed = (gSeed * 1140671485u + 12820163u) & 0xFFFFFFu;
    return static_cast<float>(gSeed) / 16777216.0f;
}

void Randomize(unsigned seed) {
    std::lock_guard lock(gMutex);
    Seed(static_cast<double>(seed));
}

void Randomize() {
    double t = Timer();
    std::lock_guard lock(gMutex);
    Seed(t);
}

}  // namespace vb
