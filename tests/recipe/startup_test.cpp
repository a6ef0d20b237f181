// Starting the recipe program: the splash and its timers, the stores read while it shows and loaded,
// the main window and its screens, the two start-up settings, and shutting down.
#include <functional>

#include "recipe/store/readahead.h"
#include "support/file_checks.h"
#include "viewer_steps.h"

namespace {

using recipetest::Example;
using recipetest::Ing;
using recipetest::Program;
namespace g = recipe::grammar;
namespace fs = std::filesystem;

std::string Record(const std::string& name) {
    return g::RecipeRecord(name, "2", {g::IngredientLine("Oats", true, "1", "cup")}, "Boil.");
}

class Startup : public Program {};

TEST_F(Startup, SplashThenMainWindowWithTheEmptyBuilder) {
    WriteIngredients({Ing("Walnuts"), Ing("apple"), Ing("Milk")});
    const std::string recipes = Record("Porridge") + Record("Apple pie") + "\r\n";
    WriteRecipes(recipes);
    const std::string ingBytes = Bytes(Data("Ing.dat"));

    Start();
    recipe::SplashFrm& splash = app->Splash();
    EXPECT_TRUE(splash.Visible());
    EXPECT_EQ(splash.Left(), (forms::Screen().Width() - splash.Width()) / 2);
    EXPECT_EQ(splash.Top(), (forms::Screen().Height() - splash.Height()) / 2);
    EXPECT_EQ(splash.MousePointer(), forms::vbHourglass);
    EXPECT_FALSE(splash.Gif89a2.Visible());
    EXPECT_EQ(app->LoadedInterface(), nullptr);

    host.Advance(1000);  // the second animation, and the main window after the first paint
    EXPECT_TRUE(splash.Gif89a2.Visible());
    EXPECT_FALSE(splash.TwoTmr.Enabled());
    ASSERT_NE(app->LoadedInterface(), nullptr);
    EXPECT_TRUE(main().Visible());
    EXPECT_EQ(main().Caption(), "Sorvella");
    EXPECT_EQ(main().Left(), 0);
    EXPECT_EQ(main().Top(), 0);
    EXPECT_EQ(main().Width(), forms::Screen().Width());
    EXPECT_EQ(main().Height(), forms::Screen().Height());
    EXPECT_TRUE(calc().Visible());
    EXPECT_EQ(calc().MDIParent(), &main());
    EXPECT_EQ(main().TopLbl.Caption(), "Recipe / Diet Analysis Screen");
    EXPECT_EQ(forms::Screen().MousePointer(), forms::vbDefault);

    // Both stores loaded: the lists sorted, the table in file order, the names of the recipes.
    EXPECT_EQ(Items(calc().IngLst), (std::vector<std::string>{"apple", "Milk", "Walnuts"}));
    EXPECT_EQ(Items(app->DeleteIngFrm().IngLst), (std::vector<std::string>{"apple", "Milk", "Walnuts"}));
    EXPECT_EQ(recipe::ListName(app->Ing.Ing_Table[0]), "Walnuts");
    EXPECT_EQ(app->Recipes.Recipe_Text(), Record("Porridge") + Record("Apple pie"));
    EXPECT_EQ(Items(app->ViewFrm().RecipeLst), (std::vector<std::string>{"Apple pie", "Porridge"}));
    EXPECT_FALSE(app->ViewFrm().Visible());
    EXPECT_FALSE(app->frmIngrediant().Visible());

    // The empty builder: one serving, nothing saved.
    EXPECT_EQ(calc().IngLst2.Text(), "Select From This List");
    EXPECT_FALSE(calc().IngLst.Visible());
    EXPECT_EQ(calc().ServingsLbl.Caption(), "1");
    EXPECT_EQ(calc().StatusLbl.Caption(), "Changes not Saved");
    EXPECT_EQ(calc().R_IngLst.ListCount(), 0);
    EXPECT_EQ(calc().Top(), 20);
    EXPECT_EQ(calc().Caption(), "");

    host.Advance(100);  // the splash goes, with the start-up sound
    EXPECT_EQ(app->LoadedSplash(), nullptr);
    ASSERT_EQ(host.DesktopCalls().size() >= 1, true);
    const auto& sound = host.DesktopCalls().back();
    EXPECT_EQ(sound.kind, "sound");
    EXPECT_EQ(sound.target, "LV6.wav");
    EXPECT_EQ(sound.number, 1) << "the program waits for the music";
    EXPECT_TRUE(main().TopBar.Tools("mnuTips").Checked());
    EXPECT_TRUE(main().TopBar.Tools("mnuMusic").Checked());
    EXPECT_TRUE(host.MsgBoxes().empty()) << host.MsgBoxes().at(0).prompt;

    // Nothing was written.
    EXPECT_EQ(Bytes(Data("Ing.dat")), ingBytes);
    EXPECT_EQ(Bytes(Data("Recipe.Dat")), recipes);
    EXPECT_FALSE(fs::exists(Data("Ing.bak")));
    EXPECT_FALSE(fs::exists(Data("Recipe.bak")));
}

TEST_F(Startup, MissingStoresAreCreatedEmpty) {
    Open();
    EXPECT_EQ(calc().IngLst.ListCount(), 0);
    EXPECT_EQ(app->ViewFrm().RecipeLst.ListCount(), 0);
    EXPECT_TRUE(fs::exists(Data("Ing.dat")));
    EXPECT_TRUE(fs::exists(Data("Recipe.Dat")));
    EXPECT_EQ(Bytes(Data("Ing.dat")), "");
    EXPECT_EQ(Bytes(Data("Recipe.Dat")), "");
    EXPECT_TRUE(host.MsgBoxes().empty());
}

TEST_F(Startup, TheSettingsDecideSoundAndCheckMarks) {
    const struct {
        const char* name;
        const char* music;  // nullptr: not stored
        const char* tips;
        bool sound, musicChecked, tipsChecked;
    } rows[] = {
        {"nothing stored", nullptr, nullptr, true, true, true},
        {"music off", "0", "1", false, false, true},
        {"tips off", "1", "0", true, true, false},
        // The tip window opens and its ticked check box stores "1", which the check mark then shows.
        {"any other number is on", "2", "2", true, true, true},
        {"text that is no number keeps the default", "loud", "1", true, true, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        files::DeleteSetting("recipe", "Options");
        if (r.music) SetOption("Play music at Startup", r.music);
        if (r.tips) SetOption("Show Tips at Startup", r.tips);
        const std::size_t callsBefore = host.DesktopCalls().size();
        Open();
        bool played = false;
        for (std::size_t i = callsBefore; i < host.DesktopCalls().size(); ++i)
            played = played || host.DesktopCalls()[i].kind == "sound";
        EXPECT_EQ(played, r.sound);
        EXPECT_EQ(main().TopBar.Tools("mnuMusic").Checked(), r.musicChecked);
        EXPECT_EQ(main().TopBar.Tools("mnuTips").Checked(), r.tipsChecked);
        TearDown();
    }
}

TEST_F(Startup, OptionToolsFlipTheirCheckMarkAndStoreIt) {
    Open();
    const struct {
        const char* tool;
        const char* setting;
    } rows[] = {{"mnuMusic", "Play music at Startup"}, {"mnuTips", "Show Tips at Startup"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.tool);
        drive::ClickTool(main().TopBar, r.tool);
        EXPECT_FALSE(main().TopBar.Tools(r.tool).Checked());
        EXPECT_EQ(Option(r.setting), "0");
        drive::ClickTool(main().TopBar, r.tool);
        EXPECT_TRUE(main().TopBar.Tools(r.tool).Checked());
        EXPECT_EQ(Option(r.setting), "1");
    }
}

TEST_F(Startup, EachToolShowsOneScreenAndNamesIt) {
    WriteRecipes(Record("Porridge") + "\r\n");
    Open();
    const struct {
        const char* tool;
        const char* title;
        const char* screen;
    } rows[] = {
        {"Recipes", "Stored Recipes Screen", "ViewFrm"},
        {"AddIngredient", "Add / Edit Ingredient Screen", "frmIngrediant"},
        {"StoredIngredients", "Stored Ingredient Screen", "DeleteIngFrm"},
        {"PrintTool", "Stored Recipes Screen", "ViewFrm"},
        {"Email", "Stored Recipes Screen", "ViewFrm"},
        {"NewRecipe", "Recipe / Diet Analysis Screen", "CalcFrm"},
        {"AboutTool", "Recipe / Diet Analysis Screen", "CalcFrm"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.tool);
        drive::ClickTool(main().TopBar, r.tool);
        EXPECT_EQ(main().TopLbl.Caption(), r.title);
        std::vector<std::string> visible;
        for (forms::Form* f : main().MDIChildren())
            if (f->Visible()) visible.push_back(f->Name());
        EXPECT_EQ(visible, std::vector<std::string>{r.screen});
    }
    EXPECT_TRUE(main().Recipes_Shown);
    EXPECT_EQ(app->ViewFrm().RecipeLst.ListIndex(), 0) << "the first visit selects the first recipe";
}

// Every screen's Nutrition Facts panel answers to its names in the screen's controls: the box in the
// screen's frame, the value labels inside it, the name label above it or in it; the ingredient
// screens stand their panel where the builder's stands.
TEST_F(Startup, EveryScreenHoldsItsPanelByName) {
    Open();
    const forms::Control& builderBox = app->CalcFrm().picFacts;
    const struct Row {
        const forms::Form& form;
        const char* box;
        const char* title;
        int titleIndex;
        bool nameInBox;
        bool secondMeasure;
        vb::Long back;
    } rows[] = {
        {app->CalcFrm(), "picFacts", "Label8", -1, false, false, forms::vbWhite},
        {app->ViewFrm(), "Picture1", "Label4", -1, true, false, forms::vbWhite},
        {app->frmIngrediant(), "picFacts", "lblCaption", 0, false, true, forms::vbWhite},
        {app->DeleteIngFrm(), "picFacts", "lblCaption", 0, false, true, 0xC0FFFF},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.form.Name());
        const auto* box = dynamic_cast<const forms::PictureBox*>(r.form.FindControl(r.box));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->BackColor(), r.back);
        const auto* title = dynamic_cast<const forms::Label*>(r.form.FindControl(r.title, r.titleIndex));
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->Caption(), " Nutrition Facts");
        EXPECT_EQ(title->Container(), box);
        const forms::Control* name = r.form.FindControl("lblName");
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->Container() == box, r.nameInBox);
        for (const char* value : {"lbl1M", "lblCals", "lblFCals", "lblFg", "lblFP", "lblSFg", "lblSFP", "lblCg",
                                  "lblCP", "lblSg", "lblSP", "lblTCg", "lblTCP", "lblTFg", "lblTFP", "lblPg", "lblPP"}) {
            const forms::Control* c = r.form.FindControl(value);
            ASSERT_NE(c, nullptr) << value;
            EXPECT_EQ(c->Kind(), forms::ControlKind::Label) << value;
            EXPECT_EQ(c->Container(), box) << value;
        }
        EXPECT_EQ(r.form.FindControl("lbl2M") != nullptr, r.secondMeasure);
        if (!r.nameInBox) {
            EXPECT_EQ(box->Left(), builderBox.Left());
            EXPECT_EQ(box->Top(), builderBox.Top());
            EXPECT_EQ(name->Top(), app->CalcFrm().lblName.Top());
        }
    }
}

