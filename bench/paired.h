// Runs timed beside their floors: the time of one run, and the median of a benchmark's runs.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <utility>
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

// Each iteration's run beside its floor; the iteration counts the run's time, and the counters
// are the medians of both and of their ratio.
class PairedRuns {
public:
    explicit PairedRuns(std::string runName) : runName_(std::move(runName)) {}
    void Add(benchmark::State& state, double runMs, double floorMs) {
        state.SetIterationTime(runMs / 1e3);
        run_.push_back(runMs);
        floor_.push_back(floorMs);
        ratio_.push_back(runMs / floorMs);
    }
    void Report(benchmark::State& state) const {
        state.counters[runName_ + "_ms"] = Median(run_);
        state.counters["floor_ms"] = Median(floor_);
        state.counters["ratio"] = Median(ratio_);
    }
    double RunMs() const { return Median(run_); }
    double FloorMs() const { return Median(floor_); }

private:
    std::string runName_;
    std::vector<double> run_, floor_, ratio_;
};

}  // namespace benchdata
