#pragma once
// The mail-link window: how to send a personal food group to the maker for its home page, the
// path of the current group, and a button that opens a new mail to the maker.
#include <string>

#include "platform/forms/forms.h"

namespace calories {

class Calories;

class email : public forms::Form {
public:
    explicit email(Calories& app);

    forms::Label Label1{*this, "Label1"};  // the instructions
    forms::Line Line1{*this, "Line1"};
    forms::Line Line2{*this, "Line2"};
    forms::Line Line3{*this, "Line3"};
    forms::Line Line4{*this, "Line4"};
    forms::CommandButton Command3{*this, "Command3"};
    forms::Label Label2{*this, "Label2"};  // the group's path, once asked for
    forms::CommandButton Command1{*this, "Command1"};
    forms::CommandButton Command2{*this, "Command2"};

    // The mail the "&Email us" button opens: to the maker, naming the file to attach.
    std::string MailLink() const;

private:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    Calories& app;
};

}  // namespace calories
