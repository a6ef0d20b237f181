#include <gtest/gtest.h>

#include <functional>

#include "error_of.h"
#include "fixed_clock.h"
#include "platform/core/date.h"
#include "platform/core/error.h"
#include "platform/core/format.h"

using namespace vb;

namespace {

std::string Ymd(Date d) { return Format(d, "yyyy-mm-dd"); }

}  // namespace

TEST(Date, SerialsAndParts) {
    EXPECT_EQ(DateSerial(1899, 12, 30).serial, 0);
    EXPECT_EQ(DateSerial(1900, 1, 1).serial, 2);
    EXPECT_EQ(DateSerial(2026, 12, 8).serial, 46364);
    EXPECT_EQ(Ymd(DateSerial(2026, 13, 1)), "2027-01-01") << "month rolls over";
    EXPECT_EQ(Ymd(DateSerial(2026, 3, 0)), "2026-02-28") << "day 0 is the day before";
    EXPECT_EQ(Ymd(DateSerial(2024, 2, 30)), "2024-03-01");
    EXPECT_EQ(Ymd(DateSerial(1899, 12, 29)), "1899-12-29");
    const Date d{-1.25};  // before 1899-12-30 the fraction still counts forward in the day
    EXPECT_EQ(Ymd(d), "1899-12-29");
    EXPECT_EQ(Hour(d), 6);
    EXPECT_EQ(ErrorOf([] { DateSerial(10000, 1, 1); }), 5);
}

TEST(Date, Weekday) {
    struct Row { int y, m, d, weekday; };
    const Row rows[] = {{2026, 12, 6, 1}, {2026, 12, 8, 3}, {2026, 12, 12, 7},
                        {1899, 12, 30, 7}, {1899, 12, 24, 1}, {2030, 1, 1, 3}};
    for (const auto& r : rows)
        EXPECT_EQ(Weekday(DateSerial(r.y, r.m, r.d)), r.weekday) << r.y << "-" << r.m << "-" << r.d;
}

TEST(Date, AddAcrossMonthEndsAndLeapDays) {
    struct Row { const char* name; const char* interval; double n; Date from; const char* expected; };
    const Row rows[] = {
        {"Jan 31 + 1 month", "m", 1, DateSerial(2027, 1, 31), "2027-02-28"},
        {"Jan 31 + 1 month, leap", "m", 1, DateSerial(2028, 1, 31), "2028-02-29"},
        {"Mar 31 - 1 month", "m", -1, DateSerial(2026, 3, 31), "2026-02-28"},
        {"Aug 31 + 1 month", "m", 1, DateSerial(2026, 8, 31), "2026-09-30"},
        {"Dec + 1 month", "m", 1, DateSerial(2026, 12, 15), "2027-01-15"},
        {"Feb 29 + 1 year", "yyyy", 1, DateSerial(2028, 2, 29), "2029-02-28"},
        {"Feb 28 + 1 day, leap", "d", 1, DateSerial(2028, 2, 28), "2028-02-29"},
        {"Feb 28 + 1 day", "d", 1, DateSerial(2027, 2, 28), "2027-03-01"},
        {"year end", "d", 1, DateSerial(2029, 12, 31), "2030-01-01"},
        {"364 days", "d", 364, DateSerial(2026, 1, 1), "2026-12-31"},
        {"two weeks", "ww", 2, DateSerial(2026, 12, 25), "2027-01-08"},
        {"weeks back", "ww", -1, DateSerial(2026, 3, 4), "2026-02-25"},
        {"fraction cut", "d", 1.9, DateSerial(2026, 1, 1), "2026-01-02"},
        {"quarter", "q", 1, DateSerial(2026, 11, 30), "2027-02-28"},
    };
    for (const auto& r : rows) EXPECT_EQ(Ymd(DateAdd(r.interval, r.n, r.from)), r.expected) << r.name;

    const Date noon{DateSerial(2026, 1, 31).serial + 0.5};
    EXPECT_EQ(Hour(DateAdd("m", 1, noon)), 12) << "time of day kept";
    EXPECT_EQ(Format(DateAdd("h", 13, noon), "m/d h"), "2/1 1");
    EXPECT_EQ(ErrorOf([] { DateAdd("x", 1, Date{}); }), 5);
    EXPECT_EQ(ErrorOf([] { DateAdd("yyyy", 9000, DateSerial(2026, 1, 1)); }), 5);
}

