#pragma once
// The diet period as "calories.INI" keeps it (section "date"), the name of the personal group that
// opens with the program, and the arithmetic of the period's length.
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/date.h"

namespace calories {

inline constexpr long kMaxPeriodDays = 365;

// The diet period between runs: section "date" of "calories.INI".
inline constexpr std::string_view kDateSection = "date";
// The start and the end date, as the period labels show them.
inline constexpr std::string_view kStartDate = "message2";
inline constexpr std::string_view kEndDate = "message3";
// The current day of the period, from 1: stored after every send to a meal, and "1" when the
// period is cleared or set anew.
inline constexpr std::string_view kCurrentDay = "message4";
// The number of days; "1" is a single day. Written only at shutdown.
inline constexpr std::string_view kNumberOfDays = "message5";
// "True" when the Options menu shows the average of goal to the current day, "False" for the
// whole period. Written only at shutdown.
inline constexpr std::string_view kAverageView = "message6";
// The file of the personal food group that opens with the program: section "openfile info".
inline constexpr std::string_view kOpenFileSection = "openfile info";
inline constexpr std::string_view kPersonalFile = "Message1";

// A value of section "date" as the profile functions hand it over (at most 74 characters, ""
// when missing), and the writing of one.
std::string StoredPeriodValue(std::string_view key);
void StorePeriodValue(std::string_view key, const std::string& value);

// The date a period label's text stands for; nullopt when it is no date.
std::optional<vb::Date> LabelDate(std::string_view text);

// The number of days from the start date to the end date, both counted: the difference in days
// plus 1 (0 or less when the end lies before the start). nullopt when either text is no date.
std::optional<long> PeriodDays(std::string_view start, std::string_view end);

// A stored period the program can work with: two dates, the end not before the start, at most
// 365 days, and a number of days from 1 to 365.
bool PeriodReadable(std::string_view start, std::string_view end, std::string_view days);

}  // namespace calories
