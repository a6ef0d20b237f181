#pragma once
// A whole food diary per test, driven through its windows with the test backend: its own folders,
// "today" fixed, the program started and stopped like a user would.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "calories/Calories.h"
#include "calories/calSplash.h"
#include "calories/calmain.h"
#include "calories/fooditem.h"
#include "calories/mealitem.h"
#include "calories/meals.h"
#include "calories/period/periodsetup.h"
#include "platform/core/date.h"
#include "platform/core/text.h"
#include "platform/files/fileio.h"
#include "platform/files/profile.h"
#include "platform/forms/forms.h"
#include "platform/forms/input.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"
#include "platform/testing/user.h"

namespace caltest {

namespace fs = std::filesystem;

inline calories::FoodItem Food(std::string name, vb::Long kcal, std::string group = "Beef", vb::Long fat = 0,
                               vb::Long chol = 0, vb::Long fiber = 0, vb::Long carbs = 0, vb::Long protein = 0) {
    calories::FoodItem f;
    f.name = name;
    f.calories = kcal;
    f.fat = fat;
    f.cholesterol = chol;
    f.fiber = fiber;
    f.carbohydrate = carbs;
    f.protein = protein;
    f.group = group;
    return f;
}

// The food as the database keeps a deleted one.
inline calories::FoodItem Deleted(calories::FoodItem f) {
    f.deleted = 1;
    return f;
}

inline calories::MealItem Meal(std::string name, vb::Long kcal, std::string meal, vb::Long day,
                               std::string servings = "1", vb::Long fat = 0) {
    calories::MealItem m;
    m.name = name;
    m.calories = kcal;
    m.fat = fat;
    m.group = "Beef";
    m.servings = servings;
    m.meal = meal;
    m.day = day;
    return m;
}

// A food of a day with all six values (calories to protein).
inline calories::MealItem Eaten(std::string name, std::string meal, vb::Long day, std::string servings,
                                std::array<vb::Long, 6> v, vb::Integer deleted = 0) {
    calories::MealItem m = Meal(std::move(name), v[0], std::move(meal), day, std::move(servings), v[1]);
    m.cholesterol = v[2];
    m.fiber = v[3];
    m.carbohydrate = v[4];
    m.protein = v[5];
    m.deleted = deleted;
    return m;
}

// What a diary test needs whatever backend draws the windows: its folders, the program, its files
// and the reading of its lists. The host that draws the windows comes with the fixture built on it.
class Diary : public ::testing::Test {
protected:
    // Starts the program: splash showing, main window loaded and hidden.
    void Start() {
        app = std::make_unique<calories::Calories>();
        app->Main();
    }
    // Unloads the main window (if loaded) and forgets the program.
    void Quit() {
        if (app && app->LoadedMainform()) forms::Unload(app->mainform());
        app.reset();
    }
    calories::calmain& main() { return app->mainform(); }

    // --- files ---
    fs::path Data(const std::string& name) const { return env.CurrentDir() / name; }
    void WriteFoods(const std::vector<calories::FoodItem>& foods, const std::string& name = "fooddata.bok") {
        std::string bytes;
        for (const auto& f : foods) bytes += calories::encode(f);
        drive::TempEnvironment::WriteFile(Data(name), bytes);
    }
    // A log of the blank day-0 record followed by these.
    void WriteLog(const std::vector<calories::MealItem>& meals, bool blankFirst = true) {
        std::string bytes = blankFirst ? calories::encode(calories::MealItem{}) : std::string();
        for (const auto& m : meals) bytes += calories::encode(m);
        drive::TempEnvironment::WriteFile(Data("period1.dat"), bytes);
    }
    std::vector<calories::MealItem> ReadLog() const {
        const std::string bytes = Bytes(Data("period1.dat"));
        std::vector<calories::MealItem> out;
        for (std::size_t at = 0; at + calories::kMealItemSize <= bytes.size(); at += calories::kMealItemSize)
            out.push_back(calories::decodeMealItem(std::string_view(bytes).substr(at, calories::kMealItemSize)));
        return out;
    }
    static std::string Bytes(const fs::path& p) { return fs::exists(p) ? files::ReadAllBytes(p) : std::string(); }

