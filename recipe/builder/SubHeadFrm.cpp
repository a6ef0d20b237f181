#include "recipe/builder/SubHeadFrm.h"

#include "platform/services/dialogs.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/Recipe.h"
#include "recipe/store/grammar.h"

namespace recipe {

namespace {

// Counted without the blanks at its ends.
const TextRule kHeadingRule{.maxLength = 50,
                            .countTrimmed = true,
                            .tooLongPrompt = "Max length is 50.",
                            .tooLongTitle = "Too many Letters",
                            .tooLongStyle = services::vbExclamation,
                            .what = "heading",
                            .delimiterTitle = "Heading"};

}  // namespace

SubHeadFrm::SubHeadFrm(Recipe& app) : forms::Form("SubHeadFrm"), app(app), guard_(kHeadingRule) {
    Caption("Add a Heading or blank line");
    DialogFrame(*this, 400, 146);

    Label1.Caption("Enter a Heading or type nothing and click done to enter a blank line")
        .WordWrap(true)
        .Move(px(12), px(12), px(376), px(34));
    SubHeadTxt.AccessibleName("Heading").Move(px(12), px(54), px(376), px(22));
    DoneCmd.Caption("Done").Default(true).Move(px(12), px(98), px(112), px(30));
    CancelCmd.Caption("Cancel").Cancel(true).Move(px(144), px(98), px(112), px(30));
    HelpCmd.Caption("Help").Move(px(276), px(98), px(112), px(30));

    Load = [this] { Form_Load(); };
    SubHeadTxt.Change = [this] { SubHeadTxt_Change(); };
    DoneCmd.Click = [this] { DoneCmd_Click(); };
    CancelCmd.Click = [this] { forms::Unload(*this); };
    HelpCmd.Click = [this] { this->app.Show_Help(kHelpSubHeading); };
}

void SubHeadFrm::Form_Load() {
    Move((forms::Screen().Width() - Width()) / 2, (forms::Screen().Height() - Height()) / 2);
    SubHeadTxt.Text("");
}

void SubHeadFrm::SubHeadTxt_Change() { guard_.Accept(SubHeadTxt); }

void SubHeadFrm::DoneCmd_Click() {
    const std::string t = SubHeadTxt.Text();
    CalcFrm& builder = app.CalcFrm();
    forms::ComboBox& shown = builder.R_IngLst;
    forms::ListBox& stored = builder.InvisLst;
    const std::string line = grammar::HeadingLine(t);
    // A waiting place beyond the end of the lines (lines deleted since) appends.
    const int at = app.Insert_Index;
    if (app.Insert_Line_Mode && at >= 0 && at <= shown.ListCount() && at <= stored.ListCount()) {
        shown.AddItem(t, at);
        stored.AddItem(line, at);
        app.Edit_Line_Mode = false;
        app.Insert_Line_Mode = false;
    } else {
        if (app.Insert_Line_Mode) {
            app.Edit_Line_Mode = false;
            app.Insert_Line_Mode = false;
        } else if (shown.ListCount() >= 1) {
            // Later headings stand apart from the lines above them.
            stored.AddItem(grammar::HeadingLine(" "));
            shown.AddItem(" ");
        }
        stored.AddItem(line);
        shown.AddItem(t);
    }
    // The recipe has changed, so it is no longer the one saved.
    app.Changes_Saved = false;
    app.Show_Save_Status();
    forms::Unload(*this);
}

}  // namespace recipe
