// Start-up of the food diary over a full food database (32,767 foods): the splash counts every
// food, the status bar shows the count, and the "Beef" foods fill the food list.
#include <benchmark/benchmark.h>

#include <string>

#include "calories/Calories.h"
#include "calories/calSplash.h"
#include "calories/calmain.h"
#include "calories/fooditem.h"
#include "calories/foodgroups.h"
#include "platform/files/profile.h"
#include "platform/forms/forms.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"

namespace {

std::string Database(int count) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(count) * calories::kFoodItemSize);
    for (int i = 0; i < count; ++i) {
        calories::FoodItem f;
        f.name = "Food number " + std::to_string((i * 7919) % count) + ", 100 g";
        f.calories = i % 900;
        f.fat = i % 50;
        f.group = calories::kFoodGroups[static_cast<std::size_t>(i % 30)];
        bytes += calories::encode(f);
    }
    return bytes;
}

void BM_StartupLoad(benchmark::State& state) {
    testing::TempEnvironment env;
    testing::TestHost host;
    testing::TempEnvironment::WriteFile(env.CurrentDir() / "fooddata.bok", Database(32767));
    files::WritePrivateProfileString("date", "message2", std::string("Mar 09/26"), "calories.INI");
    files::WritePrivateProfileString("date", "message5", std::string("1"), "calories.INI");
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
