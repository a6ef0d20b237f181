#include "recipe/side/SplashFrm.h"

#include "platform/services/desktop.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"

namespace recipe {

namespace {
constexpr vb::Long kDarkGreen = 0x206020;
constexpr vb::Long kCream = 0xE8F8FF;
}  // namespace

SplashFrm::SplashFrm(Recipe& app) : forms::Form("SplashFrm"), app(app) {
    Caption(std::string(kProductName));
    Icon(std::string(kProgramIcon));
    BorderStyle(forms::vbBSNone);
    ControlBox(false);
    MinButton(false);
    MaxButton(false);
    ShowInTaskbar(false);
    BackColor(kCream);
    ClientSize(7200, 3900);

    Frame1.Caption("").BackColor(kCream).Move(120, 60, 6960, 3720);
    lblProductName.Caption(std::string(kProductName))
        .Alignment(forms::vbCenter)
        .BackStyle(forms::vbTransparent)
        .FontName("Arial")
        .FontSize(36)
        .FontBold(true)
        .ForeColor(kDarkGreen)
        .Move(120, 240, 6720, 960);
    lblPlatform.Caption("for Windows 95 / 98 / NT")
        .Alignment(forms::vbCenter)
        .BackStyle(forms::vbTransparent)
        .FontName("Arial")
        .FontSize(10)
        .FontItalic(true)
        .ForeColor(kDarkGreen)
        .Move(120, 1200, 6720, 300);
    Gif89a1.FileName("Recipe_3D_GIF.gif").Move(1320, 1800, 1800, 1500);
    Gif89a2.FileName("gif1.gif").Visible(false).Move(4080, 1860, 1440, 1440);

    SplashTmr.Interval(1000).Enabled(false);
    TwoTmr.Interval(1000).Enabled(true);

    Load = [this] { Form_Load(); };
    Paint = [this] { Form_Paint(); };
    QueryUnload = [this](Integer& Cancel, Integer UnloadMode) { Form_QueryUnload(Cancel, UnloadMode); };
    Unload = [this](Integer& Cancel) { Form_Unload(Cancel); };
    SplashTmr.Tick = [this] { SplashTmr_Timer(); };
    TwoTmr.Tick = [this] { TwoTmr_Timer(); };
}

void SplashFrm::Form_Load() {
    MousePointer(forms::vbHourglass);
    Recipe::Center_Form(*this);
}

// The main window comes one second after the first paint; later paints start nothing.
void SplashFrm::Form_Paint() {
    if (!mainShown_) SplashTmr.Enabled(true);
}

void SplashFrm::TwoTmr_Timer() {
    Gif89a2.Visible(true);
    TwoTmr.Enabled(false);
}

void SplashFrm::SplashTmr_Timer() {
    // Once: the main window is shown a single time, whatever ticks or paints come later.
    SplashTmr.Enabled(false);
    mainShown_ = true;
    app.StartMainWindow();
}

void SplashFrm::Form_QueryUnload(Integer& Cancel, Integer UnloadMode) {
    try {
        if (app.OptionValue(kPlayMusic, 1) != 0) {
            services::PlaySound("LV6.wav", true);
        } else if (InterfaceFrm* main = app.LoadedInterface()) {
            main->TopBar.Tools("mnuMusic").Checked(false);
        }
    } catch (const vb::Error&) {
        // The sound is a greeting; nothing about it may stop the program.
    }
}

void SplashFrm::Form_Unload(Integer& Cancel) {
    if (InterfaceFrm* main = app.LoadedInterface()) main->Enabled(true);
}

}  // namespace recipe
