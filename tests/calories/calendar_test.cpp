// The calendar: its date moves, its month grid, its keys, mouse and month buttons, and the way
// each close leaves the main window's date label.
#include <gtest/gtest.h>

#include "calendar.h"

namespace {

using caltest::CalendarProgram;
using caltest::Closing;
using calories::frmCalendar;
using forms::DrawOp;

vb::Date D(int y, int m, int d) { return vb::DateSerial(y, m, d); }

TEST(CalendarMoves, KeysMoveTheDate) {
    struct Row {
        const char* name;
        vb::Date from;
        vb::Integer key;
        vb::Date to;
    };
    const Row rows[] = {
        {"right over a month end", D(2024, 1, 31), forms::vbKeyRight, D(2024, 2, 1)},
        {"left onto a leap day", D(2024, 3, 1), forms::vbKeyLeft, D(2024, 2, 29)},
        {"left over a year end", D(2026, 1, 1), forms::vbKeyLeft, D(2025, 12, 31)},
        {"down over a year end", D(2025, 12, 28), forms::vbKeyDown, D(2026, 1, 4)},
        {"up a week", D(2026, 3, 3), forms::vbKeyUp, D(2026, 2, 24)},
        {"page down into a leap February", D(2024, 1, 31), forms::vbKeyPageDown, D(2024, 2, 29)},
        {"page down into a common February", D(2023, 1, 31), forms::vbKeyPageDown, D(2023, 2, 28)},
        {"page up from March 31", D(2023, 3, 31), forms::vbKeyPageUp, D(2023, 2, 28)},
        {"page up keeps the day", D(2026, 3, 9), forms::vbKeyPageUp, D(2026, 2, 9)},
        {"page down over a year end", D(2025, 12, 31), forms::vbKeyPageDown, D(2026, 1, 31)},
        {"page up over a year end", D(2026, 1, 31), forms::vbKeyPageUp, D(2025, 12, 31)},
        {"page down to a 30-day month", D(2026, 3, 31), forms::vbKeyPageDown, D(2026, 4, 30)},
    };
    for (const auto& r : rows) {
        const auto moved = calories::MovedDate(r.from, r.key);
        ASSERT_TRUE(moved) << r.name;
        EXPECT_EQ(*moved, r.to) << r.name;
    }
    EXPECT_FALSE(calories::MovedDate(D(2026, 3, 9), forms::vbKeyHome));
    EXPECT_FALSE(calories::MovedDate(D(2026, 3, 9), forms::vbKeyReturn));
}

TEST(CalendarGrid, EachDaySitsInTheColumnOfItsWeekday) {
    struct Row {
        const char* name;
        vb::Date month;
        int day, column, row;
    };
    const Row rows[] = {
        {"a month that begins on a Sunday", D(2026, 3, 1), 1, 0, 0},
        {"its 9th, a Monday", D(2026, 3, 1), 9, 1, 1},
        {"a month that begins on a Saturday", D(2026, 8, 1), 1, 6, 0},
        {"whose 31st reaches the sixth row", D(2026, 8, 1), 31, 1, 5},
        {"a February of four whole weeks", D(2026, 2, 1), 28, 6, 3},
    };
    for (const auto& r : rows) {
        const calories::GridCell c = calories::CellOfDay(r.month, r.day);
        EXPECT_EQ(c.column, r.column) << r.name;
        EXPECT_EQ(c.row, r.row) << r.name;
    }
    EXPECT_EQ(calories::DaysInMonth(D(2024, 2, 10)), 29);
    EXPECT_EQ(calories::DaysInMonth(D(2100, 2, 10)), 28);
    EXPECT_EQ(calories::DaysInMonth(D(2026, 12, 31)), 31);
}

TEST(CalendarGrid, TheDayUnderThePointer) {
    // April 2026 begins on a Wednesday; cells of 282 by 190 twips.
    struct Row {
        const char* name;
        vb::Single x, y;
        int day;
    };
    const Row rows[] = {
        {"the first day", 3 * 282 + 10, 10, 1},
        {"a cell before the first day", 10, 10, 0},
        {"the Saturday of the first row", 6 * 282 + 5, 100, 4},
        {"right of the last column counts as Saturday", 2000, 100, 4},
        {"below the last row counts as the last row", 100, 5000, 0},
        {"the last day", 4 * 282 + 1, 4 * 190 + 1, 30},
        {"past the last day", 5 * 282 + 1, 4 * 190 + 1, 0},
        {"left of the grid counts as Sunday", -20, 190 + 5, 5},
    };
    for (const auto& r : rows) EXPECT_EQ(calories::DayAt(D(2026, 4, 15), r.x, r.y, 282, 190), r.day) << r.name;
}

// --- the window ---

class Calendar : public CalendarProgram {
protected:
    void SetUp() override {
        CalendarProgram::SetUp();
        SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
        WriteFoods({caltest::Food("Sirloin", 500)});
        Open();
    }
    static std::vector<const DrawOp*> Texts(const forms::PictureBox& pic) {
        std::vector<const DrawOp*> out;
        for (const auto& op : pic.DisplayList())
            if (op.kind == DrawOp::Kind::Text) out.push_back(&op);
        return out;
    }
    static std::vector<const DrawOp*> Lines(const forms::PictureBox& pic) {
        std::vector<const DrawOp*> out;
        for (const auto& op : pic.DisplayList())
            if (op.kind == DrawOp::Kind::Line) out.push_back(&op);
        return out;
    }
};

TEST_F(Calendar, LayoutAndTheFirstPaint) {
    WithCalendar(main().Command18, [](frmCalendar& cal) {
        EXPECT_EQ(cal.Caption(), "            End Date");
        struct Place {
            forms::Control* control;
            vb::Single left, top, width, height;
        };
        const Place places[] = {
            {&cal.lblPrev, 0, 120, 375, 255},     {&cal.lblMonth, 360, 120, 1575, 255},
            {&cal.lblNext, 1920, 120, 375, 255},  {&cal.Label1, 120, 480, 2055, 255},
            {&cal.picMonth, 120, 840, 2055, 1215}, {&cal.Command1, 480, 2160, 615, 255},
            {&cal.Command2, 1200, 2160, 615, 255},
        };
        for (const auto& p : places) {
            EXPECT_EQ(p.control->Left(), p.left) << p.control->Name();
            EXPECT_EQ(p.control->Top(), p.top) << p.control->Name();
            EXPECT_EQ(p.control->Width(), p.width) << p.control->Name();
            EXPECT_EQ(p.control->Height(), p.height) << p.control->Name();
        }
        EXPECT_EQ(cal.Label1.Caption(), " S    M    T    W    T    F    S");
        EXPECT_EQ(cal.lblPrev.Caption(), "<<");
        EXPECT_EQ(cal.lblNext.Caption(), ">>");
        EXPECT_EQ(cal.lblPrev.BackColor(), 0xC0C0C0);
        EXPECT_TRUE(cal.lblMonth.FontBold());
        EXPECT_EQ(cal.Command1.Caption(), "&Ok");
        EXPECT_EQ(cal.Command2.Caption(), "&Cancel");
        EXPECT_EQ(cal.ActiveControl(), &cal.picMonth);
        EXPECT_EQ(cal.CellWidth, 282);
        EXPECT_EQ(cal.CellHeight, 190);
        EXPECT_FALSE(cal.DateAccepted);

        EXPECT_EQ(cal.lblMonth.Caption(), "March 2026");
        const auto texts = Texts(cal.picMonth);
        ASSERT_EQ(texts.size(), 31u);
        // March 2026 begins on a Sunday: "1" centred in the first cell; today (the 9th) is bold.
        const DrawOp& one = *texts[0];
        EXPECT_EQ(one.text, "1");
        EXPECT_DOUBLE_EQ(one.x1, (282 - cal.picMonth.TextWidth("1")) / 2);
        EXPECT_DOUBLE_EQ(one.y1, (190 - cal.picMonth.TextHeight("1")) / 2);
        for (const DrawOp* t : texts) EXPECT_EQ(t->font.Bold, t->text == "9") << t->text;
        // The frame around the 9th (column 1, row 1), drawn in dark blue.
        const auto lines = Lines(cal.picMonth);
        ASSERT_EQ(lines.size(), 4u);
        const double corners[4][4] = {
            {282, 380, 282, 190}, {282, 190, 564, 190}, {564, 190, 564, 380}, {564, 380, 282, 380}};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(lines[i]->color, 0x800000);
            EXPECT_EQ(lines[i]->x1, corners[i][0]);
            EXPECT_EQ(lines[i]->y1, corners[i][1]);
            EXPECT_EQ(lines[i]->x2, corners[i][2]);
            EXPECT_EQ(lines[i]->y2, corners[i][3]);
        }
    }, Closing::Cancel);
}

