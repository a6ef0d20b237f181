#include "calories/foods/Search.h"

#include <array>
#include <optional>

#include "calories/Calories.h"
#include "calories/foods/foodentry.h"
#include "calories/pictures.h"
#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/core/text.h"
#include "platform/services/dialogs.h"

namespace calories {

namespace {

constexpr vb::Long kGrey = 0xC0C0C0;  // the window's own colour: a box out of use

constexpr std::array<const char*, 6> kNutrientOptions = {"Calories", "TotalFat",     "Cholesterol",
                                                         "Fiber",    "Carbohydrate", "Protein"};
constexpr std::array<const char*, 6> kHeadings = {"Calorie", "Fat", "Chole", "Fiber", "Carb", "Protein"};

vb::Long Nutrient(const FoodItem& f, int k) {
    switch (k) {
    case 1: return f.calories;
    case 2: return f.fat;
    case 3: return f.cholesterol;
    case 4: return f.fiber;
    case 5: return f.carbohydrate;
    default: return f.protein;
    }
}

}  // namespace

std::string ProperString(std::string_view text) {
    const std::string trimmed = vb::Trim(text);
    if (trimmed.empty()) return std::string(text);
    return vb::UCase(trimmed.substr(0, 1)) + vb::LCase(trimmed.substr(1));
}

Search::Search(Calories& app) : forms::Form("Search"), app(app) {
    Caption("Search Options");
    BorderStyle(forms::vbFixedSingle).MaxButton(false);
    BackColor(kGrey);
    ClientSize(7875, 4470);

    // Left: what to search by, the name box and the thresholds.
    Frame1.Caption("Search by ").BackColor(kGrey).Move(120, 120, 2880, 1560);
    Option3.Caption("Food Name").BackColor(kGrey).Move(150, 300, 2580, 255);
    for (int k = 1; k <= 6; ++k) {
        const vb::Single left = k <= 3 ? 150 : 1380;
        const vb::Single top = 660 + 285 * static_cast<vb::Single>((k - 1) % 3);
        Option1[k].Caption(kNutrientOptions[static_cast<std::size_t>(k - 1)]).BackColor(kGrey).Move(left, top, k <= 3 ? 1200 : 1440, 255);
    }
    Command1.Caption("Search").Default(true).Move(120, 1800, 1215, 375);
    Text1.AccessibleName("Food name to find").BackColor(forms::vbWhite).Move(120, 2295, 2880, 315);
    Frame2.Caption("").BackColor(kGrey).Move(120, 2760, 2880, 1155);
    Option2[0].Caption("Equal to or above").BackColor(kGrey).Move(150, 285, 1830, 255);
    Option2[1].Caption("Equal to or below ").BackColor(kGrey).Move(150, 735, 1830, 255);
    Text2[0].AccessibleName("Amount equal to or above").BackColor(forms::vbWhite).Move(2010, 255, 735, 315);
    Text2[1].AccessibleName("Amount equal to or below").Move(2010, 705, 735, 315);

    // Middle: the clicked food's values, the copy button and "O&K".
    for (int k = 0; k < 6; ++k) {
        const vb::Single top = 300 + 420 * static_cast<vb::Single>(k);
        Label5[k].Caption(kHeadings[static_cast<std::size_t>(k)]).BackColor(kGrey).Move(3120, top + 30, 690, 255);
        Label4[k].Caption("").Alignment(forms::vbRightJustify).BackColor(forms::vbWhite);
        Label4[k].BorderStyle(forms::vbFixedSingle).Move(3810, top, 720, 315);
    }
    Command3.Caption("").ToolTipText("Add entry to Personal Database").Move(3120, 3060, 575, 575);
    if (const auto picture = ProgramPicture("addpersonal")) Command3.Picture(*picture);
    else Command3.Caption("Add").FontSize(7.5f);
    Command2.Caption("O&K").Cancel(true).Move(3810, 3120, 720, 455);

    // Right: the foods found and the group of the clicked one.
    Label2.Caption("Foodname").FontBold(true).BackColor(kGrey).Move(4650, 120, 3105, 255);
    List1.Move(4650, 420, 3105, 3000);
    Label3.Caption("Category:").FontBold(true).BackColor(kGrey).Move(4650, 3510, 3105, 255);
    Label1.Caption("").WordWrap(true).BackColor(kGrey).Move(4650, 3780, 3105, 495);
    Label6.Caption("Label6").Move(8100, 120, 3105, 255);

    MouseMove = [this](vb::Integer, vb::Integer, vb::Single, vb::Single) { Caption("Search Options"); };
    Command3.MouseMove = [this](vb::Integer, vb::Integer, vb::Single, vb::Single) {
        Caption("Add entry to Personal Database");
    };
    Option1.On(&forms::OptionButton::Click, [this](vb::Integer Index) { Option1_Click(Index); });
    Option2.On(&forms::OptionButton::Click, [this](vb::Integer Index) { Option2_Click(Index); });
    Option3.Click = [this] { Option3_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    List1.Click = [this] { List1_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void Search::Option1_Click(vb::Integer) {
    Text1.Enabled(false).BackColor(kGrey);
    for (auto& box : Text2) box.Enabled(true);
    for (auto& option : Option2) option.Enabled(true);
}

void Search::Option2_Click(vb::Integer) {
    const bool above = Option2[0].Value();
    Text2[0].BackColor(above ? forms::vbWhite : kGrey);
    Text2[1].BackColor(above ? kGrey : forms::vbWhite);
}

void Search::Option3_Click() {
    Text1.BackColor(forms::vbWhite).Enabled(true);
    for (auto& option : Option2) option.Enabled(false);
    for (auto& box : Text2) box.BackColor(kGrey).Enabled(false);
}

void Search::nutrients() {
    List1.AddItem(app.fooddata[static_cast<std::size_t>(searchIndex_)].name.str());
    List1.ItemData(List1.NewIndex(), searchIndex_);
}

// Hits come in table order. A threshold that is no number finds nothing and says so.
void Search::Command1_Click() {
    List1.Clear();
    Label1.Caption("");

    const std::string typed = Text1.Text();
    const std::string proper = ProperString(typed);

    int nutrient = 0;
    for (int k = 1; k <= 6; ++k)
        if (Option1[k].Value()) nutrient = k;
    const int bound = Option2[0].Value() ? 0 : Option2[1].Value() ? 1 : -1;

    std::optional<double> threshold;
    if (nutrient != 0 && bound != -1) {
        try {
            threshold = vb::CDbl(Text2[bound].Text());
        } catch (const vb::Error&) {
            services::MsgBox("Please enter a number beside \"" + vb::RTrim(Option2[bound].Caption()) + "\".",
                             services::vbOKOnly, kProgramTitle);
            return;
        }
    } else if (!Option3.Value() || typed.empty()) {
        return;  // an incomplete choice, or no name to look for
    }

    const int count = static_cast<int>(app.fooddata.size());
    for (searchIndex_ = 0; searchIndex_ < count; ++searchIndex_) {
        const FoodItem& f = app.fooddata[static_cast<std::size_t>(searchIndex_)];
        if (f.deleted == 1) continue;
        bool hit;
        if (threshold) {
            const double value = Nutrient(f, nutrient);
            hit = bound == 0 ? value >= *threshold : value <= *threshold;
        } else {
            const std::string_view name = f.name.view();
            hit = name.find(proper) != std::string_view::npos || name.find(typed) != std::string_view::npos;
        }
        if (hit) nutrients();
    }
}

void Search::List1_Click() {
    const int selected = List1.ListIndex();
    if (selected == -1) return;
    const int index = static_cast<int>(List1.ItemData(selected));
    if (index < 0 || index >= static_cast<int>(app.fooddata.size())) return;
    const FoodItem& f = app.fooddata[static_cast<std::size_t>(index)];
    Label1.Caption(f.group.str());
    Label6.Caption(f.name.str());
    for (int k = 0; k < 6; ++k) Label4[k].Caption(std::to_string(Nutrient(f, k + 1)));
}

void Search::Command3_Click() {
    if (List1.ListIndex() == -1) {
        services::MsgBox("Please Select a food first", services::vbOKOnly, kProgramTitle);
        return;
    }
    std::array<vb::Long, 6> values{};
    for (int k = 0; k < 6; ++k) values[static_cast<std::size_t>(k)] = WholeOrZero(Label4[k].Caption());
    if (app.AppendFoodItem(app.personaldata, PersonalFood(Label6.Caption(), values)) < 0) return;
    List1.ListIndex(-1);
}

void Search::Command2_Click() { forms::Unload(*this); }

}  // namespace calories
