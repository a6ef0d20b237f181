// The diet period over a log of 7,300 foods (20 a day for a year): a single day made into a
// 365-day period through the calendar's "&Ok", the calendar's month drawn, and a food deleted
// from a day of a 365-day period with the totals, percentages and bars recomputed.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "calories/Calories.h"
#include "calories/calmain.h"
#include "calories/mealitem.h"
#include "calories/meals.h"
#include "calories/period/frmCalendar.h"
#include "calories/period/periodsetup.h"
#include "platform/files/profile.h"
#include "platform/forms/forms.h"
#include "platform/forms/input.h"
#include "platform/services/dialogs.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"

namespace {

void Ini(std::string_view section, std::string_view key, const std::string& value) {
    files::WritePrivateProfileString(section, key, value, "calories.INI");
}

// 7,300 foods on the days from `firstDay` to 365.
void WriteLog(const drive::TempEnvironment& env, int firstDay) {
    std::string log = calories::encode(calories::MealItem{});
    const int days = 365 - firstDay + 1;
    for (int i = 0; i < 7300; ++i) {
        calories::MealItem m;
        m.name = "Food " + std::to_string(i % 97);
        m.calories = 100 + i % 50;
        m.fat = i % 9;
        m.cholesterol = i % 40;
        m.protein = i % 20;
        m.group = "Beef";
        m.servings = "1";
        m.meal = std::string(calories::kMeals[static_cast<std::size_t>(i % 6)]);
        m.day = firstDay + i % days;
        log += calories::encode(m);
    }
    drive::TempEnvironment::WriteFile(env.CurrentDir() / "period1.dat", log);
}

void SetUp(const char* end, int days, int day) {
    Ini(calories::kDateSection, calories::kStartDate, "Jan 01/26");
    Ini(calories::kDateSection, calories::kEndDate, end);
    Ini(calories::kDateSection, calories::kCurrentDay, std::to_string(day));
    Ini(calories::kDateSection, calories::kNumberOfDays, std::to_string(days));
    const char* goals[6] = {"2000", "65", "300", "30", "300", "50"};
    for (int k = 0; k < 6; ++k) Ini("YourString.Something", "Message" + std::to_string(5 + k), goals[k]);
}

// An empty single day whose log holds the foods of days 2 to 365 becomes a year.
void BM_PeriodOneDayToAYear(benchmark::State& state) {
    drive::TempEnvironment env;
    drive::TestHost host;
    WriteLog(env, 2);
    SetUp("Jan 01/26", 1, 1);
    calories::Calories app;
    app.Main();
    calories::calmain& main = app.mainform();
    for (auto _ : state) {
        state.PauseTiming();
        main.Label48.Caption("1");
        main.HScroll1.Max(1);
        main.Label44.Caption("Dec 31/26");
        app.datemode = 2;
        calories::frmCalendar& cal = app.frmCalendar();
        state.ResumeTiming();
        cal.Command1_Click();
    }
    if (main.Label48.Caption() != "365" || main.HScroll1.Max() != 365) state.SkipWithError("period not applied");
    forms::ResetApplication();
}
BENCHMARK(BM_PeriodOneDayToAYear)->Unit(benchmark::kMillisecond);

void BM_CalendarMonth(benchmark::State& state) {
    drive::TempEnvironment env;
    drive::TestHost host;
    SetUp("Dec 31/26", 365, 1);
    calories::Calories app;
    app.Main();
    app.datemode = 2;
    calories::frmCalendar& cal = app.frmCalendar();
    cal.CurDate = vb::DateSerial(2026, 3, 9);
    cal.Show();
    for (auto _ : state) forms::input::Paint(cal.picMonth);
    if (cal.lblMonth.Caption() != "March 2026") state.SkipWithError("month not drawn");
    forms::ResetApplication();
}
BENCHMARK(BM_CalendarMonth)->Unit(benchmark::kMillisecond);

// One of the twenty foods of day 200, deleted after confirmation; the food comes back between
// runs.
void BM_DeleteFood(benchmark::State& state) {
    drive::TempEnvironment env;
    drive::TestHost host;
    host.OnMsgBox([](const drive::MsgBoxRecord&) { return services::vbYes; });
    WriteLog(env, 1);
    SetUp("Dec 31/26", 365, 200);
    calories::Calories app;
    app.Main();
    calories::calmain& main = app.mainform();
    for (auto _ : state) {
        state.PauseTiming();
        for (auto& m : app.mealdata) m.deleted = 0;
        main.HScroll1_Change();
        main.List2.ListIndex(0);
        state.ResumeTiming();
        main.Command9_Click();
    }
    if (main.List2.ListCount() != 3) state.SkipWithError("no food deleted");
    forms::ResetApplication();
}
BENCHMARK(BM_DeleteFood)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
