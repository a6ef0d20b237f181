// The printed recipe on the test backend's printer: the double box, the panel's labels and rules
// where the screen has them, the fonts, the page mapping, the left column; long recipes that go
// on to another page, directions with line ends and over-long words, and a print that fails.
#include <algorithm>
#include <optional>

#include "platform/testing/printed.h"
#include "viewer_steps.h"

namespace {

using recipetest::Egg;
using recipetest::Flour;
using recipetest::FractionLine;
using recipetest::HeadingBytes;
using recipetest::kPancakes;
using recipetest::RecordBytes;
using Strings = std::vector<std::string>;
using Op = forms::DrawOp;

constexpr double kPanelLeft = 7875, kPanelTop = 240, kPanelRight = 7875 + 2535, kPanelBottom = 240 + 5790;

class Printout : public recipetest::Viewer {
protected:
    void SetUp() override {
        SetOption("Show Tips at Startup", "0");
        WriteIngredients({Flour(), Egg()});
    }
    void Show(const std::string& records, const std::string& name) {
        WriteRecipes(records + "\r\n");
        Open();
        OpenViewer();
        Choose(name);
        ASSERT_TRUE(view().RecipeShown());
    }
    // Where a point of the view lands on the page: the view centred and 600 twips to the left,
    // a quarter of the spare height above it.
    double X(double x) { return x - (600 - (12240 - static_cast<double>(view().Width())) / 2); }
    double Y(double y) { return y + (15840 - static_cast<double>(view().Height())) / 4; }

    std::vector<drive::TextRun> Runs(int page = 0) {
        return drive::Runs(host.PrintedDocuments().at(0).pages.at(static_cast<std::size_t>(page)), host.Metrics());
    }
    // The left column's texts of a page, in printing order.
    Strings LeftColumn(int page = 0) {
        Strings out;
        for (const auto& r : Runs(page))
            if (r.x < X(kPanelLeft)) out.push_back(r.text);
        return out;
    }
    std::optional<drive::TextRun> RunOf(const std::string& text, int page = 0) {
        for (const auto& r : Runs(page))
            if (r.text == text) return r;
        return std::nullopt;
    }
};

TEST_F(Printout, ThePanelLabelByLabelInADoubleBox) {
    Show(kPancakes, "Pancakes");
    ViewTool("Print");
    ASSERT_EQ(host.PrintedDocuments().size(), 1u);
    const services::PrintedDocument& doc = host.PrintedDocuments()[0];
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(doc.printQuality, -4);
    const std::vector<Op>& ops = doc.pages[0].ops;

    // The box twice: with the pen as it was, then three pixels wide.
    ASSERT_GE(ops.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(ops[i].kind, Op::Kind::Box);
        EXPECT_NEAR(ops[i].x1, X(kPanelLeft), 0.5);
        EXPECT_NEAR(ops[i].y1, Y(kPanelTop), 0.5);
        EXPECT_NEAR(ops[i].x2, X(kPanelRight), 0.5);
        EXPECT_NEAR(ops[i].y2, Y(kPanelBottom), 0.5);
    }
    EXPECT_EQ(ops[0].width, 1);
    EXPECT_EQ(ops[1].width, 3);

    // The title, underlined, halfway between the page's top and the box.
    const std::vector<drive::TextRun> runs = Runs();
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs[0].text, "Pancakes");
    EXPECT_NEAR(runs[0].x, X(660), 0.5);
    EXPECT_NEAR(runs[0].y, Y(kPanelTop) / 2, 0.5);
    EXPECT_EQ(runs[0].font, (forms::Font{"Arial", 16.25f, false, false, true}));

