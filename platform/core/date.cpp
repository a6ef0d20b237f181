#include "platform/core/date.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "platform/core/date_parts.h"
#include "platform/core/error.h"
#include "platform/core/text.h"

namespace vb {

namespace detail {

namespace {

constexpr long kUnixDay = 25569;  // 1970-01-01 as a serial

long FloorDiv(long a, long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

// Days from 1970-01-01 in the proleptic Gregorian calendar (H. Hinnant's method).
long DayFromCivil(int year, int month, int day) {
    long y = year - (month <= 2);
    long era = FloorDiv(y, 400);
    long yoe = y - era * 400;
    long mp = (month + 9) % 12;
    long doy = (153 * mp + 2) / 5 + day - 1;
    long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + kUnixDay;
}

Civil CivilFromDay(long serialDay) {
    long z = serialDay - kUnixDay + 719468;
    long era = FloorDiv(z, 146097);
    long doe = z - era * 146097;
    long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long mp = (5 * doy + 2) / 153;
    int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    int y = static_cast<int>(yoe + era * 400 + (m <= 2));
    return {y, m, d};
}

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

DateParts Split(Date d) {
    if (!std::isfinite(d.serial)) throw Error(errOverflow);
    double whole = std::trunc(d.serial);
    auto seconds = static_cast<long>(std::llround(std::fabs(d.serial - whole) * 86400.0));
    auto day = static_cast<long>(whole);
    if (seconds >= 86400) {  // 23:59:59.9 is the next midnight
        seconds -= 86400;
        ++day;
    }
    return {day, seconds};
}

Date Compose(long day, double seconds) {
    if (day < kMinDay || day > kMaxDay) throw Error(errInvalidProcedureCall);
    double fraction = seconds / 86400.0;
    return Date{day >= 0 ? static_cast<double>(day) + fraction : static_cast<double>(day) - fraction};
}

}  // namespace detail

using namespace detail;

namespace {

constexpr std::array<const char*, 12> kMonths = {"January", "February", "March",     "April",
                                                 "May",     "June",     "July",      "August",
                                                 "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};

enum class Interval { Year, Quarter, Month, Day, Weekday, Week, Hour, Minute, Second };

Interval ParseInterval(std::string_view s) {
    std::string t = LCase(s);
    if (t == "yyyy") return Interval::Year;
    if (t == "q") return Interval::Quarter;
    if (t == "m") return Interval::Month;
    if (t == "d" || t == "y") return Interval::Day;
    if (t == "w") return Interval::Weekday;
    if (t == "ww") return Interval::Week;
    if (t == "h") return Interval::Hour;
    if (t == "n") return Interval::Minute;
    if (t == "s") return Interval::Second;
    throw Error(errInvalidProcedureCall);
}

long Count(double number) {
    double n = std::trunc(number);
    if (!(n >= -2147483648.0 && n <= 2147483647.0)) throw Error(errOverflow);
    return static_cast<long>(n);
}

Date AddMonths(Date d, long months) {
    auto parts = Split(d);
    auto c = CivilFromDay(parts.day);
    long index = static_cast<long>(c.year) * 12 + (c.month - 1) + months;
    long year = FloorDiv(index, 12);
    int month = static_cast<int>(index - year * 12) + 1;
    if (year < 100 || year > 9999) throw Error(errInvalidProcedureCall);
    int day = std::min(c.day, DaysInMonth(static_cast<int>(year), month));
    return Compose(DayFromCivil(static_cast<int>(year), month, day),
                   static_cast<double>(parts.seconds));
}

// Seconds on one straight time line (the serial's own sign convention undone).
long long Timeline(Date d) {
    auto p = Split(d);
    return static_cast<long long>(p.day) * 86400 + p.seconds;
}

Date FromTimeline(long long t) {
    long long day = t >= 0 ? t / 86400 : -((-t + 86399) / 86400);
    if (day < kMinDay || day > kMaxDay) throw Error(errInvalidProcedureCall);
    return Compose(static_cast<long>(day), static_cast<double>(t - day * 86400));
}

long long FloorDivLL(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

int WindowYear(int yy) {
    int first = Year(Today()) - 50;
    return first + ((yy - first) % 100 + 100) % 100;
}

Date DateSerial(int year, int month, int day) {
    if (year >= 0 && year <= 99) year = WindowYear(year);
    long index = static_cast<long>(year) * 12 + (month - 1);
    long y = FloorDiv(index, 12);
    int m = static_cast<int>(index - y * 12) + 1;
    if (y < 100 || y > 9999) throw Error(errInvalidProcedureCall);
    return Compose(DayFromCivil(static_cast<int>(y), m, 1) + (day - 1), 0);
}

Date TimeSerial(int hour, int minute, int second) {
    return FromTimeline(static_cast<long long>(hour) * 3600 + minute * 60LL + second);
}

int Year(Date d) { return CivilFromDay(Split(d).day).year; }
int Month(Date d) { return CivilFromDay(Split(d).day).month; }
int Day(Date d) { return CivilFromDay(Split(d).day).day; }
int Weekday(Date d) {
    // Day 0 (1899-12-30) was a Saturday.
    long w = (Split(d).day + 6) % 7;
    return static_cast<int>(w < 0 ? w + 7 : w) + 1;
}
int Hour(Date d) { return static_cast<int>(Split(d).seconds / 3600); }
int Minute(Date d) { return static_cast<int>(Split(d).seconds / 60 % 60); }
int Second(Date d) { return static_cast<int>(Split(d).seconds % 60); }

std::string MonthName(int month, bool abbreviate) {
    if (month < 1 || month > 12) throw Error(errInvalidProcedureCall);
    std::string name = kMonths[static_cast<std::size_t>(month - 1)];
    return abbreviate ? name.substr(0, 3) : name;
}

std::string WeekdayName(int weekday, bool abbreviate) {
    if (weekday < 1 || weekday > 7) throw Error(errInvalidProcedureCall);
    std::string name = kWeekdays[static_cast<std::size_t>(weekday - 1)];
    return abbreviate ? name.substr(0, 3) : name;
}

Date DateAdd(std::string_view interval, double number, Date d) {
    long n = Count(number);
    switch (ParseInterval(interval)) {
    case Interval::Year: return AddMonths(d, n * 12);
    case Interval::Quarter: return AddMonths(d, n * 3);
    case Interval::Month: return AddMonths(d, n);
    case Interval::Day:
    case Interval::Weekday: {
        auto p = Split(d);
        return Compose(p.day + n, static_cast<double>(p.seconds));
    }
    case Interval::Week: {
        auto p = Split(d);
        return Compose(p.day + 7 * n, static_cast<double>(p.seconds));
    }
    case Interval::Hour: return FromTimeline(Timeline(d) + n * 3600LL);
    case Interval::Minute: return FromTimeline(Timeline(d) + n * 60LL);
    case Interval::Second: return FromTimeline(Timeline(d) + n);
    }
    return d;
}

long DateDiff(std::string_view interval, Date a, Date b) {
    auto pa = Split(a);
    auto pb = Split(b);
    switch (ParseInterval(interval)) {
    case Interval::Year: return CivilFromDay(pb.day).year - CivilFromDay(pa.day).year;
    case Interval::Quarter: {
        auto ca = CivilFromDay(pa.day), cb = CivilFromDay(pb.day);
        return (cb.year * 4L + (cb.month - 1) / 3) - (ca.year * 4L + (ca.month - 1) / 3);
    }
    case Interval::Month: {
        auto ca = CivilFromDay(pa.day), cb = CivilFromDay(pb.day);
        return (cb.year * 12L + cb.month) - (ca.year * 12L + ca.month);
    }
    case Interval::Day: return pb.day - pa.day;
    case Interval::Weekday: return (pb.day - pa.day) / 7;
    case Interval::Week: {
        // Sundays passed: the week of each day starts on its Sunday.
        long sa = pa.day - (Weekday(a) - 1), sb = pb.day - (Weekday(b) - 1);
        return (sb - sa) / 7;
    }
    case Interval::Hour:
        return static_cast<long>(FloorDivLL(Timeline(b), 3600) - FloorDivLL(Timeline(a), 3600));
    case Interval::Minute:
        return static_cast<long>(FloorDivLL(Timeline(b), 60) - FloorDivLL(Timeline(a), 60));
    case Interval::Second: return static_cast<long>(Timeline(b) - Timeline(a));
    }
    return 0;
}

Date Today() { return Compose(Split(Now()).day, 0); }

std::string DateText(Date d) {
    auto p = Split(d);
    std::string out;
    if (p.day != 0) {
        auto c = CivilFromDay(p.day);
        out = std::to_string(c.month) + "/" + std::to_string(c.day) + "/" + std::to_string(c.year);
    }
    if (p.seconds != 0 || p.day == 0) {
        long h = p.seconds / 3600;
        long h12 = h % 12 == 0 ? 12 : h % 12;
        char buf[32];
        std::snprintf(buf, sizeof buf, "%ld:%02ld:%02ld %s", h12, p.seconds / 60 % 60, p.seconds % 60,
                      h < 12 ? "AM" : "PM");
        if (!out.empty()) out += ' ';
        out += buf;
    }
    return out;
}

}  // namespace vb
