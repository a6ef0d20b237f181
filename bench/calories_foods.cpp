// The food windows over big tables: the Search Options window over a full food database (32,767
// foods) by name and by one threshold, and opening a personal group of 5,000 foods and listing it.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/calories_data.h"
#include "calories/Calories.h"
#include "calories/calmain.h"
#include "calories/fooditem.h"
#include "calories/foodgroups.h"
#include "calories/foods/Search.h"
#include "calories/period/periodsetup.h"
#include "platform/files/profile.h"
#include "platform/forms/forms.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"

namespace {

const char* const kWords[] = {"apple", "Bean", "cheese", "Rice", "soup", "Toast", "pie", "Milk"};

std::string Foods(int count, std::string_view group) {
    const auto name = [count](int i) {
        return std::string(kWords[i % 8]) + " dish number " + std::to_string((i * 7919) % count) + ", 100 g";
    };
    return benchdata::FoodDatabase(count, name, group);
}

// A started program over a full database; the Search Options window is open.
struct Fixture {
    Fixture() {
        drive::TempEnvironment::WriteFile(env.CurrentDir() / "fooddata.bok", Foods(32767, ""));
        drive::TempEnvironment::WriteFile(env.CurrentDir() / "group.per", Foods(5000, calories::kPersonalGroup));
        files::WritePrivateProfileString(calories::kDateSection, calories::kStartDate,
                                         std::string("Mar 09/26"), "calories.INI");
        files::WritePrivateProfileString(calories::kDateSection, calories::kNumberOfDays,
                                         std::string("1"), "calories.INI");
        app = std::make_unique<calories::Calories>();
        app->Main();
    }
    ~Fixture() {
        app.reset();
        forms::ResetApplication();  // forget the windows without writing the files back
    }
    drive::TempEnvironment env;
    drive::TestHost host;
    std::unique_ptr<calories::Calories> app;
};

void BM_SearchByName(benchmark::State& state) {
    Fixture fx;
    calories::Search& w = fx.app->Search();
    w.Option3.Value(true);
    w.Text1.Text("rice");  // "Rice" through the proper form
    for (auto _ : state) {
        w.Command1.Value(true);
        benchmark::DoNotOptimize(w.List1.ListCount());
    }
    if (w.List1.ListCount() != 4096) state.SkipWithError("expected 4,096 hits");
}
BENCHMARK(BM_SearchByName)->Unit(benchmark::kMillisecond);

void BM_SearchByThreshold(benchmark::State& state) {
    Fixture fx;
    calories::Search& w = fx.app->Search();
    w.Option1[1].Value(true);
    w.Option2[0].Value(true);
    w.Text2[0].Text("450");  // half the foods
    for (auto _ : state) {
        w.Command1.Value(true);
        benchmark::DoNotOptimize(w.List1.ListCount());
    }
    if (w.List1.ListCount() < 16000) state.SkipWithError("expected half the foods");
}
BENCHMARK(BM_SearchByThreshold)->Unit(benchmark::kMillisecond);

// Reading the group file and filling the food list with it, as the open command does once the
// file is chosen.
void BM_OpenPersonalGroup(benchmark::State& state) {
    Fixture fx;
    calories::calmain& main = fx.app->mainform();
    const std::string path = (fx.env.CurrentDir() / "group.per").string();
    for (auto _ : state) {
        main.LoadPersonalGroup(path);
        main.Command1_Click();
        benchmark::DoNotOptimize(main.List1.ListCount());
    }
    if (main.List1.ListCount() != 5000) state.SkipWithError("expected 5,000 foods");
}
BENCHMARK(BM_OpenPersonalGroup)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
