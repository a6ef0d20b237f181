// Taking foods out of the meals: deleting the selected food, and clearing the day (single-day
// mode). Whether a day or the period still has meals is judged on the live records of the log, so
// zero-calorie foods count like any other.
#include <filesystem>

#include "calories/Calories.h"
#include "calories/calmain.h"
#include "calories/confirm.h"
#include "calories/meals.h"
#include "calories/recordtable.h"
#include "platform/core/error.h"
#include "platform/files/fileio.h"

namespace calories {

void calmain::Command9_Click() {
    const long day = CurrentDay();
    if (!app.DayHasFoods(day)) return;
    int dayOneFoods = 0;
    for (const MealItem& m : app.mealdata)
        if (m.day == 1 && m.deleted != 1) ++dayOneFoods;
    if (List2.ListIndex() == -1) return;

    if (MultiDay() && day == 1 && dayOneFoods == 1 &&
        !Confirmed("You are deleting the last food item in day 1,if you delete this food item you will clear the "
                   "entire menu period ",
                   "Warning"))
        return;
    if (!Confirmed("Are you sure to want to delete this food ?", "Deleting food from Meal")) return;

    const int selected = List2.ListIndex();
    if (selected == -1) return;
    const int index = static_cast<int>(List2.ItemData(selected));
    if (index < 0 || index >= static_cast<int>(app.mealdata.size())) return;  // a stale item
    app.mealindex = index;
    MealItem& r = app.mealdata[static_cast<std::size_t>(index)];
    r.deleted = 1;
    List2.RemoveItem(selected);
    List2.ListIndex(-1);

    const Nutrients v = Values(r);
    daytotals.Subtract(v);
    // The period figures exist in multi-day mode only; tools() recomputes them from the log.
    if (MultiDay()) periodtotals.Subtract(v);
    for (int k = 0; k < 6; ++k) {
        Label21[k].Caption(std::to_string(v[static_cast<std::size_t>(k)]));
        Label23[k].Caption(daytotals.Text(k));
    }
    // The food leaves its own meal; "This Meal" shows the meal the list is showing.
    if (const auto row = MealRowOfField(r.meal.view())) mealtotals[static_cast<std::size_t>(*row)].Subtract(v);
    if (const auto shown = MealRow(Combo2.Text()))
        for (int k = 0; k < 6; ++k) Label22[k].Caption(mealtotals[static_cast<std::size_t>(*shown)].Text(k));

    adding2();
    tools();
    graph();
    for (int k = 0; k < 6; ++k) Label21[k].Caption("");

    if (MultiDay() ? !app.PeriodHasFoods(NumberOfDays()) : !app.DayHasFoods(day)) tools2();
    if (!app.DayHasFoods(day)) {
        for (int k = 0; k < 6; ++k) {
            Label22[k].Caption("");
            Label23[k].Caption("");
        }
        for (int k = 0; k < 6; ++k) DayPercent(k).Caption("");
        for (int k = 0; k < 6; ++k) DayBar(k).Visible(false);
    }
}

// Whether the file holds exactly the live records of the log: the day is safe on disk.
bool calmain::LogIsSavedIn(const std::string& path) const {
    if (path.empty()) return false;
    try {
        return files::ReadAllBytes(path) == LiveRecordBytes(app.mealdata, [](const MealItem& m) { return encode(m); });
    } catch (const vb::Error&) {
        return false;
    }
}

// Clear the day (single-day mode): offers to save it first. When the user wanted it saved and it
// was not (the file dialog cancelled, the file not written), the day stays.
void calmain::Command2_Click() {
    if (MultiDay()) return;
    if (!app.DayHasFoods(CurrentDay())) return;
    if (Confirmed("Do you want to save this day ?", "Vantorel")) {
        app.savefilename.clear();
        Command4_Click();
        if (!LogIsSavedIn(app.savefilename)) return;
    }

    ClearDayAndLog();
}

}  // namespace calories
