// The printed report of the current day, read back from the test printer's pages: one row per
// printed line, each piece of text with the Tab column it starts at.
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "calories/program.h"
#include "platform/testing/printed.h"

namespace {

using caltest::Program;
using caltest::Eaten;

std::string Pad(std::string s, std::size_t width) {
    s.resize(width, ' ');
    return s;
}

class DayReport : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        WriteFoods({caltest::Food("Sirloin", 200)});
        SetGoals();
    }

    // The pages as rows "[column]text[column]text"; a run that goes on where the last one ended
    // joins it. Empty lines stay as empty rows.
    std::vector<std::string> Rows(const services::PrintedPage& page) {
        const forms::FontMetrics& m = host.Metrics();
        std::map<long, std::string> rows;
        std::map<long, double> ends;
        long last = 0;
        for (const drive::TextRun& r : drive::Runs(page, m)) {
            const long row = std::lround(r.y / m.LineHeight(r.font));
            auto end = ends.find(row);
            if (end != ends.end() && std::abs(end->second - r.x) < 0.5) {
                rows[row] += r.text;
            } else {
                const int column = drive::Column(r, m);  // the margin is column 0 as well as 1
                rows[row] += "[" + std::to_string(column == 1 ? 0 : column) + "]" + r.text;
            }
            ends[row] = r.x + r.width;
            last = std::max(last, row);
        }
        std::vector<std::string> out(static_cast<std::size_t>(last + 1));
        for (const auto& [row, text] : rows) out[static_cast<std::size_t>(row)] = text;
        return out;
    }
    std::vector<std::string> PrintedRows() {
        EXPECT_EQ(host.PrintedDocuments().size(), 1u);
        std::vector<std::string> out;
        for (const auto& page : host.PrintedPages())
            for (auto& row : Rows(page)) out.push_back(row);
        return out;
    }
};

const std::string kRule139(139, '-'), kRule141(141, '-'), kRule142(142, '-');

// Foods in three meals, with records of another day and a deleted one that never show.
TEST_F(DayReport, ADayOfThreeMeals) {
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    WriteLog({
        Eaten("Oats, rolled", "BREAKFAST", 1, "1", {380, 7, 0, 10, 66, 13}),
        Eaten("Lentil soup", "LUNCH", 1, "1", {240, 3, 0, 8, 36, 14}),
        Eaten("Deleted soup", "LUNCH", 1, "1", {999, 9, 9, 9, 9, 9}, 1),
        Eaten("Stew of another day", "DINNER", 2, "1", {500, 5, 5, 5, 5, 5}),
        Eaten("Milk, whole", "BREAKFAST", 1, "(2)", {146, 8, 24, 0, 11, 8}),
        Eaten("Beef, round", "DINNER", 1, "1", {314, 14, 90, 0, 0, 46}),
    });
    Open();
    drive::Click(main().Command5);
    EXPECT_EQ(host.PrintDialogsShown(), 1);

    const std::vector<std::string> expected = {
        "[0]" + main().Caption(),
        "",
        "[0]             Vantorel",
        "[0]" + kRule139,
        "[0]Food Name[45]Serv[55]Cal[65]Fat[75]Chole[85]Fib[95]Carb[105]Pro",
        "[0]" + kRule139,
        "[0]  - BREAKFAST  ",
        "[0]" + Pad("Oats, rolled", 40) + "[45]1    [55] 380 [65] 7 [75] 0 [85] 10 [95] 66 [105] 13 ",
        "[0]" + Pad("Milk, whole", 40) + "[45](2)  [55] 146 [65] 8 [75] 24 [85] 0 [95] 11 [105] 8 ",
        "",
        "[0]--- Totals Breakfast ---     [55] 526 [65] 15 [75] 24 [85] 10 [95] 77 [105] 21 ",
        "[0]" + kRule141,
        "[0]  - LUNCH  ",
        "[0]" + Pad("Lentil soup", 40) + "[45]1    [55] 240 [65] 3 [75] 0 [85] 8 [95] 36 [105] 14 ",
        "",
        "[0]--- Totals Lunch ---     [55] 240 [65] 3 [75] 0 [85] 8 [95] 36 [105] 14 ",
        "[0]" + kRule142,
        "[0]  - DINNER  ",
        "[0]" + Pad("Beef, round", 40) + "[45]1    [55] 314 [65] 14 [75] 90 [85] 0 [95] 0 [105] 46 ",
        "",
        "[0]--- Totals Dinner ---     [55] 314 [65] 14 [75] 90 [85] 0 [95] 0 [105] 46 ",
        "[0]" + kRule142,
        "[0]TOTALS FOR DAY     [55] 1080  c[65] 32  g[75] 114  mg[85] 18  g[95] 113  g[105] 81  g",
        "[0]" + kRule141,
        "[0]% of Goal for Today    [55]54%[65]49%[75]38%[85]60%[95]38%[105]162%",
        "",
        "[0]Before starting any diet,please obtain your doctor's approval.",
    };
    EXPECT_EQ(PrintedRows(), expected);

    // The whole report in Arial at 10 points.
    for (const auto& page : host.PrintedPages())
        for (const auto& op : page.ops) {
            EXPECT_EQ(vb::LCase(op.font.Name), "arial") << op.text;
            EXPECT_EQ(op.font.Size, 10.0f) << op.text;
        }
}