    const struct {
        const char* text;
        double left, top;
        forms::Font font;
    } items[] = {
        {" Nutrition Facts", 15, 525, {"Arial", 14.25f, true}},
        {" Per Serving", 15, 840, {"Arial", 9}},
        {"makes 2 servings", 210, 1050, {"Arial", 9}},
        {" Amount Per Serving", 15, 1395, {"Arial", 6.75f, true}},
        {" Calories", 15, 1620, {"Arial", 8.25f, true}},
        {"395", 1890, 1620, {"Arial", 9}},
        {"Calories from Fat", 105, 1920, {"Arial", 9}},
        {"52", 1890, 1920, {"Arial", 9}},
        {"% Daily Value *", 1470, 2220, {"Arial", 6.75f}},
        {" Total Fat", 15, 2490, {"Arial", 9, true}},
        {"5.8g", 860, 2490, {"Arial", 9}},
        {"9%", 1890, 2520, {"Arial", 9}},
        {" Cholesterol", 15, 3240, {"Arial", 9, true}},
        {"186mg", 1095, 3240, {"Arial", 9}},
        {"62%", 1890, 3240, {"Arial", 9}},
        {" Sodium", 15, 3600, {"Arial", 9, true}},
        {"72mg", 750, 3600, {"Arial", 9}},
        {"3%", 1890, 3600, {"Arial", 9}},
        {" Total ", 15, 3900, {"Arial", 9, true}},
        {"69.6g", 1260, 4110, {"Arial", 9}},
        {"23%", 1890, 4110, {"Arial", 9}},
        {" Protein", 15, 4800, {"Arial", 9, true}},
        {"16.1g", 735, 4800, {"Arial", 9}},
        // lblPP is blank and prints nothing.
        {"*Percent Daily Values based", 120, 5100, {"Arial", 9}},
        {" Carbohydrate", 15, 4110, {"Arial", 9, true}},
        {"on a 2,000 calorie diet.  Your", 105, 5310, {"Arial", 9}},
        {"daily values may differ.", 120, 5520, {"Arial", 9}},
        // Label16 is blank.
        {"Dietary Fiber", 120, 4440, {"Arial", 9}},
        {"Saturated Fat", 120, 2850, {"Arial", 9}},
        {"1.8g", 1275, 2850, {"Arial", 9}},
        {"9%", 1890, 2850, {"Arial", 9}},
        {"2.2g", 1200, 4440, {"Arial", 9}},
        {"9%", 1890, 4440, {"Arial", 9}},
    };
    ASSERT_GE(runs.size(), 1 + std::size(items));
    for (std::size_t i = 0; i < std::size(items); ++i) {
        SCOPED_TRACE(items[i].text);
        const drive::TextRun& r = runs[1 + i];
        EXPECT_EQ(r.text, items[i].text);
        EXPECT_NEAR(r.x, X(kPanelLeft + items[i].left), 0.5);
        EXPECT_NEAR(r.y, Y(kPanelTop + items[i].top), 0.5);
        EXPECT_EQ(r.font, items[i].font);
    }

    // The rules, each to the panel's right edge.
    const struct {
        double left, top;
        int width;
    } rules[] = {{0, 1365, 4}, {0, 1575, 1}, {0, 1860, 1}, {0, 2160, 3}, {0, 2430, 1}, {0, 3150, 1},
                 {0, 3510, 1}, {0, 3855, 1}, {0, 4710, 1}, {0, 5100, 4}, {120, 4380, 1}, {120, 2790, 1}};
    std::vector<Op> lines;
    for (const Op& op : ops)
        if (op.kind == Op::Kind::Line) lines.push_back(op);
    ASSERT_EQ(lines.size(), std::size(rules));
    for (std::size_t i = 0; i < std::size(rules); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(lines[i].x1, X(kPanelLeft + rules[i].left), 0.5);
        EXPECT_NEAR(lines[i].y1, Y(kPanelTop + rules[i].top), 0.5);
        EXPECT_NEAR(lines[i].x2, X(kPanelRight), 0.5);
        EXPECT_NEAR(lines[i].y2, Y(kPanelTop + rules[i].top), 0.5);
        EXPECT_EQ(lines[i].width, rules[i].width);
    }

