// The healthy-weight window, the metric converter and the questions-and-answers window.
#include "goals_fixture.h"

#include <functional>

namespace goalstest {
namespace {

TEST_F(GoalWindowTest, HealthyWeightOpensAtTheShortestHeightForMen) {
    calories::weight& w = weight();
    EXPECT_EQ(w.Caption(), "Healthy Weight");
    EXPECT_EQ(w.HScroll1.Value(), 57);
    EXPECT_EQ(w.HScroll1.Min(), 57);
    EXPECT_EQ(w.HScroll1.Max(), 84);
    EXPECT_EQ(w.HScroll1.LargeChange(), 1);
    EXPECT_TRUE(w.Option1[0].Value());
    EXPECT_TRUE(w.Option2[0].Value());
    EXPECT_EQ(w.Label2.Caption(), " 4' 9  or  144 cm");
    EXPECT_EQ(w.Label8.Caption(), "90 to 112 lb or 40 to 50 kg");
}

struct HeightCase {
    const char* name;
    int inches;
    int sex;  // 0 male, 1 female
    int age;  // 0 19-34, 1 over 34
    const char* height;
    const char* range;
};

const HeightCase kHeights[] = {
    {"TallestWoman", 84, 1, 0, "7' 0  or  213 cm", "186 to 230 lb or 84 to 104 kg"},
    {"TallestManOver34", 84, 0, 1, "7' 0  or  213 cm", "195 to 243 lb or 88 to 110 kg"},
    {"FiveTenMan", 70, 0, 0, "5' 10  or  177 cm", "140 to 175 lb or 63 to 79 kg"},
    {"FiveTenWoman", 70, 1, 1, "5' 10  or  177 cm", "134 to 166 lb or 60 to 75 kg"},
    {"FiveFootWoman", 60, 1, 0, "5' 0  or  152 cm", "97 to 120 lb or 43 to 54 kg"},
    {"ShortestWoman", 57, 1, 1, " 4' 9  or  144 cm", "86 to 106 lb or 39 to 48 kg"},
};

class HeightWindow : public GoalWindowTest, public ::testing::WithParamInterface<HeightCase> {};

// The same texts whichever order the user sets height, sex and age in.
TEST_P(HeightWindow, ShowsTheRangeOfTheTable) {
    const HeightCase& c = GetParam();
    {
        calories::weight& w = weight();
        drive::ScrollTo(w.HScroll1, static_cast<vb::Integer>(c.inches));
        drive::Click(w.Option1[c.sex]);
        drive::Click(w.Option2[c.age]);
        EXPECT_EQ(w.Label2.Caption(), c.height);
        EXPECT_EQ(w.Label8.Caption(), c.range);
        drive::Click(w.Command1);
        EXPECT_FALSE(weight.IsLoaded());
    }
    calories::weight& w = weight();
    drive::Click(w.Option2[c.age]);
    drive::Click(w.Option1[c.sex]);
    drive::ScrollTo(w.HScroll1, static_cast<vb::Integer>(c.inches));
    EXPECT_EQ(w.Label2.Caption(), c.height);
    EXPECT_EQ(w.Label8.Caption(), c.range);
}

INSTANTIATE_TEST_SUITE_P(GoalWindows, HeightWindow, ::testing::ValuesIn(kHeights),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GoalWindowTest, HealthyWeightAgeGroupChangesNothing) {
    calories::weight& w = weight();
    drive::ScrollTo(w.HScroll1, 70);
    drive::Click(w.Option2[1]);
    EXPECT_EQ(w.Label8.Caption(), "140 to 175 lb or 63 to 79 kg");
    drive::Click(w.Option2[0]);
    EXPECT_EQ(w.Label8.Caption(), "140 to 175 lb or 63 to 79 kg");
    EXPECT_EQ(w.Label2.Caption(), "5' 10  or  177 cm");
}

// --- Metric converter ---

using calories::Metric;
using Pick = std::function<forms::OptionButton&(Metric&)>;

struct ConversionCase {
    const char* name;
    Pick from;
    Pick to;
    const char* amount;
    const char* answer;
};

Pick Unit(forms::OptionButton Metric::*member) {
    return [member](Metric& m) -> forms::OptionButton& { return m.*member; };
}
Pick Unit(forms::ControlArray<forms::OptionButton> Metric::*member, int index) {
    return [member, index](Metric& m) -> forms::OptionButton& { return (m.*member)[index]; };
}

const ConversionCase kConversions[] = {
    {"PoundToKilograms", Unit(&Metric::Option3), Unit(&Metric::Option4, 0), "1", ".45"},
    {"PoundToGrams", Unit(&Metric::Option3), Unit(&Metric::Option4, 1), "1", "454."},
    {"OuncesToGrams", Unit(&Metric::Option5), Unit(&Metric::Option4, 1), "2", "56.8"},
    {"FluidOunceToMillilitres", Unit(&Metric::Option1, 0), Unit(&Metric::Option2, 1), "1", "28.4"},
    {"CupsToMillilitres", Unit(&Metric::Option1, 1), Unit(&Metric::Option2, 1), "2", "500"},
    {"TablespoonsToMillilitres", Unit(&Metric::Option1, 2), Unit(&Metric::Option2, 1), "2", "30.0"},
    {"TeaspoonToLitres", Unit(&Metric::Option1, 3), Unit(&Metric::Option2, 2), "1", ".005"},
};

class ConversionWindow : public GoalWindowTest, public ::testing::WithParamInterface<ConversionCase> {};

TEST_P(ConversionWindow, CalculateWritesTheAnswer) {
    const ConversionCase& c = GetParam();
    Metric& m = metric();
    drive::TypeText(m.Text1, c.amount);
    drive::Click(c.from(m));
    drive::Click(c.to(m));
    drive::Click(m.Command1);
    EXPECT_EQ(m.Text2.Text(), c.answer);
}

INSTANTIATE_TEST_SUITE_P(GoalWindows, ConversionWindow, ::testing::ValuesIn(kConversions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GoalWindowTest, MetricUnitsOfOneKindOnly) {
    Metric& m = metric();
    EXPECT_EQ(m.Caption(), "Metric Conversion");
    drive::Click(m.Option3);
    drive::Click(m.Option4[1]);
    drive::Click(m.Option1[1]);
    EXPECT_TRUE(m.Option1[1].Value());
    EXPECT_FALSE(m.Option3.Value());
    EXPECT_FALSE(m.Option4[1].Value());

    drive::Click(m.Option2[2]);
    drive::Click(m.Option5);
    EXPECT_TRUE(m.Option5.Value());
    EXPECT_FALSE(m.Option1[1].Value());
    EXPECT_FALSE(m.Option2[2].Value());

    drive::Click(m.Option2[1]);
    EXPECT_FALSE(m.Option5.Value());
    EXPECT_TRUE(m.Option2[1].Value());
}

TEST_F(GoalWindowTest, MetricLeavesTheAnswerWithoutAmountOrPair) {
    Metric& m = metric();
    drive::Click(m.Option1[1]);
    drive::Click(m.Option2[1]);
    drive::TypeText(m.Text1, "2");
    drive::Click(m.Command1);
    ASSERT_EQ(m.Text2.Text(), "500");

    drive::TypeText(m.Text1, "");
    drive::Click(m.Command1);
    EXPECT_EQ(m.Text2.Text(), "500");

    drive::TypeText(m.Text1, "3");
    drive::Click(m.Option3);  // a start unit without a matching unit to get
    drive::Click(m.Command1);
    EXPECT_EQ(m.Text2.Text(), "500");
}

TEST_F(GoalWindowTest, MetricNonNumericAmountClearsTheAnswer) {
    Metric& m = metric();
    drive::Click(m.Option3);
    drive::Click(m.Option4[1]);
    drive::TypeText(m.Text1, "abc");
    drive::Click(m.Command1);
    EXPECT_EQ(m.Text2.Text(), "");

    drive::TypeText(m.Text1, "1");
    drive::Click(m.Command1);
    ASSERT_EQ(m.Text2.Text(), "454.");
    drive::TypeText(m.Text1, "one");
    drive::Click(m.Command1);
    EXPECT_EQ(m.Text2.Text(), "");
}

TEST_F(GoalWindowTest, MetricClearEmptiesEverything) {
    Metric& m = metric();
    drive::Click(m.Option1[0]);
    drive::Click(m.Option2[1]);
    drive::TypeText(m.Text1, "1");
    drive::Click(m.Command1);
    drive::Click(m.Command3);
    EXPECT_EQ(m.Text1.Text(), "");
    EXPECT_EQ(m.Text2.Text(), "");
    for (auto& o : m.Option1) EXPECT_FALSE(o.Value());
    for (auto& o : m.Option2) EXPECT_FALSE(o.Value());
    for (auto& o : m.Option4) EXPECT_FALSE(o.Value());
    EXPECT_FALSE(m.Option3.Value());
    EXPECT_FALSE(m.Option5.Value());
    drive::Click(m.Command2);
    EXPECT_FALSE(metric.IsLoaded());
}

// --- Questions and answers ---

TEST_F(GoalWindowTest, FaqHoldsNineNumberedQuestions) {
    calories::qform& q = faq();
    EXPECT_EQ(q.Caption(), "FAQ");
    EXPECT_TRUE(q.Text1.MultiLine());
    EXPECT_EQ(q.Text1.ScrollBars(), forms::vbVertical);
    const std::string& text = q.Text1.Text();
    std::size_t at = 0;
    for (int n = 1; n <= 9; ++n) {
        const std::string number = (n == 1 ? "" : "\r\n\r\n") + std::to_string(n) + ". ";
        const std::size_t found = text.find(number, at);
        ASSERT_NE(found, std::string::npos) << n;
        // Question, blank line, answer.
        const std::size_t questionEnd = text.find("\r\n\r\n", found + number.size());
        ASSERT_NE(questionEnd, std::string::npos) << n;
        EXPECT_NE(text.substr(questionEnd + 4, 2), "\r\n") << n;
        at = questionEnd;
    }
    EXPECT_EQ(text.find("10. "), std::string::npos);
    EXPECT_NE(text.find("365"), std::string::npos);
    drive::Click(q.Command1);
    EXPECT_FALSE(faq.IsLoaded());
}

TEST_F(GoalWindowTest, FaqEditsAreNotKept) {
    calories::qform& q = faq();
    const std::string original = q.Text1.Text();
    drive::TypeText(q.Text1, "scribbled");
    drive::Click(q.Command1);
    EXPECT_EQ(faq().Text1.Text(), original);
}

}  // namespace
}  // namespace goalstest
