#include "recipe/guards.h"

#include "platform/core/text.h"
#include "platform/services/dialogs.h"
#include "recipe/Recipe.h"
#include "recipe/store/grammar.h"

namespace recipe {

void DialogFrame(forms::Form& form, double width, double height, bool ownTaskbarEntry) {
    form.Icon(std::string(kProgramIcon));
    form.BorderStyle(forms::vbFixedDialog);
    form.MinButton(false);
    form.MaxButton(false);
    form.ShowInTaskbar(ownTaskbarEntry);
    form.ClientSize(px(width), px(height));
}

bool TextGuard::Accept(forms::TextBox& box) {
    const std::string text = box.Text();
    auto length = [this](const std::string& t) { return rule_.countTrimmed ? vb::Trim(t).size() : t.size(); };
    // A text already over the limit (a stored name handed over) may still be shortened.
    const bool tooLong = length(text) > rule_.maxLength && length(text) > length(accepted_);
    const int delimiter = grammar::FindDelimiter(text);
    if (!tooLong && delimiter < 0) {
        accepted_ = text;
        return true;
    }
    if (tooLong) {
        services::MsgBox(rule_.tooLongPrompt, rule_.tooLongStyle, rule_.tooLongTitle);
    } else {
        services::MsgBox(grammar::DelimiterMessage(rule_.what, delimiter), services::vbExclamation,
                         rule_.delimiterTitle);
    }
    // The caret goes back to where the refused characters began.
    const long added = static_cast<long>(text.size()) - static_cast<long>(accepted_.size());
    const long caret = box.SelStart() - (added > 0 ? added : 0);
    const std::string back = accepted_;
    box.Text(back);
    box.SelStart(caret < 0 ? 0 : caret);
    box.SetFocus();
    return false;
}

TextRule RecipeNameRule() {
    return {.maxLength = 50,
            .countTrimmed = false,
            .tooLongPrompt = "50 letters is the maximum for the \r\nname of the recipe.\r\n\r\nPlease enter it again.",
            .tooLongTitle = "There's a Problem",
            .tooLongStyle = services::vbInformation,
            .what = "recipe name",
            .delimiterTitle = "Recipe Name"};
}

}  // namespace recipe
