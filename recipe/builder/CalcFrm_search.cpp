// Opening the ingredient search; the dialog hands its choice back through IngLst and PassTmr.
#include "recipe/builder/CalcFrm.h"
#include "recipe/Recipe.h"
#include "recipe/ingredients/SearchFrm.h"

namespace recipe {

void CalcFrm::WireSearch() {
    SearchImg.Click = [this] { SearchImg_Click(); };
    SearchLbl.Click = [this] { SearchImg_Click(); };
}

void CalcFrm::SearchImg_Click() { app.SearchFrm().Show(forms::vbModal); }

}  // namespace recipe
