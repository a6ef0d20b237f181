// The goal windows of the food diary on the Qt desktop, offscreen: every control gets a widget,
// and a screenshot of each window lands under the build folder.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>

#include <filesystem>
#include <string>

#include "calories/goals/Metric.h"
#include "calories/goals/calcalintake.h"
#include "calories/goals/qform.h"
#include "calories/goals/weight.h"
#include "gui/platform_gui.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "platform/testing/temp_env.h"

namespace {

class CaloriesGoalsGui : public ::testing::Test {
protected:
    ~CaloriesGoalsGui() override {
        intake.reset();
        weight.reset();
        metric.reset();
        faq.reset();
        host.reset();
    }

    // Shows the form, checks its controls and saves its picture.
    void Shoot(forms::Form& form, const std::string& name) {
        form.Show();
        QCoreApplication::processEvents();
        ASSERT_NE(qtui::WindowOf(form), nullptr);
        for (const forms::Control* c : form.Controls()) EXPECT_NE(qtui::WidgetOf(*c), nullptr) << c->Name();
        const std::string path = gui::ScreenshotPath("calories_goals_" + name);
        EXPECT_TRUE(qtui::Screenshot(form, path)) << path;
        EXPECT_TRUE(std::filesystem::exists(path)) << path;
    }

    drive::TempEnvironment env;
    std::unique_ptr<qtui::QtHost> host = std::make_unique<qtui::QtHost>();
    std::unique_ptr<forms::FormHolder<calories::calcalintake>> intake =
        std::make_unique<forms::FormHolder<calories::calcalintake>>();
    std::unique_ptr<forms::FormHolder<calories::weight>> weight =
        std::make_unique<forms::FormHolder<calories::weight>>();
    std::unique_ptr<forms::FormHolder<calories::Metric>> metric =
        std::make_unique<forms::FormHolder<calories::Metric>>();
    std::unique_ptr<forms::FormHolder<calories::qform>> faq = std::make_unique<forms::FormHolder<calories::qform>>();
};

TEST_F(CaloriesGoalsGui, CaloricNeedsWindow) {
    calories::calcalintake& w = (*intake)();
    w.HScroll7.Value(300);
    w.HScroll8.Value(30);
    w.HScroll5.Value(180);
    w.HScroll11.Value(500);
    w.Option1[0].Value(true);
    w.HScroll12.Value(70);
    Shoot(w, "calcalintake");
    EXPECT_EQ(w.Label33.Caption(), "170.1");
    w.Check1.Value(1);
    Shoot(w, "calcalintake_manual");
}

TEST_F(CaloriesGoalsGui, HealthyWeightWindow) {
    calories::weight& w = (*weight)();
    w.HScroll1.Value(82);
    Shoot(w, "weight");
}

TEST_F(CaloriesGoalsGui, MetricWindow) {
    calories::Metric& m = (*metric)();
    m.Option3.Value(true);
    m.Option4[1].Value(true);
    m.Text1.Text("1");
    m.Command1.Value(true);
    EXPECT_EQ(m.Text2.Text(), "454.");
    Shoot(m, "Metric");
}

TEST_F(CaloriesGoalsGui, FaqWindow) { Shoot((*faq)(), "qform"); }

}  // namespace
