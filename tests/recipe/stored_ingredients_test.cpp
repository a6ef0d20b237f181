// The stored-ingredient screen as a user works it: the facts of the selected ingredient, deleting
// it from both lists and the file, and handing it to the wizard for editing and back.
#include <algorithm>

#include "ingredient_program.h"

namespace {

using recipetest::Ing;
namespace entry = recipe::entry;

using recipetest::With;

recipe::IngRecord OatMilk() {
    // 200 kcal is not what fat, carbohydrate and protein make: the screen shows those.
    return With(Ing("Oat milk", "cup", 1, "", 0, recipe::kVolumeOnly),
                {.Cal = 200, .Fat = 10, .SatFat = 1, .Sodium = 100, .TotalCarbs = 20, .Fiber = 2, .Protein = 5});
}

recipe::IngRecord Thirds() {
    return With(Ing("Thirds", "tbs", 1.0f + 0.333f, "g", 4.0f + 0.33f, recipe::kVolumeAndWeight),
                {.Cal = 23,
                 .Fat = 1.5f,       // 13.5 fat calories, which the box shows as 14
                 .Sodium = 12.7f,  // stored unrounded
                 .TotalCarbs = 2.25f,
                 .Protein = 0.1234567f});
}

recipe::IngRecord Loaf() {
    recipe::IngRecord r = With(Ing("Loaf", "slice", 2, "g", 64, recipe::kWeightOnly),
                               {.Cal = 160, .Fat = 2, .TotalCarbs = 30, .Protein = 5.4f});
    r.UniqueMeasure = vb::True;
    return r;
}

recipe::IngRecord Odd() {
    return With(Ing("Odd", "pint", 1.05f, "oz", 16.2f, recipe::kVolumeAndWeight),
                {.Cal = 25, .Fat = 1.0000001f, .Chol = 7, .TotalCarbs = 3, .Protein = 1});
}

recipe::IngRecord Salt() { return With(Ing("Salt", "kg", 1, "", 0, recipe::kNeitherKind), {.Sodium = 387000}); }

recipe::IngRecord Named(const char* name, float protein) {
    return With(Ing(name, "cup", 2.5f, "g", 600, recipe::kVolumeAndWeight), {.Cal = protein * 4, .Protein = protein});
}

class StoredIngredients : public recipetest::WizardProgram {
protected:
    void SetUp() override {
        records = {OatMilk(), Ing("Water", "cup", 3, "", 0, recipe::kVolumeOnly), Named("Rice", 7), Named("rice", 3),
                   Thirds(), Loaf(), Odd(), Salt()};
        WriteIngredients(records);
        Open();
        drive::ClickTool(main().TopBar, "StoredIngredients");
    }
    void Select(const std::string& name) { drive::ChooseItem(stored().IngLst, name); }
    void Edit(const std::string& name) {
        drive::ClickTool(main().TopBar, "StoredIngredients");
        Select(name);
        drive::ClickTool(stored().ActiveBar1, "Edit");
    }
    std::vector<std::string> Facts() {
        auto& s = stored();
        return {s.lblName.Caption(), s.lbl1M.Caption(),  s.lbl2M.Caption(),  s.lblCals.Caption(), s.lblFCals.Caption(),
                s.lblFg.Caption(),   s.lblFP.Caption(),  s.lblSFg.Caption(), s.lblSFP.Caption(), s.lblCg.Caption(),
                s.lblCP.Caption(),   s.lblSg.Caption(),  s.lblSP.Caption(),  s.lblTCg.Caption(), s.lblTCP.Caption(),
                s.lblTFg.Caption(),  s.lblTFP.Caption(), s.lblPg.Caption(),  s.lblPP.Caption(),  s.Label20.Caption(),
                s.Label21.Caption(), s.Label22.Caption()};
    }

