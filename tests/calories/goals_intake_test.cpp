// The caloric-needs window: first run, the recommendation from the bars, manual goals, and what
// "&Okay" stores and the next opening restores.
#include "goals_fixture.h"
#include "support/file_checks.h"

namespace goalstest {
namespace {

using calories::calcalintake;

TEST_F(GoalWindowTest, FirstRunShowsTheStartingFigures) {
    calcalintake& w = FirstRun();
    EXPECT_FALSE(w.Visible());
    EXPECT_EQ(w.Caption(), "Caloric Needs and Nutrient Requirements");
    EXPECT_EQ(w.Label2.Caption(), "18");
    EXPECT_EQ(w.Label3.Caption(), "70");
    EXPECT_EQ(w.Label12.Caption(), "32");
    EXPECT_EQ(w.Label4.Caption(), "1");
    EXPECT_EQ(w.Combo1.Text(), "Male");
    EXPECT_EQ(w.Check1.Value(), 0);
    EXPECT_EQ(Goals(w), (std::vector<std::string>{"1064", "35", "300", "30", "133", "28"}));
    EXPECT_EQ(w.Label25.Caption(), "1064");
    EXPECT_EQ(w.HScroll4.Value(), 800);
    EXPECT_EQ(w.HScroll6.Value(), 20);
    EXPECT_EQ(w.HScroll9.Value(), 10);
    EXPECT_EQ(w.HScroll10.Value(), 10);
    EXPECT_FALSE(w.HScroll4.Visible());
    EXPECT_FALSE(w.HScroll7.Visible());
    EXPECT_EQ(w.Label17.Caption(), "70");
    EXPECT_EQ(w.Label19.Caption(), "32");
    EXPECT_EQ(w.Label22.Caption(), "0");
    EXPECT_EQ(w.Label35.Caption(), "1");
    EXPECT_FALSE(w.Option1[0].Value());
    EXPECT_FALSE(w.Option1[1].Value());
    EXPECT_EQ(w.Label33.Caption(), "70");
    EXPECT_EQ(Ini(5), "<missing>");
}

TEST_F(GoalWindowTest, WithoutTheMainWindowCholesterolAndFiberStartAtTheirMinimums) {
    calcalintake& w = intake();
    EXPECT_EQ(w.Label5[2].Caption(), "50");
    EXPECT_EQ(w.Label5[3].Caption(), "10");
}

TEST_F(GoalWindowTest, OkayOnAFirstRunWritesEveryKeyInOrder) {
    calcalintake& w = FirstRun();
    w.Show();
    testsupport::SavesInto saves(env.WindowsDir());
    drive::Click(w.Command1);
    EXPECT_EQ(saves.Of("calories.INI"), 1) << "the twenty-one keys go in one save";
    EXPECT_FALSE(intake.IsLoaded());
    EXPECT_EQ(IniBytes(),
              "[YourString.Something]\r\n"
              "Message1=18\r\nMessage2=70\r\nMessage3=1\r\nMessage4=Male\r\nMessage5=1064\r\n"
              "Message6=35\r\nMessage7=300\r\nMessage8=30\r\nMessage9=133\r\nMessage10=28\r\n"
              "Message12=800\r\nMessage13=20\r\nMessage14=10\r\nMessage15=10\r\nMessage16=70\r\n"
              "Message17=0\r\nMessage18=1\r\nMessage19=False\r\nMessage20=False\r\nMessage21=70\r\n"
              "Message11=0\r\n");
}

// The keys take their places among what the file holds, as twenty-one writes one after another did.
TEST_F(GoalWindowTest, OkayKeepsTheRestOfTheFileAndSavesItOnce) {
    drive::TempEnvironment::WriteFile(env.WindowsDir() / "calories.INI",
                                      "; the diary\r\n[date]\r\nmessage2=Mar 09/26\r\n\r\n[yourstring.something]\r\n"
                                      "message5 = 2000\r\n  Message1=18\r\nMessage99=kept\r\n\r\n"
                                      "[openfile info]\r\nMessage1=C:\\Group.PER\r\n");
    calcalintake& w = FirstRun();
    w.Show();
    testsupport::SavesInto saves(env.WindowsDir());
    drive::Click(w.Command1);
    EXPECT_EQ(saves.Of("calories.INI"), 1);
    EXPECT_EQ(IniBytes(),
              "; the diary\r\n[date]\r\nmessage2=Mar 09/26\r\n\r\n[yourstring.something]\r\n"
              "message5=1064\r\nMessage1=18\r\nMessage99=kept\r\n"
              "Message2=70\r\nMessage3=1\r\nMessage4=Male\r\n"
              "Message6=35\r\nMessage7=300\r\nMessage8=30\r\nMessage9=133\r\nMessage10=28\r\n"
              "Message12=800\r\nMessage13=20\r\nMessage14=10\r\nMessage15=10\r\nMessage16=70\r\n"
              "Message17=0\r\nMessage18=1\r\nMessage19=False\r\nMessage20=False\r\nMessage21=70\r\n"
              "Message11=0\r\n\r\n[openfile info]\r\nMessage1=C:\\Group.PER\r\n");
}

struct ProfileCase {
    const char* name;
    const char* sex;
    int age;
    int lbs;
    int activity;
    std::vector<std::string> goals;
    const char* kg;
};

const ProfileCase kProfiles[] = {
    {"Man", "Male", 35, 180, 5, {"2938", "98", "300", "30", "367", "64"}, "81"},
    {"Woman", "Female", 22, 130, 4, {"2076", "69", "300", "30", "260", "46"}, "59"},
    {"Pregnant", "Female(Pregnant)", 18, 120, 3, {"2395", "80", "300", "30", "299", "53"}, "54"},
};

class ProfileWindow : public GoalWindowTest, public ::testing::WithParamInterface<ProfileCase> {};

// Set with the bars and the list, stored by "&Okay", and found again by the next opening.
TEST_P(ProfileWindow, RecommendationIsStoredAndRestored) {
    const ProfileCase& c = GetParam();
    calcalintake& w = FirstRun();
    w.Show();
    drive::ChooseItem(w.Combo1, c.sex);
    drive::ScrollTo(w.HScroll1, static_cast<vb::Integer>(c.age));
    drive::ScrollTo(w.HScroll2, static_cast<vb::Integer>(c.lbs));
    drive::ScrollTo(w.HScroll3, static_cast<vb::Integer>(c.activity));
    EXPECT_EQ(Goals(w), c.goals);
    EXPECT_EQ(w.Label12.Caption(), c.kg);
    EXPECT_EQ(w.Label25.Caption(), c.goals[0]);
    drive::Click(w.Command1);

    EXPECT_EQ(Ini(4), c.sex);
    EXPECT_EQ(Ini(1), std::to_string(c.age));
    const std::vector<std::string> stored{Ini(5), Ini(6), Ini(7), Ini(8), Ini(9), Ini(10)};
    EXPECT_EQ(stored, c.goals);

    calcalintake& again = intake();
    EXPECT_EQ(again.Combo1.Text(), c.sex);
    EXPECT_EQ(again.HScroll1.Value(), c.age);
    EXPECT_EQ(again.HScroll2.Value(), c.lbs);
    EXPECT_EQ(again.HScroll3.Value(), c.activity);
    EXPECT_EQ(Goals(again), c.goals);
}

INSTANTIATE_TEST_SUITE_P(GoalWindows, ProfileWindow, ::testing::ValuesIn(kProfiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GoalWindowTest, ClosingWithoutOkayKeepsTheStoredValues) {
    calcalintake& w = FirstRun();
    w.Show();
    drive::ScrollTo(w.HScroll1, 40);
    drive::Click(w.Command1);
    calcalintake& second = intake();
    second.Show();
    drive::ScrollTo(second.HScroll1, 60);
    EXPECT_TRUE(drive::CloseForm(second));
    EXPECT_EQ(Ini(1), "40");
    EXPECT_EQ(intake().HScroll1.Value(), 40);
}

struct StoredValueCase {
    const char* name;
    int key;
    const char* value;
    int bar;             // 1..12: which bar to read, 0: none
    vb::Integer expect;  // its value after the load
};

// A hand-edited or damaged file never stops the window: unreadable values give the first-run
// figures, readable ones outside a range go to the nearer end.
const StoredValueCase kStoredValues[] = {
    {"AgeNotANumber", 1, "abc", 1, 18},
    {"AgeTooLargeForAnyBar", 1, "99999", 1, 18},
    {"AgeNegative", 1, "-5", 1, 18},
    {"AgeAboveRange", 1, "200", 1, 70},
    {"AgeWithBlanks", 1, " 40 ", 1, 40},
    {"WeightBelowRange", 2, "10", 2, 70},
    {"ActivityEmpty", 3, "", 3, 1},
    {"ActivityFraction", 3, "4.5", 3, 4},
    {"CholesterolGarbage", 7, "lots", 7, 50},
    {"ManualCaloriesExponent", 12, "1e9", 4, 800},
    {"WeightAboveRange", 16, "500", 5, 300},
    {"DifferenceNotANumber", 17, "-", 11, 0},
};

class StoredValueWindow : public GoalWindowTest, public ::testing::WithParamInterface<StoredValueCase> {};

TEST_P(StoredValueWindow, LoadsWithoutFailing) {
    const StoredValueCase& c = GetParam();
    SetIni(c.key, c.value);
    calcalintake* w = nullptr;
    ASSERT_NO_THROW(w = &intake());
    forms::HScrollBar* bars[13] = {nullptr,      &w->HScroll1, &w->HScroll2, &w->HScroll3, &w->HScroll4,
                                   &w->HScroll5, &w->HScroll6, &w->HScroll7, &w->HScroll8, &w->HScroll9,
                                   &w->HScroll10, &w->HScroll11, &w->HScroll12};
    EXPECT_EQ(bars[c.bar]->Value(), c.expect);
    EXPECT_EQ(w->Combo1.Text(), "Male");
}

INSTANTIATE_TEST_SUITE_P(GoalWindows, StoredValueWindow, ::testing::ValuesIn(kStoredValues),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GoalWindowTest, StoredSexSelectsItsOwnEntry) {
    const struct {
        const char* stored;
        const char* shown;
    } rows[] = {{"Male", "Male"},          {"Female", "Female"},     {"Female(Pregnant)", "Female(Pregnant)"},
                {"female", "Female"},      {"Alien", "Male"},        {"", "Male"},
                {"1", "Male"}};
    for (const auto& r : rows) {
        SetIni(4, r.stored);
        calcalintake& w = intake();
        EXPECT_EQ(w.Combo1.Text(), r.shown) << r.stored;
        forms::Unload(w);
    }
}

TEST_F(GoalWindowTest, OddFlagsFallBackToAutomaticModeAndNoDirection) {
    SetIni(11, "yes");
    SetIni(19, "maybe");
    SetIni(20, "");
    calcalintake& w = intake();
    EXPECT_EQ(w.Check1.Value(), 0);
    EXPECT_TRUE(w.HScroll1.Enabled());
    EXPECT_FALSE(w.Option1[0].Value());
    EXPECT_FALSE(w.Option1[1].Value());
}

TEST_F(GoalWindowTest, ManualModeStartsFromTheRecommendationAndUnticksBackToIt) {
    calcalintake& w = FirstRun();
    w.Show();
    drive::ScrollTo(w.HScroll1, 35);
    drive::ScrollTo(w.HScroll2, 180);
    drive::ScrollTo(w.HScroll3, 5);
    drive::Click(w.Check1);
    EXPECT_EQ(w.Check1.Value(), 1);
    EXPECT_EQ(w.HScroll4.Value(), 2938);
    EXPECT_EQ(w.HScroll6.Value(), 98);
    EXPECT_EQ(w.HScroll9.Value(), 367);
    EXPECT_EQ(w.HScroll10.Value(), 64);
    EXPECT_EQ(Goals(w), (std::vector<std::string>{"2938", "98", "300", "30", "367", "64"}));
    EXPECT_TRUE(w.HScroll4.Visible());
    EXPECT_TRUE(w.HScroll8.Visible());
    EXPECT_FALSE(w.HScroll1.Enabled());
    EXPECT_FALSE(w.HScroll2.Enabled());
    EXPECT_FALSE(w.HScroll3.Enabled());
    EXPECT_FALSE(w.Combo1.Enabled());

    drive::ScrollTo(w.HScroll4, 2000);
    drive::ScrollTo(w.HScroll7, 450);
    drive::ScrollTo(w.HScroll8, 45);
    EXPECT_EQ(Goals(w), (std::vector<std::string>{"2000", "98", "450", "45", "367", "64"}));
    EXPECT_EQ(w.Label25.Caption(), "2000");

    // In manual mode the ideal weight moves only its own label.
    w.HScroll2.Value(200);
    EXPECT_EQ(w.Label3.Caption(), "200");
    EXPECT_EQ(w.Label12.Caption(), "81");
    EXPECT_EQ(w.Label5[0].Caption(), "2000");

    drive::Click(w.Check1);
    EXPECT_EQ(Goals(w), (std::vector<std::string>{"3265", "109", "300", "30", "408", "71"}));
    EXPECT_EQ(w.Label12.Caption(), "90");
    EXPECT_FALSE(w.HScroll4.Visible());
    EXPECT_TRUE(w.HScroll1.Enabled());
    EXPECT_TRUE(w.Combo1.Enabled());
}

TEST_F(GoalWindowTest, StoredManualModeReopensWithTheManualGoals) {
    calcalintake& w = FirstRun();
    w.Show();
    drive::Click(w.Check1);
    drive::ScrollTo(w.HScroll4, 2500);
    drive::ScrollTo(w.HScroll6, 90);
    drive::ScrollTo(w.HScroll7, 250);
    drive::ScrollTo(w.HScroll8, 40);
    drive::ScrollTo(w.HScroll9, 300);
    drive::ScrollTo(w.HScroll10, 70);
    drive::Click(w.Command1);
    EXPECT_EQ(Ini(11), "1");
    EXPECT_EQ(Ini(5), "2500");
    EXPECT_EQ(Ini(12), "2500");

    calcalintake& again = intake();
    EXPECT_EQ(again.Check1.Value(), 1);
    EXPECT_EQ(Goals(again), (std::vector<std::string>{"2500", "90", "250", "40", "300", "70"}));
    EXPECT_TRUE(again.HScroll4.Visible());
    EXPECT_TRUE(again.HScroll10.Visible());
    EXPECT_FALSE(again.HScroll1.Enabled());
    EXPECT_FALSE(again.HScroll2.Enabled());
    EXPECT_FALSE(again.HScroll3.Enabled());
    EXPECT_FALSE(again.Combo1.Enabled());
}

}  // namespace
}  // namespace goalstest
