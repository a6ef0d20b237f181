#include "calories/goals/weight.h"

#include "calories/goals/formulas.h"

namespace calories {

weight::weight() : forms::Form("weight") {
    Caption("Healthy Weight");
    BorderStyle(forms::vbFixedSingle).MaxButton(false);
    ClientSize(5400, 3480);

    Label1.Caption("Your Height").Move(240, 240, 1200, 255);
    Label2.FontBold(true).ForeColor(0x800000).Move(1500, 240, 2160, 255);
    HScroll1.Move(240, 555, 4920, 255);

    Frame2.Caption("Sex:").Move(240, 960, 2340, 975);
    Option1[0].Caption("Male").Move(180, 300, 1800, 255);
    Option1[1].Caption("Female").Move(180, 600, 1800, 255);
    Frame3.Caption("Age:").Move(2820, 960, 2340, 975);
    Option2[0].Caption("19-34").Move(180, 300, 1800, 255);
    Option2[1].Caption("Over 34").Move(180, 600, 1800, 255);

    Frame1.Caption("Weight For Average Healthy Adult").Move(240, 2085, 4920, 735);
    Label7.Caption("U.S. Guidelines 1996:").Move(180, 330, 1980, 255);
    Label8.FontBold(true).ForeColor(0x800000).Move(2160, 330, 2640, 255);

    Command1.Caption("&OK").Default(true).Cancel(true).Move(3960, 2940, 1200, 375);

    Load = [this] { Form_Load(); };
    HScroll1.Change = [this] { HScroll1_Change(); };
    Option1.On(&forms::OptionButton::Click, [this](vb::Integer Index) { Option1_Click(Index); });
    Option2.On(&forms::OptionButton::Click, [this](vb::Integer Index) { Option2_Click(Index); });
    Command1.Click = [this] { Command1_Click(); };
}

// Setting the minimum moves the bar from 0 and shows the first height before a sex is chosen.
void weight::Form_Load() {
    HScroll1.Min(kShortestInches).Max(kTallestInches).LargeChange(1).SmallChange(1);
    Option1[0].Value(true);
    Option2[0].Value(true);
}

void weight::HScroll1_Change() {
    if (const HealthyWeightRow* row = HealthyWeightFor(HScroll1.Value())) Label2.Caption(std::string(row->height));
    ShowRange();
}

// Both age groups share one table.
void weight::ShowRange() {
    if (Option1[0].Value()) {
        male();
    } else if (Option1[1].Value()) {
        female();
    }
}

void weight::Option1_Click(vb::Integer) { ShowRange(); }
void weight::Option2_Click(vb::Integer) { ShowRange(); }

void weight::male() {
    if (const HealthyWeightRow* row = HealthyWeightFor(HScroll1.Value())) Label8.Caption(std::string(row->male));
}

void weight::female() {
    if (const HealthyWeightRow* row = HealthyWeightFor(HScroll1.Value())) Label8.Caption(std::string(row->female));
}

void weight::Command1_Click() { forms::Unload(*this); }

}  // namespace calories
