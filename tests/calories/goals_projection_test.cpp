// The weight projection of the caloric-needs window, driven through its bars and options.
#include "goals_fixture.h"

namespace goalstest {
namespace {

using calories::calcalintake;

class ProjectionWindow : public GoalWindowTest {
protected:
    calcalintake& Plan(int lbs, int difference, int direction, int days) {
        calcalintake& w = FirstRun();
        w.Show();
        drive::ScrollTo(w.HScroll5, static_cast<vb::Integer>(lbs));
        drive::ScrollTo(w.HScroll11, static_cast<vb::Integer>(difference));
        if (direction >= 0) drive::Click(w.Option1[direction]);
        drive::ScrollTo(w.HScroll12, static_cast<vb::Integer>(days));
        return w;
    }
};

struct PlanCase {
    const char* name;
    int lbs, difference, direction, days;  // direction: 0 lose, 1 gain, -1 none chosen
    const char* perWeek;
    const char* perMonth;
    const char* weeks;
    const char* projected;
    const char* belowAbove;
    const char* loseGain;
};

const PlanCase kPlans[] = {
    {"LoseTenWeeks", 180, 500, 0, 70, "1.1", "4.8", "10.0", "170.1", "Below", "Lose"},
    {"Gain", 150, 900, 1, 15, "2.0", "8.7", "2.1", "154.0", "Above", "Gain"},
    {"NoDirectionAdds", 180, 500, -1, 70, "1.1", "4.8", "10.0", "189.9", "below", ""},
    {"NoDifference", 200, 0, 0, 365, "0", "0", "52.1", "200.0", "Below", "Lose"},
};

class PlanWindow : public ProjectionWindow, public ::testing::WithParamInterface<PlanCase> {};

TEST_P(PlanWindow, ShowsTheProjection) {
    const PlanCase& c = GetParam();
    calcalintake& w = Plan(c.lbs, c.difference, c.direction, c.days);
    EXPECT_EQ(w.Label28.Caption(), c.perWeek);
    EXPECT_EQ(w.Label29.Caption(), c.perMonth);
    EXPECT_EQ(w.Label35.Caption(), std::to_string(c.days));
    EXPECT_EQ(w.Label38.Caption(), c.weeks);
    EXPECT_EQ(w.Label33.Caption(), c.projected);
    EXPECT_EQ(w.Label24.Caption(), c.belowAbove);
    EXPECT_EQ(w.Label27.Caption(), c.loseGain);
}

INSTANTIATE_TEST_SUITE_P(GoalWindows, PlanWindow, ::testing::ValuesIn(kPlans),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProjectionWindow, SwitchingDirectionRecomputesAtOnce) {
    calcalintake& w = Plan(180, 500, 0, 70);
    ASSERT_EQ(w.Label33.Caption(), "170.1");
    drive::Click(w.Option1[1]);
    EXPECT_EQ(w.Label24.Caption(), "Above");
    EXPECT_EQ(w.Label27.Caption(), "Gain");
    EXPECT_EQ(w.Label33.Caption(), "189.9");
    drive::Click(w.Option1[0]);
    EXPECT_EQ(w.Label33.Caption(), "170.1");
}

TEST_F(ProjectionWindow, NewWeightOrDifferenceRestartsTheDays) {
    calcalintake& w = Plan(180, 500, 0, 100);
    drive::ScrollTo(w.HScroll5, 181);
    EXPECT_EQ(w.HScroll12.Value(), 1);
    EXPECT_EQ(w.Label35.Caption(), "1");
    EXPECT_EQ(w.Label17.Caption(), "181");
    EXPECT_EQ(w.Label19.Caption(), "81");
    EXPECT_EQ(w.Label33.Caption(), "181");

    drive::ScrollTo(w.HScroll12, 100);
    drive::ScrollTo(w.HScroll11, 900);
    EXPECT_EQ(w.HScroll12.Value(), 1);
    EXPECT_EQ(w.Label22.Caption(), "900");
    EXPECT_EQ(w.Label33.Caption(), "181");
}

TEST_F(ProjectionWindow, ResetGoesBackToTheFirstDay) {
    calcalintake& w = Plan(180, 500, 0, 70);
    drive::Click(w.Command2);
    EXPECT_EQ(w.HScroll12.Value(), 1);
    EXPECT_EQ(w.Label33.Caption(), "180.0");
    // At day 1 already: nothing happens, the shown text stays.
    drive::ScrollTo(w.HScroll5, 170);
    drive::Click(w.Command2);
    EXPECT_EQ(w.Label33.Caption(), "170");
}

TEST_F(ProjectionWindow, OkayStoresThePlanAndTheNextOpeningShowsIt) {
    calcalintake& w = Plan(180, 500, 0, 70);
    drive::Click(w.Command1);
    EXPECT_EQ(Ini(16), "180");
    EXPECT_EQ(Ini(17), "500");
    EXPECT_EQ(Ini(18), "70");
    EXPECT_EQ(Ini(19), "True");
    EXPECT_EQ(Ini(20), "False");
    EXPECT_EQ(Ini(21), "170.1");

    calcalintake& again = intake();
    EXPECT_EQ(again.HScroll5.Value(), 180);
    EXPECT_EQ(again.HScroll11.Value(), 500);
    EXPECT_EQ(again.HScroll12.Value(), 70);
    EXPECT_TRUE(again.Option1[0].Value());
    EXPECT_FALSE(again.Option1[1].Value());
    EXPECT_EQ(again.Label24.Caption(), "Below");
    EXPECT_EQ(again.Label27.Caption(), "Lose");
    EXPECT_EQ(again.Label28.Caption(), "1.1");
    EXPECT_EQ(again.Label33.Caption(), "170.1");
}

TEST_F(ProjectionWindow, StoredProjectionTextIsShownAsStored) {
    SetIni(16, "180");
    SetIni(21, "whatever it was");
    EXPECT_EQ(intake().Label33.Caption(), "whatever it was");
}

}  // namespace
}  // namespace goalstest
