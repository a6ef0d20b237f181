// The ingredient wizard as a user works it: page by page with Next, Back and Enter, each page's
// refusals, the panel beside the pages, and Finish with its duplicate question and calorie check.
#include <functional>

#include "ingredient_program.h"

namespace {

using recipetest::Entered;
using recipetest::Example;
using recipetest::Ing;
namespace entry = recipe::entry;

class Wizard : public recipetest::WizardProgram {
protected:
    void SetUp() override { OpenWizard(); }
};

TEST_F(Wizard, AnIngredientEnteredWithEnterIsStoredAndListed) {
    const std::string before = Bytes(Data("Ing.dat"));
    auto& w = wiz();
    EXPECT_EQ(w.SteppLbl.Caption(), "Step 1 of 11");
    EXPECT_FALSE(w.cmdBack.Enabled());
    EXPECT_FALSE(w.cmdNext.Enabled());
    EXPECT_FALSE(w.cmdFinish.Enabled());

    drive::TypeText(w.txtName, "Rye bread");
    drive::PressKey(w.txtName, forms::vbKeyReturn);
    EXPECT_EQ(Page(), 1);
    EXPECT_EQ(w.SteppLbl.Caption(), "Step 2 of 11");
    EXPECT_TRUE(w.cmdBack.Enabled());
    drive::Click(w.optUnits[4]);
    drive::PressKey(w.cmdNext, forms::vbKeyReturn);  // the option gave Next the focus
    EXPECT_EQ(Page(), 2);
    EXPECT_EQ(w.lblDialog[2].Caption(), "  Now enter the number of cup in this item.");
    drive::ScrollTo(w.vsOnes, 1);
    drive::PressKey(w.vsOnes, forms::vbKeyReturn);
    EXPECT_EQ(Page(), 3);
    drive::Click(w.opt2ndM[7]);
    drive::PressKey(w.cmdNext, forms::vbKeyReturn);
    EXPECT_EQ(w.lblDialog[4].Caption(), "  Now enter the number of g in this item.");
    drive::ScrollTo(w.vsOnes2, 120);
    drive::PressKey(w.vsFrac2, forms::vbKeyReturn);
    EXPECT_EQ(Page(), 5);
    drive::TypeText(w.txtCal, "300");
    drive::PressKey(w.txtCal, forms::vbKeyReturn);
    drive::Click(w.optFatCals[1]);
    drive::TypeText(w.txtFat, "5");
    drive::TypeText(w.txtSatFat, "1");
    drive::PressKey(w.txtSatFat, forms::vbKeyReturn);  // no Enter handling here
    EXPECT_EQ(Page(), 6);
    drive::PressKey(w.txtFat, forms::vbKeyReturn);
    drive::TypeText(w.txtChol, "0");
    drive::PressKey(w.txtChol, forms::vbKeyReturn);
    drive::TypeText(w.txtSodium, "450");
    drive::PressKey(w.txtSodium, forms::vbKeyReturn);
    drive::TypeText(w.txtTotalCarbs, "55");
    drive::TypeText(w.txtFiber, "6");
    drive::PressKey(w.txtFiber, forms::vbKeyReturn);  // nor here
    EXPECT_EQ(Page(), 9);
    drive::PressKey(w.txtTotalCarbs, forms::vbKeyReturn);
    drive::TypeText(w.txtProtein, "9");
    EXPECT_TRUE(host.MsgBoxes().empty()) << host.MsgBoxes().at(0).prompt;
    drive::PressKey(w.txtProtein, forms::vbKeyReturn);
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "Now if all the information looks correct, \r\npress the Finish button.");
    EXPECT_EQ(host.MsgBoxes()[0].title, "Almost Done");
    EXPECT_EQ(host.MsgBoxes()[0].style, services::vbInformation);
    EXPECT_EQ(Page(), 10);
    EXPECT_EQ(w.SteppLbl.Caption(), "Step 11 of 11");
    EXPECT_FALSE(w.cmdNext.Enabled());
    EXPECT_TRUE(w.cmdFinish.Enabled());
    EXPECT_TRUE(w.cmdFinish.HasFocus());

