// The food side of the main window: the group choice, the food list, "  This Food" and the find box.
#include <vector>

#include "calories/Calories.h"
#include "calories/calmain.h"
#include "calories/foodgroups.h"
#include "calories/foods/foodentry.h"
#include "platform/core/text.h"

namespace calories {

namespace {

constexpr vb::Long kPanelGrey = 0xE0E0E0;

}  // namespace

void calmain::combo1data(int index) {
    List1.AddItem(app.fooddata[static_cast<std::size_t>(index)].name.str());
    List1.ItemData(List1.NewIndex(), index);
}

// Lists the foods of the chosen group: one of the thirty from the food database, or the personal
// group from its own table.
void calmain::Combo1_Click() {
    if (!app.databaseLoaded) return;  // start-up chooses "Beef" before the database is read
    List1.Clear();
    for (int k = 0; k < 6; ++k) Label21[k].Caption("");

    // The foods go into the list in one go: the same places as adding each in turn, sorted once.
    std::vector<forms::ListItem> listed;
    const std::string chosen = Combo1.Text();
    if (IsFoodGroup(chosen)) {
        const std::string group = vb::FixedField(chosen, kFoodGroupWidth);
        const int count = static_cast<int>(app.fooddata.size());
        for (app.foodindex = 0; app.foodindex < count; ++app.foodindex) {
            const FoodItem& f = app.fooddata[static_cast<std::size_t>(app.foodindex)];
            if (f.deleted != 1 && f.group.view() == group) listed.push_back({f.name.str(), app.foodindex});
        }
    } else if (chosen == kPersonalEntry) {
        const std::string group = vb::FixedField(kPersonalGroup, kFoodGroupWidth);
        const int count = static_cast<int>(app.personaldata.size());
        for (app.personalindex = 0; app.personalindex < count; ++app.personalindex) {
            const FoodItem& f = app.personaldata[static_cast<std::size_t>(app.personalindex)];
            if (f.deleted != 1 && f.group.view() == group) listed.push_back({f.name.str(), app.personalindex});
        }
    }
    List1.AddItems(std::move(listed));
    // The count covers the whole database, deleted records included.
    if (chosen != kPersonalEntry) sbStatusBar.Panels(2).Text(std::to_string(app.foodindex) + " food items");
}

// Shows the six values of the selected food. An item whose index no longer names a record of its
// table is passed over.
void calmain::List1_Click() {
    const int selected = List1.ListIndex();
    if (selected == -1) return;
    const int index = static_cast<int>(List1.ItemData(selected));
    const bool personal = Combo1.Text() == kPersonalEntry;
    const auto& table = personal ? app.personaldata : app.fooddata;
    if (index < 0 || index >= static_cast<int>(table.size())) return;
    const FoodItem& f = table[static_cast<std::size_t>(index)];
    const Nutrients v = Values(f);
    if (personal) {
        app.personalindex = index;
    } else {
        app.foodindex = index;
        forms::Label* hidden[6] = {&Label26, &Label27, &Label28, &Label29, &Label31, &Label39};
        for (int k = 0; k < 6; ++k) hidden[k]->Caption(std::to_string(v[static_cast<std::size_t>(k)]));
        Label30.Caption(f.name.str());
    }
    for (int k = 0; k < 6; ++k) Label21[k].Caption(std::to_string(v[static_cast<std::size_t>(k)]));
}

void calmain::List1_GotFocus() {
    Text1.Visible(false);
    Command12.Visible(false);
    for (int k = 0; k < 6; ++k) Label21[k].ForeColor(forms::vbBlue);
    Label24.BackColor(kPanelGrey).ForeColor(forms::vbBlue);
}

// The right button opens the portion menu, whether or not a food is selected.
void calmain::List1_MouseDown(vb::Integer Button) {
    if (Button == forms::vbRightButton) PopupMenu(mnuservings);
}

void calmain::List1_MouseMove() {
    if (Combo1.Text() == kPersonalEntry)
        Hint("Personal Food List Open is   " + StripNameFromDirName(app.personalfile));
    else
        Hint(" Double click to send food to Meal list or right click to select portion");
}

// Shows the personal group; choosing it again refills the list, so a newly opened group shows.
void calmain::Command1_Click() {
    if (Combo1.Text() == kPersonalEntry)
        Combo1_Click();
    else
        Combo1.Text(std::string(kPersonalEntry));
}

void calmain::Command7_Click() {
    Text1.Visible(true);
    Command12.Visible(true);
    Text1.Text("TYPE HERE TO FIND NAME");
}

void calmain::Text1_GotFocus() { Text1.Text(""); }

// Selects the first food whose name begins with the typed text: the search starts at the second
// item, runs to the end and wraps round to the first.
void calmain::Text1_Change() { List1.ListIndex(List1.FindString(Text1.Text(), 0)); }

void calmain::Command12_Click() {
    Text1.Visible(false);
    Command12.Visible(false);
}

}  // namespace calories
