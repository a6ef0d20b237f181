// The "Projection" frame of the caloric-needs window: a display only, fed by its own three bars.
#include "calories/goals/calcalintake.h"
#include "calories/goals/formulas.h"
#include "platform/core/convert.h"

namespace calories {

void calcalintake::SetUpProjectionLayout() {
    constexpr vb::Long kValueColour = 0x800000;
    constexpr vb::Single kRow = 255;
    constexpr vb::Single kBar = 240;
    auto value = [&](forms::Label& label, const char* caption, vb::Single left, vb::Single top, vb::Single width) {
        label.Caption(caption).ForeColor(kValueColour).FontBold(true).Alignment(forms::vbRightJustify)
            .Move(left, top, width, kRow);
    };

    Frame2.Caption("Projection").Move(120, 3300, 9240, 3000);

    Label16.Caption("Current Weight").Move(240, 360, 1380, kRow);
    value(Label17, "0", 1680, 360, 480);
    Label18.Caption("lbs").Move(2220, 360, 300, kRow);
    value(Label19, "0", 2580, 360, 480);
    Label20.Caption("kg").Move(3120, 360, 300, kRow);
    HScroll5.Move(240, 645, 3180, kBar);
    Option1[0].Caption("I want to lose weight").Move(6360, 330, 2520, kRow);
    Option1[1].Caption("I want to gain weight").Move(6360, 630, 2520, kRow);

    Label21.Caption("If my average daily caloric intake is").Move(240, 1020, 3000, kRow);
    value(Label22, "0", 3300, 1020, 480);
    Label23.Caption("calories").Move(3840, 1020, 720, kRow);
    Label24.Caption("below").Move(4620, 1020, 600, kRow);
    value(Label25, "", 5280, 1020, 540);
    HScroll11.AccessibleName("Daily calorie difference").Move(240, 1305, 5580, kBar);

    Label26.Caption("with this plan on average I will").Move(240, 1650, 2640, kRow);
    Label27.Caption("").ForeColor(kValueColour).FontBold(true).Move(2940, 1650, 480, kRow);
    value(Label28, "0", 3480, 1650, 420);
    Label30.Caption("lbs per week").Move(3960, 1650, 1140, kRow);
    value(Label29, "0", 5160, 1650, 480);
    Label31.Caption("lbs per month").Move(5700, 1650, 1260, kRow);

    Label32.Caption("In Other words you should weight").Move(240, 2010, 2880, kRow);
    value(Label33, "0", 3180, 2010, 600);
    Label34.Caption("lbs in ").Move(3840, 2010, 600, kRow);
    value(Label35, "0", 4500, 2010, 420);
    Label36.Caption("days").Move(4980, 2010, 480, kRow);
    value(Label38, "0", 5520, 2010, 420);
    Label40.Caption("weeks").Move(6000, 2010, 600, kRow);
    HScroll12.AccessibleName("Days").Move(240, 2295, 5580, kBar);
    Command2.Caption("Reset").Move(7080, 2220, 1095, 375);
    Label37.Caption("Weight yourself to check your progress").Move(240, 2625, 3600, kRow);
}

void calcalintake::HScroll5_Change() {
    const vb::Integer lbs = HScroll5.Value();
    Label17.Caption(vb::CStr(lbs));
    Label19.Caption(KilogramsText(lbs));
    HScroll12.Value(1);
    Label33.Caption(Label17.Caption());
}

void calcalintake::HScroll11_Change() {
    const vb::Integer difference = HScroll11.Value();
    Label22.Caption(vb::CStr(difference));
    Label28.Caption(PoundsPerWeekText(difference));
    Label29.Caption(PoundsPerMonthText(difference));
    HScroll12.Value(1);
    Label33.Caption(Label17.Caption());
}

void calcalintake::HScroll12_Change() {
    const vb::Integer days = HScroll12.Value();
    Label35.Caption(vb::CStr(days));
    Label38.Caption(WeeksText(days));
    ShowProjection();
}

// From the figures as shown, so the weekly loss counts to one decimal.
void calcalintake::ShowProjection() {
    const auto projected =
        ProjectedWeightText(Label17.Caption(), Label28.Caption(), HScroll12.Value(), Option1[0].Value());
    if (projected) Label33.Caption(*projected);
}

void calcalintake::Option1_Click(vb::Integer Index) {
    if (Index == 0) {
        Label24.Caption("Below");
        Label27.Caption("Lose");
    } else {
        Label24.Caption("Above");
        Label27.Caption("Gain");
    }
    // The other direction gives another weight for the same days.
    ShowProjection();
}

void calcalintake::Command2_Click() { HScroll12.Value(1); }

}  // namespace calories
