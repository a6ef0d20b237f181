// Editing the recipe's lines: the line-edit dialog's Replace, Insert and Delete with the totals
// following (checked against hand-computed values), and headings from the sub-heading dialog.
#include <algorithm>

#include "builder_steps.h"
#include "platform/core/convert.h"

namespace {

using recipetest::Example;
using recipetest::FractionLine;
using recipetest::HeadingBytes;
using recipetest::Ing;

// A cup of it is 300 g of fat.
recipe::IngRecord Oil() {
    return recipetest::With(Ing("Oil"), {.Fat = 300});
}

constexpr auto kReplace = &recipe::EditFrm::EditCmd;
constexpr auto kDelete = &recipe::EditFrm::DeleteCmd;
constexpr auto kInsert = &recipe::EditFrm::InsertCmd;
constexpr auto kCancel = &recipe::EditFrm::CancelCmd;

std::string Cups(int n) { return std::to_string(n) + "  cup     Example"; }

class Lines : public recipetest::Session {
protected:
    void SetUp() override {
        SetOption("Show Tips at Startup", "0");
        WriteIngredients({Example(), Oil()});
        Open();
    }
    // Lines of 1, 2, 3, 4 and 5 cups, at positions 0 to 4.
    void FiveLines() {
        for (int n = 1; n <= 5; ++n) AddLine("Example", n, 0, "cup");
    }
    // The panel of a recipe of n cups of Example (12 g fat, 4.8 saturated, 30 mg cholesterol,
    // 480 mg sodium, 24 g carbohydrate, 6 g fiber and 6 g protein a cup), for one serving.
    static std::vector<std::string> PanelOfCups(int n) {
        auto g = [](double v) { return vb::CStr(static_cast<vb::Single>(v)) + "g"; };
        const int fatCal = 108 * n;
        return {std::to_string(96 * n + fatCal + 24 * n), std::to_string(fatCal), g(12.0 * n),
                std::to_string(30 * n) + "mg", g(6.0 * n), g(6.0 * n), g(4.8 * n)};
    }
    std::vector<std::string> Totals() {
        auto& c = calc();
        return {c.lblCals.Caption(), c.lblFCals.Caption(), c.lblFg.Caption(), c.lblCg.Caption(),
                c.lblPg.Caption(),   c.lblTFg.Caption(),  c.lblSFg.Caption()};
    }
};

TEST_F(Lines, ReplaceTakesTheLineOutAndTheNextIngredientTakesItsPlace) {
    FiveLines();
    std::string shown;
    host.OnModal("EditFrm", [&](forms::Form& f) {
        auto& d = static_cast<recipe::EditFrm&>(f);
        shown = d.InsertLbl.Caption();
        EXPECT_EQ(d.Caption(), "Edit Window");
        EXPECT_EQ(d.Frame1.Caption(), "Selected Ingredient");
        EXPECT_EQ(d.ActiveControl(), &d.EditCmd);
        drive::Click(d.EditCmd);
    });
    drive::ChooseItem(calc().R_IngLst, 2);
    EXPECT_EQ(shown, Cups(3));
    EXPECT_EQ(Items(calc().R_IngLst), (std::vector<std::string>{Cups(1), Cups(2), Cups(4), Cups(5)}));
    EXPECT_EQ(calc().InvisLst.ListCount(), 4);
    EXPECT_EQ(Totals(), PanelOfCups(12));
    EXPECT_EQ(calc().R_IngLst.Text(), "");
    EXPECT_TRUE(app->Edit_Line_Mode);
    EXPECT_FALSE(app->Delete_Line_Mode);
    EXPECT_EQ(app->Insert_Index, 2);

    // Add refuses until an ingredient is chosen again; then the line goes in at position 2.
    Add();
    EXPECT_EQ(host.MsgBoxes().back().title, "Nothing Selected");
    AddLine("Example", 6, 0, "cup");
    EXPECT_EQ(Items(calc().R_IngLst), (std::vector<std::string>{Cups(1), Cups(2), Cups(6), Cups(4), Cups(5)}));
    EXPECT_EQ(calc().InvisLst.List(2), FractionLine("Example", "6", "cup"));
    EXPECT_EQ(Totals(), PanelOfCups(18));
    EXPECT_FALSE(app->Edit_Line_Mode);
    // The next add appends again.
    AddLine("Example", 7, 0, "cup");
    EXPECT_EQ(calc().R_IngLst.List(5), Cups(7));
}

TEST_F(Lines, InsertPutsTheNextLineAfterTheClickedOne) {
    FiveLines();
    calc().IngLst.Text("");
    EditLine(1, kInsert);
    EXPECT_TRUE(app->Insert_Line_Mode);
    EXPECT_EQ(app->Insert_Index, 2);
    EXPECT_EQ(calc().R_IngLst.ListCount(), 5);
    EXPECT_EQ(calc().StatusLbl.Caption(), "Changes not Saved");
    AddLine("Example", 9, 0, "cup");
    EXPECT_EQ(Items(calc().R_IngLst),
              (std::vector<std::string>{Cups(1), Cups(2), Cups(9), Cups(3), Cups(4), Cups(5)}));
    EXPECT_FALSE(app->Insert_Line_Mode);

    // After the last line, the new one goes to the end.
    EditLine(5, kInsert);
    AddLine("Example", 8, 0, "cup");
    EXPECT_EQ(calc().R_IngLst.List(6), Cups(8));
    EXPECT_EQ(calc().InvisLst.List(6), FractionLine("Example", "8", "cup"));
    EXPECT_EQ(Totals(), PanelOfCups(32));
}

TEST_F(Lines, DeleteTakesTheLineAndItsShareOff) {
    FiveLines();
    Heading("Topping");
    ASSERT_EQ(calc().R_IngLst.ListCount(), 7);
    EditLine(0, kDelete);
    EXPECT_EQ(Totals(), PanelOfCups(14));
    EXPECT_FALSE(app->Delete_Line_Mode);
    EXPECT_FALSE(app->Edit_Line_Mode);
    // A heading carries nothing: deleting it leaves the totals.
    EditLine(5, kDelete);
    EditLine(4, kDelete);
    EXPECT_EQ(Items(calc().R_IngLst), (std::vector<std::string>{Cups(2), Cups(3), Cups(4), Cups(5)}));
    EXPECT_EQ(calc().InvisLst.ListCount(), 4);
    EXPECT_EQ(Totals(), PanelOfCups(14));
    // Deleting every line leaves the zero texts.
    for (int i = 0; i < 4; ++i) EditLine(0, kDelete);
    EXPECT_EQ(calc().Label24.Caption(), "0% calories from Fat");
    EXPECT_EQ(calc().Totals().Cal, 0);
}

TEST_F(Lines, CancelAndTheCloseBoxChangeNothing) {
    FiveLines();
    EditLine(2, kReplace);
    Pick("Example");
    for (auto button : {kCancel, static_cast<forms::CommandButton recipe::EditFrm::*>(nullptr)}) {
        const std::size_t before = host.MsgBoxes().size();
        EditLine(0, button);
        EXPECT_EQ(calc().R_IngLst.ListCount(), 4);
        EXPECT_EQ(host.MsgBoxes().size(), before);
        // The chosen ingredient is back in the box, so Add still works.
        EXPECT_EQ(calc().R_IngLst.Text(), "Example");
        EXPECT_TRUE(app->Edit_Line_Mode);
        EXPECT_EQ(app->Insert_Index, 2);
    }
    Quantity(6, 0);
    Measure("cup");
    Add();
    EXPECT_EQ(Items(calc().R_IngLst), (std::vector<std::string>{Cups(1), Cups(2), Cups(6), Cups(4), Cups(5)}));
}

// The arrows look through the lines without opening the dialog; Enter opens it for the line they
// are on.
TEST_F(Lines, TheArrowsLookThroughTheLinesAndEnterEditsOne) {
    FiveLines();
    std::string shown;
    host.OnModal("EditFrm", [&](forms::Form& f) {
        auto& d = static_cast<recipe::EditFrm&>(f);
        shown = d.InsertLbl.Caption();
        drive::Click(d.CancelCmd);
    });
    for (int i = 0; i < 2; ++i) drive::PressKey(calc().R_IngLst, forms::vbKeyDown);
    EXPECT_TRUE(host.ModalsShown().empty());
    drive::PressKey(calc().R_IngLst, forms::vbKeyReturn);
    EXPECT_EQ(shown, Cups(2));
}

TEST_F(Lines, AThirdComesOffAsItWentOn) {
    AddLine("Oil", 1, 0, "cup");
    const std::vector<std::string> oneCup = Panel();
    // A third of a cup goes in as 0.333: 99.9 g of fat, 899 kcal.
    AddLine("Oil", 0, 3, "cup");
    EXPECT_EQ(calc().lblFg.Caption(), "399.9g");
    EXPECT_EQ(calc().lblFCals.Caption(), "3599");
    // Replacing it takes off the same 0.333, not an exact third (100 g, 900 kcal).
    EditLine(1, kReplace);
    EXPECT_EQ(Panel(), oneCup);
    // The same for a whole number and two thirds.
    AddLine("Oil", 2, 7, "cup");
    EditLine(1, kDelete);
    EXPECT_EQ(Panel(), oneCup);
}

TEST_F(Lines, ALineWhoseIngredientIsGoneIsRemovedWithAWarning) {
    AddLine("Oil", 1, 0, "cup");
    AddLine("Example", 2, 0, "cup");
    const std::vector<std::string> before = Panel();
    // The ingredient leaves the store while its line stays in the recipe.
    auto& table = app->Ing.Ing_Table;
    table.erase(std::remove_if(table.begin(), table.end(),
                               [](const recipe::IngRecord& r) { return recipe::ListName(r) == "Example"; }),
                table.end());
    Pick("Oil");
    EditLine(1, kDelete);
    ASSERT_FALSE(host.MsgBoxes().empty());
    EXPECT_EQ(host.MsgBoxes().back().title, "Line Removed");
    EXPECT_EQ(host.MsgBoxes().back().prompt.rfind("\"Example\" is no longer among the stored ingredients", 0), 0u);
    EXPECT_EQ(Items(calc().R_IngLst), std::vector<std::string>{"1  cup     Oil"});
    // Nothing of the oil was taken off in its place.
    EXPECT_EQ(Panel(), before);
    EXPECT_EQ(recipe::ListName(calc().Current_Ing), "Oil");
}

TEST_F(Lines, TheDialogsTexts) {
    AddLine("Example", 1, 0, "cup");
    host.OnModal("EditFrm", [](forms::Form& f) {
        auto& d = static_cast<recipe::EditFrm&>(f);
        EXPECT_EQ(d.EditCmd.Caption(), "Replace");
        EXPECT_EQ(d.DeleteCmd.Caption(), "Delete");
        EXPECT_EQ(d.CancelCmd.Caption(), "Cancel");
        EXPECT_EQ(d.InsertCmd.Caption(), "Insert");
        EXPECT_EQ(d.Label3.Caption(), "Press \"Replace\" and the next ingredient is replaces the selected ingredient.");
        EXPECT_EQ(d.Label4.Caption(), "Press \"Delete\" and the selected ingredient is deleted.");
        EXPECT_EQ(d.Label1.Caption(),
                  "Press \"Insert\" and the next ingredient is inserted after the selected ingredient.");
        EXPECT_EQ(d.Label5.Caption(), "Press \"Cancel\" and this Edit Window closes and nothing is changed.");
        // Tab goes Replace, Delete, Cancel, Insert.
        std::vector<std::string> order;
        for (int i = 0; i < 4; ++i) {
            order.push_back(static_cast<forms::CommandButton*>(d.ActiveControl())->Caption());
            drive::PressKey(*d.ActiveControl(), forms::vbKeyTab);
        }
        EXPECT_EQ(order, (std::vector<std::string>{"Replace", "Delete", "Cancel", "Insert"}));
        drive::PressKey(*d.ActiveControl(), forms::vbKeyEscape);
    });
    drive::ChooseItem(calc().R_IngLst, 0);
    EXPECT_EQ(calc().R_IngLst.ListCount(), 1);
}

class Headings : public Lines {};

TEST_F(Headings, TheFirstStandsAloneAndLaterOnesGetASpacer) {
    Heading("Dough");
    AddLine("Example", 1, 0, "cup");
    Heading("Filling");
    Heading("");
    EXPECT_EQ(Items(calc().R_IngLst), (std::vector<std::string>{"Dough", Cups(1), " ", "Filling", " ", ""}));
    EXPECT_EQ(Items(calc().InvisLst),
              (std::vector<std::string>{HeadingBytes("Dough"), FractionLine("Example", "1", "cup"), HeadingBytes(" "),
                                        HeadingBytes("Filling"), HeadingBytes(" "), HeadingBytes("")}));
    EXPECT_EQ(Totals(), PanelOfCups(1));
    EXPECT_TRUE(host.MsgBoxes().empty());
}

TEST_F(Headings, InsertPutsTheHeadingAfterTheClickedLineWithoutASpacer) {
    FiveLines();
    EditLine(2, kInsert);
    Heading("Topping");
    EXPECT_EQ(Items(calc().R_IngLst),
              (std::vector<std::string>{Cups(1), Cups(2), Cups(3), "Topping", Cups(4), Cups(5)}));
    EXPECT_EQ(calc().InvisLst.List(3), HeadingBytes("Topping"));
    EXPECT_FALSE(app->Insert_Line_Mode);
    EXPECT_FALSE(app->Edit_Line_Mode);
    // A heading during Replace is appended and leaves the place waiting.
    EditLine(0, kReplace);
    Heading("End");
    EXPECT_EQ(calc().R_IngLst.List(calc().R_IngLst.ListCount() - 1), "End");
    EXPECT_TRUE(app->Edit_Line_Mode);
    AddLine("Example", 7, 0, "cup");
    EXPECT_EQ(calc().R_IngLst.List(0), Cups(7));
}

TEST_F(Headings, TheDialog) {
    AddLine("Example", 1, 0, "cup");
    Name("Pie");
    Directions("Bake.");
    Save();
    ASSERT_EQ(calc().StatusLbl.Caption(), "Changes Saved");

    host.OnModal("SubHeadFrm", [this](forms::Form& f) {
        auto& d = static_cast<recipe::SubHeadFrm&>(f);
        EXPECT_EQ(d.Caption(), "Add a Heading or blank line");
        EXPECT_EQ(d.Label1.Caption(), "Enter a Heading or type nothing and click done to enter a blank line");
        EXPECT_EQ(d.SubHeadTxt.Text(), "");
        drive::Click(d.HelpCmd);
        EXPECT_EQ(host.DesktopCalls().back().data, 330);
        // Fifty letters and blanks around them fit; a fifty-first letter is refused.
        const std::string fifty(50, 'h');
        drive::TypeText(d.SubHeadTxt, "  " + fifty + " ");
        drive::TypeKeys(d.SubHeadTxt, "x");
        EXPECT_EQ(d.SubHeadTxt.Text(), "  " + fifty + " ");
        drive::Click(d.CancelCmd);
    });
    Tool("Heading");
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "Too many Letters");
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "Max length is 50.");
    EXPECT_EQ(host.MsgBoxes()[0].style, services::vbExclamation);
    // Cancel changed nothing.
    EXPECT_EQ(calc().R_IngLst.ListCount(), 1);
    EXPECT_EQ(calc().StatusLbl.Caption(), "Changes Saved");

    // Done opens empty again; the heading makes the recipe unsaved.
    Heading("Crust");
    EXPECT_EQ(calc().R_IngLst.ListCount(), 3);
    EXPECT_EQ(calc().StatusLbl.Caption(), "Changes not Saved");
}

}  // namespace