TEST_F(Startup, TheSplashTimerShowsTheMainWindowOnce) {
    Start();
    recipe::SplashFrm& splash = app->Splash();
    host.Advance(1000);
    EXPECT_FALSE(splash.SplashTmr.Enabled());
    drive::ClickTool(app->Interface().TopBar, "StoredIngredients");
    splash.Refresh();  // a later paint starts nothing again
    EXPECT_FALSE(splash.SplashTmr.Enabled());
    app->StartMainWindow();  // nor does a second start
    EXPECT_EQ(main().TopLbl.Caption(), "Stored Ingredient Screen");
    EXPECT_FALSE(calc().Visible());
}

TEST_F(Startup, ADamagedRecipeStoreIsReadUpToTheDamageAndKept) {
    const std::string bytes = Record("Porridge") + Record("Stew").substr(0, 12) + "\r\n";
    WriteRecipes(bytes);
    Open();
    EXPECT_EQ(Items(app->ViewFrm().RecipeLst), (std::vector<std::string>{"Porridge"}));
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "Stored Recipes");
    EXPECT_NE(host.MsgBoxes()[0].prompt.find("1 recipes were read"), std::string::npos);
    EXPECT_EQ(Bytes(Data("Recipe.Dat")), bytes);
}

TEST_F(Startup, AnUnreadableIngredientStoreIsReported) {
    fs::create_directory(Data("Ing.dat"));
    Open();
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "File Problem");
    EXPECT_EQ(calc().IngLst.ListCount(), 0);
    EXPECT_TRUE(fs::is_directory(Data("Ing.dat")));
}

