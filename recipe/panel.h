#pragma once
// Writes the Nutrition Facts texts into a screen's panel, whose value and percent labels carry the
// same names on every screen that shows one (the protein percent stays as it is).
#include "recipe/nutrition.h"

namespace recipe {

template <class Screen>
void ShowPanel(Screen& s, const PanelTexts& p) {
    s.lblFg.Caption(p.Fg);
    s.lblCals.Caption(p.Cals);
    s.lblFCals.Caption(p.FCals);
    s.lblFP.Caption(p.FP);
    s.lblCg.Caption(p.Cg);
    s.lblCP.Caption(p.CP);
    s.lblSg.Caption(p.Sg);
    s.lblSP.Caption(p.SP);
    s.lblTCg.Caption(p.TCg);
    s.lblTCP.Caption(p.TCP);
    s.lblPg.Caption(p.Pg);
    s.lblTFg.Caption(p.TFg);
    s.lblTFP.Caption(p.TFP);
    s.lblSFg.Caption(p.SFg);
    s.lblSFP.Caption(p.SFP);
}

}  // namespace recipe
