// Start-up of the food diary over a full food database (32,767 foods): the splash counts every
// food, the status bar shows the count, and the "Beef" foods fill the food list.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/calories_data.h"
#include "calories/Calories.h"
#include "calories/calSplash.h"
#include "calories/calmain.h"
#include "calories/fooditem.h"
#include "calories/foodgroups.h"
#include "calories/period/periodsetup.h"
#include "platform/files/profile.h"
#include "platform/forms/forms.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"

namespace {

void BM_StartupLoad(benchmark::State& state) {
    drive::TempEnvironment env;
    drive::TestHost host;
    drive::TempEnvironment::WriteFile(env.CurrentDir() / "fooddata.bok", benchdata::FoodDatabase(32767));
    files::WritePrivateProfileString(calories::kDateSection, calories::kStartDate,
                                     std::string("Mar 09/26"), "calories.INI");
    files::WritePrivateProfileString(calories::kDateSection, calories::kNumberOfDays, std::string("1"), "calories.INI");
    for (auto _ : state) {
        calories::Calories app;
        app.Main();
        benchmark::DoNotOptimize(app.mainform().List1.ListCount());
        state.PauseTiming();
        if (app.splash().Label3.Caption() != "   32767 Items done!") state.SkipWithError("progress text");
        forms::ResetApplication();  // forget the windows without writing the files back
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupLoad)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
