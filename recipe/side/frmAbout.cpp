#include "recipe/side/frmAbout.h"

#include "platform/services/desktop.h"
#include "platform/services/dialogs.h"
#include "recipe/Recipe.h"
#include "recipe/guards.h"

namespace recipe {

namespace {

constexpr vb::Long kDarkGreen = 0x206020;
constexpr vb::Long kLinkBlue = 0xC00000;

}  // namespace

frmAbout::frmAbout(Recipe&) : forms::Form("frmAbout") {
    Caption("About");
    DialogFrame(*this, 380, 220);

    Picture1.BorderStyle(0).Move(px(16), px(18), px(48), px(48));
    Image1.Picture(std::string(kProgramIcon)).Move(px(8), px(8), px(32), px(32));
    Label1.Caption(std::string(kProductName))
        .FontName("Arial")
        .FontSize(20)
        .FontBold(true)
        .ForeColor(kDarkGreen)
        .Move(px(80), px(14), px(280), px(34));
    Label2.Caption("by").FontItalic(true).Move(px(80), px(52), px(24), px(18));
    Label3.Caption(std::string(kMaker)).FontBold(true).Move(px(104), px(52), px(256), px(18));
    Label4.Caption("Copyright \xA9 Lumbreck. All rights reserved.\r\n"
                   "Nutrition values are estimates; check them against the food's own label.")
        .WordWrap(true)
        .Move(px(80), px(80), px(284), px(48));
    Label8.Caption("Website").FontBold(true).Move(px(16), px(144), px(60), px(18));
    Label7.Caption(std::string(kHomePage))
        .ForeColor(kLinkBlue)
        .FontUnderline(true)
        .MousePointer(forms::vbUpArrow)
        .KeyboardLink(true)
        .Move(px(80), px(144), px(284), px(18));
    // OK stays the first stop, so the box opens with the focus on it and not on the link.
    cmdOK.Caption("OK").Default(true).Cancel(true).TabIndex(0).Move(px(270), px(176), px(94), px(30));

    Load = [this] { Recipe::Center_Form(*this); };
    cmdOK.Click = [this] { forms::Unload(*this); };
    Label7.Click = [this] { Label7_Click(); };
}

void frmAbout::Label7_Click() {
    services::MsgBox("Make sure you are connected to the internet", services::vbExclamation, "Connect");
    // The desktop's own opener takes the address; no file is written for it.
    if (!services::OpenUrl(Label7.Caption()))
        services::MsgBox("Web Page not Opened", services::vbExclamation, "URL Failed");
    forms::Unload(*this);
}

}  // namespace recipe
