#pragma once
// Steps of a builder session beyond adding lines: the tool bar, the dialogs it opens (answered by
// a script while they are shown modal), and the bytes a save should write.
#include <functional>
#include <string>

#include "recipe/builder/EditFrm.h"
#include "recipe/builder/SameFrm.h"
#include "recipe/builder/SubHeadFrm.h"
#include "recipe_program.h"

namespace recipetest {

// The record bytes written out by hand, so a test does not lean on the code it checks.
inline std::string RecordBytes(const std::string& name, const std::string& servings, const std::string& lines,
                               const std::string& directions) {
    return "\xAE" + name + "\xA7" + servings + "\xC8" + lines + "\xC6\xBF" + directions + "\xDF";
}
inline std::string FractionLine(const std::string& name, const std::string& qty, const std::string& measure) {
    return "\xCE" + name + "\xCF\xBC" + qty + "\xCA" + measure + "\x90";
}
inline std::string DecimalLine(const std::string& name, const std::string& qty, const std::string& measure) {
    return "\xCE" + name + "\xCF\xD0" + qty + "\xCA" + measure + "\x90";
}
inline std::string HeadingBytes(const std::string& text) { return "\xCE\xA5" + text + "\x90"; }

class Session : public Program {
protected:
    void Tool(const std::string& name) { drive::ClickTool(calc().CalcBar, name); }
    void Save() { Tool("Save"); }
    void Name(const std::string& name) { drive::TypeText(calc().NameTxt, name); }
    void Directions(const std::string& text) { drive::TypeText(calc().DirectionsTxt, text); }
    // Servings as the scroll bar's value (10 is one serving), then OK or not.
    void Servings(int value) { drive::ScrollTo(calc().ServingsVs, static_cast<vb::Integer>(value)); }
    void Ok() { drive::Click(calc().OkCmd); }

    // The next name-conflict dialog runs this script while it is shown.
    void OnConflict(std::function<void(recipe::SameFrm&)> script) {
        host.OnModal("SameFrm", [script](forms::Form& f) { script(static_cast<recipe::SameFrm&>(f)); });
    }
    // Adds a heading through the tool bar's dialog; cancel instead of Done when asked.
    void Heading(const std::string& text, bool cancel = false) {
        host.OnModal("SubHeadFrm", [text, cancel](forms::Form& f) {
            auto& d = static_cast<recipe::SubHeadFrm&>(f);
            drive::TypeText(d.SubHeadTxt, text);
            drive::Click(cancel ? d.CancelCmd : d.DoneCmd);
        });
        Tool("Heading");
    }
    // Clicks line i and answers the line-edit dialog with the button (nullptr: its close box).
    void EditLine(int i, forms::CommandButton recipe::EditFrm::*button) {
        host.OnModal("EditFrm", [button](forms::Form& f) {
            auto& d = static_cast<recipe::EditFrm&>(f);
            if (button) drive::Click(d.*button);
            else drive::CloseForm(d);
        });
        drive::ChooseItem(calc().R_IngLst, i);
    }

    std::string Stored() { return Bytes(Data("Recipe.Dat")); }
};

}  // namespace recipetest
