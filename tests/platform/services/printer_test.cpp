// The printer's layout: Tab columns, print zones, numbers, wrapping to the next line and page.
#include <gtest/gtest.h>

#include "platform/services/host.h"
#include "platform/testing/printed.h"
#include "platform/testing/test_host.h"

namespace {

using forms::Comma;
using forms::Semi;
using forms::Spc;
using forms::Tab;

class Printing : public ::testing::Test {
protected:
    void SetUp() override {
        p.FontSize(8);
        p.FontName("arial");
        p.FontSize(10);
    }
    double Avg() const { return host.Metrics().AverageCharWidth(p.Font()); }
    double Width(const std::string& s) const { return host.Metrics().TextWidth(p.Font(), s); }
    double LineH() const { return host.Metrics().LineHeight(p.Font()); }
    std::vector<drive::TextRun> Runs() {
        return drive::Runs(p.PendingPages().at(0), host.Metrics());
    }
    ::drive::TestHost host;
    services::Printer& p = services::printer();
};

TEST_F(Printing, TabColumnsCountAverageWidthsFromTheMargin) {
    p.Print({"Food Name", Tab(45), "Serv", Tab(55), "Cal"});
    auto runs = Runs();
    ASSERT_EQ(runs.size(), 3u);
    const struct {
        const char* name;
        double x;
    } cases[] = {
        {"column 0 is the margin", 0},
        {"column 45", 44 * Avg()},
        {"column 55", 54 * Avg()},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_NEAR(runs[i].x, cases[i].x, 1e-6);
        EXPECT_EQ(runs[i].y, 0);
    }
    EXPECT_EQ(drive::Column(runs[1], host.Metrics()), 45);
    EXPECT_NEAR(p.CurrentY(), LineH(), 1e-4);
    EXPECT_EQ(p.CurrentX(), 0);
}

TEST_F(Printing, ColumnsZeroAndOneAreBothTheMargin) {
    p.Print({Tab(1), "a"});
    p.Print({Tab(0), "b"});
    auto runs = Runs();
    EXPECT_EQ(runs[0].x, 0);
    EXPECT_EQ(runs[1].x, 0);
}

TEST_F(Printing, AColumnAlreadyPassedGoesToTheNextLine) {
    std::string name(40, 'W');  // wider than 44 average characters in a proportional font
    ASSERT_GT(Width(name), 44 * Avg());
    p.Print({name, Tab(45), "(1)  ", Tab(55), 120});
    auto runs = Runs();
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].y, 0);
    EXPECT_NEAR(runs[1].y, LineH(), 1e-6);  // the servings text moved down ...
    EXPECT_NEAR(runs[1].x, 44 * Avg(), 1e-6);  // ... to its column
    EXPECT_NEAR(runs[2].y, LineH(), 1e-6);  // and the values follow on that line
    EXPECT_NEAR(p.CurrentY(), 2 * LineH(), 1e-4);
}

TEST_F(Printing, NumbersHaveASignBlankAndATrailingBlank) {
    const struct {
        const char* name;
        forms::PrintItem item;
        const char* text;
    } cases[] = {
        {"positive whole", 120, " 120 "},
        {"zero", 0, " 0 "},
        {"negative", -5, "-5 "},
        {"single", 2.5f, " 2.5 "},
        {"double", 0.25, " .25 "},
        {"an unsigned count", std::size_t{3}, " 3 "},
        {"a truth value", true, "True"},
        {"a text prints as it is", "120", "120"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.item.text, c.text);
    }
    p.Print({Tab(55), 480, "c"});
    auto runs = Runs();
    EXPECT_EQ(runs[0].text, " 480 ");
    EXPECT_NEAR(runs[1].x, runs[0].x + Width(" 480 "), 1e-6);  // the unit follows the blank directly
    EXPECT_EQ(drive::Lines(p.PendingPages()[0], host.Metrics()), std::vector<std::string>{" 480 c"});
}

