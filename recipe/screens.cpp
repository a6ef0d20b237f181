#include "recipe/screens.h"

#include "recipe/CalcFrm.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"

namespace recipe {

PlaceholderScreen::PlaceholderScreen(Recipe& app, std::string name, std::string title)
    : forms::Form(std::move(name)), app(app) {
    MDIParent(app.Interface());
    Icon(std::string(kProgramIcon));
    Caption("");
    lblTitle.Caption(std::move(title))
        .Alignment(forms::vbCenter)
        .BackStyle(forms::vbTransparent)
        .FontName("Arial")
        .FontSize(18)
        .FontBold(true)
        .ForeColor(0x808080);
}

void PlaceholderScreen::PlaceAtBuilder() {
    CalcFrm& builder = app.CalcFrm();
    Move(builder.Left(), builder.Top(), builder.Width(), builder.Height());
    lblTitle.Move(0, ScaleHeight() / 2 - 300, ScaleWidth(), 600);
}

ViewFrm::ViewFrm(Recipe& app) : PlaceholderScreen(app, "ViewFrm", "Stored Recipes Screen") {
    RecipeLst.Sorted(true).Visible(false);
    for (forms::Label* l : {&lblName, &lbl1M, &lblCals, &lblFCals, &lblFg, &lblFP, &lblCg, &lblCP, &lblSg, &lblSP,
                            &lblTCg, &lblTCP, &lblTFg, &lblTFP, &lblSFg, &lblSFP, &lblPg, &Label20, &Label21, &Label22})
        l->Visible(false);
    Load = [this] { Form_Load(); };
}

void ViewFrm::Form_Load() {
    PlaceAtBuilder();
    app.Load_Recipes();
}

}  // namespace recipe
