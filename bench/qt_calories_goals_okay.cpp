// Closing the caloric-needs window with "&Okay" on a first run, on the desktop (Qt, offscreen):
// the twenty-one goal keys go into a "calories.INI" that is not there yet, and the window goes.
// Run for run beside its floor, the same window closed by its title bar, which saves nothing, so
// what lies between them is the save. Within one frame (16.7 ms at 60 Hz) the user sees no wait.
// The INI lies in a temporary folder of the machine's own disk, synced as every save is.
// Counters: okay_ms, floor_ms, ratio (medians of the paired runs), saves_ms (okay_ms - floor_ms).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "bench/paired.h"
#include "bench/qt/settle.h"
#include "calories/goals/calcalintake.h"
#include "platform/files/profile.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/user.h"

namespace {

namespace fs = std::filesystem;

using benchdata::PairedRuns;
using benchdata::TimedMs;
using benchqt::Settle;

void BM_DesktopCaloricNeedsOkay(benchmark::State& state) {
    drive::TempEnvironment env;
    const fs::path ini = env.WindowsDir() / "calories.INI";
    qtui::QtHost host;
    forms::FormHolder<calories::calcalintake> intake;
    // The window as a first run shows it: loaded by the main window's two assignments, then shown.
    auto open = [&]() -> calories::calcalintake& {
        fs::remove(ini);
        files::ForgetIniFiles();
        calories::calcalintake& w = intake();
        w.HScroll7.Value(300);
        w.HScroll8.Value(30);
        w.Show();
        Settle();
        return w;
    };

    PairedRuns runs("okay");
    for (auto _ : state) {
        calories::calcalintake& saving = open();
        const double okayMs = TimedMs([&] {
            drive::Click(saving.Command1);
            Settle();
        });
        if (files::GetPrivateProfileString("YourString.Something", "Message11", "", 75, "calories.INI") != "0")
            state.SkipWithError("the goals were not saved");
        calories::calcalintake& closing = open();
        const double floorMs = TimedMs([&] {
            drive::CloseForm(closing);
            Settle();
        });
        runs.Add(state, okayMs, floorMs);
    }
    runs.Report(state);
    state.counters["saves_ms"] = runs.RunMs() - runs.FloorMs();
}
BENCHMARK(BM_DesktopCaloricNeedsOkay)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

}  // namespace
