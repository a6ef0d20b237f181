#pragma once
// Internal: a Date split into its calendar day and its time of day, as the runtime read the serial
// (the whole part is the day, also for days before 1899-12-30; the fraction's size the time).
#include "platform/core/date.h"

namespace vb::detail {

struct Civil {
    int year, month, day;
};

struct DateParts {
    long day;      // days since 1899-12-30
    long seconds;  // 0 .. 86399, rounded to the second
};

constexpr long kMinDay = -657434;  // 100-01-01
constexpr long kMaxDay = 2958465;  // 9999-12-31

DateParts Split(Date d);
Date Compose(long day, double seconds);  // error 5 outside years 100 to 9999
long DayFromCivil(int year, int month, int day);
Civil CivilFromDay(long day);
int DaysInMonth(int year, int month);

}  // namespace vb::detail