TEST_F(Calendar, EveryKeyMoveShowsInTheLabelAtOnce) {
    Close();
    SetPeriod("Jan 31/24", "Jan 31/24", 1, 1);
    Open();
    struct Step {
        vb::Integer key;
        const char* label;
        const char* month;
    };
    const Step steps[] = {
        {forms::vbKeyPageDown, "Feb 29/24", "February 2024"},
        {forms::vbKeyPageDown, "Mar 29/24", "March 2024"},
        {forms::vbKeyRight, "Mar 30/24", "March 2024"},
        {forms::vbKeyRight, "Mar 31/24", "March 2024"},
        {forms::vbKeyPageUp, "Feb 29/24", "February 2024"},
        {forms::vbKeyUp, "Feb 22/24", "February 2024"},
        {forms::vbKeyDown, "Feb 29/24", "February 2024"},
        {forms::vbKeyRight, "Mar 01/24", "March 2024"},
        {forms::vbKeyLeft, "Feb 29/24", "February 2024"},
    };
    WithCalendar(main().Command18, [&](frmCalendar& cal) {
        for (const auto& s : steps) {
            EXPECT_EQ(drive::PressKey(cal.picMonth, s.key), 0) << "the key is consumed";
            EXPECT_EQ(main().Label44.Caption(), s.label);
            EXPECT_EQ(cal.lblMonth.Caption(), s.month);
            EXPECT_EQ(main().Label42.Caption(), "Jan 31/24") << "only the edited date follows";
        }
        EXPECT_EQ(drive::PressKey(cal.picMonth, forms::vbKeyF1), forms::vbKeyF1) << "other keys pass";
    }, Closing::Cancel);
    EXPECT_EQ(main().Label44.Caption(), "Jan 31/24") << "cancelled: the stored date is back";
}

