#include "calories/foods/addfood.h"

#include <array>
#include <optional>

#include "calories/Calories.h"
#include "calories/foodgroups.h"
#include "calories/foods/foodentry.h"
#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/core/text.h"
#include "platform/services/dialogs.h"

namespace calories {

namespace {

constexpr std::array<const char*, 7> kFields = {"FOOD NAME",    "CALORIES",     "TOTAL FAT", "CHOLESTEROL",
                                                 "FIBER",        "CARBOHYDRATE", "PROTEIN"};

void Tell(std::string_view text) { services::MsgBox(text, services::vbOKOnly, kProgramTitle); }

}  // namespace

addfood::addfood(Calories& app) : forms::Form("addfood"), app(app) {
    Caption("Add food to Main Database");
    BorderStyle(forms::vbFixedSingle).MaxButton(false);
    ClientSize(6285, 4155);

    Label1.Caption("Category").FontBold(true).Move(240, 285, 1560, 255);
    Combo1.Style(forms::vbComboDropdownList).Sorted(true).Move(1920, 240, 4125, 315);
    for (int i = 0; i < 7; ++i) {
        const vb::Single top = 840 + 480 * static_cast<vb::Single>(i);
        Label2[i].Caption(kFields[static_cast<std::size_t>(i)]).Move(240, top + 45, 1560, 255);
        Text1[i].Move(1920, top, i == 0 ? 3495 : 855, 315);
    }
    Command1.Caption("ADD").Default(true).Move(4560, 1800, 1215, 495);
    Command2.Caption("EXIT").Cancel(true).Move(4560, 2520, 1215, 495);

    Load = [this] { Form_Load(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

// The list sorts the groups itself; nothing is chosen, so the box starts empty.
void addfood::Form_Load() {
    for (auto group : kFoodGroups) Combo1.AddItem(std::string(group));
    Combo1.AddItem(std::string(kPersonalEntry));
}

// A value box left empty counts as 0; any other text must be a number that fits the record, or
// nothing is added and the box is named.
void addfood::Command1_Click() {
    if (Combo1.ListIndex() == -1) return Tell("Please enter a foodgroup.");
    if (Text1[0].Text().empty()) return Tell("Please enter a name.");

    std::array<vb::Long, 6> values{};
    for (int k = 1; k <= 6; ++k) {
        const std::string& text = Text1[k].Text();
        if (vb::Trim(text).empty()) continue;
        try {
            values[static_cast<std::size_t>(k - 1)] = vb::CLng(text);
        } catch (const vb::Error& e) {
            const std::string field = kFields[static_cast<std::size_t>(k)];
            Tell(e.number == vb::errOverflow ? "Please enter a number from -2147483648 to 2147483647 for " + field + "."
                                             : "Please enter a number for " + field + ".");
            Text1[k].SetFocus();
            return;
        }
    }

    const bool personal = Combo1.Text() == kPersonalEntry;
    const std::string group = personal ? std::string(kPersonalGroup) : Combo1.Text();
    const int index = app.AppendFoodItem(personal ? app.personaldata : app.fooddata, NewFood(Text1[0].Text(), values, group));
    if (index < 0) return;
    (personal ? app.personalindex : app.foodindex) = index;

    for (auto& box : Text1) box.Text("");
    app.SaveFoodDatabase(std::string(kFoodDatabase));
}

void addfood::Command2_Click() { forms::Unload(*this); }

}  // namespace calories