    // Under the panel the shares, in the font of the last panel label.
    const struct {
        const char* text;
        double top;
        bool bold;
    } shares[] = {
        {"Additional Information:", 6195, true},
        {"13.2% of calories from Fat", 6510, false},
        {"70.5% from Carbohydrates", 6825, false},
        {"16.3% from Protein", 7140, false},
    };
    for (const auto& s : shares) {
        SCOPED_TRACE(s.text);
        const auto r = RunOf(s.text);
        ASSERT_TRUE(r);
        EXPECT_NEAR(r->x, X(kPanelLeft), 0.5);
        EXPECT_NEAR(r->y, Y(s.top), 0.5);
        EXPECT_EQ(r->font, (forms::Font{"Arial", 10, s.bold, false, s.bold}));
    }

    // The left column: the ingredients from the panel's top, a heading in bold, the directions.
    EXPECT_EQ(LeftColumn(), (Strings{"Pancakes", "List of Ingredients:", "Batter", "1 1/2 cup   Flour", "2  egg",
                                     "Instructions for preparation", "Mix well."}));
    const auto heading = RunOf("List of Ingredients:");
    ASSERT_TRUE(heading);
    EXPECT_NEAR(heading->x, X(660), 0.5);
    EXPECT_NEAR(heading->y, Y(kPanelTop), 0.5);
    EXPECT_EQ(heading->font, (forms::Font{"Arial", 11, true, false, true}));
    EXPECT_EQ(RunOf("Batter")->font, (forms::Font{"Arial", 10, true}));
    EXPECT_EQ(RunOf("2  egg")->font, (forms::Font{"Arial", 10}));
    EXPECT_NEAR(RunOf("2  egg")->x, X(660), 0.5);
    EXPECT_EQ(RunOf("Instructions for preparation")->font, (forms::Font{"Arial", 11, true, false, true}));
    EXPECT_EQ(RunOf("Mix well.")->font, (forms::Font{"Arial", 10}));
    EXPECT_NEAR(RunOf("Mix well.")->x, X(660), 0.5);

    // The screen is as it was.
    EXPECT_EQ(view().Label4.Left(), 0);
    EXPECT_EQ(view().Label6.FontName(), "Small Fonts");
    EXPECT_EQ(view().MousePointer(), forms::vbDefault);
    EXPECT_TRUE(host.MsgBoxes().empty());
}

TEST_F(Printout, NoCaloriesNoShares) {
    Show(RecordBytes("Plain", "1", HeadingBytes("Nothing yet"), "Wait."), "Plain");
    ViewTool("Print");
    ASSERT_EQ(host.PrintedDocuments().size(), 1u);
    EXPECT_FALSE(RunOf("Additional Information:"));
    EXPECT_EQ(LeftColumn(), (Strings{"Plain", "List of Ingredients:", "Nothing yet", "Instructions for preparation",
                                     "Wait."}));
}

TEST_F(Printout, DirectionsWrapAtTheBoxKeepTheirLineEndsAndBreakOverLongWords) {
    const std::string longWord(120, 'W');
    const std::string directions =
        "Whisk the eggs with the flour and a pinch of salt until the batter is smooth and free of lumps, "
        "then let it rest for half an hour.\r\n\r\nHeat the pan.\r\n" + longWord + " done";
    Show(RecordBytes("Crepes", "1", FractionLine("Egg", "1", "egg"), directions), "Crepes");
    ViewTool("Print");
    Strings column = LeftColumn();
    const auto start = std::find(column.begin(), column.end(), "Instructions for preparation");
    ASSERT_NE(start, column.end());
    const Strings printed(start + 1, column.end());

    // No printed line is as wide as the box; the words come out whole and in order, the word
    // wider than the box in pieces; each line end of the text starts a new line.
    double top = -1;
    for (const auto& r : Runs()) {
        if (r.x >= X(kPanelLeft) || r.y <= top) continue;
        EXPECT_LT(r.width, 6390) << r.text;
        EXPECT_NEAR(r.x, X(660), 0.5) << r.text;
    }
    ASSERT_GE(printed.size(), 6u);
    std::string words;
    for (const auto& line : printed) words += line + "|";
    EXPECT_EQ(words.find("Whisk the eggs"), 0u);
    EXPECT_NE(words.find("half an hour.|Heat the pan.|"), std::string::npos) << words;
    std::string joined;
    for (auto it = std::find(printed.begin(), printed.end(), "Heat the pan.") + 1; it != printed.end(); ++it)
        joined += *it;
    EXPECT_EQ(joined, longWord + " done") << words;
    // The empty line between the paragraphs is kept: two line heights from one to the next.
    const auto heat = RunOf("Heat the pan.");
    ASSERT_TRUE(heat);
    const auto runs = Runs();
    const auto before = std::find_if(runs.begin(), runs.end(), [](const auto& r) { return r.text.ends_with("half an hour."); });
    ASSERT_NE(before, runs.end());
    EXPECT_NEAR(heat->y - before->y, 2 * host.Metrics().LineHeight({"Arial", 10}), 1);
}