TEST_F(Startup, ANarrowScreenGetsTheHelpfulTipOnce) {
    host.SetScreen(640 * 15, 480 * 15);
    Open();
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "Helpful Tip");
    EXPECT_EQ(host.MsgBoxes()[0].prompt,
              "This program runs best at screen resolutions of 800x600 or greater.\r\nIf you don't know how "
              "to change to this, consult Windows Help under SCREEN RESOLUTION, CHANGING.");
    EXPECT_EQ(host.MsgBoxes()[0].style, 64);
}

TEST_F(Startup, ExitEndsTheProgramAndClosesHelp) {
    Open();
    drive::ClickTool(main().TopBar, "Contents");
    ASSERT_EQ(host.DesktopCalls().back().kind, "help");
    EXPECT_EQ(host.DesktopCalls().back().data, 340);
    drive::ClickTool(main().TopBar, "Exit");
    EXPECT_EQ(app->LoadedInterface(), nullptr);
    EXPECT_EQ(host.DesktopCalls().back().kind, "help");
    EXPECT_EQ(host.DesktopCalls().back().number, 2);
    EXPECT_TRUE(host.ProgramEnded());
}

// Every way out asks first while the builder holds a recipe that is not saved; No keeps the
// program and the recipe as they were. No way out writes a store or a setting.
class Shutdown : public recipetest::Viewer {
protected:
    void SetUp() override {
        SetOption("Show Tips at Startup", "0");
        WriteIngredients({recipetest::Flour(), recipetest::Egg()});
    }
    void BringBackPancakes() {
        OpenViewer();
        Choose("Pancakes");
        ViewTool("Edit");
    }
};

