// The food windows of the food diary on the Qt desktop, offscreen, with the sample food database:
// the Add-food and Search Options windows. Every control gets a widget, and screenshots land under
// the build folder.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "calories/Calories.h"
#include "calories/calSplash.h"
#include "calories/calmain.h"
#include "calories/foods/Search.h"
#include "calories/foods/addfood.h"
#include "calories/period/periodsetup.h"
#include "gui/platform_gui.h"
#include "platform/files/profile.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/user.h"

namespace {

namespace fs = std::filesystem;

fs::path BuildDir() {
    const char* build = std::getenv("VT_BUILD_DIR");
    return build ? fs::path(build) : fs::current_path();
}

class CaloriesFoodsGui : public ::testing::Test {
protected:
    CaloriesFoodsGui() {
        const fs::path data = BuildDir() / "data" / "calories";
        if (fs::exists(data)) fs::copy(data, env.CurrentDir(), fs::copy_options::recursive);
        forms::App().Path((BuildDir() / "calories").string());  // the pictures
        files::WritePrivateProfileString(calories::kDateSection, calories::kStartDate,
                                         std::string("Mar 09/26"), "calories.INI");
        files::WritePrivateProfileString(calories::kDateSection, calories::kEndDate,
                                         std::string("Mar 09/26"), "calories.INI");
        files::WritePrivateProfileString(calories::kDateSection, calories::kNumberOfDays,
                                         std::string("1"), "calories.INI");
        host = std::make_unique<qtui::QtHost>();
        app = std::make_unique<calories::Calories>();
        app->Main();
        drive::Click(app->splash().Command1);
        gui::Pump(50);
    }
    ~CaloriesFoodsGui() override {
        if (app && app->LoadedMainform()) forms::Unload(app->mainform());
        app.reset();
        gui::Pump(50);
        host.reset();
        forms::App().Path("");
    }

    void Shoot(const forms::Form& form, const std::string& name) {
        gui::Pump(50);
        ASSERT_NE(qtui::WindowOf(form), nullptr) << form.Name();
        for (const forms::Control* c : form.Controls())
            EXPECT_NE(qtui::WidgetOf(*c), nullptr) << form.Name() << "." << c->Name();
        const std::string path = gui::ScreenshotPath("calories_" + name);
        EXPECT_TRUE(qtui::Screenshot(form, path)) << path;
        EXPECT_TRUE(fs::exists(path)) << path;
    }

    drive::TempEnvironment env;
    std::unique_ptr<qtui::QtHost> host;
    std::unique_ptr<calories::Calories> app;
};

TEST_F(CaloriesFoodsGui, AddFoodWindow) {
    drive::ChooseMenu(app->mainform().mnuaddmaindatabase);
    calories::addfood& w = app->addfood();
    drive::ChooseItem(w.Combo1, "Ice cream, Cheese, Pudding, Milk products");
    const char* typed[7] = {"Frozen yoghurt, strawberry, 100 g", "127", "3", "12", "0", "22", "3"};
    for (int i = 0; i < 7; ++i) drive::TypeText(w.Text1[i], typed[i]);
    Shoot(w, "addfood");
}

TEST_F(CaloriesFoodsGui, SearchWindow) {
    ASSERT_TRUE(fs::exists(env.CurrentDir() / "fooddata.bok")) << "build the sample_data target first";
    drive::Click(app->mainform().Command16);
    calories::Search& w = app->Search();
    drive::Click(w.Option1[5]);
    drive::Click(w.Option2[0]);
    drive::TypeText(w.Text2[0], "60");
    drive::Click(w.Command1);
    ASSERT_GT(w.List1.ListCount(), 3);
    drive::ChooseItem(w.List1, 2);
    EXPECT_FALSE(w.Label1.Caption().empty());
    Shoot(w, "search");

    drive::Click(w.Option3);
    drive::TypeText(w.Text1, "rice");
    drive::Click(w.Command1);
    EXPECT_GT(w.List1.ListCount(), 0);
    Shoot(w, "search_name");
}

}  // namespace
