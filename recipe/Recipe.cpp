#include "recipe/Recipe.h"

#include <cmath>

#include "platform/core/convert.h"
#include "platform/core/text.h"
#include "platform/files/fileio.h"
#include "platform/files/locations.h"
#include "platform/files/safesave.h"
#include "platform/files/settings.h"
#include "platform/forms/forms.h"
#include "platform/services/dialogs.h"
#include "platform/services/startup.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/ingredients/DeleteIngFrm.h"
#include "recipe/builder/EditFrm.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/builder/SameFrm.h"
#include "recipe/ingredients/SearchFrm.h"
#include "recipe/side/SplashFrm.h"
#include "recipe/builder/SubHeadFrm.h"
#include "recipe/viewer/ViewFrm.h"
#include "recipe/side/frmAbout.h"
#include "recipe/viewer/frmEmail.h"
#include "recipe/ingredients/frmIngrediant.h"
#include "recipe/side/frmTip.h"

namespace recipe {

Recipe::Recipe()
    : splash_([this] { return std::make_unique<SplashFrm>(*this); }),
      interface_([this] { return std::make_unique<InterfaceFrm>(*this); }),
      calc_([this] { return std::make_unique<recipe::CalcFrm>(*this); }),
      view_([this] { return std::make_unique<recipe::ViewFrm>(*this); }),
      deleteIng_([this] { return std::make_unique<recipe::DeleteIngFrm>(*this); }),
      ingrediant_([this] { return std::make_unique<recipe::frmIngrediant>(*this); }),
      same_([this] { return std::make_unique<recipe::SameFrm>(*this); }),
      edit_([this] { return std::make_unique<recipe::EditFrm>(*this); }),
      subHead_([this] { return std::make_unique<recipe::SubHeadFrm>(*this); }),
      tip_([this] { return std::make_unique<recipe::frmTip>(*this); }),
      about_([this] { return std::make_unique<recipe::frmAbout>(*this); }),
      search_([this] { return std::make_unique<recipe::SearchFrm>(*this); }),
      email_([this] { return std::make_unique<recipe::frmEmail>(*this); }) {}

Recipe::~Recipe() = default;

void Recipe::Main() {
    forms::App().Title(std::string(kProductName));
    if (forms::App().EXEName().empty()) forms::App().EXEName("recipe");
    if (forms::App().Path().empty()) forms::App().Path(files::ProgramDirectory().string());
    folderLock_ = services::StartOnDataFolder("recipe", kProductName, kProductName,
                                              {Ing.file().string(), Recipes.file().string()});
    if (!folderLock_) {
        alreadyRunning_ = true;
        return;
    }
    readAhead_.Start(Ing.file(), Recipes.file());
    Splash().Show();
    if (SplashFrm* splash = LoadedSplash()) splash->WhenDrawn([this] { PrepareMainWindow(0); });
}

void Recipe::PrepareMainWindow(int step) {
    if (mainStarting_ || mainStarted_ || interface_.Existing()) return;
    // One window a turn, so the splash's animation keeps moving; in the order the main window's
    // load reaches them, then the tip its first activation shows.
    switch (step) {
    case 0: interface_.Prepare(); break;
    case 1: ingrediant_.Prepare(); break;
    case 2: calc_.Prepare(); break;
    case 3: deleteIng_.Prepare(); break;
    case 4: view_.Prepare(); break;
    default:
        if (!Tips_Shown && OptionValue(kShowTips, 1) != 0) tip_.Prepare();
        return;
    }
    if (SplashFrm* splash = LoadedSplash()) splash->WhenDrawn([this, step] { PrepareMainWindow(step + 1); });
}

void Recipe::StartMainWindow() {
    if (mainStarting_ || mainStarted_) return;
    mainStarting_ = true;
    struct Done {
        Recipe& r;
        ~Done() {
            r.mainStarting_ = false;
            r.mainStarted_ = true;
        }
    } done{*this};
    Interface().Show();
    CalcFrm().Show();
    services::GiveBackFreedMemory();  // the load's buffers and copies, before the window paints
}

SplashFrm& Recipe::Splash() { return splash_(); }
InterfaceFrm& Recipe::Interface() { return interface_(); }
InterfaceFrm& Recipe::InterfaceInstance() { return interface_.Instance(); }
SplashFrm* Recipe::LoadedSplash() const { return splash_.Existing(); }
InterfaceFrm* Recipe::LoadedInterface() const { return interface_.Existing(); }
CalcFrm* Recipe::LoadedCalcFrm() const { return calc_.Existing(); }
EditFrm* Recipe::LoadedEditFrm() const { return edit_.Existing(); }
frmTip* Recipe::LoadedTip() const { return tip_.Existing(); }
SameFrm& Recipe::SameFrm() { return same_(); }
EditFrm& Recipe::EditFrm() { return edit_(); }
SubHeadFrm& Recipe::SubHeadFrm() { return subHead_(); }
frmTip& Recipe::frmTip() { return tip_(); }
frmAbout& Recipe::frmAbout() { return about_(); }
frmEmail& Recipe::frmEmail() { return email_(); }

void Recipe::EnsureMainWindow() {
    if (!interface_.Existing()) interface_();
}

CalcFrm& Recipe::CalcFrm() {
    EnsureMainWindow();
    return calc_();
}
ViewFrm& Recipe::ViewFrm() {
    EnsureMainWindow();
    return view_();
}
DeleteIngFrm& Recipe::DeleteIngFrm() {
    EnsureMainWindow();
    return deleteIng_();
}
frmIngrediant& Recipe::frmIngrediant() {
    EnsureMainWindow();
    return ingrediant_();
}
SearchFrm& Recipe::SearchFrm() { return search_(); }

void Recipe::Load_Ingredients() {
    std::vector<std::string> names;  // sorted for the lists
    if (!readAhead_.TakeIngredients(Ing, names)) {
        if (auto error = Ing.Load()) ReportStoreError(Ing.file(), "read", *error);
        names = SortedListNames(Ing.Ing_Table);
    }
    if (Ing.partialBytes() > 0) {
        const std::uint64_t length = Ing.Count() * kIngRecordSize + Ing.partialBytes();
        services::MsgBox("\"" + Ing.file().filename().string() + "\" is damaged: its " + std::to_string(length) +
                             " bytes are not a whole number of ingredient records of " +
                             std::to_string(kIngRecordSize) + " bytes.\r\n\r\nThe whole records were read (" +
                             std::to_string(Ing.Count()) +
                             "). Before the file is saved, it is kept as it is now beside it under its name "
                             "followed by \"" + std::string(files::kDamagedSuffix) + "\".",
                         services::vbExclamation, "File Problem");
    }
    recipe::CalcFrm& calc = CalcFrm();
    if (!Ing.readFailed() && files::FileLength(Ing.file()) >= 1) {
        calc.IngLst.Clear();
        if (!names.empty()) {
            calc.IngLst.AddItems(names);
            DeleteIngFrm().IngLst.AddItems(std::move(names));
        }
    }
    calc.IngLst.Text("Select Ingredients From This List");
}

bool Recipe::Add_Ing(const IngRecord& rec) {
    if (auto error = Ing.Append(rec)) {
        ReportStoreError(Ing.file(), "written", *error);
        return false;
    }
    AddIngName(rec);
    return true;
}

bool Recipe::Replace_Ing(std::string_view name, const IngRecord& rec) {
    if (auto error = Ing.Replace(name, rec)) {
        ReportStoreError(Ing.file(), "written", *error);
        return false;
    }
    // The last item of that name, as the stored-ingredient screen lists it.
    forms::ListBox& stored = DeleteIngFrm().IngLst;
    int found = -1;
    for (int i = 0; i < stored.ListCount(); ++i)
        if (vb::Trim(stored.List(i)) == vb::Trim(name)) found = i;
    if (found >= 0) RemoveIngItem(found);
    AddIngName(rec);
    IngredientChanged(name);
    return true;
}

bool Recipe::Delete_Ing(std::string_view name, int listIndex) {
    if (auto error = Ing.Remove(name)) {
        ReportStoreError(Ing.file(), "written", *error);
        return false;
    }
    RemoveIngItem(listIndex);
    IngredientChanged(name);
    return true;
}

void Recipe::AddIngName(const IngRecord& rec) {
    const std::string name = ListName(rec);
    CalcFrm().IngLst.AddItem(name);
    DeleteIngFrm().IngLst.AddItem(name);
}

void Recipe::RemoveIngItem(int listIndex) {
    forms::ListBox& stored = DeleteIngFrm().IngLst;
    if (listIndex >= 0 && listIndex < stored.ListCount()) stored.RemoveItem(listIndex);
    forms::ListBox& builder = CalcFrm().IngLst;
    if (listIndex >= 0 && listIndex < builder.ListCount()) builder.RemoveItem(listIndex);
}

void Recipe::IngredientChanged(std::string_view name) {
    if (recipe::CalcFrm* calc = LoadedCalcFrm()) calc->Stored_Ingredient_Changed(name);
}

bool Recipe::Append_Recipe(std::string_view record) {
    if (auto error = Recipes.Append_Recipe(record)) {
        ReportStoreError(Recipes.file(), "written", *error);
        return false;
    }
    return true;
}

bool Recipe::Replace_Recipe(std::string_view name, std::string_view record) {
    if (auto error = Recipes.Replace_Recipe(name, record)) {
        ReportStoreError(Recipes.file(), "written", *error);
        return false;
    }
    return true;
}

bool Recipe::Delete_Recipe(std::string_view name) {
    if (auto error = Recipes.Delete_Recipe(name)) {
        ReportStoreError(Recipes.file(), "written", *error);
        return false;
    }
    return true;
}

bool Recipe::Save_Recipes() {
    if (auto error = Recipes.Save_Recipes()) {
        ReportStoreError(Recipes.file(), "written", *error);
        return false;
    }
    return true;
}

void Recipe::Get_Big_Recipe() {
    if (readAhead_.TakeRecipes(Recipes)) return;
    if (auto error = Recipes.Get_Big_Recipe()) ReportStoreError(Recipes.file(), "read", *error);
}

void Recipe::Load_Recipes() {
    const bool readAhead = Recipes.HasParse();
    std::vector<std::string> names = Recipes.Load_Recipes();
    const std::size_t count = names.size();
    std::vector<std::string> sorted = readAhead ? readAhead_.TakeRecipeNames() : std::vector<std::string>();
    if (sorted.size() != count) sorted = SortedNames(std::move(names));
    ViewFrm().RecipeLst.AddItems(std::move(sorted));
    if (Recipes.damaged()) {
        services::MsgBox("Part of \"" + Recipes.file().filename().string() + "\" could not be read: " +
                             vb::CStr(static_cast<vb::Long>(count)) +
                             " recipes were read before the damaged part.\r\n\r\n"
                             "The unread part is kept in the file as it is, and recipes you save are "
                             "stored ahead of it.",
                         services::vbExclamation, "Stored Recipes");
    }
}

void Recipe::Show_Save_Status() {
    recipe::CalcFrm& calc = CalcFrm();
    if (Changes_Saved) {
        calc.StatusImg.Picture(calc.SavedImg.Picture());
        calc.StatusLbl.Caption("Changes Saved");
    } else {
        calc.StatusImg.Picture(calc.NotSavedImg.Picture());
        calc.StatusLbl.Caption("Changes not Saved");
    }
}

void Recipe::Center_Form(forms::Form& form) {
    const double left = (static_cast<double>(forms::Screen().Width()) - form.Width()) / 2;
    const double top = (static_cast<double>(forms::Screen().Height()) - form.Height()) / 2;
    form.Move(static_cast<vb::Single>(left), static_cast<vb::Single>(top));
}

std::string Recipe::SettingsName() const {
    const std::string& exe = forms::App().EXEName();
    return exe.empty() ? std::string("recipe") : exe;
}

long Recipe::OptionValue(std::string_view key, long defaultValue) const {
    const std::string text = files::GetSetting(SettingsName(), kOptions, key, vb::CStr(static_cast<vb::Long>(defaultValue)));
    if (!vb::IsNumeric(text)) return defaultValue;
    const double v = vb::RoundHalfEven(vb::CDbl(text));
    if (!(std::fabs(v) < 2147483647.0)) return defaultValue;
    return static_cast<long>(v);
}

void Recipe::SaveOption(std::string_view key, std::string_view value) {
    try {
        // A value already stored is not written again (the tip window stores its check box at
        // each start).
        const std::string name = SettingsName();
        if (!value.empty() && files::GetSetting(name, kOptions, key, "") == value) return;
        files::SaveSetting(name, kOptions, key, value);
    } catch (const vb::Error& e) {
        services::MsgBox("The setting \"" + std::string(key) + "\" could not be stored:\r\n" + e.description,
                         services::vbExclamation, "Options");
    }
}

void Recipe::ReportStoreError(const std::filesystem::path& file, std::string_view action, const vb::Error& e) {
    services::MsgBox("\"" + file.filename().string() + "\" could not be " + std::string(action) + ".\r\n\r\n" +
                         e.description,
                     services::vbExclamation, "File Problem");
}

}  // namespace recipe
