#pragma once
// The caloric-needs window: sex, age, ideal weight and activity give the recommended daily
// intake, or the user sets the six goals by hand; a projection shows what a daily calorie
// deficit or surplus does to one's weight. "&Okay" stores everything in "calories.INI",
// section "YourString.Something" (keys Message1 .. Message21), where the meal totals read the
// six goals (Message5 .. Message10).
//   calcalintake.cpp             layout; load from the INI section; "&Okay"; the manual-goals box;
//                                the sex list and the bars of age, weight, activity and the goals
//   calcalintake_projection.cpp  the "Projection" frame: its three bars, the lose/gain options and
//                                the button that sets its days back to 1
//   formulas.cpp                 the numbers of both: recommended intake and projected weight
//
// For the program object: the window needs nothing but the platform.
//   hold:    forms::FormHolder<calcalintake> calcalintake_;   // default-constructed
//            calcalintake& calcalintake() { return calcalintake_(); }  // creates and loads
//   show:    app.calcalintake().Show();                         // modeless
//   first run (before it is shown): app.calcalintake().HScroll7.Value(300);
//                                   app.calcalintake().HScroll8.Value(30);
//   unload:  if (auto* f = calcalintake_.Existing()) forms::Unload(*f);
// The same holds for `weight`, `Metric` and `qform`. "&Okay" unloads the window itself; the next
// access loads a fresh one from the INI section.
#include <string>

#include "platform/forms/forms.h"

namespace calories {

class calcalintake : public forms::Form {
public:
    calcalintake();

    // Personal data.
    forms::Frame Frame3{*this, "Frame3"};
    forms::Label lblSex{Frame3, "lblSex"};
    forms::ComboBox Combo1{Frame3, "Combo1"};
    forms::Label Label6{Frame3, "Label6"};
    forms::Label Label2{Frame3, "Label2"};  // age
    forms::HScrollBar HScroll1{Frame3, "HScroll1"};
    forms::Label Label7{Frame3, "Label7"};
    forms::Label Label3{Frame3, "Label3"};  // ideal weight, lbs
    forms::Label Label13{Frame3, "Label13"};
    forms::Label Label12{Frame3, "Label12"};  // ideal weight, kg
    forms::Label Label14{Frame3, "Label14"};
    forms::HScrollBar HScroll2{Frame3, "HScroll2"};
    forms::Label Label8{Frame3, "Label8"};
    forms::Label Label4{Frame3, "Label4"};  // activity level
    forms::HScrollBar HScroll3{Frame3, "HScroll3"};
    forms::Label Label9{Frame3, "Label9"};

    // Recommended intake, one row per nutrient; Label5 holds the six goals.
    forms::Frame Frame1{*this, "Frame1"};
    forms::CheckBox Check1{Frame1, "Check1"};
    forms::ControlArray<forms::Label> Label1{Frame1, "Label1", 6};
    forms::ControlArray<forms::Label> Label5{Frame1, "Label5", 6};
    forms::ControlArray<forms::Label> Label10{Frame1, "Label10", 6};
    forms::HScrollBar HScroll4{Frame1, "HScroll4"};   // manual calories
    forms::HScrollBar HScroll6{Frame1, "HScroll6"};   // manual total fat
    forms::HScrollBar HScroll7{Frame1, "HScroll7"};   // cholesterol goal
    forms::HScrollBar HScroll8{Frame1, "HScroll8"};   // fiber goal
    forms::HScrollBar HScroll9{Frame1, "HScroll9"};   // manual carbohydrate
    forms::HScrollBar HScroll10{Frame1, "HScroll10"}; // manual protein

    // Weight projection.
    forms::Frame Frame2{*this, "Frame2"};
    forms::Label Label16{Frame2, "Label16"};
    forms::Label Label17{Frame2, "Label17"};  // current weight, lbs
    forms::Label Label18{Frame2, "Label18"};
    forms::Label Label19{Frame2, "Label19"};  // current weight, kg
    forms::Label Label20{Frame2, "Label20"};
    forms::HScrollBar HScroll5{Frame2, "HScroll5"};
    forms::ControlArray<forms::OptionButton> Option1{Frame2, "Option1", 2};
    forms::Label Label21{Frame2, "Label21"};
    forms::Label Label22{Frame2, "Label22"};  // daily difference
    forms::Label Label23{Frame2, "Label23"};
    forms::Label Label24{Frame2, "Label24"};  // Below / Above
    forms::Label Label25{Frame2, "Label25"};  // recommended calories
    forms::HScrollBar HScroll11{Frame2, "HScroll11"};
    forms::Label Label26{Frame2, "Label26"};
    forms::Label Label27{Frame2, "Label27"};  // Lose / Gain
    forms::Label Label28{Frame2, "Label28"};  // lbs per week
    forms::Label Label30{Frame2, "Label30"};
    forms::Label Label29{Frame2, "Label29"};  // lbs per month
    forms::Label Label31{Frame2, "Label31"};
    forms::Label Label32{Frame2, "Label32"};
    forms::Label Label33{Frame2, "Label33"};  // projected weight
    forms::Label Label34{Frame2, "Label34"};
    forms::Label Label35{Frame2, "Label35"};  // days
    forms::Label Label36{Frame2, "Label36"};
    forms::Label Label38{Frame2, "Label38"};  // weeks
    forms::Label Label40{Frame2, "Label40"};
    forms::HScrollBar HScroll12{Frame2, "HScroll12"};
    forms::CommandButton Command2{Frame2, "Command2"};
    forms::Label Label37{Frame2, "Label37"};

    forms::Label Label15{*this, "Label15"};
    forms::Label Label11{*this, "Label11"};
    forms::CommandButton Command1{*this, "Command1"};

private:
    void Form_Load();
    void Command1_Click();
    void Check1_Click();
    void Combo1_Click();
    void HScroll1_Change();
    void HScroll2_Change();
    void HScroll3_Change();
    void HScroll4_Change();
    void HScroll6_Change();
    void HScroll7_Change();
    void HScroll8_Change();
    void HScroll9_Change();
    void HScroll10_Change();
    // The projection (calcalintake_projection.cpp).
    void HScroll5_Change();
    void HScroll11_Change();
    void HScroll12_Change();
    void Option1_Click(vb::Integer Index);
    void Command2_Click();
    void ShowProjection();

    void SetUpLayout();
    void SetUpProjectionLayout();
    void SetManualBarsVisible(bool visible);
    void SetInputsEnabled(bool enabled);
};

}  // namespace calories
