#pragma once
// The mail window ("Email Recipes"): sends the recipe the viewer shows as an HTML message through
// the mail component. The server and the sender's address can be remembered in the settings.
#include <string>

#include "platform/forms/forms.h"
#include "recipe/viewer/mailbody.h"

namespace recipe {

using vb::Integer;

class Recipe;

class frmEmail : public forms::Form {
public:
    explicit frmEmail(Recipe& app);

    forms::Frame Frame1{*this, "Frame1"};
    forms::TextBox txtServer{Frame1, "txtServer"};
    forms::CheckBox ServerChk{Frame1, "ServerChk"};
    forms::Frame Frame2{*this, "Frame2"};
    forms::TextBox txtTo{Frame2, "txtTo"};
    forms::Frame Frame3{*this, "Frame3"};
    forms::TextBox txtFrom{Frame3, "txtFrom"};
    forms::CheckBox EmailChk{Frame3, "EmailChk"};
    forms::Label Label5{*this, "Label5"};
    forms::TextBox txtSubject{*this, "txtSubject"};
    forms::Label Label6{*this, "Label6"};
    forms::TextBox txtBody{*this, "txtBody"};
    forms::Label Label2{*this, "Label2"};
    forms::Label Label1{*this, "Label1"};
    forms::CommandButton cmdSendMail{*this, "cmdSendMail"};
    forms::CommandButton cmdHelp{*this, "cmdHelp"};
    forms::CommandButton cmdClose{*this, "cmdClose"};

    // The recipe as the viewer shows it now.
    MailRecipe ShownRecipe() const;

private:
    void Form_Load();
    void txtServer_Change();
    void txtFrom_Change();
    void ServerChk_Click();
    void EmailChk_Click();
    void cmdSendMail_Click();
    void cmdHelp_Click();
    void cmdClose_Click();
    // The first required box that is empty, a header box holding a line break, or an address box
    // holding anything but one address, is reported and gets the focus; false then.
    bool CheckFields();

    Recipe& app;
};

}  // namespace recipe
