#pragma once
// The recipe program: the shared modules' state (the two stores, the flags, the help file) and
// the one instance of each window, created and loaded on first access. The four screens are
// children of the main window, so reaching one loads the main window first.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/error.h"
#include "platform/files/instance.h"
#include "platform/forms/form.h"
#include "recipe/ContextIDs.h"
#include "recipe/Improved.h"
#include "recipe/store/ingstore.h"
#include "recipe/store/readahead.h"
#include "recipe/store/recipestore.h"

namespace recipe {

class SplashFrm;
class InterfaceFrm;
class CalcFrm;
class ViewFrm;
class DeleteIngFrm;
class frmIngrediant;
class SameFrm;
class EditFrm;
class SubHeadFrm;
class frmTip;
class frmAbout;
class SearchFrm;
class frmEmail;

inline constexpr std::string_view kProductName = "Sorvella";
// The windows' icon, found in the data folder as the sound and animations are.
inline constexpr std::string_view kProgramIcon = "images/recipe.xpm";
// The program's home page and its maker.
inline constexpr std::string_view kHomePage = "https://sorvella.example.org/";
inline constexpr std::string_view kMaker = "Lumbreck";
inline constexpr std::string_view kMakerHomePage = "https://lumbreck.example.org/";

// The settings of section "Options".
inline constexpr std::string_view kOptions = "Options";
inline constexpr std::string_view kPlayMusic = "Play music at Startup";
inline constexpr std::string_view kShowTips = "Show Tips at Startup";

class Recipe : public Flags, public ContextIDs {
public:
    Recipe();
    ~Recipe();
    Recipe(const Recipe&) = delete;
    Recipe& operator=(const Recipe&) = delete;

    // The start routine: the splash is the program's first window; its timer shows the main
    // window and the builder. When another instance works on the same data folder it says so and
    // returns without opening a window or touching a file.
    void Main();
    // This start found another instance on its data folder and ended.
    bool AlreadyRunning() const { return alreadyRunning_; }
    // Shows the main window and the recipe builder, once: a second call while the first is
    // still loading the stores, or after it, does nothing.
    void StartMainWindow();
    bool MainWindowStarted() const { return mainStarted_; }

    // The windows. Each access loads the window when it is not loaded.
    SplashFrm& Splash();
    InterfaceFrm& Interface();
    recipe::CalcFrm& CalcFrm();
    recipe::ViewFrm& ViewFrm();
    recipe::DeleteIngFrm& DeleteIngFrm();
    recipe::frmIngrediant& frmIngrediant();
    // The dialogs: each is loaded fresh when it is reached after it was unloaded.
    recipe::SameFrm& SameFrm();
    recipe::EditFrm& EditFrm();
    recipe::SubHeadFrm& SubHeadFrm();
    recipe::frmTip& frmTip();
    recipe::frmAbout& frmAbout();
    // The ingredient search dialog: a fresh one after each time it closes.
    recipe::SearchFrm& SearchFrm();
    recipe::frmEmail& frmEmail();
    // The main window's instance, not loaded by this: the screens name it as their MDI parent.
    InterfaceFrm& InterfaceInstance();
    // The window when it exists; never loads one.
    SplashFrm* LoadedSplash() const;
    InterfaceFrm* LoadedInterface() const;
    recipe::CalcFrm* LoadedCalcFrm() const;
    recipe::EditFrm* LoadedEditFrm() const;
    recipe::frmTip* LoadedTip() const;

    // --- the ingredient store ---
    // Reads "Ing.dat" into the table and both ingredient lists; a file that cannot be read is
    // reported and left alone.
    void Load_Ingredients();
    // Appends a record (its measure kind already set) to the table, adds its trimmed name to both
    // ingredient lists and rewrites the file. False, after a message, when the file was not
    // written; the table and the lists are then as they were.
    bool Add_Ing(const IngRecord& rec);
    // The same in place of the stored ingredient of that name: the old record and its list entry
    // go only when the file holds the new one.
    bool Replace_Ing(std::string_view name, const IngRecord& rec);
    // Removes the stored ingredient of that name and the item at that index of both lists (they
    // hold the same names in the same order), once the file is rewritten without it.
    bool Delete_Ing(std::string_view name, int listIndex);

    // --- the recipe store ---
    // Reads "Recipe.Dat" whole; failures are reported.
    void Get_Big_Recipe();
    // Parses the recipe text into the table and the viewer's list; reports a damaged store.
    void Load_Recipes();

    // Appends a whole record to the store and rewrites the file; false after a message when the
    // record is not sound or the file was not written.
    bool Append_Recipe(std::string_view record);
    // The same, in place of the stored recipes of that name (letter case ignored).
    bool Replace_Recipe(std::string_view name, std::string_view record);
    // Removes the recipes of that name and rewrites the file; false after a message on failure.
    bool Delete_Recipe(std::string_view name);
    bool Save_Recipes();

    // Shows Changes_Saved on the builder's indicator.
    void Show_Save_Status();
    // Centres a window on the screen.
    static void Center_Form(forms::Form& form);

    // A setting of section "Options" read as a whole number; text that is no number gives the
    // default.
    long OptionValue(std::string_view key, long defaultValue) const;
    void SaveOption(std::string_view key, std::string_view value);
    // The settings store's application name: the program's file name.
    std::string SettingsName() const;

    // Reports a failed save or read of a store in a message box.
    void ReportStoreError(const std::filesystem::path& file, std::string_view action, const vb::Error& e);

    IngStore Ing;
    RecipeStore Recipes;

private:
    // The stores, read while the splash shows.
    StoreReadAhead readAhead_;

    void EnsureMainWindow();
    // Both ingredient lists and the builder's choice after a stored ingredient has changed.
    void AddIngName(const IngRecord& rec);
    void RemoveIngItem(int listIndex);
    void IngredientChanged(std::string_view name);
    // Makes the main window and its screens, hidden and not loaded, while the splash waits out
    // its second; the splash's timer then only loads and shows them. Step 0 is the first.
    void PrepareMainWindow(int step);

    // Declared before the windows, so it is dropped after they have gone.
    std::unique_ptr<files::InstanceLock> folderLock_;
    bool alreadyRunning_ = false;

    forms::FormHolder<SplashFrm> splash_;
    forms::FormHolder<InterfaceFrm> interface_;
    forms::FormHolder<recipe::CalcFrm> calc_;
    forms::FormHolder<recipe::ViewFrm> view_;
    forms::FormHolder<recipe::DeleteIngFrm> deleteIng_;
    forms::FormHolder<recipe::frmIngrediant> ingrediant_;
    forms::FormHolder<recipe::SameFrm> same_;
    forms::FormHolder<recipe::EditFrm> edit_;
    forms::FormHolder<recipe::SubHeadFrm> subHead_;
    forms::FormHolder<recipe::frmTip> tip_;
    forms::FormHolder<recipe::frmAbout> about_;
    forms::FormHolder<recipe::SearchFrm> search_;
    forms::FormHolder<recipe::frmEmail> email_;
    bool mainStarting_ = false;
    bool mainStarted_ = false;
};

}  // namespace recipe