TEST_F(Calendar, WithinAMonthOnlyTheFramesAreRedrawn) {
    WithCalendar(main().Command17, [&](frmCalendar& cal) {
        const std::size_t before = cal.picMonth.DisplayList().size();
        drive::PressKey(cal.picMonth, forms::vbKeyRight);
        const auto& ops = cal.picMonth.DisplayList();
        ASSERT_EQ(ops.size(), before + 8);
        for (std::size_t i = before; i < before + 4; ++i) EXPECT_EQ(ops[i].color, 0xFFFFFF) << "old frame removed";
        for (std::size_t i = before + 4; i < before + 8; ++i) EXPECT_EQ(ops[i].color, 0x800000) << "new frame";
        EXPECT_EQ(ops[before + 4].x1, 2 * 282) << "the 10th is a Tuesday";

        // Into April: the month is drawn afresh.
        KeyTo(cal, D(2026, 3, 31));
        drive::PressKey(cal.picMonth, forms::vbKeyRight);
        EXPECT_EQ(Texts(cal.picMonth).size(), 30u);
        EXPECT_EQ(Lines(cal.picMonth).size(), 4u);
        EXPECT_EQ(cal.lblMonth.Caption(), "April 2026");

        // Holding a key down for long keeps the list short.
        for (int i = 0; i < 200; ++i) drive::PressKey(cal.picMonth, i % 2 ? forms::vbKeyLeft : forms::vbKeyRight);
        EXPECT_LT(cal.picMonth.DisplayList().size(), 420u);
        EXPECT_EQ(cal.CurDate, D(2026, 4, 1));
    }, Closing::Cancel);
}

