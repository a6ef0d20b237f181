#pragma once
// Dates as the old runtime counted them: days since 1899-12-30, the fraction the time of day.
#include <string>
#include <string_view>

namespace vb {

struct Date {
    double serial = 0;
    friend auto operator<=>(const Date&, const Date&) = default;
};

// Months and days out of range roll over; a year 0 to 99 is read in the two-digit window (below).
// Error 5 outside years 100 to 9999.
Date DateSerial(int year, int month, int day);
Date TimeSerial(int hour, int minute, int second);
// The four-digit year of a two-digit one: the year ending in yy within 50 years before and 49
// after today's year (by the replaceable clock).
int WindowYear(int yy);
int Year(Date d);
int Month(Date d);
int Day(Date d);
int Weekday(Date d);  // Sunday = 1
int Hour(Date d);
int Minute(Date d);
int Second(Date d);
// English names: MonthName(12) = "December", MonthName(12, true) = "Dec"; WeekdayName(1) = "Sunday".
std::string MonthName(int month, bool abbreviate = false);
std::string WeekdayName(int weekday, bool abbreviate = false);
// Intervals "yyyy", "q", "m", "d" (also "y", "w"), "ww", "h", "n", "s"; a fractional number is cut
// to its whole part. Error 5 for an unknown interval or a result outside years 100 to 9999.
// "d" (days), "ww" (weeks), "m" (months, clamped to the month's end: Jan 31 + 1 month = Feb 28).
Date DateAdd(std::string_view interval, double number, Date d);
// Number of interval boundaries from a to b ("d", "ww" counting Sundays, "m", "yyyy", "q", "w"
// whole weeks, "h", "n", "s"); negative when b lies before a.
long DateDiff(std::string_view interval, Date a, Date b);

// Today without time, from the replaceable clock.
Date Today();
Date Now();

// Parses the date texts the programs write ("12/8/2026", "12/08/26", "Dec 08/26", "December 8, 2026",
// "2026-12-08" ...); month before day as the US locale reads them. Two-digit years are read in a
// window around today's year: within 50 years before to 49 years after. Error 13 when not a date.
Date CDate(std::string_view text);
bool IsDate(std::string_view text);
// The runtime's default date text: "m/d/yyyy", followed by " h:mm:ss AM" when there is a time of
// day; a date of day 0 shows its time alone.
std::string DateText(Date d);

}  // namespace vb
