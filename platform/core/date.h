#pragma once
// Dates as the old runtime counted them: days since 1899-12-30, the fraction the time of day.
#include <string>
#include <string_view>

namespace vb {

struct Date {
    double serial = 0;
    friend auto operator<=>(const Date&, const Date&) = default;
};

Date DateSerial(int year, int month, int day);  // months and days out of range roll over
int Year(Date d);
int Month(Date d);
int Day(Date d);
int Weekday(Date d);  // Sunday = 1
// Intervals "d" (days), "ww" (weeks), "m" (months, clamped to the month's end), "yyyy".
Date DateAdd(std::string_view interval, double number, Date d);
// Number of interval boundaries between a and b ("d", "ww", "m", "yyyy").
long DateDiff(std::string_view interval, Date a, Date b);

// Today without time, from the replaceable clock.
Date Today();
Date Now();

// Parses the date texts the programs write ("12/8/2026", "12/08/26", "Dec 08/26", "December 8, 2026",
// "2026-12-08" ...); month before day as the US locale reads them. Two-digit years are read in a
// window around today's year: within 50 years before to 49 years after. Error 13 when not a date.
Date CDate(std::string_view text);
bool IsDate(std::string_view text);
// The runtime's default date text, "m/d/yyyy".
std::string DateText(Date d);

}  // namespace vb
