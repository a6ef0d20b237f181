// The calendar's "&Ok" and "&Cancel": the diet period setup. "&Ok" checks the two dates, applies
// the period to the main window and "calories.INI" and switches between single-day and multi-day
// mode, clearing the meals where a smaller period needs it; "&Cancel" puts the edited date back.
#include "calories/Calories.h"
#include "calories/calmain.h"
#include "calories/confirm.h"
#include "calories/period/frmCalendar.h"
#include "calories/period/periodsetup.h"
#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/core/format.h"
#include "platform/core/text.h"
#include "platform/files/profile.h"
#include "platform/services/dialogs.h"

namespace calories {

namespace {

constexpr std::string_view kTitleLine = "Vantorel by Lumbreck";

}  // namespace

void frmCalendar::coloring2() {
    if (forms::Label* label = EditedLabel()) label->BackColor(0xFFFFFF);
}

void frmCalendar::RestoreEditedDate() {
    calmain* main = app.LoadedMainform();
    if (!main) return;
    if (app.datemode == 1) main->Label42.Caption(StoredPeriodValue(kStartDate));
    if (app.datemode == 2) main->Label44.Caption(StoredPeriodValue(kEndDate));
}

void frmCalendar::Command2_Click() {
    coloring2();
    RestoreEditedDate();
    forms::Unload(*this);
}

// The meals are judged on the live records of the log: a day of zero-calorie foods still has
// meals.
void frmCalendar::Command1_Click() {
    files::ProfileBatch period(kIniFile);  // the keys the period takes go in one save
    calmain& main = app.mainform();
    const std::string S = main.Label42.Caption();
    const std::string E = main.Label44.Caption();
    const long L = main.NumberOfDays();
    const auto days = PeriodDays(S, E);
    if (!days) {
        services::MsgBox("Pick the " + std::string(LabelDate(S) ? "end" : "start") +
                             " date of the diet period in the calendar first.",
                         services::vbOKOnly, kProgramTitle);
        return;
    }
    const long N = *days;
    if (N <= 0) {
        services::MsgBox("Start date is later then end date", services::vbOKOnly, kProgramTitle);
        return;
    }
    if (N >= kMaxPeriodDays + 1) {
        services::MsgBox("Maximum number for days is 365", services::vbOKOnly, kProgramTitle);
        return;
    }
    const bool periodHasMeals = L >= 2 && app.PeriodHasFoods(L);

    // One day after a multi-day period with meals: every day is cleared.
    if (periodHasMeals && N == 1) {
        if (!Confirmed("Selecting single meal mode will clear all menu days ?", "Vantorel")) return;
        main.tools2();
    }
    // A smaller multi-day period with meals: cleared and back to day 1, or nothing changes.
    if (N <= L - 1 && N != 1 && periodHasMeals) {
        if (!Confirmed("If you want to make a smaller multiply day menu,you must first clear all present meals",
                       "Warning")) {
            main.Label42.Caption(StoredPeriodValue(kStartDate));
            main.Label44.Caption(StoredPeriodValue(kEndDate));
            forms::Unload(*this);
            return;
        }
        main.tools2();
        StorePeriodValue(kStartDate, S);
        StorePeriodValue(kEndDate, E);
        StorePeriodValue(kCurrentDay, "1");
        main.Label47.Caption("1");
        main.HScroll1.Value(1);
    }
    // A single day with food does not grow into a period: its meals would land on day 1 unasked.
    if (N >= 2 && L == 1 && app.DayHasFoods(main.CurrentDay())) {
        services::MsgBox(
            "To make a multiply day menu you must first clear all present meals,click the button on the far left hand "
            "side",
            services::vbOKOnly, kProgramTitle);
        forms::Unload(*this);
        if (app.datemode == 1) main.Label42.Caption(main.Label44.Caption());
        if (app.datemode == 2) main.Label44.Caption(main.Label42.Caption());
        return;
    }

    StorePeriodValue(kStartDate, S);
    StorePeriodValue(kEndDate, E);
    main.Label47.Caption("1");
    main.Label48.Caption(vb::CStr(static_cast<vb::Long>(N)));
    // A current day beyond the new end moves to it, which runs the day change.
    main.HScroll1.Min(1).Max(static_cast<vb::Integer>(N)).LargeChange(1).SmallChange(1);
    forms::Unload(*this);

    if (main.Label48.Caption() == "1") {
        main.Caption(std::string(kTitleLine));
        return;
    }
    const vb::Integer day = main.HScroll1.Value();
    main.Label47.Caption(vb::CStr(static_cast<vb::Long>(day)));
    if (const auto start = LabelDate(S)) {
        vb::Date shown = *start;
        if (day != 1) shown = app.daydate = vb::DateAdd("d", day - 1, *start);
        main.Caption(std::string(kTitleLine) + vb::Space(30) + vb::Format(shown, "dddd, mmmm d yyyy"));
    }
    if (L >= 2 && app.PeriodHasFoods(N))
        services::MsgBox("When making an existing Meal period larger,scroll to day 1 to kick in changes,or Modify any day",
                         services::vbOKOnly, kProgramTitle);
    if (main.NumberOfDays() != 1) {
        main.mnuperiod.Enabled(true);
        main.mnudate.Enabled(true);
    }
}

}  // namespace calories
