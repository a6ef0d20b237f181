#pragma once
// A single-day diet period of foods spread over the six meals, with goals, for the print benchmarks.
#include <string>
#include <string_view>

#include "calories/fooditem.h"
#include "calories/mealitem.h"
#include "calories/meals.h"
#include "calories/period/periodsetup.h"
#include "platform/files/profile.h"
#include "platform/testing/temp_env.h"

namespace benchdata {

inline void WriteDay(const drive::TempEnvironment& env, int foods) {
    std::string log = calories::encode(calories::MealItem{});
    for (int i = 0; i < foods; ++i) {
        calories::MealItem m;
        m.name = "Food number " + std::to_string(i) + ", 100 g";
        m.calories = 50 + i * 7;
        m.fat = i % 11;
        m.cholesterol = i % 40;
        m.fiber = i % 6;
        m.carbohydrate = 10 + i % 30;
        m.protein = i % 20;
        m.group = "Beef";
        m.servings = "1";
        m.meal = std::string(calories::kMeals[static_cast<std::size_t>(i % 6)]);
        m.day = 1;
        log += calories::encode(m);
    }
    drive::TempEnvironment::WriteFile(env.CurrentDir() / "period1.dat", log);
    // A food database too: without one the program stops at its start to say so.
    calories::FoodItem food;
    food.name = "Beef, chops, 100 g";
    food.calories = 250;
    food.group = "Beef";
    drive::TempEnvironment::WriteFile(env.CurrentDir() / "fooddata.bok", calories::encode(food));
    auto ini = [](std::string_view section, std::string_view key, const std::string& value) {
        files::WritePrivateProfileString(section, key, value, "calories.INI");
    };
    ini(calories::kDateSection, calories::kStartDate, "Mar 09/26");
    ini(calories::kDateSection, calories::kEndDate, "Mar 09/26");
    ini(calories::kDateSection, calories::kCurrentDay, "1");
    ini(calories::kDateSection, calories::kNumberOfDays, "1");
    const char* goals[6] = {"2000", "65", "300", "30", "300", "50"};
    for (int k = 0; k < 6; ++k) ini("YourString.Something", "Message" + std::to_string(5 + k), goals[k]);
}

}  // namespace benchdata
