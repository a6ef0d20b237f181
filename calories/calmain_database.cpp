// The main window's "&Database" menu: the personal food group (open, create, add, delete, clear,
// save) and deleting from the food database; the search and add-food windows open from here.
#include <algorithm>

#include "calories/Calories.h"
#include "calories/calmain.h"
#include "calories/foodgroups.h"
#include "calories/foods/foodentry.h"
#include "calories/period/periodsetup.h"
#include "calories/totals.h"
#include "platform/core/error.h"
#include "platform/files/fileio.h"
#include "platform/files/profile.h"
#include "platform/services/dialogs.h"

namespace calories {

namespace {

constexpr long kOpenGroupFlags = services::cdlOFNHideReadOnly | services::cdlOFNPathMustExist |
                                 services::cdlOFNFileMustExist;  // &H1804
constexpr long kNewGroupFlags = services::cdlOFNCreatePrompt;   // &H2000
constexpr std::string_view kGroupFilter = "PER files (*.per)|*.per";
constexpr std::string_view kNotOnPersonal =
    "Please view a food group other than the personal food group list to use this option";

void Tell(std::string_view text) { services::MsgBox(text, services::vbOKOnly, kProgramTitle); }

// The confirmation of the deletes and the clear: Yes/No, critical icon, No the default.
bool Confirmed(std::string_view text, std::string_view title) {
    constexpr int kStyle = services::vbYesNo | services::vbCritical | services::vbDefaultButton2;  // 276
    return services::MsgBox(text, kStyle, title, "DEMO.HLP", 1000) == services::vbYes;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    const auto full = [&](const std::string& p) {
        const std::filesystem::path abs = std::filesystem::absolute(p, ec);
        return (ec ? std::filesystem::path(p) : abs).lexically_normal();
    };
    return full(a) == full(b);
}

}  // namespace

void calmain::WireDatabase() {
    Command8.Click = [this] { Command8_Click(); };
    Command20.Click = [this] { mnuopenpersonal_Click(); };
    Command16.Click = [this] { Command16_Click(); };
    mnuaddpersonal.Click = [this] { Command8_Click(); };
    mnustartnew.Click = [this] { mnustartnew_Click(); };
    mnuopenpersonal.Click = [this] { mnuopenpersonal_Click(); };
    mnudeletepersonal.Click = [this] { mnudeletepersonal_Click(); };
    mnuclear.Click = [this] { mnuclear_Click(); };
    mnufindmore.Click = [this] { Command16_Click(); };
    mnuaddmaindatabase.Click = [this] { mnuaddmaindatabase_Click(); };
    mnudeletemaindatabase.Click = [this] { mnudeletemaindatabase_Click(); };
}

void calmain::Command16_Click() { app.ShowSearch(); }
void calmain::mnuaddmaindatabase_Click() { app.ShowAddFood(); }

// --- the personal group's file ---

// Reads the group and leaves out the records that cannot be foods. A file that held such records
// is never written over: the group's changes go to a file the user names.
void calmain::LoadPersonalGroup(const std::string& path) {
    damagedGroup_.clear();
    damagedAsLoaded_.clear();
    app.LoadPersonalList(path);
    const auto bad = std::erase_if(app.personaldata, [](const FoodItem& f) { return !IsSoundFood(f); });
    if (bad == 0) return;
    if (app.personaldata.empty()) app.personaldata.assign(1, FoodItem{});
    damagedGroup_ = path;
    damagedAsLoaded_ = app.personaldata;
    services::MsgBox(path + " is damaged or is not a personal food group: " + std::to_string(bad) +
                         (bad == 1 ? " record" : " records") +
                         " in it cannot be foods and were left out. The file is kept as it is; changes to this "
                         "group will be saved in a new file.",
                     services::vbOKOnly | services::vbExclamation, kProgramTitle);
}

// Writes the group to its file. A group without a file, or read from a damaged one, goes to a
// file the user names, when it holds anything to keep; declining leaves it unsaved, and says so.
void calmain::SavePersonalGroup() {
    const bool damaged = !damagedGroup_.empty() && damagedGroup_ == app.personalfile;
    if (!app.personalfile.empty() && !damaged) return app.SavePersonalList(app.personalfile);
    if (!HasLiveFoods(app.personaldata) || (damaged && app.personaldata == damagedAsLoaded_)) return;

    std::string chosen;
    for (;;) {
        CommonDialog1.CancelError(true)
            .DialogTitle("Save Personal Food group")
            .DefaultExt("PER")
            .Flags(services::cdlOFNOverwritePrompt | services::cdlOFNHideReadOnly | services::cdlOFNPathMustExist)
            .FileName("")
            .Filter(std::string(kGroupFilter));
        try {
            CommonDialog1.ShowSave();
            chosen = CommonDialog1.FileName();
        } catch (const vb::Error&) {
            chosen.clear();
        }
        if (chosen.empty() || !damaged || !SameFile(chosen, damagedGroup_)) break;
        Tell(chosen + " is damaged and is not written over. Please choose another file.");
    }
    if (chosen.empty()) return Tell("The foods of your personal food group were not saved.");
    app.personalfile = chosen;
    damagedGroup_.clear();
    damagedAsLoaded_.clear();
    app.SavePersonalList(app.personalfile);
}

// Open and create: the current group is saved first, also when the dialog is then cancelled.
void calmain::OpenPersonalGroup(std::string_view title, long flags) {
    SavePersonalGroup();
    CommonDialog1.CancelError(true)
        .DialogTitle(std::string(title))
        .DefaultExt("PER")
        .Flags(flags)
        .FileName("")
        .Filter(std::string(kGroupFilter));
    try {
        CommonDialog1.ShowOpen();
    } catch (const vb::Error& e) {
        if (e.number == vb::errCancel) return Command1_Click();
    }
    app.personalfile = CommonDialog1.FileName();
    if (app.personalfile.empty()) return;
    if (flags & services::cdlOFNCreatePrompt) {
        // A new group starts as an empty file; the loader reports a file that cannot be made.
        try {
            files::EnsureFile(app.personalfile);
        } catch (const vb::Error&) {
        }
    }
    bool recorded = false;
    try {
        LoadPersonalGroup(app.personalfile);
        recorded = files::WritePrivateProfileString(kOpenFileSection, kPersonalFile, app.personalfile, kIniFile);
    } catch (const vb::Error&) {
    }
    if (!recorded) return Tell("Can't open file " + app.personalfile);
    Command1_Click();
}

void calmain::mnuopenpersonal_Click() { OpenPersonalGroup("Open", kOpenGroupFlags); }
void calmain::mnustartnew_Click() { OpenPersonalGroup("New", kNewGroupFlags); }

// --- adding, deleting, clearing ---

// The food last picked from the database (the hidden fields) joins the personal group in memory.
void calmain::Command8_Click() {
    if (Combo1.Text() == kPersonalEntry) return Tell(kNotOnPersonal);
    if (List1.ListIndex() == -1) return Tell("Please Select a food first");
    const std::array<vb::Long, 6> values = {WholeOrZero(Label26.Caption()), WholeOrZero(Label27.Caption()),
                                            WholeOrZero(Label28.Caption()), WholeOrZero(Label29.Caption()),
                                            WholeOrZero(Label31.Caption()), WholeOrZero(Label39.Caption())};
    if (app.AppendFoodItem(app.personaldata, PersonalFood(Label30.Caption(), values)) < 0) return;
    List2.ListIndex(-1);
}

// Marks the selected food deleted, takes it off the list and returns its index in the table;
// -1 when nothing is selected any more or the item leads to no record.
int calmain::DeleteSelectedFood(std::vector<FoodItem>& table) {
    const int selected = List1.ListIndex();
    if (selected == -1) return -1;
    const int index = static_cast<int>(List1.ItemData(selected));
    if (index < 0 || index >= static_cast<int>(table.size())) return -1;
    table[static_cast<std::size_t>(index)].deleted = 1;
    List1.RemoveItem(selected);
    List1.ListIndex(-1);
    return index;
}

void calmain::mnudeletepersonal_Click() {
    if (Combo1.Text() != kPersonalEntry) return Tell("Please view the Personal food List to use this option");
    if (List1.ListIndex() == -1) return Tell("Please Select a food first");
    if (!Confirmed("Are you sure to want to delete this food ?", "Deleting foods from database")) return;
    if (DeleteSelectedFood(app.personaldata) < 0) return;
    SavePersonalGroup();
}

void calmain::mnudeletemaindatabase_Click() {
    if (Combo1.Text() == kPersonalEntry) return Tell(kNotOnPersonal);
    if (List1.ListIndex() == -1) return Tell("Please select a food first");
    if (!Confirmed("Are you sure to want to delete this food ?", "Deleting foods from database")) return;
    if (DeleteSelectedFood(app.fooddata) < 0) return;
    app.SaveFoodDatabase(std::string(kFoodDatabase));
}

// The emptied group reaches its file at the group's next save.
void calmain::mnuclear_Click() {
    if (!Confirmed("Are you sure you want to clear the personal food list ?", "Vantorel")) return;
    if (Combo1.Text() == kPersonalEntry) Combo1.Text("beef");
    app.personaldata.assign(1, FoodItem{});
}

}  // namespace calories
