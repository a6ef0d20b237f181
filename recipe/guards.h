#pragma once
// Small helpers the recipe windows share: the hourglass while a window works, and text boxes
// that refuse what the recipe file cannot hold.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/forms/forms.h"

namespace recipe {

// Layouts are drawn in pixels; forms measure in twips.
constexpr vb::Single px(double pixels) { return static_cast<vb::Single>(pixels * forms::kTwipsPerPixel); }

// A dialog's frame: fixed size, no minimise or maximise, the program's icon, a client area of
// the given pixels; with ownTaskbarEntry false it stays off the task bar.
void DialogFrame(forms::Form& form, double width, double height, bool ownTaskbarEntry = false);

// The window shows the hourglass until this goes, whichever way the work ends.
class BusyPointer {
public:
    explicit BusyPointer(forms::Form& form) : form_(form) { form_.MousePointer(forms::vbHourglass); }
    ~BusyPointer() { form_.MousePointer(forms::vbDefault); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    forms::Form& form_;
};

// What a guarded text box accepts: at most maxLength characters (counted with or without the
// blanks at its ends) and none of the recipe file's delimiters.
struct TextRule {
    std::size_t maxLength = 50;
    bool countTrimmed = false;
    std::string tooLongPrompt;
    std::string tooLongTitle;
    int tooLongStyle = 0;
    std::string what;  // for the delimiter message: "recipe name", "heading"
    std::string delimiterTitle;
};

// Remembers the last text a box accepted. A change that breaks the rule is refused with its
// message: the box gets the accepted text back with the caret where the typing was.
class TextGuard {
public:
    explicit TextGuard(TextRule rule) : rule_(std::move(rule)) {}

    // True when the box's text is accepted; false after the message and the text put back (the
    // change handler then runs again for the text put back).
    bool Accept(forms::TextBox& box);
    // A text set by code that is taken as it is.
    void Keep(std::string text) { accepted_ = std::move(text); }
    const std::string& accepted() const { return accepted_; }

private:
    TextRule rule_;
    std::string accepted_;
};

// The recipe name's rule, in the builder and in the name-conflict dialog: at most 50 letters.
TextRule RecipeNameRule();

}  // namespace recipe
