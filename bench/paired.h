// Runs timed beside their floors: the time of one run, and the median of a benchmark's runs.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace benchdata {

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

template <class Work>
double TimedMs(Work work) {
    const auto t0 = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace benchdata
