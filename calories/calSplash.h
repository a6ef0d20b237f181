#pragma once
// The splash window: shown while the main window loads, with the food database's progress.
#include "platform/forms/forms.h"

namespace calories {

class Calories;

class calSplash : public forms::Form {
public:
    explicit calSplash(Calories& app);

    forms::Frame fraMainFrame{*this, "fraMainFrame"};
    forms::Label lblCompanyProduct{fraMainFrame, "lblCompanyProduct"};
    forms::Label lblPlatform{fraMainFrame, "lblPlatform"};
    forms::Label lblVersion{fraMainFrame, "lblVersion"};
    forms::Label Label1{fraMainFrame, "Label1"};
    forms::Label Label2{fraMainFrame, "Label2"};
    forms::Label Label3{fraMainFrame, "Label3"};
    forms::CommandButton Command1{fraMainFrame, "Command1"};

private:
    void Command1_Click();

    Calories& app;
};

}  // namespace calories
