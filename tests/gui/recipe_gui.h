#pragma once
// The recipe program on the Qt desktop, offscreen, for the GUI tests: a private data folder seeded
// with the sample data the build made, no start-up music and no tips.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "gui/platform_gui.h"
#include "platform/files/settings.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/user.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"

namespace gui {

class RecipeGuiTest : public ::testing::Test {
protected:
    RecipeGuiTest() {
        const std::filesystem::path data = BuildDir() / "data" / "recipe";
        if (std::filesystem::exists(data))
            std::filesystem::copy(data, env.CurrentDir(), std::filesystem::copy_options::recursive);
        files::SaveSetting("recipe", "Options", "Play music at Startup", "0");
        files::SaveSetting("recipe", "Options", "Show Tips at Startup", "0");
        host = std::make_unique<qtui::QtHost>();
    }
    ~RecipeGuiTest() override {
        if (app && app->LoadedInterface()) forms::Unload(app->Interface());
        app.reset();
        Pump(50);
        host.reset();
    }

    // Every control but the timers has its widget.
    static void CheckWidgets(const forms::Form& form) {
        for (const forms::Control* c : form.Controls()) {
            if (c->Kind() != forms::ControlKind::Timer) {
                EXPECT_NE(qtui::WidgetOf(*c), nullptr) << form.Name() << "." << c->Name();
            }
        }
    }
    // A line on the builder, chosen as a user does.
    void AddLine(const std::string& ingredient, int whole, int fraction, const std::string& measure) {
        recipe::CalcFrm& c = app->CalcFrm();
        drive::DropDown(c.IngLst2);
        drive::ChooseItem(c.IngLst, ingredient);
        drive::ScrollTo(c.OnesVs, static_cast<vb::Integer>(whole));
        drive::ScrollTo(c.FracVs, static_cast<vb::Integer>(fraction));
        drive::ChooseItem(c.MeasureLst, measure);
        drive::Click(c.Addcmd);
        Pump(30);
    }

    drive::TempEnvironment env;
    std::unique_ptr<qtui::QtHost> host;
    std::unique_ptr<recipe::Recipe> app;
};

}  // namespace gui
