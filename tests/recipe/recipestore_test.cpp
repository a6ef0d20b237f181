// The recipe store: parsing the store text, reading and writing "Recipe.Dat" byte for byte,
// deleting by name, and damaged files that must neither hang, crash nor lose their unread part.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/safesave.h"
#include "recipe/store/grammar.h"
#include "recipe/store/recipestore.h"
#include "platform/testing/temp_env.h"

namespace {

using recipe::RecipeEntry;
using recipe::RecipeStore;
using Sandbox = drive::TempEnvironment;
namespace g = recipe::grammar;

std::string Record(const std::string& name, const std::string& directions = "Stir.") {
    return g::RecipeRecord(name, "4",
                           {g::IngredientLine("Flour", true, "1 1/2", "cup"), g::HeadingLine("Topping"),
                            g::IngredientLine("Milk", false, "0.5", "ml")},
                           directions);
}

std::vector<std::string> Names(const RecipeStore& s) {
    std::vector<std::string> out;
    for (const auto& e : s.Recipe_Table) out.push_back(e.RecipeName);
    return out;
}

RecipeStore Loaded(const std::string& fileBytes) {
    Sandbox::WriteFile("Recipe.Dat", fileBytes);
    RecipeStore s;
    EXPECT_FALSE(s.Get_Big_Recipe().has_value());
    s.Load_Recipes();
    return s;
}

TEST(RecipeText, ParsesSoundTextsIntoNameAndBody) {
    const std::string a = Record("Soup"), b = Record("Bread  ", "Knead.\r\nBake."), c = Record("Pie", "");
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> names;
    } rows[] = {
        {"empty", "", {}},
        {"one record", a, {"Soup"}},
        {"three back to back", a + b + c, {"Soup", "Bread  ", "Pie"}},
        {"blanks and line ends between records", a + "  \r\n" + b, {"Soup", "Bread  "}},
        {"only a line end", "\r\n", {}},
        {"name holding the record end", Record("Wei\xDFwurst"), {"Wei\xDFwurst"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const auto parsed = recipe::ParseRecipeText(r.text);
        EXPECT_FALSE(parsed.damaged());
        std::vector<std::string> names;
        for (const auto& e : parsed.entries) {
            names.push_back(e.RecipeName);
            EXPECT_EQ(e.RecipeBody.front(), g::kNameEnd);
            EXPECT_EQ(e.RecipeBody.back(), g::kRecordEnd);
        }
        EXPECT_EQ(names, r.names);
    }
    // Name and body join back into the record.
    const auto one = recipe::ParseRecipeText(b);
    ASSERT_EQ(one.entries.size(), 1u);
    EXPECT_EQ("\xAE" + one.entries[0].RecipeName + one.entries[0].RecipeBody, b);
}

TEST(RecipeText, DamageStopsTheParseAndKeepsTheRest) {
    const std::string a = Record("Soup"), b = Record("Bread");
    const struct {
        const char* name;
        std::string text;
        std::size_t records;
        std::string tail;
    } rows[] = {
        {"cut inside the second record", a + b.substr(0, 20), 1, b.substr(0, 20)},
        {"no name end", a + "\xAENameless", 1, "\xAENameless"},
        {"no record end", a + "\xAEName\xA7" "4\xC8", 1, "\xAEName\xA7" "4\xC8"},
        {"record end before the name end", "\xAE" "A\xDF", 0, "\xAE" "A\xDF"},
        {"text before the first record", "junk" + a, 0, "junk" + a},
        {"stray text after a record", a + "wine.\xDF" + b, 1, "wine.\xDF" + b},
        {"gap kept with the tail", a + "\r\n#", 1, "\r\n#"},
        {"lone record start", "\xAE", 0, "\xAE"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const auto parsed = recipe::ParseRecipeText(r.text);
        EXPECT_EQ(parsed.entries.size(), r.records);
        EXPECT_EQ(parsed.tail, r.tail);
        EXPECT_EQ(r.text.substr(parsed.goodLength), r.tail);
    }
}

// Kept as read whether the text is only records (then the table holds it) or has more between.
TEST(RecipeStoreFile, ReadsAndWritesTheFileByteForByte) {
    const std::string soup = Record("Soup"), bread = Record("Bread", "Knead\x90\r\nBake."), pie = Record("Pie");
    const struct {
        const char* name;
        std::string text;
    } rows[] = {
        {"back to back", soup + bread + pie},
        {"line ends between", soup + "\r\n" + bread + "  \r\n" + pie},
        {"a line end first", "\r\n" + soup + bread + pie},
        {"blanks last", soup + bread + pie + "  "},
        {"damaged tail", soup + bread + pie.substr(0, 9)},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Sandbox sb;
        RecipeStore s = Loaded(r.text + "\r\n");
        EXPECT_EQ(s.Recipe_Text(), r.text);
        const auto names = r.text.find(pie) != std::string::npos ? std::vector<std::string>{"Soup", "Bread", "Pie"}
                                                                 : std::vector<std::string>{"Soup", "Bread"};
        EXPECT_EQ(Names(s), names);
        EXPECT_EQ(s.Load_Recipes(), names) << "loaded again, as a reopened list does";
        EXPECT_EQ(Names(s), names);
        ASSERT_FALSE(s.Save_Recipes().has_value());
        EXPECT_EQ(Sandbox::ReadFile("Recipe.Dat"), r.text + "\r\n");
        EXPECT_EQ(s.Recipe_Text(), r.text);
        EXPECT_FALSE(std::filesystem::exists(files::TempName("Recipe.Dat")));
    }
}

TEST(RecipeStoreFile, MissingFinalLineEndLosesNothing) {
    Sandbox sb;
    const std::string text = Record("Soup") + Record("Bread");
    RecipeStore s = Loaded(text);
    EXPECT_EQ(s.Recipe_Text(), text);
    EXPECT_EQ(s.Recipe_Table.size(), 2u);
    EXPECT_EQ(s.Recipe_Table[1].RecipeBody.back(), g::kRecordEnd);
}

TEST(RecipeStoreFile, MissingFileIsCreatedEmpty) {
    Sandbox sb;
    RecipeStore s;
    EXPECT_FALSE(s.Get_Big_Recipe().has_value());
    EXPECT_TRUE(s.Load_Recipes().empty());
    EXPECT_TRUE(std::filesystem::exists("Recipe.Dat"));
    EXPECT_EQ(std::filesystem::file_size("Recipe.Dat"), 0u);
}

TEST(RecipeStoreFile, FirstRecordIntoAnEmptyStore) {
    Sandbox sb;
    RecipeStore s = Loaded("");
    ASSERT_FALSE(s.Append_Recipe(Record("Soup")).has_value());
    EXPECT_EQ(Sandbox::ReadFile("Recipe.Dat"), Record("Soup") + "\r\n");
    RecipeStore again = Loaded(Sandbox::ReadFile("Recipe.Dat"));
    EXPECT_EQ(again.Recipe_Text(), Record("Soup"));
    ASSERT_EQ(again.Recipe_Table.size(), 1u);
    EXPECT_EQ("\xAE" + again.Recipe_Table[0].RecipeName + again.Recipe_Table[0].RecipeBody, Record("Soup"));
}

TEST(RecipeStoreFile, DeleteByNameMovesTheLastRecordIntoThePlace) {
    Sandbox sb;
    const std::string first = Record("First "), second = Record("Second"), third = Record("Third");
    const struct {
        const char* name;
        const char* deleted;
        std::vector<std::string> names;
        std::string file;
    } rows[] = {
        {"first, by its trimmed name", "First", {"Third", "Second"}, third + second + "\r\n"},
        {"middle", "Second", {"First ", "Third"}, first + third + "\r\n"},
        {"last", " Third ", {"First ", "Second"}, first + second + "\r\n"},
        {"other letter case deletes nothing", "second", {"First ", "Second", "Third"}, first + second + third},
        {"a pattern deletes nothing", "*", {"First ", "Second", "Third"}, first + second + third},
        {"an unbalanced bracket deletes nothing", "[", {"First ", "Second", "Third"}, first + second + third},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        RecipeStore s = Loaded(first + second + third);
        ASSERT_FALSE(s.Delete_Recipe(r.deleted).has_value());
        EXPECT_EQ(Names(s), r.names);
        EXPECT_EQ(Sandbox::ReadFile("Recipe.Dat"), r.file);
    }
}

TEST(RecipeStoreFile, DeletingEveryCopyOfANameChecksTheMovedEntryToo) {
    Sandbox sb;
    RecipeStore s = Loaded(Record("Soup") + Record("Pie") + Record("Soup"));
    ASSERT_FALSE(s.Delete_Recipe("Soup").has_value());
    EXPECT_EQ(Names(s), (std::vector<std::string>{"Pie"}));
    EXPECT_EQ(s.Recipe_Text(), Record("Pie"));
}

TEST(RecipeStoreFile, DeletingTheOnlyRecipeLeavesAnEmptyStore) {
    Sandbox sb;
    RecipeStore s = Loaded(Record("Soup") + "\r\n");
    ASSERT_FALSE(s.Delete_Recipe("Soup").has_value());
    EXPECT_TRUE(s.Recipe_Table.empty());
    EXPECT_EQ(s.Recipe_Text(), "");
    EXPECT_EQ(Sandbox::ReadFile("Recipe.Dat"), "");
    EXPECT_EQ(Sandbox::ReadFile("Recipe.bak"), Record("Soup") + "\r\n");  // one step back
    ASSERT_FALSE(s.Append_Recipe(Record("Pie")).has_value());
    EXPECT_EQ(Sandbox::ReadFile("Recipe.Dat"), Record("Pie") + "\r\n");
}

TEST(RecipeStoreFile, ADamagedTailIsKeptThroughSavesAndDeletes) {
    Sandbox sb;
    const std::string tail = Record("Cut").substr(0, 15);
    RecipeStore s = Loaded(Record("Soup") + Record("Pie") + tail + "\r\n");
    EXPECT_TRUE(s.damaged());
    EXPECT_EQ(s.damagedTail(), tail);
    EXPECT_EQ(Names(s), (std::vector<std::string>{"Soup", "Pie"}));

    ASSERT_FALSE(s.Append_Recipe(Record("Stew")).has_value());
    EXPECT_EQ(Sandbox::ReadFile("Recipe.Dat"), Record("Soup") + Record("Pie") + Record("Stew") + tail + "\r\n");
    ASSERT_FALSE(s.Delete_Recipe("Soup").has_value());
    EXPECT_EQ(Sandbox::ReadFile("Recipe.Dat"), Record("Stew") + Record("Pie") + tail + "\r\n");

    // The next start reads every record that was saved beside the damage.
    RecipeStore again = Loaded(Sandbox::ReadFile("Recipe.Dat"));
    EXPECT_EQ(Names(again), (std::vector<std::string>{"Stew", "Pie"}));
    EXPECT_EQ(again.damagedTail(), tail);
}

TEST(RecipeStoreFile, AppendRefusesWhatIsNotOneWholeRecord) {
    Sandbox sb;
    RecipeStore s = Loaded(Record("Soup"));
    EXPECT_TRUE(s.Append_Recipe(Record("Pie", "Use a wei\xDF pot.")).has_value());
    EXPECT_TRUE(s.Append_Recipe("plain text").has_value());
    EXPECT_EQ(Names(s), (std::vector<std::string>{"Soup"}));
    EXPECT_EQ(Sandbox::ReadFile("Recipe.Dat"), Record("Soup"));
}

// A save that cannot be written leaves the file, the text, the table in its order and a damaged
// tail as they were; the same save goes through once the way is free.
TEST(RecipeStoreFile, AFailedSaveIsReportedAndKeepsTheOldFile) {
    const std::string tail = Record("Cut").substr(0, 15);
    struct Row {
        const char* name;
        std::string file;
        const char* replacing;  // nullptr: an append
        std::string after;      // the file once the save goes through
    } rows[] = {
        {"append", Record("Soup") + "\r\n", nullptr, Record("Soup") + Record("Pie") + "\r\n"},
        {"append after a damaged tail", Record("Soup") + tail + "\r\n", nullptr, Record("Soup") + Record("Pie") + tail + "\r\n"},
        {"replace two copies among others",
         Record("Pie") + Record("Soup") + Record("pie ") + Record("Stew") + Record("Bread") + "\r\n", "PIE",
         Record("Bread") + Record("Soup") + Record("Stew") + Record("Pie") + "\r\n"},
        {"replace the last", Record("Soup") + Record("Pie") + tail + "\r\n", "Pie", Record("Soup") + Record("Pie") + tail + "\r\n"},
        {"append after line ends between", Record("Soup") + "\r\n" + Record("Bread") + "\r\n", nullptr,
         Record("Soup") + "\r\n" + Record("Bread") + Record("Pie") + "\r\n"},
        {"replace among line ends", Record("Soup") + "\r\n" + Record("Pie") + "\r\n" + Record("Bread") + "\r\n", "pie",
         Record("Soup") + Record("Bread") + Record("Pie") + "\r\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Sandbox sb;
        RecipeStore s = Loaded(r.file);
        const std::string text = s.Recipe_Text();
        const std::vector<RecipeEntry> table = s.Recipe_Table;
        std::filesystem::create_directory(files::TempName("Recipe.Dat"));  // the new text cannot be written
        const auto error = r.replacing ? s.Replace_Recipe(r.replacing, Record("Pie")) : s.Append_Recipe(Record("Pie"));
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(Sandbox::ReadFile("Recipe.Dat"), r.file);
        EXPECT_EQ(s.Recipe_Text(), text);
        EXPECT_EQ(s.Recipe_Table, table);
        EXPECT_EQ(s.damagedTail(), r.file.find(tail) != std::string::npos ? tail : "");

        std::filesystem::remove(files::TempName("Recipe.Dat"));
        ASSERT_FALSE((r.replacing ? s.Replace_Recipe(r.replacing, Record("Pie")) : s.Append_Recipe(Record("Pie"))).has_value());
        EXPECT_EQ(Sandbox::ReadFile("Recipe.Dat"), r.after);
        EXPECT_EQ(s.Recipe_Text() + "\r\n", r.after);
    }
}

TEST(RecipeStoreFile, AnUnreadableStoreIsNeverOverwritten) {
    Sandbox sb;
    std::filesystem::create_directory("Recipe.Dat");  // there, but not readable as a file
    RecipeStore s;
    EXPECT_TRUE(s.Get_Big_Recipe().has_value());
    EXPECT_TRUE(s.readFailed());
    EXPECT_TRUE(s.Load_Recipes().empty());
    EXPECT_TRUE(s.Append_Recipe(Record("Pie")).has_value());
    EXPECT_TRUE(s.Delete_Recipe("Pie").has_value());
    EXPECT_TRUE(std::filesystem::is_directory("Recipe.Dat"));
}

TEST(RecipeStoreFile, ByteOfEveryValueSurvivesARoundTrip) {
    Sandbox sb;
    // Every byte but the delimiters, in a name and in the directions.
    std::string all;
    for (int c = 1; c < 256; ++c)
        if (g::FindDelimiter(std::string(1, static_cast<char>(c))) < 0) all += static_cast<char>(c);
    const std::string text = Record("A" + all + "Z", all) + Record("B");
    RecipeStore s = Loaded(text + "\r\n");
    ASSERT_EQ(s.Recipe_Table.size(), 2u);
    EXPECT_EQ(s.Recipe_Table[0].RecipeName, "A" + all + "Z");
    ASSERT_FALSE(s.Delete_Recipe("B").has_value());
    EXPECT_EQ(Sandbox::ReadFile("Recipe.Dat"), Record("A" + all + "Z", all) + "\r\n");
}

}  // namespace
