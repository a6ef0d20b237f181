#pragma once
// The healthy-weight window: the healthy weight range of an average adult for a height and a sex.
// Reads and writes nothing; each opening starts at the shortest height, "Male", "19-34".
#include "platform/forms/forms.h"

namespace calories {

class weight : public forms::Form {
public:
    weight();

    forms::Label Label1{*this, "Label1"};
    forms::Label Label2{*this, "Label2"};  // height text
    forms::HScrollBar HScroll1{*this, "HScroll1"};
    forms::Frame Frame2{*this, "Frame2"};
    forms::ControlArray<forms::OptionButton> Option1{Frame2, "Option1", 2};  // Male, Female
    forms::Frame Frame3{*this, "Frame3"};
    forms::ControlArray<forms::OptionButton> Option2{Frame3, "Option2", 2};  // 19-34, Over 34
    forms::Frame Frame1{*this, "Frame1"};
    forms::Label Label7{Frame1, "Label7"};
    forms::Label Label8{Frame1, "Label8"};  // range text
    forms::CommandButton Command1{*this, "Command1"};

private:
    void Form_Load();
    void HScroll1_Change();
    void Option1_Click(vb::Integer Index);
    void Option2_Click(vb::Integer Index);
    void Command1_Click();
    void ShowRange();
    void male();
    void female();
};

}  // namespace calories
