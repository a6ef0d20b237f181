// The ingredient search dialog as the builder opens it: all or any of the words, letter case
// ignored, each name once, "No match", and a result handed back to the builder.
#include <functional>

#include "recipe_program.h"

namespace {

using recipetest::Example;
using recipetest::Ing;

class Search : public recipetest::Program {
protected:
    void SetUp() override {
        WriteIngredients({Example("Brown rice"), Example("Rice flakes"), Ing("Rice, raw, brown", "oz", 1, "g", 28.35f,
                                                                               recipe::kWeightOnly),
                          Example("Wheat flour, brown"), Example("Oats"), Example("Oats")});
        Open();
    }

    // Opens the dialog from the builder and runs `script` while it is shown.
    void InDialog(const std::function<void(recipe::SearchFrm&)>& script) {
        bool ran = false;
        host.OnModal("SearchFrm", [&](forms::Form& f) {
            ran = true;
            script(static_cast<recipe::SearchFrm&>(f));
        });
        drive::Click(calc().SearchLbl);
        EXPECT_TRUE(ran);
    }
    static void Find(recipe::SearchFrm& s, const std::string& words) {
        drive::TypeText(s.SearchTxt, words);
        drive::Click(s.SearchCmd);
    }
};

TEST_F(Search, AllOrAnyOfTheWords) {
    const struct {
        const char* name;
        bool any;
        const char* words;
        std::vector<std::string> found;
    } rows[] = {
        {"all, any order and case", false, "BROWN rice", {"Brown rice", "Rice, raw, brown"}},
        {"all, several blanks", false, "  rice    brown ", {"Brown rice", "Rice, raw, brown"}},
        {"all, a comma is part of a word", false, "rice,", {"Rice, raw, brown"}},
        {"any, grouped by the first word matched", true, "flour rice",
         {"Wheat flour, brown", "Brown rice", "Rice flakes", "Rice, raw, brown"}},
        {"any, each name once", true, "brown rice", {"Brown rice", "Rice, raw, brown", "Wheat flour, brown",
                                                     "Rice flakes"}},
        {"equal names listed once", false, "oats", {"Oats"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        InDialog([&](recipe::SearchFrm& s) {
            EXPECT_TRUE(s.AnyAllOpt[1].Value());
            if (r.any) drive::Click(s.AnyAllOpt[0]);
            Find(s, r.words);
            EXPECT_EQ(Items(s.SearchLst), r.found);
            EXPECT_TRUE(s.SearchLst.Visible());
            drive::Click(s.ExitCmd);
            EXPECT_FALSE(s.IsLoaded());
        });
    }
    // Choosing "any" warns once each time it is chosen.
    ASSERT_EQ(host.MsgBoxes().size(), 2u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt,
              "This option may take a significant amout of time to complete and it may produce very large list of "
              "results.");
    EXPECT_EQ(host.MsgBoxes()[0].title, "This may take some time");
    EXPECT_EQ(host.MsgBoxes()[0].style, services::vbExclamation);
}

TEST_F(Search, NothingFoundNothingTypedAndClear) {
    InDialog([&](recipe::SearchFrm& s) {
        EXPECT_EQ(s.Caption(), "Search");
        EXPECT_FALSE(s.SearchLst.Visible());
        Find(s, "rice");
        EXPECT_TRUE(s.SearchLst.Visible());
        Find(s, "barley");
        EXPECT_FALSE(s.SearchLst.Visible());
        EXPECT_EQ(s.SearchLst.ListCount(), 0);
        ASSERT_EQ(host.MsgBoxes().size(), 1u);
        EXPECT_EQ(host.MsgBoxes()[0].prompt, "No match was found.");
        EXPECT_EQ(host.MsgBoxes()[0].title, "No match");
        EXPECT_EQ(host.MsgBoxes()[0].style, services::vbInformation);

        Find(s, "   ");
        ASSERT_EQ(host.MsgBoxes().size(), 2u);
        EXPECT_EQ(host.MsgBoxes()[1].prompt, "You must type something in the box to do a search");
        EXPECT_EQ(host.MsgBoxes()[1].title, "Unable to Search");
        EXPECT_TRUE(s.SearchTxt.HasFocus());

        // Enter in the box searches.
        drive::TypeText(s.SearchTxt, "flakes");
        drive::PressKey(s.SearchTxt, forms::vbKeyReturn);
        EXPECT_EQ(Items(s.SearchLst), std::vector<std::string>{"Rice flakes"});
        EXPECT_EQ(s.SearchTxt.Text(), "flakes");
        EXPECT_EQ(s.Search_Words, (std::vector<std::string>{"flakes", ""}));

        drive::Click(s.ClearCmd);
        EXPECT_FALSE(s.SearchLst.Visible());
        EXPECT_EQ(s.SearchTxt.Text(), "");
        EXPECT_EQ(s.Search_Words, std::vector<std::string>{""});
        EXPECT_TRUE(s.SearchTxt.HasFocus());

        drive::Click(s.HelpCmd);
        EXPECT_EQ(host.DesktopCalls().back().kind, "help");
        EXPECT_EQ(host.DesktopCalls().back().data, 540);
    });
    // Opened again, it starts afresh.
    InDialog([&](recipe::SearchFrm& s) {
        EXPECT_EQ(s.SearchTxt.Text(), "");
        EXPECT_FALSE(s.SearchLst.Visible());
        EXPECT_TRUE(s.AnyAllOpt[1].Value());
    });
}

TEST_F(Search, AResultIsChosenInTheBuilder) {
    InDialog([&](recipe::SearchFrm& s) {
        Find(s, "raw");
        drive::ChooseItem(s.SearchLst, "Rice, raw, brown");
        EXPECT_FALSE(s.IsLoaded());
        // The builder's list holds the choice and the timer will take it once more.
        EXPECT_EQ(calc().IngLst.Text(), "Rice, raw, brown");
        EXPECT_TRUE(calc().PassTmr.Enabled());
    });
    drive::Tick(calc().PassTmr);
    EXPECT_FALSE(calc().PassTmr.Enabled());
    EXPECT_EQ(calc().IngLst2.Text(), "Rice, raw, brown");
    EXPECT_TRUE(calc().IngLst2.Visible());
    EXPECT_FALSE(calc().IngLst.Visible());
    EXPECT_EQ(calc().R_IngLst.Text(), "Rice, raw, brown");
    EXPECT_EQ(Items(calc().MeasureLst), (std::vector<std::string>{"oz", "g", "lb"}));
    Quantity(2, 0);
    Add();
    ASSERT_EQ(calc().R_IngLst.ListCount(), 1);
    EXPECT_EQ(calc().R_IngLst.List(0), "2  oz     Rice, raw, brown");
    EXPECT_TRUE(host.MsgBoxes().empty());
}

// The arrows look through the results and Enter takes the one they are on.
TEST_F(Search, AResultIsChosenByTheKeys) {
    InDialog([&](recipe::SearchFrm& s) {
        Find(s, "rice");
        ASSERT_EQ(Items(s.SearchLst), (std::vector<std::string>{"Brown rice", "Rice flakes", "Rice, raw, brown"}));
        drive::PressKey(s.SearchLst, forms::vbKeyDown);
        drive::PressKey(s.SearchLst, forms::vbKeyDown);
        EXPECT_TRUE(s.IsLoaded());
        EXPECT_EQ(s.SearchLst.ListIndex(), -1);
        drive::PressKey(s.SearchLst, forms::vbKeyReturn);
        EXPECT_FALSE(s.IsLoaded());
        EXPECT_EQ(calc().IngLst.Text(), "Rice flakes");
    });
}

}  // namespace
