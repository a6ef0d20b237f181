#pragma once
// A food diary on the Qt desktop, offscreen, for the GUI tests: private folders seeded with the
// sample data the build made (food database, help pages), the toolbar pictures beside the
// program, and screenshots under the build folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "calories/program.h"
#include "gui/platform_gui.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"

namespace gui {

class CaloriesGui : public caltest::Diary {
protected:
    CaloriesGui() {
        const std::filesystem::path data = BuildDir() / "data" / "calories";
        if (std::filesystem::exists(data))
            std::filesystem::copy(data, env.CurrentDir(), std::filesystem::copy_options::recursive);
        forms::App().Path((BuildDir() / "calories").string());  // the toolbar pictures
        host = std::make_unique<qtui::QtHost>();
    }
    ~CaloriesGui() override {
        Quit();
        Pump(50);
        host.reset();
        forms::App().Path("");
    }

    // Starts the program and presses the splash's "&Ok".
    calories::calmain& Open() {
        Start();
        drive::Click(app->splash().Command1);
        Pump(50);
        return main();
    }
    // The form has its window and every control its widget (or action, for a menu).
    static void CheckWidgets(const forms::Form& form) {
        ASSERT_NE(qtui::WindowOf(form), nullptr) << form.Name();
        for (const forms::Control* c : form.Controls()) {
            if (c->Kind() == forms::ControlKind::Menu)
                EXPECT_NE(qtui::ActionOf(static_cast<const forms::Menu&>(*c)), nullptr) << c->Name();
            else
                EXPECT_NE(qtui::WidgetOf(*c), nullptr) << form.Name() << "." << c->Name();
        }
    }
    static void Shoot(const forms::Form& form, const std::string& name) {
        const std::string path = ScreenshotPath("calories_" + name);
        EXPECT_TRUE(qtui::Screenshot(form, path)) << path;
        EXPECT_TRUE(std::filesystem::exists(path)) << path;
    }

    std::unique_ptr<qtui::QtHost> host;
};

}  // namespace gui
