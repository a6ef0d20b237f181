#pragma once
// The diet period as "calories.INI" keeps it (section "date") and the arithmetic of its length.
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/date.h"

namespace calories {

inline constexpr long kMaxPeriodDays = 365;

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
