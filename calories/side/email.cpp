#include "calories/side/email.h"

#include <string>

#include "calories/Calories.h"
#include "calories/pictures.h"
#include "calories/side/maker.h"
#include "platform/services/desktop.h"

namespace calories {

namespace {

constexpr std::string_view kInstructions =
    "Display your personal food groups on the Lumbreck homepage for other people to enjoy them. "
    "People with similar  nutrient requirements, or food preferences  might benefit from your "
    "food lists. 1.) Press the button marked \"File Path\" to get to location of your currently "
    "selected  Personal food list.This is where all your food lists should be.  2.) Press the "
    "button below to email us ,and use the attachment feature in your email program to send us "
    "the file, please tell us briefly what kinds of foods are in your list.";

}  // namespace

email::email(Calories& app) : forms::Form("email"), app(app) {
    Caption("Sending your Personal Food groups for display");
    if (const auto icon = ProgramPicture("program")) Icon(*icon);
    BorderStyle(forms::vbFixedSingle);
    MaxButton(false);
    ClientSize(6600, 3720);
    Move(2400, 1500);

    Label1.Caption(std::string(kInstructions)).WordWrap(true).Move(300, 270, 6000, 1560);
    // A frame round the instructions.
    Line1.Coordinates(150, 150, 6450, 150);
    Line2.Coordinates(6450, 150, 6450, 1950);
    Line3.Coordinates(6450, 1950, 150, 1950);
    Line4.Coordinates(150, 1950, 150, 150);

    Command3.Caption("File Path").Move(300, 2190, 1320, 375);
    Label2.Caption("").BorderStyle(forms::vbFixedSingle).BackColor(0xFFFFFF).WordWrap(true).Move(1740, 2190, 4560,
                                                                                                  615);
    Command1.Caption("&Email us").Move(3540, 3120, 1320, 375);
    Command2.Caption("O&k").Default(true).Cancel(true).Move(4980, 3120, 1320, 375);

    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
}

void email::Command3_Click() { Label2.Caption(" " + app.personalfile); }

std::string email::MailLink() const {
    std::string body;
    if (!app.personalfile.empty()) body = "File to attach: " + app.personalfile + "\r\n\r\n";
    body += "The kinds of foods in my list: ";
    return services::MailtoUrl(kMakerMail, "Personal food group for display", body);
}

// The user's mail program opens a new message; whether it could is not reported.
void email::Command1_Click() { services::ShellExecute("Open", MailLink(), "", "", services::SW_SHOWNORMAL); }

void email::Command2_Click() { forms::Unload(*this); }

}  // namespace calories