TEST_F(DayReport, TheSnacksAndTheMultiDayCaption) {
    SetPeriod("Mar 09/26", "Mar 15/26", 7, 2);
    WriteLog({
        Eaten("Apple", "SNACK -Morning", 2, "1", {52, 0, 0, 2, 14, 0}),
        Eaten("Nuts", "SNACK -Afternoon", 2, "(\xBD)", {300, 26, 0, 4, 10, 10}),
        Eaten("Yoghurt", "SNACK -Evening", 2, "1", {61, 3, 13, 0, 5, 4}),
        Eaten("Tea", "snack -morning", 2, "1", {2, 0, 0, 0, 0, 0}),  // no meal of the six
    });
    Open();
    ASSERT_NE(main().Caption().find("March 10"), std::string::npos) << main().Caption();
    drive::ChooseMenu(main().mnuFilePrint);
    const std::vector<std::string> rows = PrintedRows();
    ASSERT_GE(rows.size(), 20u);
    EXPECT_EQ(rows[0], "[0]" + main().Caption());
    const std::vector<std::string> meals(rows.begin() + 6, rows.begin() + 21);
    EXPECT_EQ(meals, (std::vector<std::string>{
                         "[0]  - SNACK - Morning  ",
                         "[0]" + Pad("Apple", 40) + "[45]1    [55] 52 [65] 0 [75] 0 [85] 2 [95] 14 [105] 0 ",
                         "",
                         "[0]--- Totals snack Morining ---     [55] 52 [65] 0 [75] 0 [85] 2 [95] 14 [105] 0 ",
                         "[0]" + kRule142,
                         "[0]  - SNACK -Afternoon  ",
                         "[0]" + Pad("Nuts", 40) + "[45](\xBD)  [55] 300 [65] 26 [75] 0 [85] 4 [95] 10 [105] 10 ",
                         "",
                         "[0]--- Totals Snack Afternoon ---     [55] 300 [65] 26 [75] 0 [85] 4 [95] 10 [105] 10 ",
                         "[0]" + kRule142,
                         "[0]  - SNACK -Evening  ",
                         "[0]" + Pad("Yoghurt", 40) + "[45]1    [55] 61 [65] 3 [75] 13 [85] 0 [95] 5 [105] 4 ",
                         "",
                         "[0]--- Totals Snack Evening ---     [55] 61 [65] 3 [75] 13 [85] 0 [95] 5 [105] 4 ",
                         "[0]" + kRule142,
                     }));
    for (const std::string& row : rows) EXPECT_EQ(row.find("Tea"), std::string::npos) << row;
}

