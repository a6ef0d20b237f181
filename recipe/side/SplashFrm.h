#pragma once
// The splash window, the program's first: two animations, and the timer that brings up the main
// window one second after the splash has painted.
#include "platform/forms/forms.h"

namespace recipe {

using vb::Integer;
using vb::Single;

class Recipe;

class SplashFrm : public forms::Form {
public:
    explicit SplashFrm(Recipe& app);

    forms::Frame Frame1{*this, "Frame1"};
    forms::Label lblProductName{Frame1, "lblProductName"};
    forms::Label lblPlatform{Frame1, "lblPlatform"};
    forms::Animation Gif89a1{Frame1, "Gif89a1"};
    forms::Animation Gif89a2{Frame1, "Gif89a2"};
    forms::Timer SplashTmr{*this, "SplashTmr"};
    forms::Timer TwoTmr{*this, "TwoTmr"};

private:
    void Form_Load();
    void Form_Paint();
    void Form_QueryUnload(Integer& Cancel, Integer UnloadMode);
    void Form_Unload(Integer& Cancel);
    void SplashTmr_Timer();
    void TwoTmr_Timer();

    Recipe& app;
    bool mainShown_ = false;
};

}  // namespace recipe
