// Save, load, save is the identity: random recipes stored through the store and through the
// builder come back from the file exactly, and writing them again gives the same bytes.
#include <random>

#include "builder_steps.h"
#include "recipe/store/recipestore.h"

namespace {

using recipetest::Example;
namespace g = recipe::grammar;

class Random {
public:
    explicit Random(unsigned seed) : gen_(seed) {}
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen_); }
    // Text of ordinary Windows-1252 characters (no record delimiter, no line break).
    std::string Text(int maxLength, bool blanksAtEnds) {
        std::string s;
        const int n = Below(maxLength + 1);
        for (int i = 0; i < n; ++i) {
            char c;
            do c = static_cast<char>(32 + Below(224));
            while (g::kDelimiters.find(c) != std::string_view::npos || c == '\x7F');
            s += c;
        }
        if (!blanksAtEnds) {
            while (!s.empty() && s.front() == ' ') s.erase(0, 1);
            while (!s.empty() && s.back() == ' ') s.pop_back();
        }
        return s;
    }
    std::string Quantity(bool fractions) {
        static const char* const kFractions[] = {"1/8", "1/4", "1/3", "3/8", "1/2", "5/8", "2/3", "3/4", "7/8"};
        const int whole = Below(1001);
        if (fractions) {
            const std::string f = kFractions[Below(9)];
            if (whole == 0) return f;
            return Below(2) ? std::to_string(whole) : std::to_string(whole) + " " + f;
        }
        return Below(2) ? std::to_string(whole + 1) : std::to_string(whole) + "." + std::to_string(1 + Below(9));
    }

private:
    std::mt19937 gen_;
};

std::string RandomRecord(Random& r, const std::string& name) {
    static const char* const kServings[] = {"1/8", "1/3", "2/3", "7/8", "1", "4", "991"};
    std::vector<std::string> lines;
    const int n = 1 + r.Below(12);
    for (int i = 0; i < n; ++i) {
        if (r.Below(4) == 0) {
            lines.push_back(g::HeadingLine(r.Below(3) == 0 ? std::string(r.Below(2) ? " " : "") : r.Text(50, true)));
        } else {
            const bool fractions = r.Below(2) == 0;
            lines.push_back(g::IngredientLine(r.Text(60, false), fractions, r.Quantity(fractions), r.Text(30, false)));
        }
    }
    std::string directions;
    for (int k = r.Below(4); k > 0; --k) directions += (directions.empty() ? "" : "\r\n") + r.Text(80, false);
    return g::RecipeRecord(name, kServings[r.Below(7)], lines, directions);
}

TEST(RoundTrip, TheStoreReadsBackWhatItWroteAndWritesItAgain) {
    drive::TempEnvironment env;
    Random r(20261208);
    std::vector<std::string> records;
    {
        recipe::RecipeStore store;
        ASSERT_FALSE(store.Get_Big_Recipe());
        for (int i = 0; i < 200; ++i) {
            // Names may repeat in other letter case; a repeat replaces the stored one.
            std::string name = r.Text(50, false);
            if (name.empty()) name = "Recipe " + std::to_string(i);
            const std::string record = RandomRecord(r, name);
            ASSERT_TRUE(g::IsWellFormedRecord(record)) << i;
            const bool replace = store.Find(name, true) >= 0;
            ASSERT_FALSE(replace ? store.Replace_Recipe(name, record) : store.Append_Recipe(record)) << i;
        }
    }
    const std::string file = drive::TempEnvironment::ReadFile(env.CurrentDir() / "Recipe.Dat");
    recipe::RecipeStore again;
    ASSERT_FALSE(again.Get_Big_Recipe());
    again.Load_Recipes();
    EXPECT_FALSE(again.damaged());
    std::string joined;
    for (const auto& e : again.Recipe_Table) joined += "\xAE" + e.RecipeName + e.RecipeBody;
    EXPECT_EQ(joined + "\r\n", file);
    ASSERT_FALSE(again.Save_Recipes());
    EXPECT_EQ(drive::TempEnvironment::ReadFile(env.CurrentDir() / "Recipe.Dat"), file);
}

class BuilderRoundTrip : public recipetest::Session {};

TEST_F(BuilderRoundTrip, RecipesSavedFromTheBuilderComeBackExactly) {
    SetOption("Show Tips at Startup", "0");
    recipe::IngRecord egg = recipetest::Ing("Egg", "egg", 1, "", 0, recipe::kNeitherKind);
    egg.UniqueMeasure = vb::True;
    WriteIngredients({Example(), egg});
    Open();
    Random r(7);
    for (int k = 0; k < 12; ++k) {
        SCOPED_TRACE(k);
        Tool("Start");
        Name("Dish " + std::to_string(k));
        for (int n = 1 + r.Below(6); n > 0; --n) {
            switch (r.Below(4)) {
            case 0: Heading(r.Text(20, false)); break;
            case 1: AddLine("Egg", 1 + r.Below(12), 0, "egg"); break;
            default: {
                const bool fractions = r.Below(2) == 0;
                AddLine("Example", r.Below(20), 1 + r.Below(9), fractions ? "cup" : "g", fractions);
            }
            }
        }
        Servings(1 + r.Below(30));
        Directions(r.Text(40, false) + "\r\n" + r.Text(40, false));
        Save();
    }
    ASSERT_TRUE(host.MsgBoxes().empty()) << host.MsgBoxes().at(0).prompt;
    const std::string file = Stored();
    const std::string text = app->Recipes.Recipe_Text();
    EXPECT_EQ(text + "\r\n", file);
    TearDown();

    // The next start reads the same text; saving the last recipe again in its own place rewrites
    // the same bytes.
    Open();
    EXPECT_EQ(app->Recipes.Recipe_Text(), text);
    EXPECT_EQ(app->Recipes.Recipe_Table.size(), 12u);
    const recipe::RecipeEntry last = app->Recipes.Recipe_Table.back();
    ASSERT_TRUE(app->Replace_Recipe(last.RecipeName, "\xAE" + last.RecipeName + last.RecipeBody));
    EXPECT_EQ(Stored(), file);
}

}  // namespace
