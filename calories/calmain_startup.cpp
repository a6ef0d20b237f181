// Loading and unloading the main window: the diet period, the files and the window placement.
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "calories/Calories.h"
#include "calories/calmain.h"
#include "calories/foodgroups.h"
#include "calories/notsaved.h"
#include "calories/period/periodsetup.h"
#include "platform/core/convert.h"
#include "platform/core/date.h"
#include "platform/core/format.h"
#include "platform/files/profile.h"
#include "platform/files/settings.h"

namespace calories {

namespace {

// A value of "calories.INI" as the profile functions hand it over: at most 74 characters.
std::string IniValue(std::string_view section, std::string_view key) {
    return files::GetPrivateProfileString(section, key, "", 75, kIniFile);
}

// A file path is read whole: a cut path would name another file.
std::string IniPath(std::string_view section, std::string_view key) {
    return files::GetPrivateProfileString(section, key, "", 32768, kIniFile);
}

void IniWrite(std::string_view section, std::string_view key, const std::string& value) {
    files::WritePrivateProfileString(section, key, value, kIniFile);
}

bool ReadsTrue(const std::string& text) {
    try {
        return vb::CBool(text);
    } catch (const vb::Error&) {
        return false;
    }
}

// Runs one start-up or shutdown step; a step that fails is skipped and the next one runs.
template <class F>
void Step(F&& f) {
    try {
        f();
    } catch (const vb::Error&) {
    }
}

}  // namespace

void calmain::Form_Load() {
    sbStatusBar.Panels(3).Text("Todays Date: " + vb::Format(vb::Today(), "mmm d/yy"));

    for (auto group : kFoodGroups) Combo1.AddItem(std::string(group));
    Combo1.Text("Beef");  // lists nothing yet: the database is not read
    Combo1.AddItem(std::string(kPersonalEntry));

    for (auto meal : kMeals) Combo2.AddItem(std::string(meal));
    Combo2.Text("BREAKFAST");

    Step([&] { app.LoadFoodDatabase(std::string(kFoodDatabase)); });

    const std::string start = IniValue(kDateSection, kStartDate);
    const std::string end = IniValue(kDateSection, kEndDate);
    const std::string day = IniValue(kDateSection, kCurrentDay);
    const std::string days = IniValue(kDateSection, kNumberOfDays);
    const std::string averageView = IniValue(kDateSection, kAverageView);
    app.personalfile = IniPath(kOpenFileSection, kPersonalFile);
    app.firstRun = start.empty();

    Label42.Caption(start);
    Label44.Caption(end);
    Label48.Caption(days);

    if (ReadsTrue(averageView)) {
        mnudate.Checked(true);
        mnuperiod.Checked(false);
        Label41.Caption("% Average     to Date");
    } else {
        mnuperiod.Checked(true);
        mnudate.Checked(false);
    }

    Step([&] {
        HScroll1.Min(1);  // the value moves from 0 to 1: the day-change handling runs once
        if (vb::IsNumeric(days)) Step([&] { HScroll1.Max(vb::CInt(days)); });
        HScroll1.LargeChange(1).SmallChange(1);
    });
    PlaceDayNumber(CurrentDay());

    if (!MultiDay()) {
        Label47.Caption("1");
    } else {
        // A stored day outside the period is brought into it.
        long current = vb::IsNumeric(day) ? static_cast<long>(vb::Val(day)) : 1;
        current = std::clamp(current, 1L, std::min(NumberOfDays(), 365L));
        Label47.Caption(std::to_string(current));
        Step([&] { HScroll1.Value(static_cast<vb::Integer>(current)); });
    }

    // No personal group is named until the user opens one: there is nothing to read.
    if (app.personalfile.empty())
        app.personaldata.assign(1, FoodItem{});
    else
        Step([&] { LoadPersonalGroup(app.personalfile); });

    // A period that the start stores is stored in one save.
    if (!app.firstRun) Step([&] {
        files::ProfileBatch period(kIniFile);
        CheckStoredPeriod();
    });

    if (app.firstRun) {
        Step([&] {
            files::ProfileBatch period(kIniFile);
            const std::string today = vb::Format(vb::Today(), "mmm dd/yy");
            Label42.Caption(today);
            Label44.Caption(today);
            IniWrite(kDateSection, kStartDate, Label42.Caption());
            IniWrite(kDateSection, kEndDate, Label44.Caption());
            const long n = vb::DateDiff("d", vb::CDate(Label42.Caption()), vb::CDate(Label44.Caption())) + 1;
            Label47.Caption("1");
            Label48.Caption(std::to_string(n));
            HScroll1.Min(1).Max(static_cast<vb::Integer>(n)).LargeChange(1).SmallChange(1).Value(1);
            HScroll1_Change();  // the caption of the one-day period
        });
        Step([&] { app.PresetCaloricNeeds(); });
    }

    Step([&] { app.LoadMealFile(std::string(kPeriodLog)); });

    // Replay the log. A log with no food at all (the blank day-0 record alone) shows nothing.
    bool any = false;
    for (const MealItem& m : app.mealdata)
        if (m.deleted != 1 && m.day != 0) any = true;
    if (!any) return;

    ReplayDay();
    if (MultiDay()) {
        RecomputePeriod();
        if (mnuperiod.Checked()) {
            multiday();
        } else if (mnudate.Checked()) {
            multiday2();
        } else {
            multiday();
            mnuperiod.Checked(true);
        }
        graph2();
    }
    graph();
    Combo2_Click();
    previousday = HScroll1.Value();
}

// Every write is attempted; a failed INI or settings write is reported once at the end, naming
// the file, since a period that is not stored makes the next start a first run. Each file is
// saved once, after its last key.
void calmain::Form_Unload(vb::Integer& Cancel) {
    if (inTray_) RemoveTrayIcon();  // the icon goes with the window
    files::ProfileWriter ini{std::string(kIniFile)};
    Step([&] {
        ini.Write(kDateSection, kStartDate, Label42.Caption());
        ini.Write(kDateSection, kEndDate, Label44.Caption());
        ini.Write(kDateSection, kNumberOfDays, Label48.Caption());
        ini.Write(kDateSection, kAverageView, std::string(mnudate.Checked() ? "True" : "False"));
    });
    Step([&] { app.SaveMealFile(std::string(kPeriodLog)); });
    Step([&] { app.SaveFoodDatabase(std::string(kFoodDatabase)); });
    Step([&] { SavePersonalGroup(); });
    Step([&] { ini.Write(kOpenFileSection, kPersonalFile, app.personalfile); });
    ini.Save();

    // Every other window, from the last loaded down.
    std::vector<forms::Form*> others;
    for (forms::Form* f : forms::Forms())
        if (f != this) others.push_back(f);
    for (auto it = others.rbegin(); it != others.rend(); ++it) Step([&] { forms::Unload(**it); });

    std::optional<vb::Error> placement;
    if (WindowState() != forms::vbMinimized) {
        files::ProfileBatch settings(files::SettingsFile(kProgramTitle).string());
        const std::pair<const char*, vb::Single> values[] = {
            {"MainLeft", Left()}, {"MainTop", Top()}, {"MainWidth", Width()}, {"MainHeight", Height()}};
        for (const auto& [key, value] : values) {
            try {
                files::SaveSetting(kProgramTitle, "Settings", key, vb::CStr(value));
            } catch (const vb::Error& e) {
                if (!placement) placement = e;
            }
        }
        if (auto error = settings.Save(); error && !placement) placement = error;
    }
    if (ini.failure()) ReportNotSaved("The diet period", ini.file(), *ini.failure());
    if (placement) ReportNotSaved("The main window's place and size", files::SettingsFile(kProgramTitle), *placement);
    (void)Cancel;
}

}  // namespace calories