    // --- calories.INI ---
    // The file as it lies on disk: the names of its sections and keys are part of the format.
    std::string IniBytes() const { return Bytes(env.WindowsDir() / "calories.INI"); }
    static std::string Ini(std::string_view section, std::string_view key) {
        return files::GetPrivateProfileString(section, key, "", 32768, "calories.INI");
    }
    static void SetIni(std::string_view section, std::string_view key, const std::string& value) {
        files::WritePrivateProfileString(section, key, value, "calories.INI");
    }
    // A saved diet period, so a start is no first run.
    static void SetPeriod(const std::string& start, const std::string& end, int days, int day) {
        SetIni(calories::kDateSection, calories::kStartDate, start);
        SetIni(calories::kDateSection, calories::kEndDate, end);
        SetIni(calories::kDateSection, calories::kCurrentDay, std::to_string(day));
        SetIni(calories::kDateSection, calories::kNumberOfDays, std::to_string(days));
    }
    // By default 2000 kcal, 65 g fat, 300 mg cholesterol, 30 g fiber, 300 g carbohydrate, 50 g protein.
    static void SetGoals(const std::vector<std::string>& goals = {"2000", "65", "300", "30", "300", "50"}) {
        for (std::size_t k = 0; k < goals.size(); ++k)
            SetIni("YourString.Something", "Message" + std::to_string(5 + k), goals[k]);
    }

    // --- reading the windows ---
    static std::vector<std::string> Items(const forms::ListControl& list) {
        std::vector<std::string> out;
        for (int i = 0; i < list.ListCount(); ++i) out.push_back(vb::RTrim(list.List(i)));
        return out;
    }
    static int IndexOf(const forms::ListControl& list, const std::string& trimmed) {
        for (int i = 0; i < list.ListCount(); ++i)
            if (vb::RTrim(list.List(i)) == trimmed) return i;
        ADD_FAILURE() << "no item " << trimmed;
        return -1;
    }
    std::vector<std::string> Column(forms::ControlArray<forms::Label>& labels) {
        std::vector<std::string> out;
        for (auto& l : labels) out.push_back(l.Caption());
        return out;
    }
    std::vector<std::string> DayPercents() {
        std::vector<std::string> out;
        for (int k = 0; k < 6; ++k) out.push_back(main().DayPercent(k).Caption());
        return out;
    }
    void ChooseGroup(const std::string& group) { drive::ChooseItem(main().Combo1, group); }
    void ChooseMeal(const std::string& meal) { drive::ChooseItem(main().Combo2, meal); }
    void SelectFood(const std::string& name) { drive::ChooseItem(main().List1, IndexOf(main().List1, name)); }
    // Double click: one serving.
    void SendFood(const std::string& name) { drive::DblClickItem(main().List1, IndexOf(main().List1, name)); }

    drive::TempEnvironment env;
    std::unique_ptr<calories::Calories> app;
};

// The diary on the test backend, "today" fixed.
class Program : public Diary {
protected:
    void SetUp() override { host.SetToday(vb::DateSerial(2026, 3, 9)); }  // a Monday
    void TearDown() override { Quit(); }

    // Starts and presses the splash's "&Ok".
    void Open() {
        Start();
        drive::Click(app->splash().Command1);
    }
    // Closes the main window (the program's shutdown) and forgets the program.
    void Close() {
        drive::CloseForm(app->mainform());
        app.reset();
    }
    // Right click and a portion of the pop-up menu.
    void SendPortion(const std::string& name, const std::string& menuItem) {
        SelectFood(name);
        host.AnswerPopupMenu(menuItem);
        drive::RightClick(main().List1);
    }

    drive::TestHost host;
};

}  // namespace caltest
