#pragma once
// The questions-and-answers window: a fixed text about using the food diary.
#include "platform/forms/forms.h"

namespace calories {

class qform : public forms::Form {
public:
    qform();

    forms::TextBox Text1{*this, "Text1"};
    forms::ControlArray<forms::Line> Line1{*this, "Line1", 4};
    forms::CommandButton Command1{*this, "Command1"};

private:
    void Command1_Click();
};

}  // namespace calories