TEST_F(Calendar, TodayIsBoldOnlyInItsOwnMonth) {
    auto boldDays = [](const forms::PictureBox& pic) {
        std::vector<std::string> out;
        for (const DrawOp* t : Texts(pic))
            if (t->font.Bold) out.push_back(t->text);
        return out;
    };
    WithCalendar(main().Command17, [&](frmCalendar& cal) {
        EXPECT_EQ(boldDays(cal.picMonth), std::vector<std::string>{"9"});
        drive::PressKey(cal.picMonth, forms::vbKeyPageDown);
        EXPECT_TRUE(boldDays(cal.picMonth).empty());
        KeyTo(cal, D(2027, 3, 9));
        EXPECT_TRUE(boldDays(cal.picMonth).empty()) << "March of another year";
        KeyTo(cal, D(2026, 3, 20));
        EXPECT_EQ(boldDays(cal.picMonth), std::vector<std::string>{"9"});
    }, Closing::Cancel);
}

TEST_F(Calendar, ClicksOnTheGrid) {
    Close();
    SetPeriod("Apr 15/26", "Apr 15/26", 1, 1);  // April 2026 begins on a Wednesday
    Open();
    WithCalendar(main().Command17, [&](frmCalendar& cal) {
        struct Click {
            const char* name;
            vb::Integer button;
            vb::Single x, y;
            vb::Date selected;
            const char* label;
        };
        const Click clicks[] = {
            {"a day", forms::vbLeftButton, 4 * 282 + 100, 2 * 190 + 50, D(2026, 4, 16), "Apr 16/26"},
            {"any button", forms::vbRightButton, 3 * 282 + 100, 50, D(2026, 4, 1), "Apr 01/26"},
            {"right of Saturday", forms::vbLeftButton, 2050, 50, D(2026, 4, 4), "Apr 04/26"},
            {"an empty cell: the label is still written", forms::vbLeftButton, 10, 10, D(2026, 4, 4), "Apr 04/26"},
            {"past the last day", forms::vbLeftButton, 6 * 282 + 10, 5 * 190 + 10, D(2026, 4, 4), "Apr 04/26"},
        };
        for (const auto& c : clicks) {
            main().Label42.Caption("touched");
            drive::MouseDown(cal.picMonth, c.button, c.x, c.y);
            EXPECT_EQ(cal.CurDate, c.selected) << c.name;
            EXPECT_EQ(main().Label42.Caption(), c.label) << c.name;
        }
        drive::MouseDown(cal.picMonth, forms::vbLeftButton, 10, 200);
        forms::input::DblClick(cal.picMonth);
        EXPECT_EQ(cal.CurDate, D(2026, 4, 5)) << "a double click acts as its one click";
    }, Closing::Cancel);
}

TEST_F(Calendar, MonthButtons) {
    WithCalendar(main().Command17, [&](frmCalendar& cal) {
        struct Press {
            const char* name;
            std::function<void()> press;
            vb::Date selected;
        };
        const Press presses[] = {
            {"next", [&] { drive::Click(cal.lblNext); }, D(2026, 4, 9)},
            {"right button does nothing", [&] { drive::RightClick(cal.lblNext); }, D(2026, 4, 9)},
            {"a double click moves twice", [&] { drive::DblClick(cal.lblNext); }, D(2026, 6, 9)},
            {"previous", [&] { drive::Click(cal.lblPrev); }, D(2026, 5, 9)},
            {"previous twice", [&] { drive::DblClick(cal.lblPrev); }, D(2026, 3, 9)},
        };
        for (const auto& p : presses) {
            p.press();
            EXPECT_EQ(cal.CurDate, p.selected) << p.name;
        }
        EXPECT_EQ(main().Label42.Caption(), "Mar 09/26") << "the month buttons leave the label";
        KeyTo(cal, D(2026, 1, 31));
        drive::Click(cal.lblNext);
        EXPECT_EQ(cal.CurDate, D(2026, 2, 28));
        EXPECT_EQ(cal.lblMonth.Caption(), "February 2026");
    }, Closing::Cancel);
}