// A meal whose foods have no calories shows its foods but no totals block.
TEST_F(DayReport, AMealWithoutCaloriesHasNoTotals) {
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    WriteLog({
        Eaten("Water", "LUNCH", 1, "1", {0, 0, 0, 0, 0, 0}),
        Eaten("Toast", "DINNER", 1, "1", {80, 1, 0, 1, 15, 3}),
    });
    Open();
    drive::Click(main().Command5);
    const std::vector<std::string> rows = PrintedRows();
    ASSERT_GE(rows.size(), 10u);
    EXPECT_EQ(rows[6], "[0]  - LUNCH  ");
    EXPECT_EQ(rows[7], "[0]" + Pad("Water", 40) + "[45]1    [55] 0 [65] 0 [75] 0 [85] 0 [95] 0 [105] 0 ");
    EXPECT_EQ(rows[8], "[0]  - DINNER  ");
}

// A name wider than the room before column 45 sends the rest of its line to the next one.
TEST_F(DayReport, ALongNameMovesTheValuesToTheNextLine) {
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    WriteLog({Eaten(std::string(40, 'W'), "BREAKFAST", 1, "1", {100, 1, 2, 3, 4, 5})});
    Open();
    drive::Click(main().Command5);
    const std::vector<std::string> rows = PrintedRows();
    ASSERT_GE(rows.size(), 9u);
    EXPECT_EQ(rows[7], "[0]" + std::string(40, 'W'));
    EXPECT_EQ(rows[8], "[45]1    [55] 100 [65] 1 [75] 2 [85] 3 [95] 4 [105] 5 ");
}

TEST_F(DayReport, NothingForAnEmptyDayOrACancelledDialog) {
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    WriteLog({Eaten("Water", "LUNCH", 1, "1", {0, 0, 0, 0, 0, 0})});
    Open();
    drive::Click(main().Command5);
    EXPECT_EQ(host.PrintDialogsShown(), 0) << "a day without calories asks nothing";
    Close();

    WriteLog({Eaten("Toast", "DINNER", 1, "1", {80, 1, 0, 1, 15, 3})});
    Open();
    host.AnswerPrintDialog(false);
    drive::PressShortcut(main(), "Ctrl+P");
    EXPECT_EQ(host.PrintDialogsShown(), 1);
    EXPECT_TRUE(host.PrintedDocuments().empty());
    EXPECT_TRUE(host.MsgBoxes().empty());
    EXPECT_EQ(main().CommonDialog1.Flags(), 0x14000C);
}

// A failed print drops what was laid out and says so; the next print is a whole report alone.
TEST_F(DayReport, AFailedPrintIsDroppedAndTold) {
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    WriteLog({Eaten("Toast", "DINNER", 1, "1", {80, 1, 0, 1, 15, 3})});
    Open();

    host.FailPrinting(vb::Error(482, "Printer error"));
    drive::Click(main().Command5);
    EXPECT_TRUE(host.PrintedDocuments().empty());
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_NE(host.MsgBoxes()[0].prompt.find("Printer error"), std::string::npos);

    main().Label47.Caption("x");  // a current day that is no number stops the report half-way
    drive::Click(main().Command5);
    EXPECT_TRUE(host.PrintedDocuments().empty());
    ASSERT_EQ(host.MsgBoxes().size(), 2u);
    EXPECT_NE(host.MsgBoxes()[1].prompt.find("could not be printed"), std::string::npos);

    main().Label47.Caption("1");
    drive::Click(main().Command5);
    const std::vector<std::string> rows = PrintedRows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], "[0]" + main().Caption());
    EXPECT_EQ(std::count(rows.begin(), rows.end(), "[0]             Vantorel"), 1);
}

}  // namespace
