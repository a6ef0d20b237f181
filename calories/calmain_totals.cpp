// The nutrient panel: day and meal totals, percent of goal for the day and for the period, and
// their bars.
#include "calories/Calories.h"
#include "calories/calmain.h"
#include "calories/period/periodsetup.h"
#include "platform/core/convert.h"
#include "platform/files/profile.h"

namespace calories {

namespace {

void ApplyBar(forms::Label& bar, const Bar& b) {
    if (!b.visible) {
        bar.Visible(false);
        return;
    }
    bar.BackColor(b.color).Width(b.width);
}

}  // namespace

long calmain::NumberOfDays() const { return static_cast<long>(vb::Val(Label48.Caption())); }

long calmain::CurrentDay() const { return static_cast<long>(vb::Val(Label47.Caption())); }

// Adds the record at mealindex to the day and to its meal, and shows the food, meal and day.
void calmain::adding() {
    if (app.mealindex < 0 || app.mealindex >= static_cast<int>(app.mealdata.size())) return;
    const MealItem& r = app.mealdata[static_cast<std::size_t>(app.mealindex)];
    for (int k = 0; k < 6; ++k) DayBar(k).Visible(true);
    const Nutrients v = Values(r);
    daytotals.Add(v);
    for (int k = 0; k < 6; ++k) Label21[k].Caption(std::to_string(v[static_cast<std::size_t>(k)]));
    for (int k = 0; k < 6; ++k) Label23[k].Caption(daytotals.Text(k));
    const auto row = MealRowOfField(r.meal.view());
    if (!row) return;  // a meal of no known name counts in the day only
    Sums& meal = mealtotals[static_cast<std::size_t>(*row)];
    meal.Add(v);
    for (int k = 0; k < 6; ++k) Label22[k].Caption(meal.Text(k));
}

// Today's percent of the six goals, each nutrient on its own: one without a usable goal shows no
// percentage (and so no bar) while the others are still computed.
void calmain::adding2() {
    const auto goals = ReadGoals();
    for (int k = 0; k < 6; ++k) {
        const auto goal = GoalValue(goals[static_cast<std::size_t>(k)]);
        const double total = static_cast<double>(daytotals[k]);
        daypercents[static_cast<std::size_t>(k)] = goal ? total / *goal : 0.0;
        DayPercent(k).Caption(PercentText(total, goal));
    }
}

void calmain::graph() {
    for (int k = 0; k < 6; ++k) ApplyBar(DayBar(k), calories::DayBar(DayPercent(k).Caption()));
}

void calmain::labeling() {
    for (int k = 0; k < 6; ++k) Label22[k].Caption("");
}

// The period totals have one definition: every live record of a day of the period. They are
// recomputed, so day changes, deletes and replays cannot make them drift.
void calmain::RecomputePeriod() {
    const long days = NumberOfDays();
    periodtotals.Zero();
    for (const MealItem& m : app.mealdata)
        if (m.deleted != 1 && m.day >= 1 && m.day <= days) periodtotals.Add(Values(m));
}

void calmain::tools3() {
    if (!MultiDay()) return;
    RecomputePeriod();
}

void calmain::tools() {
    if (!MultiDay()) return;
    RecomputePeriod();
    if (mnuperiod.Checked())
        multiday();
    else
        multiday2();
    graph2();
}

void calmain::PeriodPercents(double days) {
    const auto goals = ReadGoals();
    for (int k = 0; k < 6; ++k) {
        const auto goal = GoalValue(goals[static_cast<std::size_t>(k)]);
        const auto periodGoal = goal && days > 0 ? std::optional<double>(*goal * days) : std::nullopt;
        const double total = static_cast<double>(periodtotals[k]);
        periodpercents[static_cast<std::size_t>(k)] = periodGoal ? total / *periodGoal : 0.0;
        Label51[k].Caption(PercentText(total, periodGoal));
    }
    for (int k = 0; k < 6; ++k) Label50[k].Visible(true);
}

void calmain::multiday() { PeriodPercents(static_cast<double>(NumberOfDays())); }

void calmain::multiday2() { PeriodPercents(static_cast<double>(CurrentDay())); }

void calmain::graph2() {
    for (int k = 0; k < 6; ++k) ApplyBar(Label50[k], PeriodBar(Label51[k].Caption()));
}

// Clears every total, value and percent label, every bar, the meal list and the whole day log.
void calmain::tools2() {
    ClearDayAndLog();
    for (int k = 0; k < 6; ++k) {
        Label51[k].Caption("");
        Label50[k].Visible(false);
    }
    files::WritePrivateProfileString(kDateSection, kCurrentDay, std::string("1"), kIniFile);
}

// Every total to 0, the day's value and percent labels blank, its bars hidden, the meal list and
// the day log empty; the period column is left as it is.
void calmain::ClearDayAndLog() {
    daytotals.Zero();
    for (auto& m : mealtotals) m.Zero();
    periodpercents.fill(0);
    periodtotals.Zero();
    for (int k = 0; k < 6; ++k) {
        Label21[k].Caption("");
        Label23[k].Caption("");
    }
    for (int k = 0; k < 6; ++k) DayPercent(k).Caption("");
    for (int k = 0; k < 6; ++k) DayBar(k).Visible(false);
    List2.Clear();
    app.ClearMealLog();
    Combo2.Text("BREAKFAST");
    labeling();
}

void calmain::getnumber() {
    files::WritePrivateProfileString(kDateSection, kCurrentDay, Label47.Caption(), kIniFile);
}

// The Options menu: which period percentage shows. The figures follow the new heading at once;
// a period without foods keeps its blank column.
void calmain::mnuperiod_Click() {
    if (NumberOfDays() == 1) {
        mnuperiod.Enabled(false);
        mnudate.Enabled(false);
    }
    Label41.Caption("% of Goal for Period");
    mnuperiod.Checked(true);
    mnudate.Checked(false);
    if (app.PeriodHasFoods(NumberOfDays())) tools();
}

void calmain::mnudate_Click() {
    if (NumberOfDays() == 1) {
        mnuperiod.Enabled(false);
        mnudate.Enabled(false);
    }
    Label41.Caption("% Average     to Date");
    mnudate.Checked(true);
    mnuperiod.Checked(false);
    if (app.PeriodHasFoods(NumberOfDays())) tools();
}

}  // namespace calories