TEST_F(Shutdown, ExitAsksOnlyForARecipeNotSaved) {
    const struct {
        const char* name;
        std::function<void()> exit;
    } ways[] = {
        {"Exit tool", [this] { drive::ClickTool(main().TopBar, "Exit"); }},
        {"File Exit", [this] { drive::ClickTool(main().TopBar, "FileExit"); }},
        {"close box", [this] { drive::CloseForm(main()); }},
        {"end of the session", [this] { forms::Unload(main(), forms::vbAppWindows); }},
    };
    const struct {
        const char* state;
        std::function<void()> make;
        int answer;  // 0: no question expected
        bool stays;
    } rows[] = {
        {"empty builder", [] {}, 0, false},
        {"only blanks typed", [this] { Name("   "); Directions("  "); }, 0, false},
        {"a line, answered No", [this] { AddLine("Flour", 1, 0, "cup"); }, services::vbNo, true},
        {"a name, answered Yes", [this] { Name("Soup"); }, services::vbYes, false},
        {"saved", [this] { Name("Soup"); AddLine("Flour", 1, 0, "cup"); Directions("Stir."); Save(); }, 0, false},
        {"typed after the save", [this] { Name("Soup"); AddLine("Flour", 1, 0, "cup"); Directions("Stir."); Save();
                                          Directions(" Serve."); }, services::vbNo, true},
        {"brought back from the viewer", [this] { BringBackPancakes(); }, 0, false},
        {"brought back, then servings", [this] { BringBackPancakes(); Servings(13); }, services::vbNo, true},
    };
    for (const auto& w : ways) {
        for (const auto& r : rows) {
            SCOPED_TRACE(std::string(w.name) + ", " + r.state);
            WriteRecipes(recipetest::kPancakes + "\r\n");
            Open();
            r.make();
            const auto files = testsupport::FilesUnder(env.Root());
            const std::vector<std::string> before{calc().NameTxt.Text(), calc().DirectionsTxt.Text(),
                                                  calc().StatusLbl.Caption(), calc().ServingsLbl.Caption()};
            const auto lines = Items(calc().InvisLst);
            const std::size_t asked = host.MsgBoxes().size();
            if (r.answer) host.AnswerMsgBox(r.answer);
            w.exit();
            if (r.answer) {
                ASSERT_EQ(host.MsgBoxes().size(), asked + 1);
                const auto& box = host.MsgBoxes().back();
                EXPECT_EQ(box.prompt, "The recipe has changes that are not saved. Exit anyway?");
                EXPECT_EQ(box.title, "Exit?");
                EXPECT_EQ(box.style, services::vbYesNo | services::vbQuestion | services::vbDefaultButton2);
            } else {
                EXPECT_EQ(host.MsgBoxes().size(), asked);
            }
            EXPECT_EQ(app->LoadedInterface() != nullptr, r.stays);
            if (r.stays) {
                EXPECT_TRUE(calc().Visible());
                EXPECT_EQ((std::vector<std::string>{calc().NameTxt.Text(), calc().DirectionsTxt.Text(),
                                                    calc().StatusLbl.Caption(), calc().ServingsLbl.Caption()}),
                          before);
                EXPECT_EQ(Items(calc().InvisLst), lines);
            }
            EXPECT_EQ(testsupport::FilesUnder(env.Root()), files);
            Quit();
        }
    }
}

