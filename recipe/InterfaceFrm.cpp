#include "recipe/InterfaceFrm.h"

#include <vector>

#include "platform/services/dialogs.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/ingredients/DeleteIngFrm.h"
#include "recipe/Recipe.h"
#include "recipe/side/SplashFrm.h"
#include "recipe/viewer/ViewFrm.h"
#include "recipe/side/frmAbout.h"
#include "recipe/ingredients/frmIngrediant.h"
#include "recipe/side/frmTip.h"

namespace recipe {

namespace {

constexpr vb::Long kTitleBand = 0x705020;  // dark blue-grey behind the screen's title
constexpr vb::Single kBarHeight = 720;    // menus and tools
constexpr vb::Single kTitleHeight = 540;

struct ToolSpec {
    const char* name;
    const char* caption;
    const char* tip;
    const char* band;
};

// On the tool bar (band ""), then the File and Help menus of the bar's menu bar.
constexpr ToolSpec kTools[] = {
    {"NewRecipe", "Analyze Recipe", "Click here to Create and Analyze a New Recipe", ""},
    {"Recipes", "Stored Recipes", "Click to View , Print , or Edit Your Saved Recipes", ""},
    {"AddIngredient", "New Ingredient", "Click to Add a New Ingredient ", ""},
    {"StoredIngredients", "Stored Ingredients", "Click to View, Edit, or Delete Your Stored Ingredient List", ""},
    {"Exit", "Exit", "Exit Sorvella", ""},
    {"PrintTool", "Print Recipes", "", "File"},
    {"Email", "Email Recipes", "Email Selected Recipe", "File"},
    {"FileExit", "Exit", "", "File"},
    {"mnuTips", "Show Tips At StartUp", "", "Help"},
    {"mnuMusic", "Play Music on Start", "", "Help"},
    {"Contents", "Contents", "", "Help"},
    {"AboutTool", "About Sorvella", "", "Help"},
};

}  // namespace

InterfaceFrm::InterfaceFrm(Recipe& app) : forms::Form("InterfaceFrm"), app(app) {
    Caption(std::string(kProductName));
    Icon(std::string(kProgramIcon));
    MDIForm(true);
    BackColor(0x8C8C8C);
    // As large as its load makes it, so a window made ahead of the load has its final size.
    Move(0, 0, forms::Screen().Width(), forms::Screen().Height());

    for (const auto& t : kTools) TopBar.AddTool(t.name).Caption(t.caption).ToolTipText(t.tip).Band(t.band);
    TopBar.Tools("Exit").BeginGroup(true);
    TopBar.Tools("FileExit").BeginGroup(true);
    TopBar.Tools("Contents").BeginGroup(true);
    // Both start at the top, so the screens sit below the whole band.
    Picture1.BorderStyle(0).Move(0, 0, 15360, kBarHeight + kTitleHeight);
    shpTitle.BorderStyle(0)
        .BackStyle(forms::vbOpaque)
        .FillStyle(forms::vbFSSolid)
        .FillColor(kTitleBand)
        .Move(0, kBarHeight, 15360, kTitleHeight);
    TopLbl.Caption("Recipe / Diet Analysis Screen")
        .Alignment(forms::vbCenter)
        .BackStyle(forms::vbTransparent)
        .FontName("Arial")
        .FontSize(14.25f)
        .FontBold(true)
        .ForeColor(forms::vbWhite)
        .Move(0, kBarHeight + 75, 15360, kTitleHeight - 120);
    TopBar.Move(0, 0, 15360, kBarHeight);
    TopBar.ZOrder(forms::vbBringToFront);

    tmrStopSplash.Interval(100).Enabled(true);

    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    Resize = [this] { Form_Resize(); };
    QueryUnload = [this](Integer& Cancel, Integer UnloadMode) { Form_QueryUnload(Cancel, UnloadMode); };
    Unload = [this](Integer& Cancel) { Form_Unload(Cancel); };
    TopBar.ToolClick = [this](const forms::Tool& Tool) { TopBar_ToolClick(Tool); };
    tmrStopSplash.Tick = [this] { tmrStopSplash_Timer(); };
}

void InterfaceFrm::Form_Load() {
    forms::Screen().MousePointer(forms::vbHourglass);
    app.Init_Help(0);
    Move(0, 0, forms::Screen().Width(), forms::Screen().Height());
    TopBar.Tools("mnuMusic").Checked(app.OptionValue(kPlayMusic, 1) != 0);
    forms::Load(app.frmIngrediant());  // its load places it at the builder, which loads the builder
    app.CalcFrm().Hide();
    app.Load_Ingredients();
    app.Get_Big_Recipe();
    app.ViewFrm().Hide();  // its load parses the recipe text
    forms::Screen().MousePointer(forms::vbDefault);
}

void InterfaceFrm::Form_Resize() {
    const Single w = ScaleWidth();
    TopBar.Width(w);
    Picture1.Width(w);
    shpTitle.Width(w);
    TopLbl.Width(w);
}

void InterfaceFrm::Form_Activate() {
    const long t = app.OptionValue(kShowTips, 1);
    TopBar.Tools("mnuTips").Checked(t == 1);
    // Once: a tip window already open is not pulled in front of the main window again.
    if (!app.Tips_Shown && t != 0 && !app.LoadedTip()) app.frmTip().Show();
}

void InterfaceFrm::tmrStopSplash_Timer() {
    if (SplashFrm* splash = app.LoadedSplash()) forms::Unload(*splash);
    tmrStopSplash.Enabled(false);
}

// The tools, File Exit, the close box and the end of the session all come here. A recipe on the
// builder that is not saved would go with the program: the user decides first.
void InterfaceFrm::Form_QueryUnload(Integer& Cancel, Integer /*UnloadMode*/) {
    const recipe::CalcFrm* calc = app.LoadedCalcFrm();
    if (app.Changes_Saved || !calc || !calc->HoldsRecipe()) return;
    if (services::MsgBox("The recipe has changes that are not saved. Exit anyway?",
                         services::vbYesNo | services::vbQuestion | services::vbDefaultButton2, "Exit?") != services::vbYes)
        Cancel = 1;
}

void InterfaceFrm::Form_Unload(Integer& Cancel) {
    app.Quit_Help();
    // The program ends with its main window.
    std::vector<forms::Form*> others;
    for (forms::Form* f : forms::Forms())
        if (f != this && f->MDIParent() != this) others.push_back(f);
    for (forms::Form* f : others)
        if (f->IsLoaded()) forms::Unload(*f);
}

void InterfaceFrm::TopBar_ToolClick(const forms::Tool& Tool) {
    const std::string& name = Tool.Name();
    if (name == "NewRecipe") {
        ShowBuilder();
    } else if (name == "Recipes" || name == "PrintTool" || name == "Email") {
        ShowRecipes();
    } else if (name == "AddIngredient") {
        ShowWizard();
    } else if (name == "StoredIngredients") {
        ShowStoredIngredients();
    } else if (name == "Exit" || name == "FileExit") {
        forms::Unload(*this);
    } else if (name == "mnuTips") {
        ToggleOption("mnuTips", kShowTips);
    } else if (name == "mnuMusic") {
        ToggleOption("mnuMusic", kPlayMusic);
    } else if (name == "Contents") {
        app.Show_Help(kHelpContents);
    } else if (name == "AboutTool") {
        frmAbout& about = app.frmAbout();
        about.ShowModal();
        if (about.IsLoaded()) forms::Unload(about);
    }
}

void InterfaceFrm::ShowBuilder() {
    app.DeleteIngFrm().Hide();
    app.ViewFrm().Hide();
    app.frmIngrediant().Hide();
    app.CalcFrm().Show();
    TopLbl.Caption("Recipe / Diet Analysis Screen");
}

void InterfaceFrm::ShowRecipes() {
    forms::Screen().MousePointer(forms::vbHourglass);
    TopLbl.Caption("Stored Recipes Screen");
    app.DeleteIngFrm().Hide();
    app.frmIngrediant().Hide();
    app.CalcFrm().Hide();
    app.ViewFrm().Show();
    forms::Screen().MousePointer(forms::vbDefault);
    if (!Recipes_Shown && app.ViewFrm().RecipeLst.ListCount() >= 1) app.ViewFrm().RecipeLst.ListIndex(0);
    Recipes_Shown = true;
}

void InterfaceFrm::ShowWizard() {
    app.DeleteIngFrm().Hide();
    app.CalcFrm().Hide();
    app.ViewFrm().Hide();
    app.frmIngrediant().Show();
    TopLbl.Caption("Add / Edit Ingredient Screen");
}

void InterfaceFrm::ShowStoredIngredients() {
    app.DeleteIngFrm().Show();
    app.ViewFrm().Hide();
    app.frmIngrediant().Hide();
    app.CalcFrm().Hide();
    TopLbl.Caption("Stored Ingredient Screen");
}

void InterfaceFrm::ToggleOption(const char* tool, std::string_view setting) {
    forms::Tool& t = TopBar.Tools(tool);
    t.Checked(!t.Checked());
    app.SaveOption(setting, t.Checked() ? "1" : "0");
}

}  // namespace recipe