TEST_F(Printing, SeparatorsAndZones) {
    p.Print({"a", Semi});
    p.Print({"b"});
    p.Print({"x", Comma, "y"});
    p.Print({Comma, "z"});
    p.Print({"s", Spc(3), "t"});
    auto runs = Runs();
    ASSERT_EQ(runs.size(), 7u);
    EXPECT_EQ(runs[1].x, Width("a"));  // Semi keeps the line
    EXPECT_EQ(runs[1].y, 0);
    EXPECT_NEAR(runs[3].x, 14 * Avg(), 1e-6);  // the next zone
    EXPECT_NEAR(runs[4].x, 14 * Avg(), 1e-6);  // a comma at the margin moves to the second zone
    EXPECT_NEAR(runs[6].x, Width("s") + 3 * Width(" "), 1e-6);
}

TEST_F(Printing, LineBreaksInsideATextStartNewLines) {
    p.Print({"List of Ingredients:\r\n"});
    p.Print({"next"});
    auto runs = Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_NEAR(runs[1].y, 2 * LineH(), 1e-6);  // the heading, an empty line, then the next line
}

TEST_F(Printing, ScaleOriginShiftsThePageButNotThePen) {
    p.ScaleLeft(-100);
    p.ScaleTop(-200);
    p.CurrentX(50);
    p.CurrentY(10);
    p.ScaleLeft(p.ScaleLeft() - p.CurrentX());  // the word wrap's trick: all lines start here
    EXPECT_EQ(p.CurrentX(), 0);
    p.Print({"first"});
    p.Print({"second"});
    p.Line(0, 0, 10, 0);
    auto runs = Runs();
    EXPECT_EQ(runs[0].x, 150);
    EXPECT_EQ(runs[0].y, 210);
    EXPECT_EQ(runs[1].x, 150);
    const auto& line = p.PendingPages()[0].ops.back();
    EXPECT_EQ(line.x1, 150);
    EXPECT_EQ(line.y1, 200);
}

TEST_F(Printing, ALineBelowThePrintableAreaStartsANewPage) {
    services::PageSetup small;
    small.printableHeight = 5 * LineH() + 1;
    host.SetPage(small);
    for (int i = 0; i < 7; ++i) p.Print({"line " + std::to_string(i)});
    ASSERT_EQ(p.PendingPages().size(), 2u);
    EXPECT_EQ(p.PendingPages()[1].ops[0].text, "line 5");
    EXPECT_EQ(p.PendingPages()[1].ops[0].y1, 0);
    EXPECT_EQ(p.Page(), 2);
}

TEST_F(Printing, EndDocHandsThePagesOverAndStartsAfresh) {
    p.Print({"one"});
    p.NewPage();
    p.Print({"two"});
    p.NewPage();  // no output follows: no blank page
    p.PrintQuality(-4);
    p.EndDoc();
    ASSERT_EQ(host.PrintedDocuments().size(), 1u);
    EXPECT_EQ(host.PrintedDocuments()[0].pages.size(), 2u);
    EXPECT_EQ(host.PrintedDocuments()[0].printQuality, -4);
    EXPECT_TRUE(p.PendingPages().empty());
    EXPECT_EQ(p.Page(), 1);
    p.EndDoc();  // nothing drawn: nothing sent
    EXPECT_EQ(host.PrintedDocuments().size(), 1u);
    p.Print({"dropped"});
    p.KillDoc();
    p.EndDoc();
    EXPECT_EQ(host.PrintedDocuments().size(), 1u);
}

TEST_F(Printing, AFailingPrinterReportsAndLeavesNothingPending) {
    host.FailPrinting(vb::Error(482, "Printer error"));
    p.Print({"x"});
    EXPECT_THROW(p.EndDoc(), vb::Error);
    EXPECT_TRUE(p.PendingPages().empty());
}

TEST_F(Printing, TextWidthAndPageSize) {
    EXPECT_FLOAT_EQ(p.TextWidth("abc"), static_cast<float>(Width("abc")));
    EXPECT_EQ(p.Width(), 12240);
    EXPECT_EQ(p.Height(), 15840);
    p.FontBold(true);
    EXPECT_GT(p.TextWidth("abc"), static_cast<float>(Width("abc")) - 1);
}

}  // namespace