// The stores read while the splash shows: what was read ahead is taken only when it is a store's
// whole and current content; anything else is read where the main window's load reads it, and
// its messages come there, after the splash's second, as they always did.
class ReadAhead : public Program {};

TEST_F(ReadAhead, TakesWholeStoresOnce) {
    WriteIngredients({Ing("Walnuts"), Ing("  apple"), Ing("Milk"), Ing("apple")});
    WriteRecipes(Record("Stew") + Record("apple pie") + Record("Apple pie") + "\r\n");
    recipe::StoreReadAhead ahead;
    ahead.Start(Data("Ing.dat"), Data("Recipe.Dat"));

    recipe::IngStore ing(Data("Ing.dat"));
    std::vector<std::string> names;
    ASSERT_TRUE(ahead.TakeIngredients(ing, names));
    EXPECT_EQ(names, (std::vector<std::string>{"apple", "apple", "Milk", "Walnuts"}));
    ASSERT_EQ(ing.Count(), 4u);
    EXPECT_EQ(ing.Ing_Table[1].Name.str(), "apple" + std::string(55, ' ')) << "trimmed as a load trims";
    EXPECT_FALSE(ahead.TakeIngredients(ing, names)) << "once";

    recipe::RecipeStore recipes(Data("Recipe.Dat"));
    ASSERT_TRUE(ahead.TakeRecipes(recipes));
    EXPECT_EQ(recipes.Recipe_Text(), Record("Stew") + Record("apple pie") + Record("Apple pie"));
    EXPECT_TRUE(recipes.HasParse());
    EXPECT_EQ(recipes.Load_Recipes(), (std::vector<std::string>{"Stew", "apple pie", "Apple pie"}));
    EXPECT_FALSE(recipes.HasParse());
    EXPECT_EQ(ahead.TakeRecipeNames(), (std::vector<std::string>{"apple pie", "Apple pie", "Stew"}));
    EXPECT_FALSE(ahead.TakeRecipes(recipes)) << "once";
}

