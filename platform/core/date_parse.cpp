// Reading date texts: the forms the programs write and the US short date, as CDate read them.
#include <optional>
#include <utility>
#include <vector>

#include "platform/core/date.h"
#include "platform/core/date_parts.h"
#include "platform/core/error.h"
#include "platform/core/text.h"

namespace vb {

namespace {

using namespace detail;

struct Number {
    int value;
    std::size_t length;  // digits as written: "08" has two, so "08" as a year is two-digit
};

struct Fields {
    std::vector<Number> numbers;
    int month = 0;  // from a month name
    bool hasTime = false;
    int hour = 0, minute = 0, second = 0;
    int ampm = 0;  // 0 none, 1 AM, 2 PM
};

[[noreturn]] void Mismatch() { throw Error(errTypeMismatch); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }

// A month or weekday name, whole or its first three letters, any case.
int NameIndex(std::string_view word, bool months) {
    int count = months ? 12 : 7;
    for (int i = 1; i <= count; ++i) {
        std::string name = months ? MonthName(i) : WeekdayName(i);
        if (StrComp(word, name, Compare::Text) == 0 ||
            (word.size() == 3 && StrComp(word, name.substr(0, 3), Compare::Text) == 0))
            return i;
    }
    return 0;
}

int ReadNumber(std::string_view s, std::size_t& i, std::size_t& length) {
    std::size_t start = i;
    long v = 0;
    while (i < s.size() && IsDigit(s[i])) {
        if (v < 100000) v = v * 10 + (s[i] - '0');
        ++i;
    }
    length = i - start;
    return static_cast<int>(v);
}

// h:mm or h:mm:ss, the hour already read.
void ReadTime(std::string_view s, std::size_t& i, int hour, Fields& f) {
    if (f.hasTime) Mismatch();
    f.hasTime = true;
    f.hour = hour;
    std::size_t len = 0;
    ++i;  // ':'
    if (i >= s.size() || !IsDigit(s[i])) Mismatch();
    f.minute = ReadNumber(s, i, len);
    if (i < s.size() && s[i] == ':') {
        ++i;
        if (i >= s.size() || !IsDigit(s[i])) Mismatch();
        f.second = ReadNumber(s, i, len);
    }
}

Fields Tokenize(std::string_view s) {
    Fields f;
    std::size_t i = 0;
    bool sawWeekday = false;
    while (i < s.size()) {
        char c = s[i];
        if (IsDigit(c)) {
            std::size_t len = 0;
            int v = ReadNumber(s, i, len);
            if (i < s.size() && s[i] == ':')
                ReadTime(s, i, v, f);
            else
                f.numbers.push_back({v, len});
        } else if (IsLetter(c)) {
            std::size_t start = i;
            while (i < s.size() && IsLetter(s[i])) ++i;
            std::string_view word = s.substr(start, i - start);
            std::string upper = UCase(word);
            if (upper == "AM" || upper == "A") {
                f.ampm = 1;
            } else if (upper == "PM" || upper == "P") {
                f.ampm = 2;
            } else if (int m = NameIndex(word, true); m != 0 && f.month == 0) {
                f.month = m;
            } else if (NameIndex(word, false) != 0 && !sawWeekday) {
                sawWeekday = true;  // the weekday is not checked against the date, as before
            } else {
                Mismatch();
            }
        } else if (c == ' ' || c == '\t' || c == '/' || c == '-' || c == ',' || c == '.') {
            ++i;
        } else {
            Mismatch();
        }
    }
    return f;
}

int FullYear(const Number& n) {
    if (n.length <= 2) return WindowYear(n.value);
    return n.value;
}

bool LooksLikeYear(const Number& n) { return n.length >= 3 || n.value > 31; }

// Year, month, day from the numbers and the month name; nullopt when only a time was given.
std::optional<Civil> DatePart(const Fields& f) {
    const auto& n = f.numbers;
    int thisYear = Year(Today());
    Civil c{0, 0, 0};
    bool dayWritten = true;
    if (f.month != 0) {
        c.month = f.month;
        if (n.size() == 2) {
            bool yearFirst = LooksLikeYear(n[0]);
            c.day = yearFirst ? n[1].value : n[0].value;
            c.year = FullYear(yearFirst ? n[0] : n[1]);
        } else if (n.size() == 1) {
            if (LooksLikeYear(n[0]))
                c.day = 1, c.year = FullYear(n[0]);
            else
                c.day = n[0].value, c.year = thisYear;
        } else {
            Mismatch();
        }
    } else if (n.size() == 3) {
        if (LooksLikeYear(n[0]))
            c = {FullYear(n[0]), n[1].value, n[2].value};
        else
            c = {FullYear(n[2]), n[0].value, n[1].value};
    } else if (n.size() == 2) {
        if (LooksLikeYear(n[1])) {
            c = {FullYear(n[1]), n[0].value, 1};
            dayWritten = false;
        } else {
            c = {thisYear, n[0].value, n[1].value};
        }
    } else if (n.empty() && f.hasTime) {
        return std::nullopt;
    } else {
        Mismatch();
    }
    // A month that cannot be one is the day written first: "13/1/2026" is the 13th of January.
    if (f.month == 0 && dayWritten && c.month > 12 && c.day >= 1 && c.day <= 12) std::swap(c.month, c.day);
    if (c.year < 100 || c.year > 9999 || c.month < 1 || c.month > 12 || c.day < 1 ||
        c.day > DaysInMonth(c.year, c.month))
        Mismatch();
    return c;
}

long TimePart(const Fields& f) {
    if (!f.hasTime) {
        if (f.ampm != 0) Mismatch();
        return 0;
    }
    int h = f.hour;
    if (f.ampm != 0) {
        if (h < 1 || h > 12) Mismatch();
        h = h % 12 + (f.ampm == 2 ? 12 : 0);
    }
    if (h > 23 || f.minute > 59 || f.second > 59) Mismatch();
    return h * 3600L + f.minute * 60L + f.second;
}

}  // namespace

Date CDate(std::string_view text) {
    Fields f = Tokenize(text);
    auto civil = DatePart(f);
    long seconds = TimePart(f);
    long day = civil ? DayFromCivil(civil->year, civil->month, civil->day) : 0;
    return Compose(day, static_cast<double>(seconds));
}

bool IsDate(std::string_view text) {
    try {
        CDate(text);
        return true;
    } catch (const Error&) {
        return false;
    }
}

}  // namespace vb
