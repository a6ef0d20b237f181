#pragma once
// The recipe program on the Qt desktop, offscreen, for the GUI tests: a private data folder seeded
// with the sample data the build made, no start-up music and no tips.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "gui/platform_gui.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "recipe/recipe_program.h"

namespace gui {

class RecipeGuiTest : public recipetest::Kitchen {
protected:
    RecipeGuiTest() {
        const std::filesystem::path data = BuildDir() / "data" / "recipe";
        if (std::filesystem::exists(data))
            std::filesystem::copy(data, env.CurrentDir(), std::filesystem::copy_options::recursive);
        SetOption("Play music at Startup", "0");
        SetOption("Show Tips at Startup", "0");
        host = std::make_unique<qtui::QtHost>();
    }
    ~RecipeGuiTest() override {
        Quit();
        Pump(50);
        host.reset();
    }

    // Starts the program and waits for the main window with the splash gone; false when that
    // takes longer than five seconds.
    bool Open() {
        Start();
        return PumpUntil([&] { return app->MainWindowStarted() && !app->LoadedSplash(); }, 5000);
    }
    // Every control but the timers has its widget.
    static void CheckWidgets(const forms::Form& form) {
        for (const forms::Control* c : form.Controls()) {
            if (c->Kind() != forms::ControlKind::Timer) {
                EXPECT_NE(qtui::WidgetOf(*c), nullptr) << form.Name() << "." << c->Name();
            }
        }
    }
    // ${VT_BUILD_DIR}/screenshots/recipe_<name>.png.
    static void Shoot(const forms::Form& form, const std::string& name) {
        const std::string path = ScreenshotPath("recipe_" + name);
        EXPECT_TRUE(qtui::Screenshot(form, path)) << path;
        EXPECT_TRUE(std::filesystem::exists(path)) << path;
    }
    // A line on the builder, chosen as a user does.
    void AddLine(const std::string& ingredient, int whole, int fraction, const std::string& measure) {
        Pick(ingredient);
        Spin(whole, fraction);
        Measure(measure);
        Add();
        Pump(30);
    }

    std::unique_ptr<qtui::QtHost> host;
};

}  // namespace gui