TEST_F(ReadAhead, LeavesToTheUsualPlaceWhatIsNotWhole) {
    const struct {
        const char* name;
        std::string ing, recipes;  // "-": no file
        bool ingTaken, recipesTaken;
    } rows[] = {
        {"missing", "-", "-", false, false},
        {"empty", "", "", true, true},
        {"a partial ingredient record", recipe::encode(Ing("Milk")) + "xx", Record("Stew"), false, true},
        {"a damaged recipe store", recipe::encode(Ing("Milk")), Record("Stew") + "\xAE" "Cut", true, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        std::error_code ec;
        fs::remove(Data("Ing.dat"), ec);
        fs::remove(Data("Recipe.Dat"), ec);
        if (r.ing != "-") drive::TempEnvironment::WriteFile(Data("Ing.dat"), r.ing);
        if (r.recipes != "-") WriteRecipes(r.recipes);
        recipe::StoreReadAhead ahead;
        ahead.Start(Data("Ing.dat"), Data("Recipe.Dat"));
        recipe::IngStore ing(Data("Ing.dat"));
        std::vector<std::string> names;
        recipe::RecipeStore recipes(Data("Recipe.Dat"));
        EXPECT_EQ(ahead.TakeIngredients(ing, names), r.ingTaken);
        EXPECT_EQ(ahead.TakeRecipes(recipes), r.recipesTaken);
        EXPECT_EQ(fs::exists(Data("Ing.dat")), r.ing != "-") << "reading ahead makes no file";
    }
}

// The messages of damaged stores come when the main window loads, after the splash's second.
TEST_F(ReadAhead, StoreMessagesStillComeWithTheMainWindow) {
    drive::TempEnvironment::WriteFile(Data("Ing.dat"), recipe::encode(Ing("Milk")) + "xx");
    WriteRecipes(Record("Stew") + Record("Soup").substr(0, 9) + "\r\n");
    Start();
    host.Advance(999);
    EXPECT_TRUE(host.MsgBoxes().empty());
    EXPECT_EQ(app->LoadedInterface(), nullptr);
    host.Advance(1);
    ASSERT_EQ(host.MsgBoxes().size(), 2u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "File Problem");
    EXPECT_EQ(host.MsgBoxes()[1].title, "Stored Recipes");
    EXPECT_EQ(Items(calc().IngLst), std::vector<std::string>{"Milk"});
    EXPECT_EQ(Items(app->ViewFrm().RecipeLst), std::vector<std::string>{"Stew"});
}

// A store written again while the splash shows is read as it is when the main window loads.
TEST_F(ReadAhead, AStoreChangedMeanwhileIsReadAgain) {
    WriteIngredients({Ing("Milk")});
    WriteRecipes(Record("Stew") + "\r\n");
    Start();
    WriteIngredients({Ing("Oats"), Ing("Barley")});
    WriteRecipes(Record("Stew") + Record("Porridge") + "\r\n");
    host.Advance(1000);
    EXPECT_EQ(Items(calc().IngLst), (std::vector<std::string>{"Barley", "Oats"}));
    EXPECT_EQ(Items(app->ViewFrm().RecipeLst), (std::vector<std::string>{"Porridge", "Stew"}));
    EXPECT_TRUE(host.MsgBoxes().empty());
}

TEST(HelpFile, BesideTheProgramWithOneSeparator) {
    EXPECT_EQ(recipe::HelpFilePath("/opt/sorvella"), "/opt/sorvella/Sorvella Help.HLP");
    EXPECT_EQ(recipe::HelpFilePath("/"), "/Sorvella Help.HLP");
    EXPECT_EQ(recipe::HelpFilePath("C:\\"), "C:\\Sorvella Help.HLP");
}

}  // namespace
