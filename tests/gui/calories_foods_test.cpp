// The food windows of the food diary on the Qt desktop, offscreen, with the sample food database:
// the Add-food and Search Options windows. Every control gets a widget, and screenshots land under
// the build folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "calories/foods/Search.h"
#include "calories/foods/addfood.h"
#include "gui/calories_gui.h"

namespace {

namespace fs = std::filesystem;

// The main window up over a one-day period.
class CaloriesFoodsGui : public gui::CaloriesGui {
protected:
    CaloriesFoodsGui() {
        SetIni(calories::kDateSection, calories::kStartDate, "Mar 09/26");
        SetIni(calories::kDateSection, calories::kEndDate, "Mar 09/26");
        SetIni(calories::kDateSection, calories::kNumberOfDays, "1");
        Open();
    }

    static void Shoot(const forms::Form& form, const std::string& name) {
        gui::Pump(50);
        CheckWidgets(form);
        CaloriesGui::Shoot(form, name);
    }
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