TEST_F(Printout, ALongRecipeGoesOnToAnotherPageAndLongLinesStayLeftOfThePanel) {
    std::string lines;
    for (int i = 0; i < 90; ++i) lines += FractionLine("Egg", std::to_string(i + 1), "egg");
    const std::string longName(60, 'M');
    WriteIngredients({Flour(), Egg(), recipetest::Ing(longName)});
    lines += FractionLine(longName, "1 1/2", "cup");
    Show(RecordBytes("Feast", "10", lines, "Cook in batches."), "Feast");
    ViewTool("Print");
    const services::PrintedDocument& doc = host.PrintedDocuments().at(0);
    ASSERT_GE(doc.pages.size(), 2u);
    const double bottom = services::PageSetup{}.printableHeight;
    for (std::size_t p = 0; p < doc.pages.size(); ++p) {
        for (const auto& r : drive::Runs(doc.pages[p], host.Metrics())) {
            EXPECT_LE(r.y + host.Metrics().LineHeight(r.font), bottom + 0.5) << p << " " << r.text;
            EXPECT_GE(r.y, 0) << r.text;
            // Nothing of the left column reaches into the panel.
            if (r.x < X(kPanelLeft)) {
                EXPECT_LT(r.x + r.width, X(kPanelLeft)) << r.text;
            }
        }
    }
    // Every line was printed once, in order, across the pages.
    Strings all;
    for (int p = 0; p < static_cast<int>(doc.pages.size()); ++p)
        for (const auto& t : LeftColumn(p)) all.push_back(t);
    EXPECT_EQ(all.back(), "Cook in batches.");
    EXPECT_NE(std::find(all.begin(), all.end(), "90  egg"), all.end());
    EXPECT_EQ(std::count(all.begin(), all.end(), "1  egg"), 1);
}

TEST_F(Printout, ASecondPrintWhileOneRunsIsRefused) {
    Show(kPancakes, "Pancakes");
    int asked = 0;
    host.OnDoEvents([&] {
        if (asked++ == 0) ViewTool("Print");
    });
    ViewTool("Print");
    EXPECT_GT(asked, 0);
    EXPECT_EQ(host.PrintedDocuments().size(), 1u);
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "A recipe is being printed. Please wait until it is done.");
    // Once it is done the next print goes.
    host.OnDoEvents(nullptr);
    ViewTool("Print");
    EXPECT_EQ(host.PrintedDocuments().size(), 2u);
}

TEST_F(Printout, APrintThatFailsIsReportedAndTheScreenRestored) {
    Show(kPancakes, "Pancakes");
    host.FailPrinting(vb::Error(482, "Printer error"));
    ViewTool("Print");
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "The recipe could not be printed.\r\n\r\nPrinter error");
    EXPECT_EQ(host.MsgBoxes()[0].title, "Print");
    EXPECT_EQ(view().Label4.Left(), 0);
    EXPECT_EQ(view().Label6.FontName(), "Small Fonts");
    EXPECT_EQ(view().MousePointer(), forms::vbDefault);
}

}  // namespace