TEST(Date, Diff) {
    struct Row { const char* interval; Date a, b; long expected; };
    const Date lateNight{DateSerial(2026, 12, 8).serial + 0.99};
    const Row rows[] = {
        {"d", DateSerial(2026, 12, 8), DateSerial(2026, 12, 14), 6},
        {"d", DateSerial(2026, 12, 14), DateSerial(2026, 12, 8), -6},
        {"d", lateNight, DateSerial(2026, 12, 9), 1},  // date parts only
        {"d", DateSerial(2028, 2, 1), DateSerial(2028, 3, 1), 29},
        {"d", DateSerial(2029, 12, 31), DateSerial(2030, 1, 1), 1},
        {"ww", DateSerial(2026, 12, 5), DateSerial(2026, 12, 6), 1},  // Saturday to Sunday
        {"ww", DateSerial(2026, 12, 6), DateSerial(2026, 12, 12), 0},
        {"w", DateSerial(2026, 12, 5), DateSerial(2026, 12, 18), 1},
        {"m", DateSerial(2026, 12, 31), DateSerial(2027, 1, 1), 1},
        {"yyyy", DateSerial(2026, 12, 31), DateSerial(2027, 1, 1), 1},
    };
    for (const auto& r : rows)
        EXPECT_EQ(DateDiff(r.interval, r.a, r.b), r.expected) << r.interval << " " << Ymd(r.a);
}

TEST(Date, ParsesTheTextsTheProgramsWrite) {
    FixedClock today(DateSerial(2026, 6, 15));
    struct Row { const char* text; const char* expected; };
    const Row rows[] = {
        {"12/8/2026", "2026-12-08"},
        {"12/8/26", "2026-12-08"},
        {"12/08/26", "2026-12-08"},
        {"Dec 8/26", "2026-12-08"},
        {"Dec 08/26", "2026-12-08"},
        {"dec 08/26", "2026-12-08"},
        {"December 8, 2026", "2026-12-08"},
        {"December 8 2026", "2026-12-08"},
        {"Tuesday, December 8 2026", "2026-12-08"},
        {"Tuesday  December 8 ,2026", "2026-12-08"},
        {"December 2026", "2026-12-01"},
        {"2026-12-08", "2026-12-08"},
        {"  2/29/2028 ", "2028-02-29"},
        {"12/8", "2026-12-08"},
        {"1/5/2030 3:04:05 PM", "2030-01-05"},
        // a month that cannot be one is the day written first
        {"13/1/2026", "2026-01-13"},
        {"31/12/2026", "2026-12-31"},
        {"25/12", "2026-12-25"},
        {"2026/13/1", "2026-01-13"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(Ymd(CDate(r.text)), r.expected) << r.text;
        EXPECT_TRUE(IsDate(r.text)) << r.text;
    }
    EXPECT_EQ(Format(CDate("12/8/2026 3:04 PM"), "hh:nn:ss"), "15:04:00");
    EXPECT_EQ(Format(CDate("12:30 AM"), "hh:nn"), "00:30");
    EXPECT_EQ(CDate("12:30 AM").serial, 0.5 / 24);
}

TEST(Date, RejectsWhatIsNoDate) {
    FixedClock today(DateSerial(2026, 6, 15));
    const char* rows[] = {"", "abc", "13/13/2026", "31/2/2026", "13/0/2026", "13/2026", "2/29/2027", "2/30/2028", "12/32/26", "8",
                          "Dec", "12/8/2026 25:00", "1/1/99999", "12/8/2026 x", "Foo 8/26"};
    for (const char* text : rows) {
        EXPECT_FALSE(IsDate(text)) << '"' << text << '"';
        EXPECT_EQ(ErrorOf([&] { CDate(text); }), 13) << '"' << text << '"';
    }
}

TEST(Date, TwoDigitYearsFollowTheClock) {
    struct Row { int todayYear; const char* text; int year; };
    const Row rows[] = {
        {2026, "01/05/30", 2030},  // the old fixed window read 1930
        {2026, "01/05/29", 2029},
        {2026, "Jan 05/76", 1976},  // 50 years back
        {2026, "Jan 05/75", 2075},  // 49 years ahead
        {2026, "1/5/00", 2000},
        {2060, "01/05/30", 2030},
        {2060, "01/05/10", 2010},
        {2060, "01/05/09", 2109},
        {2080, "01/05/29", 2129},
        {2080, "01/05/30", 2030},
    };
    for (const auto& r : rows) {
        FixedClock today(DateSerial(r.todayYear, 6, 15));
        EXPECT_EQ(Year(CDate(r.text)), r.year) << r.text << " in " << r.todayYear;
    }
    FixedClock today(DateSerial(2026, 6, 15));
    EXPECT_EQ(Year(DateSerial(30, 1, 1)), 2030);
    EXPECT_EQ(Year(CDate(Format(DateSerial(2031, 3, 4), "mmm dd/yy"))), 2031) << "round trip";
}

TEST(Date, DefaultText) {
    EXPECT_EQ(DateText(DateSerial(2026, 12, 8)), "12/8/2026");
    EXPECT_EQ(DateText(Date{DateSerial(2026, 12, 8).serial + 0.75}), "12/8/2026 6:00:00 PM");
    EXPECT_EQ(DateText(Date{0.5}), "12:00:00 PM");
    EXPECT_EQ(DateText(Date{0}), "12:00:00 AM");
    EXPECT_EQ(DateText(CDate(DateText(DateSerial(2030, 1, 5)))), "1/5/2030");
}
