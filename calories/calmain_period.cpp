// The diet period on the main window: the start-date and end-date buttons (which open the
// calendar), clearing all days, and a stored period that cannot be read.
#include "calories/Calories.h"
#include "calories/calmain.h"
#include "calories/confirm.h"
#include "calories/period/calendar.h"
#include "calories/period/frmCalendar.h"
#include "calories/period/periodsetup.h"
#include "platform/core/convert.h"
#include "platform/core/format.h"
#include "platform/services/dialogs.h"

namespace calories {

void calmain::WirePeriod() {
    Command17.Click = [this] { Command17_Click(); };
    Command18.Click = [this] { Command18_Click(); };
    Command19.Click = [this] { Command19_Click(); };
    Command9.Click = [this] { Command9_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    mnudelete.Click = [this] { Command9_Click(); };
    mnuFileNew.Click = [this] { Command2_Click(); };
    mnuFileClose.Click = [this] { Command2_Click(); };
}

// Opens the calendar on the date of the label; a label that holds no date opens it on today.
void calmain::EditPeriodDate(vb::Integer mode, forms::Label& label, std::string caption) {
    app.datemode = mode;
    frmCalendar& calendar = app.frmCalendar();
    calendar.Caption(std::move(caption));
    vb::Date date = LabelDate(label.Caption()).value_or(vb::Today());
    if (calendar.GetDate(date)) label.Caption(vb::DateText(date));
}

void calmain::Command17_Click() { EditPeriodDate(1, Label42, "           Start Date"); }

void calmain::Command18_Click() { EditPeriodDate(2, Label44, "            End Date"); }

// Clear all days: asks only when the period has meals; in every case the current day becomes 1.
void calmain::Command19_Click() {
    if (MultiDay() && app.PeriodHasFoods(NumberOfDays())) {
        if (Confirmed("Are you sure you want to clear all menus ?", "Clearing all Menus", "")) tools2();
    }
    StorePeriodValue(kCurrentDay, "1");
    Label47.Caption("1");
    HScroll1.Value(1);
}

// A stored period with dates that cannot be read, an end before its start or more than 365 days
// starts afresh as a one-day period from today, as on a first run. The log is loaded as usual and
// nothing of it is cleared.
void calmain::CheckStoredPeriod() {
    const std::string start = Label42.Caption();
    const std::string end = Label44.Caption();
    const std::string days = Label48.Caption();
    if (PeriodReadable(start, end, days)) return;
    services::MsgBox("The diet period kept in calories.INI cannot be used (start \"" + start + "\", end \"" + end +
                         "\", " + (days.empty() ? std::string("no") : "\"" + days + "\"") +
                         " days). A one-day period starting today takes its place; the meals in " +
                         std::string(kPeriodLog) + " are kept.",
                     services::vbOKOnly | services::vbExclamation, kProgramTitle);
    const std::string today = LiveDateText(vb::Today());
    Label42.Caption(today);
    Label44.Caption(today);
    StorePeriodValue(kStartDate, today);
    StorePeriodValue(kEndDate, today);
    Label47.Caption("1");
    Label48.Caption("1");
    PlaceDayNumber(1);
    HScroll1.Min(1).Max(1).LargeChange(1).SmallChange(1).Value(1);
    HScroll1_Change();  // the caption of a one-day period
}

}  // namespace calories
