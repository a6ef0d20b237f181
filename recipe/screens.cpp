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

DeleteIngFrm::DeleteIngFrm(Recipe& app) : PlaceholderScreen(app, "DeleteIngFrm", "Stored Ingredient Screen") {
    IngLst.Sorted(true).Visible(false);
    Load = [this] { Form_Load(); };
}

void DeleteIngFrm::Form_Load() { PlaceAtBuilder(); }

frmIngrediant::frmIngrediant(Recipe& app) : PlaceholderScreen(app, "frmIngrediant", "Add / Edit Ingredient Screen") {
    Load = [this] { Form_Load(); };
}

void frmIngrediant::Form_Load() { PlaceAtBuilder(); }

}  // namespace recipe
