#pragma once
// The arithmetic of the month grid of the calendar: seven columns (Sunday first) by six rows,
// and the moves of the selected date by the keys.
#include <optional>
#include <string>

#include "platform/core/date.h"
#include "platform/core/types.h"

namespace calories {

inline constexpr int kGridColumns = 7;
inline constexpr int kGridRows = 6;

struct GridCell {
    int column = 0;
    int row = 0;
};

// The first day of the date's month, and the number of days of that month (28 to 31).
vb::Date FirstOfMonth(vb::Date d);
int DaysInMonth(vb::Date d);

// Where day `day` of the date's month lies: the first day sits in the column of its weekday in
// row 0.
GridCell CellOfDay(vb::Date month, int day);

// The day of the date's month under a point of the grid (twips from its inner top-left corner),
// or 0 for a cell before the first or after the last day. A point beyond the last column or row
// counts as in it.
int DayAt(vb::Date month, vb::Single x, vb::Single y, int cellWidth, int cellHeight);

// The date a grid key moves to: arrows by a day or a week, Page Down / Page Up by a month (the
// day kept where the month has it, else the month's last day). nullopt for any other key.
std::optional<vb::Date> MovedDate(vb::Date d, vb::Integer keyCode);

// The date as the period labels show it while it is picked: "mmm dd/yy".
std::string LiveDateText(vb::Date d);

}  // namespace calories