    // The panel as entered.
    EXPECT_EQ(w.lblName.Caption(), "Rye bread");
    EXPECT_EQ(w.lbl1M.Caption(), "1 cup");
    EXPECT_EQ(w.lbl2M.Caption(), "120 g");
    EXPECT_EQ(w.lblCals.Caption(), "300");
    EXPECT_EQ(w.lblFCals.Caption(), "45");
    EXPECT_EQ(w.lblFg.Caption(), "5g");
    EXPECT_EQ(w.lblFP.Caption(), "8 %");
    EXPECT_EQ(w.lblSFg.Caption(), "1g");
    EXPECT_EQ(w.lblSFP.Caption(), "5%");
    EXPECT_EQ(w.lblCg.Caption(), "0mg");
    EXPECT_EQ(w.lblCP.Caption(), "0 %");
    EXPECT_EQ(w.lblSg.Caption(), "450mg");
    EXPECT_EQ(w.lblSP.Caption(), "19 %");
    EXPECT_EQ(w.lblTCg.Caption(), "55g");
    EXPECT_EQ(w.lblTCP.Caption(), "18 %");
    EXPECT_EQ(w.lblTFg.Caption(), "6g");
    EXPECT_EQ(w.lblTFP.Caption(), "24%");
    EXPECT_EQ(w.lblPg.Caption(), "9g");
    EXPECT_EQ(w.lblPP.Caption(), "");

    Finish();
    ASSERT_EQ(host.MsgBoxes().size(), 2u) << Titles();
    EXPECT_EQ(host.MsgBoxes()[1].prompt, "Rye bread has now been added to you list of ingredients.");
    EXPECT_EQ(host.MsgBoxes()[1].style, services::vbOKOnly);
    EXPECT_EQ(Bytes(Data("Ing.dat")), before + recipe::encode(RyeBread()));
    EXPECT_EQ(Items(calc().IngLst), (std::vector<std::string>{"Butter", "Flour", "Rye bread"}));
    EXPECT_EQ(Items(stored().IngLst), Items(calc().IngLst));
    // Ready for the next one.
    EXPECT_EQ(Page(), 0);
    EXPECT_EQ(w.SteppLbl.Caption(), "Step 1 of 11");
    EXPECT_EQ(w.txtName.Text(), "");
    EXPECT_EQ(w.txtCal.Text(), "");
    EXPECT_EQ(w.lblCals.Caption(), "");
    EXPECT_FALSE(w.cmdFinish.Enabled());
    EXPECT_TRUE(w.txtName.HasFocus());
}

TEST_F(Wizard, HelpOpensTheTopicOfEachStep) {
    Entered in;
    for (int page = 0; page <= 10; ++page) {
        if (page > 0) Enter(in, page - 1);
        ASSERT_EQ(Page(), page);
        drive::Click(wiz().cmdHelp);
        ASSERT_FALSE(host.DesktopCalls().empty());
        EXPECT_EQ(host.DesktopCalls().back().kind, "help");
        EXPECT_EQ(host.DesktopCalls().back().data, 430 + 10 * page) << page;
        drive::Click(wiz().cmdStartOver);
    }
}

TEST_F(Wizard, NoSecondMeasureSkipsItsQuantityPageBothWays) {
    Entered in;
    in.unit2 = entry::kNoneOption;
    Enter(in, 3);
    EXPECT_EQ(Page(), 5);
    EXPECT_EQ(wiz().SteppLbl.Caption(), "Step 6 of 11");
    EXPECT_TRUE(wiz().txtCal.HasFocus());
    // Enter with Next disabled stays put.
    EXPECT_FALSE(wiz().cmdNext.Enabled());
    drive::PressKey(wiz().txtCal, forms::vbKeyReturn);
    EXPECT_EQ(Page(), 5);
    drive::Click(wiz().cmdBack);
    EXPECT_EQ(Page(), 3);
    EXPECT_EQ(wiz().SteppLbl.Caption(), "Step 4 of 11");
    EXPECT_TRUE(wiz().cmdNext.Enabled());  // the page was done
    drive::Click(wiz().cmdBack);
    drive::Click(wiz().cmdBack);
    drive::Click(wiz().cmdBack);
    EXPECT_EQ(Page(), 0);
    EXPECT_FALSE(wiz().cmdBack.Enabled());
}

