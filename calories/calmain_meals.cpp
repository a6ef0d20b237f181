// The meal side of the main window: sending a food to a meal and the meal list.
#include "calories/Calories.h"
#include "calories/calmain.h"
#include "calories/foodgroups.h"

namespace calories {

namespace {

// The meal list's text of a record: name, a blank and the servings text (46 characters).
std::string MealListText(const MealItem& m) { return m.name.str() + " " + m.servings.str(); }

}  // namespace

void calmain::Command11_Click() { SendFood(kPortions[kOneServing]); }

// Puts the selected food into the chosen meal of the current day at a portion, then runs the
// recompute chain. Without a selected food nothing happens, whichever way the send was asked for.
void calmain::SendFood(const Portion& portion) {
    const int selected = List1.ListIndex();
    if (selected == -1) return;
    const int index = static_cast<int>(List1.ItemData(selected));
    const bool personal = Combo1.Text() == kPersonalEntry;
    const auto& table = personal ? app.personaldata : app.fooddata;
    if (index < 0 || index >= static_cast<int>(table.size())) return;  // a stale item
    app.foodindex = index;

    const FoodItem& food = table[static_cast<std::size_t>(index)];
    MealItem m;
    m.name = food.name;
    const Nutrients v = Values(food);
    vb::Long* fields[6] = {&m.calories, &m.fat, &m.cholesterol, &m.fiber, &m.carbohydrate, &m.protein};
    for (std::size_t k = 0; k < 6; ++k) *fields[k] = Scale(v[k], portion).value_or(0);  // out of range: 0
    m.group = food.group;
    m.servings = portion.servings;
    m.meal = Combo2.Text();
    m.day = static_cast<vb::Long>(CurrentDay());
    m.deleted = 0;
    if (app.AppendMealItem(m) < 0) return;

    const MealItem& added = app.mealdata[static_cast<std::size_t>(app.mealindex)];
    List2.AddItem(portion.scaling == Scaling::One ? added.name.str() : MealListText(added));
    List2.ItemData(List2.NewIndex(), app.mealindex);
    List2.ListIndex(-1);

    tools3();
    adding();
    adding2();
    graph();
    tools();
    getnumber();
}

// Refills the meal list with the chosen meal's foods of the current day and shows its totals.
void calmain::Combo2_Click() {
    const long day = CurrentDay();
    if (!app.DayHasFoods(day)) return;
    List2.Clear();
    for (int k = 0; k < 6; ++k) Label21[k].Caption("");

    const std::string meal = Combo2.Text();
    const auto row = MealRow(meal);
    if (!row) return;
    ShowMealTotals(*row);

    const std::string field = PaddedMeal(meal);
    const int count = static_cast<int>(app.mealdata.size());
    for (app.mealindex = 0; app.mealindex < count; ++app.mealindex) {
        const MealItem& m = app.mealdata[static_cast<std::size_t>(app.mealindex)];
        if (m.day == day && m.meal.view() == field && m.deleted != 1) {
            List2.AddItem(MealListText(m));
            List2.ItemData(List2.NewIndex(), app.mealindex);
        }
    }
}

void calmain::ShowMealTotals(int row) {
    const Sums& totals = mealtotals[static_cast<std::size_t>(row)];
    if (totals.AllZero()) return labeling();
    for (int k = 0; k < 6; ++k) Label22[k].Caption(totals.Text(k));
}

// Shows the clicked food in "  This Food" and the chosen meal's totals in "This Meal". An item
// whose index no longer names a record is passed over.
void calmain::List2_Click() {
    const int selected = List2.ListIndex();
    if (selected != -1) {
        const int index = static_cast<int>(List2.ItemData(selected));
        if (index >= 0 && index < static_cast<int>(app.mealdata.size())) {
            app.mealindex = index;
            const Nutrients v = Values(app.mealdata[static_cast<std::size_t>(index)]);
            for (int k = 0; k < 6; ++k) Label21[k].Caption(std::to_string(v[static_cast<std::size_t>(k)]));
        }
    }
    const auto row = MealRow(Combo2.Text());
    if (!row) return;
    for (int k = 0; k < 6; ++k) Label22[k].Caption(mealtotals[static_cast<std::size_t>(*row)].Text(k));
}

// The "  This Food" column takes the meal list's colours while one of its foods is selected.
void calmain::List2_GotFocus() {
    if (List2.ListIndex() == -1) return;
    for (int k = 0; k < 6; ++k) Label21[k].ForeColor(forms::vbWindowText);
    Label24.ForeColor(forms::vbWindowText).BackColor(0xFFFFFF);
}

}  // namespace calories
