#pragma once
// A food diary on the Qt desktop, offscreen, for the GUI tests: private folders seeded with the
// sample data the build made (food database, help pages), the toolbar pictures beside the
// program, and screenshots under the build folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "calories/Calories.h"
#include "calories/calSplash.h"
#include "calories/calmain.h"
#include "calories/period/periodsetup.h"
#include "gui/platform_gui.h"
#include "platform/files/profile.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/user.h"

namespace gui {

class CaloriesGui : public ::testing::Test {
protected:
    CaloriesGui() {
        const std::filesystem::path data = BuildDir() / "data" / "calories";
        if (std::filesystem::exists(data))
            std::filesystem::copy(data, env.CurrentDir(), std::filesystem::copy_options::recursive);
        forms::App().Path((BuildDir() / "calories").string());  // the toolbar pictures
        host = std::make_unique<qtui::QtHost>();
    }
    ~CaloriesGui() override {
        if (app && app->LoadedMainform()) forms::Unload(app->mainform());
        app.reset();
        Pump(50);
        host.reset();
        forms::App().Path("");
    }

    static void Ini(std::string_view section, std::string_view key, const std::string& value) {
        files::WritePrivateProfileString(section, key, value, "calories.INI");
    }
    // A saved diet period, the current day and the number of days.
    static void Period(const std::string& start, const std::string& end, int day, int days) {
        Ini(calories::kDateSection, calories::kStartDate, start);
        Ini(calories::kDateSection, calories::kEndDate, end);
        Ini(calories::kDateSection, calories::kCurrentDay, std::to_string(day));
        Ini(calories::kDateSection, calories::kNumberOfDays, std::to_string(days));
    }
    // Goals of 2000 kcal, 65 g fat, 300 mg cholesterol, 30 g fiber, 300 g carbohydrate, 50 g protein.
    static void Goals() {
        const char* goals[6] = {"2000", "65", "300", "30", "300", "50"};
        for (int k = 0; k < 6; ++k) Ini("YourString.Something", "Message" + std::to_string(5 + k), goals[k]);
    }
    // Starts the program and presses the splash's "&Ok".
    calories::calmain& Open() {
        app = std::make_unique<calories::Calories>();
        app->Main();
        drive::Click(app->splash().Command1);
        Pump(50);
        return app->mainform();
    }
    void CheckWidgets(const forms::Form& form) {
        ASSERT_NE(qtui::WindowOf(form), nullptr) << form.Name();
        for (const forms::Control* c : form.Controls()) {
            if (c->Kind() == forms::ControlKind::Menu)
                EXPECT_NE(qtui::ActionOf(static_cast<const forms::Menu&>(*c)), nullptr) << c->Name();
            else
                EXPECT_NE(qtui::WidgetOf(*c), nullptr) << form.Name() << "." << c->Name();
        }
    }
    void Shoot(const forms::Form& form, const std::string& name) {
        const std::string path = ScreenshotPath("calories_" + name);
        EXPECT_TRUE(qtui::Screenshot(form, path)) << path;
        EXPECT_TRUE(std::filesystem::exists(path)) << path;
    }

    drive::TempEnvironment env;
    std::unique_ptr<qtui::QtHost> host;
    std::unique_ptr<calories::Calories> app;
};

}  // namespace gui
