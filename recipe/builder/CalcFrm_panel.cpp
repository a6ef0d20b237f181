// The builder's nutrition totals and its Nutrition Facts panel.
#include "recipe/builder/CalcFrm.h"
#include "recipe/Recipe.h"

namespace recipe {

void CalcFrm::Add_Nutrients(const IngRecord& Ing, std::string_view Measure, Single Qty) {
    AddNutrients(totals_, Ing, Measure, Qty, Calc_Servings);
    IfLessThanZero();
    WritePanel();
}

void CalcFrm::IfLessThanZero() { recipe::IfLessThanZero(totals_); }

void CalcFrm::Show_Calorie_Percentages() {
    if (lblCals.Caption().empty()) return;
    if (auto shares = CalorieSharesFrom(lblCals.Caption(), lblFCals.Caption(), lblTCg.Caption(), lblPg.Caption())) {
        Label24.Caption(shares->fat);
        Label23.Caption(shares->carbs);
        Label21.Caption(shares->protein);
    }
    if (InvisLst.ListCount() == 0) {
        const CalorieShares none = NoCalorieShares();
        Label24.Caption(none.fat);
        Label23.Caption(none.carbs);
        Label21.Caption(none.protein);
        // Fiber and saturated fat are left as they are.
        totals_.Cal = 0;
        totals_.FatCal = 0;
        totals_.Fat = 0;
        totals_.Chol = 0;
        totals_.Sodium = 0;
        totals_.Carbs = 0;
        totals_.Protein = 0;
    }
}

}  // namespace recipe
