#include "recipe/guards.h"

#include "platform/core/text.h"
#include "platform/services/dialogs.h"
#include "recipe/grammar.h"

namespace recipe {

bool TextGuard::Accept(forms::TextBox& box) {
    const std::string text = box.Text();
    const std::size_t length = rule_.countTrimmed ? vb::Trim(text).size() : text.size();
    const int delimiter = grammar::FindDelimiter(text);
    if (length <= rule_.maxLength && delimiter < 0) {
        accepted_ = text;
        return true;
    }
    if (length > rule_.maxLength) {
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
    TextRule r;
    r.maxLength = 50;
    r.countTrimmed = false;
    r.tooLongPrompt = "50 letters is the maximum for the \r\nname of the recipe.\r\n\r\nPlease enter it again.";
    r.tooLongTitle = "There's a Problem";
    r.tooLongStyle = services::vbInformation;
    r.what = "recipe name";
    r.delimiterTitle = "Recipe Name";
    return r;
}

}  // namespace recipe
