// Choosing a food group of 10,000 foods: the food list is refilled, sorted, from the database.
#include <benchmark/benchmark.h>

#include <string>

#include "calories/Calories.h"
#include "calories/calmain.h"
#include "calories/fooditem.h"
#include "calories/period/periodsetup.h"
#include "platform/files/profile.h"
#include "platform/forms/forms.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"

namespace {

void BM_GroupChoice(benchmark::State& state) {
    drive::TempEnvironment env;
    drive::TestHost host;
    std::string bytes;
    for (int i = 0; i < 20000; ++i) {
        calories::FoodItem f;
        f.name = "Vegetable " + std::to_string((i * 7919) % 20000);
        f.calories = i % 300;
        f.group = i % 2 == 0 ? "Vegetables" : "Soups";
        bytes += calories::encode(f);
    }
    drive::TempEnvironment::WriteFile(env.CurrentDir() / "fooddata.bok", bytes);
    files::WritePrivateProfileString(calories::kDateSection, calories::kStartDate,
                                     std::string("Mar 09/26"), "calories.INI");
    files::WritePrivateProfileString(calories::kDateSection, calories::kNumberOfDays, std::string("1"), "calories.INI");
    calories::Calories app;
    app.Main();
    calories::calmain& main = app.mainform();
    main.Combo1.Text("Vegetables");
    for (auto _ : state) {
        main.Combo1_Click();
        benchmark::DoNotOptimize(main.List1.ListCount());
    }
    if (main.List1.ListCount() != 10000) state.SkipWithError("expected 10,000 foods");
    forms::ResetApplication();
}
BENCHMARK(BM_GroupChoice)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
