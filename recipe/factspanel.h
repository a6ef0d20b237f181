#pragma once
// The Nutrition Facts panel of one ingredient, as the ingredient wizard and the stored-ingredient
// screen show it: its serving size in its own two measures and its nutrients for the first one
// (not per serving). Each screen holds one as a member and places it where the builder's panel
// stands.
#include <string>
#include <string_view>

#include "platform/forms/forms.h"
#include "recipe/ingrecord.h"
#include "recipe/nutrition.h"

namespace recipe {

class IngFactsPanel {
public:
    // The panel's controls go into `container`, the frame that holds the screen.
    explicit IngFactsPanel(forms::Control& container);

    // Puts the name label and the box at (left, top) of the container, the box's top-left corner
    // at `boxTop`; backColor of the box (the captions are transparent).
    void Place(vb::Single left, vb::Single nameTop, vb::Single boxTop, vb::Long backColor);
    // Every value label "" (the captions stay).
    void Clear();
    // Name, measures and the nine values of a stored record.
    void Show(const IngRecord& rec);

    forms::Label lblName;
    forms::PictureBox picFacts;
    forms::ControlArray<forms::Label> lblCaption;  // the fixed captions, top to bottom
    forms::Label lbl1M;
    forms::Label lbl2M;
    forms::Label lblCals;
    forms::Label lblFCals;
    forms::Label lblFg;
    forms::Label lblFP;
    forms::Label lblSFg;
    forms::Label lblSFP;
    forms::Label lblCg;
    forms::Label lblCP;
    forms::Label lblSg;
    forms::Label lblSP;
    forms::Label lblTCg;
    forms::Label lblTCP;
    forms::Label lblTFg;
    forms::Label lblTFP;
    forms::Label lblPg;
    forms::Label lblPP;
    forms::ControlArray<forms::Line> lnFacts;

private:
    void Layout();
};

// The nine values a stored ingredient shows for its first measure: fat calories from the fat, the
// gram values at one decimal, and the calories recomputed from fat calories, carbohydrate and
// protein (the stored calories are not shown). Out-of-range or damaged values show as the nearest
// value that fits, never as a failure.
NutritionTotals StoredFacts(const IngRecord& rec);

// A quantity and its unit as the serving-size lines show them: "1 cup", "0.5 lb".
std::string MeasureText(vb::Single qty, std::string_view unit);

}  // namespace recipe