// How each way of closing leaves the date being picked: Enter applies like "&Ok"; Escape, the
// close box and "&Cancel" put the stored date back.
TEST_F(Calendar, EachWayOfClosing) {
    struct Row {
        Closing how;
        const char* end;
        const char* stored;
        const char* days;
    };
    const Row rows[] = {
        {Closing::Ok, "Mar 12/26", "Mar 12/26", "4"},
        {Closing::Enter, "Mar 14/26", "Mar 14/26", "6"},
        {Closing::Cancel, "Mar 14/26", "Mar 14/26", "6"},
        {Closing::Escape, "Mar 14/26", "Mar 14/26", "6"},
        {Closing::CloseBox, "Mar 14/26", "Mar 14/26", "6"},
    };
    int day = 12;
    for (const auto& r : rows) {
        PickEnd(D(2026, 3, day), r.how);
        EXPECT_FALSE(calendarStayedOpen);
        EXPECT_EQ(main().Label44.Caption(), r.end);
        EXPECT_EQ(Ini(calories::kDateSection, calories::kEndDate), r.stored);
        EXPECT_EQ(main().Label48.Caption(), r.days);
        EXPECT_EQ(main().Label44.BackColor(), 0xFFFFFF);
        day += 2;
    }
    EXPECT_EQ(host.ModalsShown().size(), 5u);
}

TEST_F(Calendar, ALabelWithoutADateOpensOnToday) {
    main().Label42.Caption("");
    WithCalendar(main().Command17, [&](frmCalendar& cal) { EXPECT_EQ(cal.CurDate, D(2026, 3, 9)); }, Closing::Cancel);
    EXPECT_EQ(main().Label42.Caption(), "Mar 09/26");
}

TEST_F(Calendar, GetDateHandsBackADateOnlyWhenConfirmed) {
    app->datemode = 0;  // no label to follow
    frmCalendar& cal = app->frmCalendar();
    vb::Date d = D(2026, 5, 20);
    host.OnModal("frmCalendar", [](forms::Form& f) {
        auto& c = static_cast<frmCalendar&>(f);
        drive::PressKey(c.picMonth, forms::vbKeyRight);
        c.DateAccepted = true;
        forms::Unload(c);
    });
    EXPECT_TRUE(cal.GetDate(d, "Pick"));
    EXPECT_EQ(d, D(2026, 5, 21));
    host.OnModal("frmCalendar", [](forms::Form& f) {
        auto& c = static_cast<frmCalendar&>(f);
        EXPECT_EQ(c.Caption(), "       Calendar") << "a fresh window";
        EXPECT_FALSE(c.DateAccepted);
        drive::PressKey(c.picMonth, forms::vbKeyRight);
        drive::CloseForm(c);
    });
    EXPECT_FALSE(app->frmCalendar().GetDate(d));
    EXPECT_EQ(d, D(2026, 5, 21));
}

TEST_F(CalendarProgram, TwoDigitYearsReadBackAroundToday) {
    // Today is in 2026: two-digit years read from 1976 to 2075.
    struct Row {
        vb::Date date;
        const char* text;
        int readAs;
    };
    const Row rows[] = {
        {D(2026, 3, 9), "Mar 09/26", 2026}, {D(2075, 12, 31), "Dec 31/75", 2075},
        {D(1976, 1, 1), "Jan 01/76", 1976}, {D(1999, 12, 31), "Dec 31/99", 1999},
        {D(2000, 1, 1), "Jan 01/00", 2000},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(calories::LiveDateText(r.date), r.text);
        const auto back = calories::LabelDate(r.text);
        ASSERT_TRUE(back) << r.text;
        EXPECT_EQ(vb::Year(*back), r.readAs) << r.text;
    }
}

}  // namespace
