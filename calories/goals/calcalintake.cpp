#include "calories/goals/calcalintake.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "calories/goals/formulas.h"
#include "calories/notsaved.h"
#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/core/text.h"
#include "platform/files/profile.h"

namespace calories {

namespace {

constexpr std::string_view kIniFile = "calories.INI";
constexpr std::string_view kSection = "YourString.Something";
constexpr std::size_t kBufferLength = 75;

constexpr std::array<const char*, 6> kNutrientNames{"Calories",          "Total Fat(Max)", "Cholesterol(Max)",
                                                    "Fiber",             "Carbohydrate(Min)", "Protein"};
constexpr std::array<const char*, 6> kNutrientUnits{"kcal", "g", "mg", "g", "g", "g"};
constexpr std::array<const char*, 6> kStartingGoals{"0", "0", "300", "30", "0", "0"};

constexpr vb::Integer kCholesterolGoal = 300;
constexpr vb::Integer kFiberGoal = 30;

std::string Key(int n) { return "Message" + std::to_string(n); }

std::string ReadKey(int n) {
    return files::GetPrivateProfileString(kSection, Key(n), "", kBufferLength, kIniFile);
}


// A stored number into a bar. Text that is not a whole number, or one the bar cannot take, leaves
// the bar where it is, so the range set later brings it to its first-run value.
void RestoreValue(forms::HScrollBar& bar, const std::string& text) {
    try {
        bar.Value(vb::CInt(text));
    } catch (const vb::Error&) {
    }
}

// A shown number into a bar, kept inside the bar's range.
void TakeOver(forms::HScrollBar& bar, const std::string& caption) {
    try {
        const vb::Integer v = vb::CInt(caption);
        bar.Value(std::clamp(v, bar.Low(), bar.High()));
    } catch (const vb::Error&) {
    }
}

void SetRange(forms::HScrollBar& bar, vb::Integer min, vb::Integer max, vb::Integer largeChange) {
    bar.Min(min).Max(max).LargeChange(largeChange).SmallChange(1);
}

std::string Whole(vb::Integer v) { return vb::CStr(v); }

}  // namespace

calcalintake::calcalintake() : forms::Form("calcalintake") {
    SetUpLayout();
    SetUpProjectionLayout();

    Load = [this] { Form_Load(); };
    Command1.Click = [this] { Command1_Click(); };
    Check1.Click = [this] { Check1_Click(); };
    Combo1.Click = [this] { Combo1_Click(); };
    HScroll1.Change = [this] { HScroll1_Change(); };
    HScroll2.Change = [this] { HScroll2_Change(); };
    HScroll3.Change = [this] { HScroll3_Change(); };
    HScroll4.Change = [this] { HScroll4_Change(); };
    HScroll6.Change = [this] { HScroll6_Change(); };
    HScroll7.Change = [this] { HScroll7_Change(); };
    HScroll8.Change = [this] { HScroll8_Change(); };
    HScroll9.Change = [this] { HScroll9_Change(); };
    HScroll10.Change = [this] { HScroll10_Change(); };
    HScroll5.Change = [this] { HScroll5_Change(); };
    HScroll11.Change = [this] { HScroll11_Change(); };
    HScroll12.Change = [this] { HScroll12_Change(); };
    Option1.On(&forms::OptionButton::Click, [this](vb::Integer Index) { Option1_Click(Index); });
    Command2.Click = [this] { Command2_Click(); };
}

void calcalintake::SetUpLayout() {
    Caption("Caloric Needs and Nutrient Requirements");
    BorderStyle(forms::vbFixedSingle).MaxButton(false);
    ClientSize(9480, 7080);

    constexpr vb::Long kValueColour = 0x800000;  // dark blue
    constexpr vb::Single kRow = 255;
    constexpr vb::Single kBar = 240;

    Frame3.Caption("Your Profile").Move(120, 60, 4440, 3120);
    lblSex.Caption("Sex:").Move(240, 375, 1260, kRow);
    Combo1.Style(forms::vbComboDropdownList).Move(1560, 315, 2640, 315);
    Label6.Caption("Age:").Move(240, 855, 1260, kRow);
    Label2.Caption("0").ForeColor(kValueColour).FontBold(true).Move(1560, 855, 600, kRow);
    HScroll1.Move(240, 1140, 3960, kBar);
    Label7.Caption("Ideal Weight:").Move(240, 1515, 1260, kRow);
    Label3.Caption("0").ForeColor(kValueColour).FontBold(true).Alignment(forms::vbRightJustify).Move(1560, 1515, 480, kRow);
    Label13.Caption("lbs").Move(2100, 1515, 420, kRow);
    Label12.Caption("0").ForeColor(kValueColour).FontBold(true).Alignment(forms::vbRightJustify).Move(2580, 1515, 480, kRow);
    Label14.Caption("kg").Move(3120, 1515, 420, kRow);
    HScroll2.Move(240, 1800, 3960, kBar);
    Label8.Caption("Activity Level:").Move(240, 2175, 1260, kRow);
    Label4.Caption("0").ForeColor(kValueColour).FontBold(true).Move(1560, 2175, 600, kRow);
    HScroll3.Move(240, 2460, 3960, kBar);
    Label9.Caption("1 (sedentary) to 10 (strenuous). ").Move(240, 2760, 3960, kRow);

    Frame1.Caption("Recommended Intake").Move(4680, 60, 4680, 3120);
    Check1.Caption("Manually Set All Nutrient Requirements").Move(240, 330, 4200, kRow);
    forms::HScrollBar* manual[6] = {&HScroll4, &HScroll6, &HScroll7, &HScroll8, &HScroll9, &HScroll10};
    for (int k = 0; k < 6; ++k) {
        const vb::Single top = 780 + 375 * static_cast<vb::Single>(k);
        Label1[k].Caption(kNutrientNames[k]).Move(240, top, 1620, kRow);
        Label5[k].Caption(kStartingGoals[k]).ForeColor(kValueColour).FontBold(true)
            .Alignment(forms::vbRightJustify).Move(1920, top, 600, kRow);
        Label10[k].Caption(kNutrientUnits[k]).Move(2580, top, 420, kRow);
        manual[k]->Visible(false).Move(3060, top, 1440, kBar);
    }

    Label15.Caption("Before starting any diet,please obtain your doctor's approval.").Move(120, 6405, 5400, kRow);
    Label11.Caption("To kick in the changes ,start a new day of Meals or modify current day").Move(120, 6705, 6120, kRow);
    Command1.Caption("&Okay").Default(true).Move(8160, 6480, 1200, 435);
}

void calcalintake::SetManualBarsVisible(bool visible) {
    for (forms::HScrollBar* bar : {&HScroll4, &HScroll6, &HScroll7, &HScroll8, &HScroll9, &HScroll10})
        bar->Visible(visible);
}

void calcalintake::SetInputsEnabled(bool enabled) {
    HScroll1.Enabled(enabled);
    HScroll2.Enabled(enabled);
    HScroll3.Enabled(enabled);
    Combo1.Enabled(enabled);
}

// Values first, ranges after: a bar without a stored value sits at 0 until its range moves it to
// its minimum, and that move runs its handler, which is what gives a first run its figures.
void calcalintake::Form_Load() {
    std::array<std::string, 22> stored;
    for (int n : {1, 2, 3, 4, 7, 8, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}) stored[n] = ReadKey(n);

    RestoreValue(HScroll1, stored[1]);
    RestoreValue(HScroll2, stored[2]);
    RestoreValue(HScroll3, stored[3]);
    RestoreValue(HScroll7, stored[7]);
    RestoreValue(HScroll8, stored[8]);
    RestoreValue(HScroll4, stored[12]);
    RestoreValue(HScroll6, stored[13]);
    RestoreValue(HScroll9, stored[14]);
    RestoreValue(HScroll10, stored[15]);
    RestoreValue(HScroll5, stored[16]);
    RestoreValue(HScroll11, stored[17]);
    RestoreValue(HScroll12, stored[18]);

    for (int i = 0; i < 2; ++i) {
        try {
            if (vb::CBool(stored[19 + i])) Option1[i].Value(true);
        } catch (const vb::Error&) {
        }
    }

    Label33.Caption(stored[21]);

    try {
        if (vb::CInt(stored[11]) == 1) Check1.Value(forms::vbChecked);
    } catch (const vb::Error&) {
    }
    if (Check1.Value() == forms::vbChecked) SetInputsEnabled(false);

    for (std::string_view sex : kSexEntries) Combo1.AddItem(std::string(sex));

    SetRange(HScroll12, 1, 365, 30);
    SetRange(HScroll11, 0, 2000, 30);
    SetRange(HScroll5, 70, 300, 30);
    SetRange(HScroll1, 18, 70, 10);
    SetRange(HScroll3, 1, 10, 10);
    SetRange(HScroll2, 70, 300, 30);
    SetRange(HScroll7, 50, 600, 30);
    SetRange(HScroll8, 10, 100, 30);
    SetRange(HScroll4, 800, 10000, 100);
    SetRange(HScroll6, 20, 300, 30);
    SetRange(HScroll9, 10, 1200, 50);
    SetRange(HScroll10, 10, 200, 30);

    // The stored sex selects its own entry; anything else selects "Male".
    int entry = 0;
    for (int i = 0; i < static_cast<int>(kSexEntries.size()); ++i) {
        if (vb::StrComp(stored[4], kSexEntries[static_cast<std::size_t>(i)], vb::Compare::Text) == 0) entry = i;
    }
    Combo1.ListIndex(entry);
}

void calcalintake::Command1_Click() {
    std::array<std::string, 22> value;
    value[1] = Whole(HScroll1.Value());
    value[2] = Whole(HScroll2.Value());
    value[3] = Whole(HScroll3.Value());
    value[4] = Combo1.Text();
    value[5] = Label5[0].Caption();
    value[6] = Label5[1].Caption();
    value[7] = Whole(HScroll7.Value());
    value[8] = Whole(HScroll8.Value());
    value[9] = Label5[4].Caption();
    value[10] = Label5[5].Caption();
    value[11] = Check1.Value() == forms::vbChecked ? "1" : "0";
    value[12] = Whole(HScroll4.Value());
    value[13] = Whole(HScroll6.Value());
    value[14] = Whole(HScroll9.Value());
    value[15] = Whole(HScroll10.Value());
    value[16] = Whole(HScroll5.Value());
    value[17] = Whole(HScroll11.Value());
    value[18] = Whole(HScroll12.Value());
    value[19] = vb::CStr(Option1[0].Value());
    value[20] = vb::CStr(Option1[1].Value());
    value[21] = Label33.Caption();

    // Every key is written, and the file saved once; a failure is reported once, naming the file.
    files::ProfileWriter ini{std::string(kIniFile)};
    for (int n = 1; n <= 21; ++n) {
        if (n != 11) ini.Write(kSection, Key(n), value[static_cast<std::size_t>(n)]);
    }
    ini.Write(kSection, Key(11), value[11]);
    if (ini.Save()) ReportNotSaved("Your goals", ini.file(), *ini.failure());
    forms::Unload(*this);
}

void calcalintake::Check1_Click() {
    if (Check1.Value() == forms::vbChecked) {
        SetManualBarsVisible(true);
        // The manual goals start from the recommendation shown.
        TakeOver(HScroll4, Label5[0].Caption());
        TakeOver(HScroll6, Label5[1].Caption());
        TakeOver(HScroll9, Label5[4].Caption());
        TakeOver(HScroll10, Label5[5].Caption());
        SetInputsEnabled(false);
    } else {
        SetManualBarsVisible(false);
        HScroll2_Change();
        SetInputsEnabled(true);
        HScroll7.Value(kCholesterolGoal);
        HScroll8.Value(kFiberGoal);
    }
}

void calcalintake::Combo1_Click() { HScroll2_Change(); }

void calcalintake::HScroll1_Change() {
    Label2.Caption(Whole(HScroll1.Value()));
    HScroll2_Change();
}

// The recommendation, from whatever the inputs show now.
void calcalintake::HScroll2_Change() {
    const vb::Integer lbs = HScroll2.Value();
    Label3.Caption(Whole(lbs));
    if (Check1.Value() == forms::vbChecked) return;
    Label12.Caption(KilogramsText(lbs));
    const auto intake = RecommendedIntake(Combo1.Text(), HScroll1.Value(), lbs, HScroll3.Value());
    if (!intake) return;
    Label5[1].Caption(WholeText(intake->fat));
    Label5[4].Caption(WholeText(intake->carbohydrate));
    Label5[0].Caption(WholeText(intake->kcal));
    Label5[5].Caption(WholeText(intake->protein));
    Label25.Caption(WholeText(intake->kcal));
}

void calcalintake::HScroll3_Change() {
    Label4.Caption(Whole(HScroll3.Value()));
    HScroll2_Change();
}

void calcalintake::HScroll4_Change() {
    Label5[0].Caption(Whole(HScroll4.Value()));
    Label25.Caption(Whole(HScroll4.Value()));
}

void calcalintake::HScroll6_Change() { Label5[1].Caption(Whole(HScroll6.Value())); }
void calcalintake::HScroll7_Change() { Label5[2].Caption(Whole(HScroll7.Value())); }
void calcalintake::HScroll8_Change() { Label5[3].Caption(Whole(HScroll8.Value())); }
void calcalintake::HScroll9_Change() { Label5[4].Caption(Whole(HScroll9.Value())); }
void calcalintake::HScroll10_Change() { Label5[5].Caption(Whole(HScroll10.Value())); }

}  // namespace calories
