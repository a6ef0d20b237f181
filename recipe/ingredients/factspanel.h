#pragma once
// The Nutrition Facts panel: a bordered box of fixed captions and rules, and the value labels that
// every screen showing one fills under the same names. A screen describes its panel as a list of
// parts in the order its controls are made; the builder and the two ingredient screens show one
// food label, the stored-recipes screen its own, whose places the printout copies.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/forms.h"
#include "recipe/guards.h"
#include "recipe/store/ingrecord.h"
#include "recipe/nutrition.h"

namespace recipe {

// A place in twips.
struct PanelRect {
    vb::Single left = 0, top = 0, width = 0, height = 0;
};

constexpr PanelRect Px(double left, double top, double width, double height) {
    return {px(left), px(top), px(width), px(height)};
}

// How a caption or value reads. No font name: the screen's own font.
struct PanelLook {
    const char* font = "Arial";
    vb::Single size = 8;
    bool bold = false;
    vb::Integer align = forms::vbLeftJustify;
    bool wrap = false;
};

// One control of a panel. The parts before the box stand above it in the screen's frame, the
// parts after it inside it, drawn in ink on the box.
struct PanelPart {
    enum Kind : std::uint8_t { Box, Caption, Value, Rule };

    Kind kind;
    const char* name;
    int index = -1;  // its element of a control array
    const char* text = "";
    PanelRect at{};  // a rule: from (left, top) to (width, top)
    PanelLook look{};
    vb::Integer ruleWidth = 0;  // 0: a rule left as it is made
};

namespace panel {

// A rule's end at the box's inner right edge.
constexpr vb::Single kToRightEdge = -1;

constexpr PanelPart Box(const char* name, PanelRect at) { return {.kind = PanelPart::Box, .name = name, .at = at}; }
constexpr PanelPart Caption(const char* name, const char* text, PanelRect at, PanelLook look) {
    return {.kind = PanelPart::Caption, .name = name, .text = text, .at = at, .look = look};
}
constexpr PanelPart Value(const char* name, PanelRect at, PanelLook look) {
    return {.kind = PanelPart::Value, .name = name, .at = at, .look = look};
}
constexpr PanelPart Rule(const char* name, vb::Single x1, vb::Single y, vb::Single x2, vb::Integer width,
                         int index = -1) {
    return {.kind = PanelPart::Rule, .name = name, .index = index, .at = {x1, y, x2, 0}, .ruleWidth = width};
}

}  // namespace panel

// The food label of the builder (its servings line under " Per Serving").
std::span<const PanelPart> BuilderPanel();
// The same label on the ingredient wizard and the stored-ingredient screen: the two measures under
// "Serving Size", the captions and rules as the control arrays lblCaption and lnFacts.
std::span<const PanelPart> IngredientPanel();

class FactsPanel {
public:
    // Makes the parts' controls in `container`, the frame that holds the screen.
    FactsPanel(forms::Control& container, std::span<const PanelPart> parts);
    ~FactsPanel();
    FactsPanel(const FactsPanel&) = delete;
    FactsPanel& operator=(const FactsPanel&) = delete;

    // Gives every part its place, look and caption; run once the screen has its own font.
    void Layout();
    // Moves the name label to (left, nameTop) and the box to (left, boxTop).
    void Place(vb::Single left, vb::Single nameTop, vb::Single boxTop);
    // Every value label "" (the captions stay).
    void Clear();
    // The nutrient texts, in the order the engine writes them; the protein percent stays as it is.
    void Write(const PanelTexts& p);
    // Name, measures and the nine values of a stored record.
    void Show(const IngRecord& rec);

    // A caption or value label, a rule; a name the panel does not hold is a programming error.
    forms::Label& Label(std::string_view name, int index = -1) const;
    forms::Line& Line(std::string_view name, int index = -1) const;

private:
    forms::PictureBox& TheBox() const;
    forms::Control& Part(std::string_view name, int index, PanelPart::Kind a, PanelPart::Kind b) const;
    forms::Label* Optional(std::string_view name) const;

    std::span<const PanelPart> parts_;
    std::vector<std::unique_ptr<forms::Control>> made_;  // one per part, in the parts' order

public:
    forms::PictureBox& box;
    forms::Label& lblName;
    forms::Label& lbl1M;
    forms::Label& lblCals;
    forms::Label& lblFCals;
    forms::Label& lblFg;
    forms::Label& lblFP;
    forms::Label& lblSFg;
    forms::Label& lblSFP;
    forms::Label& lblCg;
    forms::Label& lblCP;
    forms::Label& lblSg;
    forms::Label& lblSP;
    forms::Label& lblTCg;
    forms::Label& lblTCP;
    forms::Label& lblTFg;
    forms::Label& lblTFP;
    forms::Label& lblPg;
    forms::Label& lblPP;

private:
    forms::Label* second_;  // lbl2M, where the panel shows a second measure
};

// The nine values a stored ingredient shows for its first measure: fat calories from the fat, the
// gram values at one decimal, and the calories recomputed from fat calories, carbohydrate and
// protein (the stored calories are not shown). Out-of-range or damaged values show as the nearest
// value that fits, never as a failure.
NutritionTotals StoredFacts(const IngRecord& rec);

// A quantity and its unit as the serving-size lines show them: "1 cup", "0.5 lb".
std::string MeasureText(vb::Single qty, std::string_view unit);

}  // namespace recipe
