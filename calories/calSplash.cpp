#include "calories/calSplash.h"

#include "calories/Calories.h"
#include "calories/calmain.h"

namespace calories {

calSplash::calSplash(Calories& app) : forms::Form("calSplash"), app(app) {
    Caption("");
    BorderStyle(forms::vbFixedDialog);
    ControlBox(false);
    MinButton(false);
    MaxButton(false);
    ShowInTaskbar(false);
    ClientSize(7380, 4200);

    fraMainFrame.Caption("").Move(120, 60, 7140, 4020);

    lblCompanyProduct.Caption("Vantorel").FontName("Arial").FontSize(24).FontBold(true).ForeColor(0x800000);
    lblCompanyProduct.Move(240, 240, 3600, 600);
    lblPlatform.Caption("For Win 98/95/NT").FontSize(9.75f).Alignment(forms::vbRightJustify);
    lblPlatform.Move(4320, 300, 2580, 285);
    lblVersion.Caption("Version 5.1").FontSize(9.75f).Alignment(forms::vbRightJustify);
    lblVersion.Move(4320, 600, 2580, 285);

    Label1.Caption(
              "An easy to use Nutrient Counter that tracks, Calories, Total fat, Cholesterol, Carbohydrates, "
              "Fiber and Proteins.")
        .WordWrap(true)
        .FontBold(true)
        .Move(240, 1020, 6660, 480);
    Label2.Caption(
              "The data and nutritional guidelines contained in this program are derived from research published "
              "by US government agencies and  non-profit health organizations. The data and guidelines are here "
              "for your information only and must not be construed as medical advice or instruction. The "
              "decision concerning diet should be made by you and your doctor. Before adopting  any diet, please "
              "discuss your condition with your doctor and obtain his/her approval. Lumbreck disclaims all "
              "liability in connection with the use of this program")
        .WordWrap(true)
        .Move(240, 1620, 6660, 1500);

    Label3.Caption("Reading database...").ForeColor(0xFF).FontBold(true).Move(240, 3390, 4200, 285);
    Command1.Caption("&Ok").Default(true).Move(5580, 3285, 1320, 495);

    Command1.Click = [this] { Command1_Click(); };
}

// Ends the splash and shows the program; on a first run also the caloric-needs window.
void calSplash::Command1_Click() {
    Calories& program = app;
    forms::Unload(*this);
    program.mainform().Show();
    if (program.firstRun) program.ShowCaloricNeeds();
    program.firstRun = false;
}

}  // namespace calories