TEST_F(Wizard, SecondMeasureOptionsFollowTheKindOfTheFirst) {
    auto enabled = [this] {
        std::string s;
        for (int i = 0; i < entry::kUnitOptions; ++i) s += wiz().opt2ndM[i].Enabled() ? '1' : '0';
        return s;
    };
    drive::TypeText(wiz().txtName, "Milk");
    Next();
    drive::Click(wiz().optUnits[4]);  // cup
    EXPECT_EQ(enabled(), "110000011001");
    drive::Click(wiz().optUnits[0]);  // oz
    EXPECT_EQ(enabled(), "001111100111");
    drive::Click(wiz().optUnits[entry::kUniqueOption]);
    EXPECT_EQ(enabled(), "111111111111");
    EXPECT_TRUE(wiz().picUnique.Visible());
    EXPECT_FALSE(wiz().cmdNext.Enabled());
    EXPECT_TRUE(wiz().txtUnique.HasFocus());
    drive::TypeText(wiz().txtUnique, "carton");
    EXPECT_TRUE(wiz().cmdNext.Enabled());
    drive::Click(wiz().optUnits[9]);  // ml: the unique measure goes
    EXPECT_FALSE(wiz().picUnique.Visible());
    EXPECT_EQ(wiz().txtUnique.Text(), "");
    EXPECT_EQ(enabled(), "110000011001");
    // The hidden kg and l are never offered.
    EXPECT_FALSE(wiz().optUnits[8].Visible());
    EXPECT_FALSE(wiz().optUnits[10].Visible());
    EXPECT_FALSE(wiz().opt2ndM[8].Visible());
    EXPECT_FALSE(wiz().opt2ndM[10].Visible());
}

