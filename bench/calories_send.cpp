// Sending a food to a meal in a 365-day period whose log holds 20 foods a day: the record is
// appended and the day, meal and period figures are recomputed.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "calories/Calories.h"
#include "calories/calmain.h"
#include "calories/fooditem.h"
#include "calories/mealitem.h"
#include "calories/meals.h"
#include "calories/period/periodsetup.h"
#include "platform/files/profile.h"
#include "platform/forms/forms.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"

namespace {

void Ini(std::string_view section, std::string_view key, const std::string& value) {
    files::WritePrivateProfileString(section, key, value, "calories.INI");
}

void BM_SendToMeal(benchmark::State& state) {
    drive::TempEnvironment env;
    drive::TestHost host;
    calories::FoodItem food;
    food.name = "Sirloin, 100 g";
    food.calories = 157;
    food.fat = 7;
    food.cholesterol = 56;
    food.protein = 23;
    food.group = "Beef";
    drive::TempEnvironment::WriteFile(env.CurrentDir() / "fooddata.bok", calories::encode(food));

    std::string log = calories::encode(calories::MealItem{});
    for (int day = 1; day <= 365; ++day)
        for (int i = 0; i < 20; ++i) {
            calories::MealItem m;
            m.name = "Food " + std::to_string(i);
            m.calories = 100 + i;
            m.fat = i;
            m.group = "Beef";
            m.servings = "1";
            m.meal = std::string(calories::kMeals[static_cast<std::size_t>(i % 6)]);
            m.day = day;
            log += calories::encode(m);
        }
    drive::TempEnvironment::WriteFile(env.CurrentDir() / "period1.dat", log);
    Ini(calories::kDateSection, calories::kStartDate, "Jan 01/26");
    Ini(calories::kDateSection, calories::kEndDate, "Dec 31/26");
    Ini(calories::kDateSection, calories::kCurrentDay, "200");
    Ini(calories::kDateSection, calories::kNumberOfDays, "365");
    const char* goals[6] = {"2000", "65", "300", "30", "300", "50"};
    for (int k = 0; k < 6; ++k) Ini("YourString.Something", ("Message" + std::to_string(5 + k)).c_str(), goals[k]);

    calories::Calories app;
    app.Main();
    calories::calmain& main = app.mainform();
    main.List1.ListIndex(0);
    for (auto _ : state) main.Command11_Click();
    if (main.Label23[0].Caption().empty()) state.SkipWithError("no day totals");
    forms::ResetApplication();
}
BENCHMARK(BM_SendToMeal)->Unit(benchmark::kMillisecond)->Iterations(2000);

}  // namespace

BENCHMARK_MAIN();
