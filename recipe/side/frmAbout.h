#pragma once
// The About box: the product, its maker and the home page, which opens in the web browser.
#include "platform/forms/forms.h"

namespace recipe {

using vb::Integer;
using vb::Single;

class Recipe;

class frmAbout : public forms::Form {
public:
    explicit frmAbout(Recipe& app);  // the program, as every window gets it

    forms::PictureBox Picture1{*this, "Picture1"};
    forms::Image Image1{Picture1, "Image1"};
    forms::Label Label1{*this, "Label1"};
    forms::Label Label2{*this, "Label2"};
    forms::Label Label3{*this, "Label3"};
    forms::Label Label4{*this, "Label4"};
    forms::Label Label8{*this, "Label8"};
    forms::Label Label7{*this, "Label7"};
    forms::CommandButton cmdOK{*this, "cmdOK"};

private:
    void Label7_Click();
};

}  // namespace recipe
