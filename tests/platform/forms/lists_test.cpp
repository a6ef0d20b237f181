// List boxes and combo boxes: sorted order, selection events, item data, the prefix search.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/core/text.h"
#include "sample_form.h"

namespace formtest {
namespace {

class Lists : public ::testing::Test {
protected:
    void SetUp() override {
        form.Text1.LostFocus = nullptr;
        form.Show();
        form.Take();
    }
    std::vector<std::string> Items(const forms::ListControl& list) {
        std::vector<std::string> out;
        for (int i = 0; i < list.ListCount(); ++i) out.push_back(list.List(i));
        return out;
    }
    ::drive::TestHost host;
    Sample form;
};

TEST_F(Lists, SortedListsOrderWithoutRegardToCaseAndKeepEqualItemsInArrivalOrder) {
    for (const char* s : {"pear", "Apple", "banana", "apple", "\xC9" "clair", "Zucchini", "eclair"})
        form.List1.AddItem(s);
    // Windows-1252 letters fold too: "\xC9" (E acute) sorts with its lower case after "e".
    EXPECT_EQ(Items(form.List1),
              (std::vector<std::string>{"Apple", "apple", "banana", "eclair", "pear", "Zucchini", "\xC9" "clair"}));
    EXPECT_EQ(form.List1.NewIndex(), 3);
    form.List1.AddItem("first", 0);  // an explicit index wins over the order
    EXPECT_EQ(form.List1.List(0), "first");
    EXPECT_EQ(form.List1.NewIndex(), 0);
}

TEST_F(Lists, SelectionEvents) {
    for (const char* s : {"a", "b", "c", "d"}) form.List1.AddItem(s);
    const struct {
        const char* name;
        std::function<void()> act;
        Events expected;
        int listIndex;
    } cases[] = {
        {"a new index runs Click", [&] { form.List1.ListIndex(2); }, {"List1_Click 2"}, 2},
        {"the same index runs nothing", [&] { form.List1.ListIndex(2); }, {}, 2},
        {"an insert before the selection keeps its item", [&] { form.List1.AddItem("0", 0); }, {}, 3},
        {"removing an item before it shifts it", [&] { form.List1.RemoveItem(0); }, {}, 2},
        {"removing the selected item clears the selection silently", [&] { form.List1.RemoveItem(2); }, {}, -1},
        {"the user chooses an item", [&] { drive::ChooseItem(form.List1, 1); }, {"List1_GotFocus", "List1_Click 1"}, 1},
        {"-1 from code runs Click", [&] { form.List1.ListIndex(-1); }, {"List1_Click -1"}, -1},
        {"Text selects the equal item without regard to case", [&] { form.List1.Text("D"); }, {"List1_Click 2"}, 2},
        {"Clear empties the selection without an event", [&] { form.List1.Clear(); }, {}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.act();
        EXPECT_EQ(form.Take(), c.expected);
        EXPECT_EQ(form.List1.ListIndex(), c.listIndex);
    }
    EXPECT_EQ(form.List1.NewIndex(), -1);
}

TEST_F(Lists, ItemDataFollowsItsItem) {
    form.List1.AddItem("m");
    form.List1.ItemData(form.List1.NewIndex(), 13);
    form.List1.AddItem("a");
    form.List1.ItemData(form.List1.NewIndex(), 1);
    form.List1.AddItem("z");
    form.List1.ItemData(form.List1.NewIndex(), 26);
    EXPECT_EQ(form.List1.ItemData(0), 1);
    EXPECT_EQ(form.List1.ItemData(1), 13);
    EXPECT_EQ(form.List1.ItemData(2), 26);
}

TEST_F(Lists, BadIndexesFailWithTheOldErrors) {
    form.List1.AddItem("a");
    const struct {
        const char* name;
        std::function<void()> act;
        int error;
    } cases[] = {
        {"ListIndex past the end", [&] { form.List1.ListIndex(1); }, 380},
        {"ListIndex below -1", [&] { form.List1.ListIndex(-2); }, 380},
        {"ItemData past the end", [&] { (void)form.List1.ItemData(1); }, 381},
        {"ItemData of -1", [&] { form.List1.ItemData(-1, 5); }, 381},
        {"List written past the end", [&] { form.List1.List(3, "x"); }, 381},
        {"AddItem past the end", [&] { form.List1.AddItem("x", 2); }, 5},
        {"RemoveItem past the end", [&] { form.List1.RemoveItem(1); }, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.act();
            ADD_FAILURE() << "no error";
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number, c.error);
        }
    }
    EXPECT_EQ(form.List1.List(5), "");  // reading outside gives an empty text
    EXPECT_EQ(form.List1.List(-1), "");
}

TEST_F(Lists, PrefixSearchStartsAfterTheIndexAndWrapsRound) {
    for (const char* s : {"cha", "apple", "Cheese", "chips", "banana"}) form.List1.AddItem(s);
    ASSERT_EQ(Items(form.List1), (std::vector<std::string>{"apple", "banana", "cha", "Cheese", "chips"}));
    const struct {
        const char* name;
        const char* prefix;
        int start;
        int found;
    } cases[] = {
        {"from the top", "ch", -1, 2},
        {"start 0 begins at item 1", "ap", 0, 0},  // wraps round to item 0 last
        {"after a match", "ch", 2, 3},
        {"wraps round", "ch", 4, 2},
        {"case does not count", "CHE", -1, 3},
        {"a whole item is a prefix of itself", "chips", 0, 4},
        {"longer than every item", "chipsy", -1, -1},
        {"no match", "zz", -1, -1},
        {"the empty text matches nothing", "", -1, -1},
        {"a start past the end searches everything", "b", 99, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(form.List1.FindString(c.prefix, c.start), c.found);
    }
}

TEST_F(Lists, SelectingScrollsTheItemIntoView) {
    for (int i = 0; i < 100; ++i) form.List1.AddItem("item " + std::to_string(1000 + i));
    form.List1.Move(0, 0, 2000, 1500);
    int rows = form.List1.VisibleRows();
    ASSERT_GT(rows, 1);
    form.List1.ListIndex(50);
    EXPECT_EQ(form.List1.TopIndex(), 50 - rows + 1);
    form.List1.ListIndex(3);
    EXPECT_EQ(form.List1.TopIndex(), 3);
    form.List1.TopIndex(500);
    EXPECT_EQ(form.List1.TopIndex(), 99);
}

TEST_F(Lists, ManyRandomInsertsAndRemovalsKeepTheOrder) {
    std::mt19937 rng(7);
    std::vector<std::string> model;
    for (int i = 0; i < 3000; ++i) {
        std::string s(1 + rng() % 4, 'a');
        for (char& ch : s) ch = static_cast<char>((rng() % 2 ? 'a' : 'A') + rng() % 5);
        form.List1.AddItem(s);
        model.insert(std::upper_bound(model.begin(), model.end(), s, vb::TextLess), s);
        if (i % 7 == 0) {
            int at = static_cast<int>(rng() % model.size());
            form.List1.RemoveItem(at);
            model.erase(model.begin() + at);
        }
    }
    EXPECT_EQ(Items(form.List1), model);
}

// Many items at once land where AddItem and ItemData(NewIndex) put each in turn: texts, item
// data (so the order of equal texts), NewIndex, the selected item and the top row alike.
TEST_F(Lists, AddingManyAtOnceEqualsAddingEachInTurn) {
    struct Pair : forms::Form {
        Pair() : Form("Pair") {}
        forms::ListBox AtOnce{*this, "AtOnce"};
        forms::ListBox InTurn{*this, "InTurn"};
    };
    std::mt19937 rng(11);
    auto words = [&](int n) {
        std::vector<std::string> out;
        for (int i = 0; i < n; ++i) {
            std::string s(1 + rng() % 3, 'a');
            for (char& ch : s) ch = static_cast<char>((rng() % 2 ? 'a' : 'A') + rng() % 4);
            out.push_back(s);
        }
        return out;
    };
    const struct {
        const char* name;
        bool sorted;
        std::vector<std::string> before, added;
        int selected;  // before the items are added; -1 none
    } rows[] = {
        {"sorted, in order from the last item on", true, {"apple", "Beef"}, {"beef", "Cheese", "cheese", "date"}, 0},
        {"sorted, out of order", true, {"apple", "melon"}, {"kiwi", "Banana", "apple", "zest"}, 0},
        {"sorted, before the last item", true, {"melon"}, {"apple", "banana"}, 0},
        {"sorted, equal texts among the list's and each other", true, {"b", "B", "d"}, {"B", "a", "b", "D", "b"}, 1},
        {"sorted, into an empty list", true, {}, {"pear", "Apple", "apple", "fig"}, -1},
        {"sorted, texts alike in their first letters", true, {"food number 12345, 1"},
         {"Food number 12345, 2", "food number 12345, 1", "Food number 12345", "food number 1234", "Food Number 12345, 10",
          std::string("Food number 12345\0", 18), "food number 12345, 1"}, 0},
        {"sorted, Windows-1252 letters", true, {"\xE9t\xE9"}, {"\xC9T\xC9", "zebra", "\x8A" "a", "eclair", "\x9A" "b", "\xFF"}, 0},
        {"sorted, the last selected", true, {"a", "m"}, {"z", "b", "M"}, 1},
        {"sorted, many into a few", true, words(40), words(3000), 17},
        {"sorted, a few into many", true, words(3000), words(30), 2999},
        {"sorted, nothing selected", true, words(50), words(200), -1},
        {"unsorted", false, {"b"}, {"c", "a"}, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Pair pair;
        for (forms::ListBox* list : {&pair.AtOnce, &pair.InTurn}) {
            list->Sorted(r.sorted);
            for (std::size_t i = 0; i < r.before.size(); ++i) {
                list->AddItem(r.before[i]);
                list->ItemData(list->NewIndex(), -1 - static_cast<vb::Long>(i));
            }
            list->ListIndex(r.selected);
            list->TopIndex(static_cast<int>(r.before.size()) / 2);
        }
        std::vector<forms::ListItem> items;
        for (std::size_t i = 0; i < r.added.size(); ++i) items.push_back({r.added[i], static_cast<vb::Long>(i)});
        pair.AtOnce.AddItems(std::move(items));
        for (std::size_t i = 0; i < r.added.size(); ++i) {
            pair.InTurn.AddItem(r.added[i]);
            pair.InTurn.ItemData(pair.InTurn.NewIndex(), static_cast<vb::Long>(i));
        }
        ASSERT_EQ(Items(pair.AtOnce), Items(pair.InTurn));
        for (int i = 0; i < pair.InTurn.ListCount(); ++i) ASSERT_EQ(pair.AtOnce.ItemData(i), pair.InTurn.ItemData(i)) << i;
        EXPECT_EQ(pair.AtOnce.NewIndex(), pair.InTurn.NewIndex());
        EXPECT_EQ(pair.AtOnce.ListIndex(), pair.InTurn.ListIndex());
        EXPECT_EQ(pair.AtOnce.TopIndex(), pair.InTurn.TopIndex());
        // Still one list after the change: the prefix search and inserts find their places.
        EXPECT_EQ(pair.AtOnce.FindString("b", 3), pair.InTurn.FindString("b", 3));
        pair.AtOnce.AddItem("bb");
        pair.InTurn.AddItem("bb");
        EXPECT_EQ(pair.AtOnce.NewIndex(), pair.InTurn.NewIndex());
    }
}

TEST_F(Lists, DropDownListTextSelectsAnItem) {
    for (const char* s : {"Beef", "Poultry", "Soups"}) form.Combo1.AddItem(s);
    const struct {
        const char* name;
        std::function<void()> act;
        Events expected;
        std::string text;
    } cases[] = {
        {"a listed text", [&] { form.Combo1.Text("Beef"); }, {"Combo1_Click Beef"}, "Beef"},
        {"the same text again", [&] { form.Combo1.Text("Beef"); }, {}, "Beef"},
        {"another case of the same item", [&] { form.Combo1.Text("BEEF"); }, {}, "Beef"},
        {"the user picks", [&] { drive::ChooseItem(form.Combo1, "Soups"); }, {"Combo1_Click Soups"}, "Soups"},
        {"the empty text clears", [&] { form.Combo1.Text(""); }, {"Combo1_Click "}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.act();
        EXPECT_EQ(form.Take(), c.expected);
        EXPECT_EQ(form.Combo1.Text(), c.text);
    }
    try {
        form.Combo1.Text("Lamb");
        ADD_FAILURE() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number, 383);
    }
}

TEST_F(Lists, DropDownComboKeepsAnEditText) {
    for (const char* s : {"cup", "tsp"}) form.Combo2.AddItem(s);
    const struct {
        const char* name;
        std::function<void()> act;
        Events expected;
        std::string text;
        int listIndex;
    } cases[] = {
        {"code sets a free text", [&] { form.Combo2.Text("Select"); }, {"Combo2_Change Select"}, "Select", -1},
        {"a listed text selects its item silently", [&] { form.Combo2.Text("TSP"); }, {"Combo2_Change TSP"}, "TSP", 1},
        {"choosing from the list", [&] { drive::ChooseItem(form.Combo2, 0); },
         {"Combo2_DropDown", "Combo2_Click cup"}, "cup", 0},
        {"typing", [&] { drive::TypeKeys(form.Combo2, "s"); }, {"Combo2_Change cups"}, "cups", -1},
        {"removing an item keeps the text", [&] { form.Combo2.RemoveItem(0); }, {}, "cups", -1},
        {"Clear empties the text without Change", [&] { form.Combo2.Clear(); }, {}, "", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.act();
        EXPECT_EQ(form.Take(), c.expected);
        EXPECT_EQ(form.Combo2.Text(), c.text);
        EXPECT_EQ(form.Combo2.ListIndex(), c.listIndex);
    }
}

}  // namespace
}  // namespace formtest