    std::vector<recipe::IngRecord> records;
};

TEST_F(StoredIngredients, TheFactsOfTheSelectedIngredient) {
    EXPECT_EQ(main().TopLbl.Caption(), "Stored Ingredient Screen");
    EXPECT_EQ(Items(stored().IngLst), Items(calc().IngLst));
    const struct {
        const char* name;
        std::vector<std::string> facts;
    } rows[] = {
        {"Oat milk",
         {"Oat milk", "1 cup", "", "190", "90", "10g", "15%", "1g", "5%", "0mg", "0%", "100mg", "4%", "20g", "7%",
          "2g", "8%", "5g", "", "47.4% of calories from Fat", "42.1% from Carbohydrates", "10.5% from Protein"}},
        {"Water",
         {"Water", "3 cup", "", "0", "0", "0g", "0%", "0g", "0%", "0mg", "0%", "0mg", "0%", "0g", "0%", "0g", "0%",
          "0g", "", "", "", ""}},
        // Names differing only in letter case are different ingredients.
        {"rice",
         {"rice", "2.5 cup", "600 g", "12", "0", "0g", "0%", "0g", "0%", "0mg", "0%", "0mg", "0%", "0g", "0%", "0g",
          "0%", "3g", "", "0% of calories from Fat", "0% from Carbohydrates", "100% from Protein"}},
        {"Rice",
         {"Rice", "2.5 cup", "600 g", "28", "0", "0g", "0%", "0g", "0%", "0mg", "0%", "0mg", "0%", "0g", "0%", "0g",
          "0%", "7g", "", "0% of calories from Fat", "0% from Carbohydrates", "100% from Protein"}},
        {"Thirds",
         {"Thirds", "1.333 tbs", "4.33 g", "23", "14", "1.5g", "2%", "0g", "0%", "0mg", "0%", "13mg", "1%", "2.2g",
          "1%", "0g", "0%", "0.1g", "", "60.3% of calories from Fat", "37.9% from Carbohydrates",
          "1.7% from Protein"}},
        {"Salt",
         {"Salt", "1 kg", "", "0", "0", "0g", "0%", "0g", "0%", "0mg", "0%", "387000mg", "16125%", "0g", "0%", "0g",
          "0%", "0g", "", "", "", ""}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Select(r.name);
        EXPECT_EQ(Facts(), r.facts);
    }
    EXPECT_TRUE(host.MsgBoxes().empty());
}

TEST_F(StoredIngredients, DeleteRemovesItFromBothListsAndTheFile) {
    Select("Rice");
    const int index = stored().IngLst.ListIndex();
    ASSERT_EQ(calc().IngLst.List(index), "Rice");
    host.AnswerMsgBox(services::vbNo);
    drive::ClickTool(stored().ActiveBar1, "Delete");
    EXPECT_EQ(host.MsgBoxes().back().prompt, "Are you sure you want to delete Rice?");
    EXPECT_EQ(host.MsgBoxes().back().title, "Delete?");
    EXPECT_EQ(host.MsgBoxes().back().style, services::vbYesNo + services::vbQuestion);
    EXPECT_EQ(app->Ing.Count(), records.size());
    EXPECT_EQ(stored().lblName.Caption(), "Rice");

    host.AnswerMsgBox(services::vbYes);
    drive::ClickTool(stored().ActiveBar1, "Delete");
    const std::vector<std::string> left = Items(stored().IngLst);
    EXPECT_EQ(std::count(left.begin(), left.end(), "Rice"), 0);
    EXPECT_EQ(std::count(left.begin(), left.end(), "rice"), 1);
    EXPECT_EQ(Items(stored().IngLst), Items(calc().IngLst));
    EXPECT_EQ(stored().IngLst.ListCount(), static_cast<int>(records.size()) - 1);
    // The last record takes the deleted one's place in the file.
    std::vector<recipe::IngRecord> expected = records;
    expected[2] = expected.back();
    expected.pop_back();
    std::string bytes;
    for (const auto& r : expected) bytes += recipe::encode(r);
    EXPECT_EQ(Bytes(Data("Ing.dat")), bytes);
    EXPECT_EQ(stored().IngLst.ListIndex(), -1);
    EXPECT_EQ(stored().lblName.Caption(), "");
    EXPECT_EQ(stored().lblCals.Caption(), "");
    EXPECT_EQ(stored().Label20.Caption(), "");

    // Deleting every one leaves an empty store.
    while (stored().IngLst.ListCount() > 0) {
        drive::ChooseItem(stored().IngLst, 0);
        drive::ClickTool(stored().ActiveBar1, "Delete");
    }
    EXPECT_EQ(calc().IngLst.ListCount(), 0);
    EXPECT_EQ(app->Ing.Count(), 0u);
    EXPECT_TRUE(std::filesystem::exists(Data("Ing.dat")));
    EXPECT_EQ(Bytes(Data("Ing.dat")), "");
}

TEST_F(StoredIngredients, NothingSelectedIsSaidForBothTools) {
    drive::ClickTool(stored().ActiveBar1, "Delete");
    drive::ClickTool(stored().ActiveBar1, "Edit");
    ASSERT_EQ(host.MsgBoxes().size(), 2u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "You must first select an ingredient to delete it.");
    EXPECT_EQ(host.MsgBoxes()[1].prompt, "You must first select an ingredient to Edit it.");
    for (const auto& m : host.MsgBoxes()) {
        EXPECT_EQ(m.title, "Nothing was chosen");
        EXPECT_EQ(m.style, services::vbInformation);
    }
    EXPECT_TRUE(stored().Visible());
    EXPECT_EQ(app->Ing.Count(), records.size());
}

TEST_F(StoredIngredients, EditHandsTheIngredientToTheWizard) {
    const struct {
        const char* name;
        int unit1;
        const char* unique;
        const char* ones;
        bool fractions;
        const char* frac;
        int unit2;
        const char* ones2;
        const char* frac2;
        const char* cal;
        const char* fat;
    } rows[] = {
        {"Rice", 4, "", "2", true, "1/2", 7, "600", "0", "28", "0"},
        {"Water", 4, "", "3", false, "0", entry::kNoneOption, "0", "0", "0", "0"},
        // Thirds as entered come back as thirds, also the second measure's 0.33.
        {"Thirds", 3, "", "1", true, "1/3", 7, "4", "1/3", "23", "14"},
        {"Loaf", entry::kUniqueOption, "slice                         ", "2", false, "0", 7, "64", "0", "160", "18"},
        // A unit without an option selects none.
        {"Salt", -1, "", "1", false, "0", entry::kNoneOption, "0", "0", "0", "0"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Edit(r.name);
        auto& w = wiz();
        EXPECT_EQ(main().TopLbl.Caption(), "Add / Edit Ingredient Screen");
        EXPECT_TRUE(w.Visible());
        EXPECT_FALSE(stored().Visible());
        EXPECT_FALSE(calc().Visible());
        EXPECT_FALSE(app->Editing_Ing);
        EXPECT_EQ(w.txtName.Text(), r.name);
        EXPECT_EQ(w.lblName.Caption(), r.name);
        for (int i = 0; i < entry::kUnitOptions; ++i) EXPECT_EQ(w.optUnits[i].Value(), i == r.unit1) << i;
        EXPECT_EQ(w.picUnique.Visible(), r.unit1 == entry::kUniqueOption);
        if (r.unit1 == entry::kUniqueOption) {
            EXPECT_EQ(w.txtUnique.Text(), r.unique);
        }
        EXPECT_EQ(w.txtOnes.Text(), r.ones);
        EXPECT_EQ(w.optForD[0].Value(), r.fractions);
        EXPECT_EQ(w.txtFrac.Text(), r.frac);
        for (int i = 0; i < entry::kUnitOptions; ++i) EXPECT_EQ(w.opt2ndM[i].Value(), i == r.unit2) << i;
        EXPECT_EQ(w.txtOnes2.Text(), r.ones2);
        EXPECT_EQ(w.txtFrac2.Text(), r.frac2);
        EXPECT_EQ(w.txtCal.Text(), r.cal);
        EXPECT_EQ(w.txtFat.Text(), r.fat);
        EXPECT_TRUE(w.optFatCals[0].Value());
        // Every page is done; Finish can be pressed at once.
        for (int i = 0; i <= 10; ++i) EXPECT_TRUE(w.StepDone[static_cast<std::size_t>(i)]) << i;
        EXPECT_TRUE(w.cmdFinish.Enabled());
        EXPECT_TRUE(w.cmdNext.Enabled());
        EXPECT_EQ(w.CurrentStep, 0);
        EXPECT_EQ(Page(), 0);
        EXPECT_EQ(w.SteppLbl.Caption(), "Step 1 of 11");
        EXPECT_TRUE(w.txtName.HasFocus());
    }
    EXPECT_TRUE(host.MsgBoxes().empty()) << host.MsgBoxes().at(0).prompt;
}

TEST_F(StoredIngredients, AnEditFinishedUnchangedStoresTheIngredientAsItWas) {
    for (const char* name : {"Oat milk", "Thirds", "Loaf", "Odd", "Salt", "rice"}) {
        SCOPED_TRACE(name);
        const recipe::IngRecord before = *[&] {
            for (const auto& r : app->Ing.Ing_Table)
                if (vb::Trim(r.Name.view()) == name) return &r;
            return static_cast<const recipe::IngRecord*>(nullptr);
        }();
        Edit(name);
        Finish();  // "Duplicate" and any calorie question answered Yes
        EXPECT_EQ(host.MsgBoxes().back().prompt, std::string(name) + " has now been added to you list of ingredients.");
        ASSERT_EQ(app->Ing.Count(), records.size());
        EXPECT_EQ(app->Ing.Ing_Table.back(), before);
        const std::string bytes = Bytes(Data("Ing.dat"));
        EXPECT_EQ(bytes.substr(bytes.size() - recipe::kIngRecordSize), recipe::encode(before));
        EXPECT_EQ(stored().IngLst.FindStringExact(name), calc().IngLst.FindStringExact(name));
        EXPECT_EQ(stored().IngLst.ListCount(), static_cast<int>(records.size()));
    }
}

TEST_F(StoredIngredients, AnEditKeepsWhatWasNotChanged) {
    Edit("Thirds");
    drive::TypeText(wiz().txtProtein, "2");
    drive::TypeText(wiz().txtSodium, "20");
    Finish();
    recipe::IngRecord expected = Thirds();
    expected.Protein = 2;
    expected.Sodium = 20;
    EXPECT_EQ(app->Ing.Ing_Table.back(), expected);

    // Fat typed again as grams is taken as typed.
    Edit("Thirds");
    drive::Click(wiz().optFatCals[1]);
    drive::TypeText(wiz().txtFat, "1.5");
    Finish();
    EXPECT_EQ(app->Ing.Ing_Table.back(), expected);
}

TEST_F(StoredIngredients, ARenamedEditIsAddedBesideTheOld) {
    Edit("Oat milk");
    drive::TypeText(wiz().txtName, "Soy milk");
    const std::size_t boxes = host.MsgBoxes().size();
    Finish();
    for (std::size_t i = boxes; i < host.MsgBoxes().size(); ++i) EXPECT_NE(host.MsgBoxes()[i].title, "Duplicate");
    EXPECT_EQ(app->Ing.Count(), records.size() + 1);
    recipe::IngRecord soy = OatMilk();
    soy.Name = "Soy milk";
    EXPECT_EQ(app->Ing.Ing_Table.back(), soy);
    EXPECT_NE(stored().IngLst.FindStringExact("Oat milk"), -1);
    EXPECT_NE(stored().IngLst.FindStringExact("Soy milk"), -1);
}

TEST_F(StoredIngredients, EditingTwiceInARowTakesTheIngredientOverEachTime) {
    Edit("Rice");
    drive::Click(wiz().cmdStartOver);
    Edit("Rice");
    EXPECT_TRUE(wiz().cmdFinish.Enabled());
    EXPECT_EQ(wiz().txtName.Text(), "Rice");
    EXPECT_EQ(wiz().txtProtein.Text(), "7");
    // Straight from one hand-over to the next, back to the first.
    Edit("Loaf");
    EXPECT_EQ(wiz().txtName.Text(), "Loaf");
    Edit("Rice");
    EXPECT_EQ(wiz().txtName.Text(), "Rice");
    EXPECT_EQ(wiz().txtProtein.Text(), "7");
    EXPECT_FALSE(app->Editing_Ing);
    EXPECT_TRUE(wiz().cmdFinish.Enabled());
}

}  // namespace