TEST_F(Wizard, EachPageRefusesWhatItCannotStore) {
    const std::string nameMessage =
        "60 letters is the maximum for the \r\nname of the ingrediant.\r\n\r\nOr you did not enter anything, the "
        "\r\ningrediant must have a name.\r\n\r\nPlease enter it again.";
    const std::string numberMessage = "Enter only numbers. Equal to or greater than zero.";
    const std::string quantityMessage = "The quantity must be greater than zero.  Please enter it again.";
    const struct {
        const char* name;
        std::function<void()> act;
        std::vector<std::string> prompts;
        std::vector<std::string> titles;
        int page;
        bool next;
    } rows[] = {
        {"a name of 61 letters",
         [this] {
             drive::TypeText(wiz().txtName, std::string(61, 'n'));
             Next();
         },
         {nameMessage}, {"There's a Problem"}, 0, false},
        {"a name of blanks",
         [this] {
             drive::TypeText(wiz().txtName, "   ");
             Next();
         },
         {nameMessage}, {"There's a Problem"}, 0, false},
        {"a name of 60 letters is taken",
         [this] {
             drive::TypeText(wiz().txtName, std::string(60, 'n'));
             Next();
         },
         {}, {}, 1, false},
        {"a name holding a record delimiter loses it",
         [this] { drive::TypeKeys(wiz().txtName, "Wei\xDFwurst"); },
         {recipe::grammar::DelimiterMessage("ingredient's name", 0xDF)}, {"There's a Problem"}, 0, true},
        {"a unique measure of 31 letters",
         [this] {
             Enter(Entered{}, 0);
             drive::Click(wiz().optUnits[entry::kUniqueOption]);
             drive::TypeText(wiz().txtUnique, std::string(31, 'm'));
         },
         {"30 letters is the maximum for the \r\nname of the ingrediant.\r\n\r\nPlease enter it again."},
         {"There's a Problem"}, 1, false},
        {"a first quantity of 0",
         [this] {
             Enter(Entered{}, 1);
             drive::Click(wiz().optForD[0]);  // a mode switch enables Next
             Next();
         },
         {quantityMessage}, {"Error"}, 2, false},
        {"a second quantity of 0",
         [this] {
             Enter(Entered{}, 3);
             drive::Click(wiz().optForD2[0]);
             drive::ScrollTo(wiz().vsFrac2, 0);
             drive::ScrollTo(wiz().vsOnes2, 1);
             drive::ScrollTo(wiz().vsOnes2, 0);
             Next();
         },
         {quantityMessage}, {"Error"}, 4, false},
        {"calories that are no number",
         [this] {
             Enter(Entered{}, 4);
             drive::TypeText(wiz().txtCal, "abc");
         },
         {numberMessage}, {"Please enter only number values"}, 5, false},
        {"negative calories",
         [this] {
             Enter(Entered{}, 4);
             drive::TypeKeys(wiz().txtCal, "-1");
         },
         {numberMessage, numberMessage}, {"Please enter only number values", "Please enter only number values"}, 5,
         false},
        {"a lone point is refused without a word",
         [this] {
             Enter(Entered{}, 4);
             drive::TypeText(wiz().txtCal, ".");
         },
         {}, {}, 5, false},
        {"a decimal comma",
         [this] {
             Enter(Entered{}, 4);
             drive::TypeText(wiz().txtCal, "1,5");
         },
         {numberMessage}, {"Please enter only number values"}, 5, false},
        {"fat waits for its saturated fat",
         [this] {
             Enter(Entered{}, 5);
             drive::TypeText(wiz().txtFat, "5");
         },
         {}, {}, 6, false},
        {"saturated fat that is no number is named on every keystroke in fat",
         [this] {
             Enter(Entered{}, 5);
             drive::TypeText(wiz().txtSatFat, "x");
             drive::TypeKeys(wiz().txtFat, "12");
         },
         {numberMessage, numberMessage, numberMessage}, {}, 6, false},
        {"fiber that is no number",
         [this] {
             Enter(Entered{}, 8);
             drive::TypeText(wiz().txtTotalCarbs, "10");
             drive::TypeText(wiz().txtFiber, "lots");
         },
         {numberMessage}, {}, 9, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        drive::Click(wiz().cmdStartOver);
        const std::size_t before = host.MsgBoxes().size();
        r.act();
        std::vector<std::string> prompts, titles;
        for (std::size_t i = before; i < host.MsgBoxes().size(); ++i) {
            prompts.push_back(host.MsgBoxes()[i].prompt);
            titles.push_back(host.MsgBoxes()[i].title);
        }
        EXPECT_EQ(prompts, r.prompts);
        if (!r.titles.empty()) {
            EXPECT_EQ(titles, r.titles);
        }
        EXPECT_EQ(Page(), r.page);
        EXPECT_EQ(wiz().cmdNext.Enabled(), r.next);
    }
    // The refused name and unique measure were emptied; the delimiter was taken out.
    drive::Click(wiz().cmdStartOver);
    drive::TypeKeys(wiz().txtName, "Wei\xDFwurst");
    EXPECT_EQ(wiz().txtName.Text(), "Weiwurst");
}

TEST_F(Wizard, QuantitiesInFractionsOrTenths) {
    const struct {
        const char* name;
        bool fractions;
        int whole, frac;
        float qty1;
        const char* lbl1M;
        float qty2;  // the same spinners on the second measure
        const char* lbl2M;
    } rows[] = {
        {"a half alone", true, 0, 5, 0.5f, " 1/2 cup", 0.5f, " 1/2 g"},
        {"whole and a third", true, 1, 3, 1.333f, "1 1/3 cup", 1.33f, "1 1/3 g"},
        {"whole and two thirds", true, 2, 7, 2.666f, "2 2/3 cup", 2.666f, "2 2/3 g"},
        {"a whole in fractions", true, 2, 0, 2, "2  cup", 2, "2  g"},
        {"tenths", false, 1, 5, 1.5f, "1.5 cup", 1.5f, "1.5 g"},
        {"a whole in tenths", false, 3, 0, 3, "3 cup", 3, "3 g"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        drive::Click(wiz().cmdStartOver);
        Entered in;
        in.fractions1 = in.fractions2 = r.fractions;
        in.whole1 = in.whole2 = r.whole;
        in.frac1 = in.frac2 = r.frac;
        Enter(in, 4);
        EXPECT_EQ(wiz().NewIng.Qty1, r.qty1);
        EXPECT_EQ(wiz().lbl1M.Caption(), r.lbl1M);
        EXPECT_EQ(wiz().NewIng.Qty2, r.qty2);
        EXPECT_EQ(wiz().lbl2M.Caption(), r.lbl2M);
    }
}

TEST_F(Wizard, FatAsCaloriesOrGramsAndThePercents) {
    const struct {
        const char* name;
        bool grams;
        const char* fat;
        float stored;
        const char* fcals, *fg, *fp;
    } rows[] = {
        {"fat calories", false, "10", static_cast<float>(10.0 / 9), "10", "1.1g", "2 %"},
        {"fat grams", true, "10", 10, "90", "10g", "15 %"},
        {"a fat calorie", false, "0.5", static_cast<float>(0.5 / 9), "0.5", ".1g", "0 %"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        drive::Click(wiz().cmdStartOver);
        Entered in;
        in.fatGrams = r.grams;
        in.fat = r.fat;
        in.satFat = "5";
        in.sodium = "2400";
        in.carbs = "30";
        in.fiber = "12.5";
        Enter(in, 9);
        EXPECT_EQ(wiz().NewIng.Fat, r.stored);
        EXPECT_EQ(wiz().lblFCals.Caption(), r.fcals);
        EXPECT_EQ(wiz().lblFg.Caption(), r.fg);
        EXPECT_EQ(wiz().lblFP.Caption(), r.fp);
        EXPECT_EQ(wiz().lblSFg.Caption(), "5g");
        EXPECT_EQ(wiz().lblSFP.Caption(), "25%");
        EXPECT_EQ(wiz().lblSP.Caption(), "100 %");
        EXPECT_EQ(wiz().lblTCP.Caption(), "10 %");
        EXPECT_EQ(wiz().lblTFg.Caption(), "12.5g");
        EXPECT_EQ(wiz().lblTFP.Caption(), "50%");
    }
}

TEST_F(Wizard, MeasureKindsAndTheBuildersMeasureLists) {
    const std::vector<std::string> volume = {"ml", "tsp", "tbs", "cup", "pint", "quart"};
    const std::vector<std::string> weight = {"oz", "g", "lb"};
    auto join = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const struct {
        const char* name;
        int unit1;
        int unit2;
        int kind;
        std::vector<std::string> measures;
    } rows[] = {
        {"Sliced loaf", entry::kUniqueOption, 4, 1, join({"slice"}, volume)},
        {"Egg noodles", entry::kUniqueOption, 0, 2, join({"slice"}, weight)},
        {"Crackers", entry::kUniqueOption, entry::kNoneOption, 3, {"slice"}},
        {"Milk", 4, 7, 0, join(volume, weight)},
        {"Cheese", 0, 4, 0, join(volume, weight)},
        {"Honey", 3, entry::kNoneOption, 1, volume},
        {"Lentils", 7, entry::kNoneOption, 2, weight},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Entered in;
        in.name = r.name;
        in.unit1 = r.unit1;
        in.unique = "slice";
        in.unit2 = r.unit2;
        drive::ClickTool(main().TopBar, "AddIngredient");
        Enter(in);
        Finish();
        const recipe::IngRecord& rec = app->Ing.Ing_Table.back();
        EXPECT_EQ(vb::Trim(rec.Name.view()), r.name);
        EXPECT_EQ(rec.MeasureKind, r.kind);
        EXPECT_EQ(rec.UniqueMeasure, r.unit1 == entry::kUniqueOption ? vb::True : vb::False);
        drive::ClickTool(main().TopBar, "NewRecipe");
        Pick(r.name);
        EXPECT_EQ(Items(calc().MeasureLst), r.measures);
        EXPECT_EQ(calc().MeasureLst.Text(), r.measures.front());
    }
}

TEST_F(Wizard, ADuplicateAnsweredNoStoresNothingAndKeepsTheInput) {
    const std::string before = Bytes(Data("Ing.dat"));
    Entered in;
    in.name = "Flour";
    Enter(in);
    host.AnswerMsgBox(services::vbNo);
    Finish();
    const auto& box = host.MsgBoxes().back();
    EXPECT_EQ(box.prompt, "Flour is already stored.\r\n\r\nWould you like to replace the stored version with this one?");
    EXPECT_EQ(box.title, "Duplicate");
    EXPECT_EQ(box.style, services::vbYesNo + services::vbExclamation);
    EXPECT_EQ(Page(), 0);
    EXPECT_EQ(wiz().SteppLbl.Caption(), "Step 1 of 11");
    EXPECT_TRUE(wiz().txtName.HasFocus());
    EXPECT_EQ(wiz().txtCal.Text(), "300");
    EXPECT_EQ(Bytes(Data("Ing.dat")), before);
    EXPECT_EQ(app->Ing.Count(), 2u);
    // Back from here wraps round to the last page.
    drive::Click(wiz().cmdBack);
    EXPECT_EQ(Page(), 10);
    EXPECT_EQ(wiz().SteppLbl.Caption(), "Step 11 of 11");
}

TEST_F(Wizard, ADuplicateAnsweredYesIsReplacedOnlyOnceTheNewOneIsSound) {
    Entered in;
    in.name = "Flour";
    Enter(in);
    // The calories box is spoiled after its page was passed; Finish stays enabled.
    drive::TypeText(wiz().txtCal, "a lot");
    const std::string before = Bytes(Data("Ing.dat"));
    const std::size_t boxes = host.MsgBoxes().size();
    host.AnswerMsgBox(services::vbYes);
    Finish();
    ASSERT_EQ(host.MsgBoxes().size(), boxes + 2) << Titles();
    EXPECT_EQ(host.MsgBoxes()[boxes + 1].prompt,
              "Calories must be a number equal to or greater than zero.\r\n\r\nPlease enter it again.");
    EXPECT_EQ(host.MsgBoxes()[boxes + 1].title, "Please enter only number values");
    // Stopped at the refusing page, with nothing deleted or stored.
    EXPECT_EQ(Page(), 5);
    EXPECT_EQ(wiz().SteppLbl.Caption(), "Step 6 of 11");
    EXPECT_TRUE(wiz().txtCal.HasFocus());
    EXPECT_EQ(Bytes(Data("Ing.dat")), before);
    EXPECT_EQ(app->Ing.Count(), 2u);
    EXPECT_EQ(Items(calc().IngLst), (std::vector<std::string>{"Butter", "Flour"}));
    EXPECT_EQ(Items(stored().IngLst), (std::vector<std::string>{"Butter", "Flour"}));

    // Mended, the same Finish replaces the stored one: it goes to the end, listed once.
    drive::TypeText(wiz().txtCal, "300");
    host.AnswerMsgBox(services::vbYes);
    Finish();
    recipe::IngRecord flour = RyeBread();
    flour.Name = "Flour";
    EXPECT_EQ(Bytes(Data("Ing.dat")), recipe::encode(Example("Butter")) + recipe::encode(flour));
    EXPECT_EQ(Items(calc().IngLst), (std::vector<std::string>{"Butter", "Flour"}));
    EXPECT_EQ(Items(stored().IngLst), (std::vector<std::string>{"Butter", "Flour"}));
    EXPECT_EQ(host.MsgBoxes().back().prompt, "Flour has now been added to you list of ingredients.");
}

TEST_F(Wizard, FinishStopsAtTheFirstRefusingPage) {
    const struct {
        const char* name;
        std::function<void()> spoil;
        int page;
        const char* title;
    } rows[] = {
        {"an emptied name", [this] { drive::TypeText(wiz().txtName, ""); }, 0, "There's a Problem"},
        {"fiber that is no number", [this] { drive::TypeText(wiz().txtFiber, "some"); }, 9,
         "Please enter only number values"},
        {"protein too large for a single", [this] { drive::TypeText(wiz().txtProtein, "1e39"); }, 10,
         "Please enter only number values"},
        {"cholesterol too large for its field", [this] { drive::TypeText(wiz().txtChol, "3000000000"); }, 7,
         "Please enter only number values"},
    };
    const std::string before = Bytes(Data("Ing.dat"));
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        drive::Click(wiz().cmdStartOver);
        Enter(Entered{});
        r.spoil();
        Finish();
        EXPECT_EQ(host.MsgBoxes().back().title, r.title);
        EXPECT_EQ(Page(), r.page);
        EXPECT_EQ(wiz().CurrentStep, r.page);
        EXPECT_EQ(Bytes(Data("Ing.dat")), before);
        EXPECT_EQ(app->Ing.Count(), 2u);
    }
}

TEST_F(Wizard, ImplausibleCaloriesAreReportedAndStoredOnlyOnYes) {
    Entered in;
    in.cal = "100";
    in.fat = "10";
    in.carbs = "5";
    in.protein = "1";
    Enter(in);
    const std::string before = Bytes(Data("Ing.dat"));
    host.AnswerMsgBox(services::vbNo);
    Finish();
    const auto& box = host.MsgBoxes().back();
    EXPECT_EQ(box.title, "Houston we have a problem.");
    EXPECT_EQ(box.style, services::vbYesNo + services::vbExclamation);
    EXPECT_EQ(box.prompt, entry::CalorieReport({entry::CalorieFinding::SumAboveTotal}));
    EXPECT_NE(box.prompt.find("1) There are more calories from adding up"), std::string::npos);
    EXPECT_EQ(Bytes(Data("Ing.dat")), before);
    EXPECT_EQ(Page(), 10);
    EXPECT_FALSE(wiz().cmdNext.Enabled());
    EXPECT_TRUE(wiz().cmdBack.Enabled());
    EXPECT_TRUE(wiz().cmdStartOver.HasFocus());

    // Back to the fat page to look, then store it anyway.
    for (int i = 0; i < 4; ++i) drive::Click(wiz().cmdBack);
    EXPECT_EQ(Page(), 6);
    host.AnswerMsgBox(services::vbYes);
    Finish();
    EXPECT_EQ(host.MsgBoxes().back().prompt, "Rye bread has now been added to you list of ingredients.");
    EXPECT_EQ(app->Ing.Count(), 3u);
    EXPECT_EQ(Bytes(Data("Ing.dat")).size(), before.size() + recipe::kIngRecordSize);
}

TEST_F(Wizard, NothingButZerosIsStoredWithoutAQuestion) {
    Entered in;
    in.cal = in.fat = in.satFat = in.chol = in.sodium = in.carbs = in.fiber = in.protein = "0";
    Enter(in);
    Finish();
    EXPECT_EQ(host.MsgBoxes().back().prompt, "Rye bread has now been added to you list of ingredients.");
    EXPECT_EQ(app->Ing.Count(), 3u);
}

// The pages lie stacked at one place: the first focus and Tab stay on the page on top and the
// wizard's buttons that are enabled.
TEST_F(Wizard, TabGoesRoundThePageOnTopAndTheButtons) {
    auto& w = wiz();
    const struct {
        int page;
        std::vector<std::string> round;  // from the focus on arriving, back to it
    } rows[] = {
        {0, {"cmdStartOver", "cmdHelp", "txtName"}},
        {6, {"optFatCals", "txtSatFat", "cmdBack", "cmdStartOver", "cmdHelp", "txtFat"}},  // Next waits for the fat
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.page);
        if (r.page == 6) Enter(Entered{}, 5);
        ASSERT_EQ(Page(), r.page);
        forms::Control* const start = w.ActiveControl();
        ASSERT_NE(start, nullptr);
        std::vector<std::string> round;
        for (forms::Control* at = start; round.size() < 20 && (round.empty() || at != start);) {
            drive::PressKey(*at, forms::vbKeyTab);
            at = w.ActiveControl();
            round.push_back(at->Name());
        }
        EXPECT_EQ(round, r.round);
    }
}

TEST_F(Wizard, StartOverAndThePicture) {
    Enter(Entered{}, 6);
    drive::Click(wiz().cmdStartOver);
    EXPECT_EQ(Page(), 0);
    EXPECT_EQ(wiz().txtName.Text(), "");
    EXPECT_EQ(wiz().txtChol.Text(), "");
    EXPECT_EQ(wiz().lblCals.Caption(), "");
    for (int i = 0; i < entry::kUnitOptions; ++i) EXPECT_FALSE(wiz().optUnits[i].Value()) << i;
    EXPECT_TRUE(wiz().optForD[1].Value());
    EXPECT_TRUE(wiz().optFatCals[0].Value());
    EXPECT_FALSE(wiz().cmdBack.Enabled());
    EXPECT_FALSE(wiz().cmdNext.Enabled());
    EXPECT_TRUE(wiz().txtName.HasFocus());
    drive::Click(wiz().Image1);
    EXPECT_EQ(host.MsgBoxes().back().prompt, "This is just a picture of some fruit and vegetables.");
    EXPECT_EQ(host.MsgBoxes().back().title, "Sorvella");
}

// A store that could not be read at start-up is never written over: the wizard says so and keeps
// what was entered.
class WizardOnAnUnreadableStore : public recipetest::WizardProgram {
protected:
    void SetUp() override {
        std::filesystem::create_directory(Data("Ing.dat"));
        Open();
        drive::ClickTool(main().TopBar, "AddIngredient");
    }
};

TEST_F(WizardOnAnUnreadableStore, AFailedSaveKeepsTheEntries) {
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "File Problem");
    Enter(Entered{});
    Finish();
    EXPECT_EQ(host.MsgBoxes().back().title, "File Problem");
    EXPECT_NE(host.MsgBoxes().back().prompt.find("\"Ing.dat\" could not be written."), std::string::npos);
    for (const auto& m : host.MsgBoxes()) EXPECT_EQ(m.prompt.find("has now been added"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(Data("Ing.dat")));
    EXPECT_EQ(Page(), 10);
    EXPECT_EQ(wiz().CurrentStep, 10);
    EXPECT_EQ(wiz().txtName.Text(), "Rye bread");
    EXPECT_EQ(wiz().txtProtein.Text(), "9");
}

}  // namespace
