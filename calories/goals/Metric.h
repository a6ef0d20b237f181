#pragma once
// The metric converter: an amount in a kitchen unit to a metric unit. Reads and writes nothing.
#include "calories/goals/formulas.h"
#include "platform/forms/forms.h"

namespace calories {

class Metric : public forms::Form {
public:
    Metric();

    forms::Label Label1{*this, "Label1"};  // "Start With"
    forms::Frame Frame1{*this, "Frame1"};  // volume
    forms::ControlArray<forms::OptionButton> Option1{Frame1, "Option1", 4};
    forms::Frame Frame3{*this, "Frame3"};  // weight
    forms::OptionButton Option3{Frame3, "Option3"};
    forms::OptionButton Option5{Frame3, "Option5"};

    forms::Label Label2{*this, "Label2"};  // "To get"
    forms::Frame Frame2{*this, "Frame2"};  // volume
    forms::ControlArray<forms::OptionButton> Option2{Frame2, "Option2", 2, 1};
    forms::Frame Frame4{*this, "Frame4"};  // weight
    forms::ControlArray<forms::OptionButton> Option4{Frame4, "Option4", 2};

    forms::Label Label3{*this, "Label3"};
    forms::TextBox Text1{*this, "Text1"};  // amount
    forms::Label Label4{*this, "Label4"};
    forms::TextBox Text2{*this, "Text2"};  // answer

    forms::CommandButton Command1{*this, "Command1"};
    forms::CommandButton Command2{*this, "Command2"};
    forms::CommandButton Command3{*this, "Command3"};

private:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Option1_Click(vb::Integer Index);
    void Option2_Click(vb::Integer Index);
    void Option3_Click();
    void Option4_Click(vb::Integer Index);
    void Option5_Click();
    void optiontext();
    void DeselectWeights();
    forms::OptionButton& UnitOption(MetricUnit unit);
};

}  // namespace calories
