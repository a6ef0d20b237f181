#include "calories/period/calendar.h"

#include <algorithm>

#include "platform/core/convert.h"
#include "platform/core/format.h"
#include "platform/forms/constants.h"

namespace calories {

vb::Date FirstOfMonth(vb::Date d) { return vb::DateSerial(vb::Year(d), vb::Month(d), 1); }

int DaysInMonth(vb::Date d) {
    const vb::Date first = FirstOfMonth(d);
    return static_cast<int>(vb::DateDiff("d", first, vb::DateAdd("m", 1, first)));
}

GridCell CellOfDay(vb::Date month, int day) {
    const int cell = day + vb::Weekday(FirstOfMonth(month)) - 2;
    return {cell % kGridColumns, cell / kGridColumns};
}

int DayAt(vb::Date month, vb::Single x, vb::Single y, int cellWidth, int cellHeight) {
    if (cellWidth <= 0 || cellHeight <= 0) return 0;
    const int row = std::clamp(static_cast<int>(vb::CLng(y)) / cellHeight, 0, kGridRows - 1);
    const int column = std::clamp(static_cast<int>(vb::CLng(x)) / cellWidth, 0, kGridColumns - 1);
    const int day = row * kGridColumns + column + 1 - (vb::Weekday(FirstOfMonth(month)) - 1);
    return day >= 1 && day <= DaysInMonth(month) ? day : 0;
}

std::optional<vb::Date> MovedDate(vb::Date d, vb::Integer keyCode) {
    switch (keyCode) {
    case forms::vbKeyRight: return vb::DateAdd("d", 1, d);
    case forms::vbKeyLeft: return vb::DateAdd("d", -1, d);
    case forms::vbKeyDown: return vb::DateAdd("ww", 1, d);
    case forms::vbKeyUp: return vb::DateAdd("ww", -1, d);
    case forms::vbKeyPageDown: return vb::DateAdd("m", 1, d);
    case forms::vbKeyPageUp: return vb::DateAdd("m", -1, d);
    default: return std::nullopt;
    }
}

std::string LiveDateText(vb::Date d) { return vb::Format(d, "mmm dd/yy"); }

}  // namespace calories
