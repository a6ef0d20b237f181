// The current day of the period (the day scroll bar) and the day files (Open Day, Save Day).
#include "calories/Calories.h"
#include "calories/calmain.h"
#include "platform/core/convert.h"
#include "platform/core/date.h"
#include "platform/core/error.h"
#include "platform/core/format.h"
#include "platform/core/text.h"
#include "platform/services/dialogs.h"

namespace calories {

namespace {

constexpr std::string_view kTitleLine = "Vantorel by Lumbreck";
constexpr long kDayFileFlags = 6148;  // hide read-only, path and file must exist

}  // namespace

void calmain::PlaceDayNumber(long day) {
    const bool number = vb::IsNumeric(Label47.Caption());
    Label47.Left(!number || day < 10 ? 8800 : day < 100 ? 8710 : 8600);
}

// The calendar date of a day of the period: the start date on day 1, start + (day - 1) days
// otherwise. Without a start date the last date computed stays.
std::string calmain::DayCaption(long day) {
    constexpr std::string_view pattern = "dddd  mmmm d ,yyyy";
    vb::Date start;
    try {
        start = vb::CDate(Label42.Caption());
    } catch (const vb::Error&) {
        if (day == 1 || app.daydate.serial == 0) return {};
        return vb::Format(app.daydate, pattern);
    }
    if (day == 1) return vb::Format(start, pattern);
    try {
        app.daydate = vb::DateAdd("d", static_cast<double>(day - 1), start);
    } catch (const vb::Error&) {
    }
    return vb::Format(app.daydate, pattern);
}

void calmain::ClearDayView() {
    for (int k = 0; k < 6; ++k) {
        Label21[k].Caption("");
        Label22[k].Caption("");
        Label23[k].Caption("");
    }
    for (int k = 0; k < 6; ++k) DayPercent(k).Caption("");
    for (int k = 0; k < 6; ++k) DayBar(k).Visible(false);
    List2.Clear();
    daytotals.Zero();
    for (auto& m : mealtotals) m.Zero();
    Combo2.Text("BREAKFAST");
}

// Adds the live records of the current day to the day and meal totals and shows today's percent.
// With `blankToo` the blank day-0 record counts as well, so a day without food shows zeros.
void calmain::ReplayDay(bool blankToo) {
    const long day = CurrentDay();
    bool any = false;
    const int count = static_cast<int>(app.mealdata.size());
    for (int i = 0; i < count; ++i) {
        const MealItem& m = app.mealdata[static_cast<std::size_t>(i)];
        if ((m.day != day && !(blankToo && m.day == 0)) || m.deleted == 1) continue;
        app.mealindex = i;
        adding();
        any = true;
    }
    if (any) adding2();
}

// A new current day: its number, its date in the caption, and the day view rebuilt from the log.
// The period figures are recomputed from the whole period, so any move of the bar keeps them right.
void calmain::HScroll1_Change() {
    if (Label48.Caption() == "1") {
        Caption(std::string(kTitleLine));
        return;
    }
    const long value = HScroll1.Value();
    Label47.Caption(vb::CStr(static_cast<vb::Long>(value)));
    Caption(std::string(kTitleLine) + vb::Space(30) + DayCaption(value));
    PlaceDayNumber(value);
    ClearDayView();
    if (!app.PeriodHasFoods(NumberOfDays())) return;
    ReplayDay();
    graph();
    Combo2_Click();
    tools();
    previousday = static_cast<vb::Integer>(value);
}

// Open Day: replaces the log with a day file and shows its day (single-day mode only).
void calmain::Command3_Click() {
    if (NumberOfDays() >= 2) {
        services::MsgBox(
            "You cannot open Individual days while creating a multiply day menu,go to single day mode to use "
            "this option",
            services::vbOKOnly, kProgramTitle);
        return;
    }
    CommonDialog1.CancelError(true)
        .DialogTitle("Open")
        .DefaultExt("dat")
        .Flags(kDayFileFlags)
        .FileName("")
        .Filter("Dat files (*.dat)|*.dat");
    try {
        CommonDialog1.ShowOpen();
    } catch (const vb::Error& e) {
        if (e.number == vb::errCancel) return;
    }
    app.openfilename = CommonDialog1.FileName();
    if (app.openfilename.empty()) return;
    app.LoadMealFile(app.openfilename);

    Label10.Visible(true);
    daytotals.Zero();
    for (auto& m : mealtotals) m.Zero();
    for (int k = 0; k < 6; ++k) {
        Label21[k].Caption("");
        Label22[k].Caption("");
        Label23[k].Caption("");
    }
    for (int k = 0; k < 6; ++k) DayPercent(k).Caption("");
    ReplayDay(true);
    tools3();
    graph();
    Combo2_Click();
}

// Save Day: writes the log to a day file of the user's choice (single-day mode only).
void calmain::Command4_Click() {
    if (!app.DayHasFoods(CurrentDay())) return;
    if (NumberOfDays() >= 2) {
        services::MsgBox(
            "You do not have to save Individual days while creating a multiply day menu,your meals will be saved "
            "automatically",
            services::vbOKOnly, kProgramTitle);
        return;
    }
    CommonDialog1.CancelError(true)
        .DialogTitle("Save As")
        .DefaultExt("Dat")
        .Flags(kDayFileFlags)
        .Filter("Dat files (*.dat)|*.dat");
    try {
        CommonDialog1.ShowSave();
    } catch (const vb::Error& e) {
        if (e.number == vb::errCancel) return;
    }
    app.savefilename = CommonDialog1.FileName();
    if (app.savefilename.empty()) return;
    app.SaveMealFile(app.savefilename);
}

}  // namespace calories
