// The food diary's messages about its files on the Qt desktop: a damaged food database at start-up
// and a second start on the same folder. Screenshots of both land under the build folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QMessageBox>
#include <QPixmap>

#include <filesystem>
#include <memory>
#include <string>

#include "calories/Calories.h"
#include "calories/calmain.h"
#include "calories/fooditem.h"
#include "calories/period/periodsetup.h"
#include "gui/platform_gui.h"
#include "platform/files/profile.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "platform/testing/temp_env.h"

namespace {

namespace fs = std::filesystem;

// Answers the next message box with OK after saving its picture; returns its text.
std::shared_ptr<std::string> ShootNextMessage(const std::string& name) {
    auto text = std::make_shared<std::string>();
    gui::WhenModal([text, name](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        *text = box->text().toStdString();
        const std::string path = gui::ScreenshotPath(name);
        QDir().mkpath(QString::fromStdString(fs::path(path).parent_path().string()));
        EXPECT_TRUE(box->grab().save(QString::fromStdString(path)));
        box->accept();
    });
    return text;
}

TEST(CaloriesMessagesGui, ADamagedDatabaseAndASecondStartAreToldPlainly) {
    drive::TempEnvironment env;
    auto host = std::make_unique<qtui::QtHost>();
    std::string bytes;
    for (int i = 0; i < 3; ++i) {
        calories::FoodItem f;
        f.name = "Food " + std::to_string(i);
        f.group = "Beef";
        bytes += calories::encode(f);
    }
    drive::TempEnvironment::WriteFile(env.CurrentDir() / "fooddata.bok", bytes + "torn");
    files::WritePrivateProfileString(calories::kDateSection, calories::kStartDate,
                                     std::string("Mar 09/26"), "calories.INI");
    files::WritePrivateProfileString(calories::kDateSection, calories::kEndDate,
                                     std::string("Mar 09/26"), "calories.INI");
    files::WritePrivateProfileString(calories::kDateSection, calories::kNumberOfDays, std::string("1"), "calories.INI");

    auto damaged = ShootNextMessage("calories_damaged_file");
    auto app = std::make_unique<calories::Calories>();
    app->Main();
    gui::Pump(50);
    EXPECT_NE(damaged->find("is damaged"), std::string::npos) << *damaged;

    auto running = ShootNextMessage("calories_already_running");
    auto second = std::make_unique<calories::Calories>();
    second->Main();
    gui::Pump(50);
    EXPECT_TRUE(second->AlreadyRunning());
    EXPECT_NE(running->find("already running"), std::string::npos) << *running;

    second.reset();
    forms::ResetApplication();
    app.reset();
    gui::Pump(50);
    host.reset();
}

}  // namespace
