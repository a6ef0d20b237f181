// The ingredient store: "Ing.dat" read in file order and written back byte for byte, names
// compared as names, deletes that move the last record, and files that are cut or unreadable.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/safesave.h"
#include "recipe/store/ingrecord.h"
#include "recipe/store/ingstore.h"
#include "platform/testing/temp_env.h"

namespace {

using recipe::IngRecord;
using recipe::IngStore;
using Sandbox = drive::TempEnvironment;

IngRecord Ing(const std::string& name, float cal = 100) {
    IngRecord r;
    r.Name = name;
    r.Qty1 = 1;
    r.Unit1 = "cup";
    r.Qty2 = 240;
    r.Unit2 = "g";
    r.Cal = cal;
    r.Fat = 12;
    r.Chol = 30;
    r.MeasureKind = recipe::kVolumeAndWeight;
    return r;
}

std::string Bytes(const std::vector<IngRecord>& recs) {
    std::string out;
    for (const auto& r : recs) out += recipe::encode(r);
    return out;
}

std::vector<std::string> Names(const IngStore& s) {
    std::vector<std::string> out;
    for (const auto& r : s.Ing_Table) out.push_back(recipe::ListName(r));
    return out;
}

IngStore Loaded(const std::string& bytes) {
    Sandbox::WriteFile("Ing.dat", bytes);
    IngStore s;
    EXPECT_FALSE(s.Load().has_value());
    return s;
}

TEST(IngStoreFile, LoadsInFileOrderAndWritesBackTheSameBytes) {
    Sandbox sb;
    const std::string file = Bytes({Ing("Walnuts"), Ing("Apple"), Ing("Milk")});
    IngStore s = Loaded(file);
    EXPECT_EQ(Names(s), (std::vector<std::string>{"Walnuts", "Apple", "Milk"}));
    EXPECT_EQ(s.Ing_Table[1], Ing("Apple"));
    ASSERT_FALSE(s.Save_Ing_File().has_value());
    EXPECT_EQ(Sandbox::ReadFile("Ing.dat"), file);
}

TEST(IngStoreFile, LeadingBlanksOfANameAreDroppedOnTheNextRewrite) {
    Sandbox sb;
    IngStore s = Loaded(Bytes({Ing("   Oats")}));
    EXPECT_EQ(Names(s), (std::vector<std::string>{"Oats"}));
    ASSERT_FALSE(s.Save_Ing_File().has_value());
    EXPECT_EQ(Sandbox::ReadFile("Ing.dat").substr(0, 60), "Oats" + std::string(56, ' '));
}

TEST(IngStoreFile, OnlyWholeRecordsAreRead) {
    Sandbox sb;
    const std::string two = Bytes({Ing("A"), Ing("B")});
    const struct {
        const char* name;
        std::string bytes;
        std::size_t records;
    } rows[] = {
        {"empty", "", 0},
        {"a few bytes", "abc", 0},
        {"more than half a record", two.substr(0, 100), 0},
        {"one and most of another", two.substr(0, 300), 1},
        {"two whole", two, 2},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        IngStore s = Loaded(r.bytes);
        EXPECT_EQ(s.Count(), r.records);
        EXPECT_EQ(s.partialBytes(), r.bytes.size() % 164);
        EXPECT_EQ(Sandbox::ReadFile("Ing.dat"), r.bytes);  // loading writes nothing
    }
}

TEST(IngStoreFile, MissingFileIsCreatedEmpty) {
    Sandbox sb;
    IngStore s;
    EXPECT_FALSE(s.Load().has_value());
    EXPECT_EQ(s.Count(), 0u);
    EXPECT_TRUE(std::filesystem::exists("Ing.dat"));
    s.Add(Ing("Rice"));
    ASSERT_FALSE(s.Save_Ing_File().has_value());
    EXPECT_EQ(Sandbox::ReadFile("Ing.dat"), Bytes({Ing("Rice")}));
}

TEST(IngStoreFile, DeleteTakesTheFirstMatchAndMovesTheLastRecordIn) {
    Sandbox sb;
    const struct {
        const char* name;
        std::vector<IngRecord> before;
        const char* deleted;
        bool removed;
        std::vector<std::string> after;
    } rows[] = {
        {"second of three", {Ing("first"), Ing("second"), Ing("third")}, "second", true, {"first", "third"}},
        {"first of three", {Ing("first"), Ing("second"), Ing("third")}, "first", true, {"third", "second"}},
        {"given name trimmed", {Ing("first"), Ing("second")}, "  second ", true, {"first"}},
        {"first of two equal names", {Ing("dup", 1), Ing("other"), Ing("dup", 2)}, "dup", true, {"dup", "other"}},
        {"only one", {Ing("only")}, "only", true, {}},
        {"other letter case", {Ing("first"), Ing("second")}, "Second", false, {"first", "second"}},
        {"star is no wildcard", {Ing("first"), Ing("second")}, "*", false, {"first", "second"}},
        {"bracket list is no wildcard", {Ing("first"), Ing("second")}, "[fs]irst", false, {"first", "second"}},
        {"unbalanced bracket", {Ing("first"), Ing("second")}, "[", false, {"first", "second"}},
        {"only one, other name", {Ing("only")}, "other", false, {"only"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        IngStore s = Loaded(Bytes(r.before));
        EXPECT_EQ(s.Delete_Stored_Ingredient(r.deleted), r.removed);
        EXPECT_EQ(Names(s), r.after);
        ASSERT_FALSE(s.Save_Ing_File().has_value());
        EXPECT_EQ(Sandbox::ReadFile("Ing.dat"), Bytes(s.Ing_Table));
    }
    // The one left of two equal names is the later one.
    IngStore s = Loaded(Bytes({Ing("dup", 1), Ing("other"), Ing("dup", 2)}));
    s.Delete_Stored_Ingredient("dup");
    EXPECT_EQ(s.Ing_Table[0].Cal, 2);
}

TEST(IngStoreFile, IngExistsComparesTheStoredNameExactly) {
    Sandbox sb;
    IngStore s = Loaded(Bytes({Ing("Brown Rice"), Ing("Oats")}));
    const struct {
        const char* name;
        const char* given;
        bool exists;
    } rows[] = {
        {"as stored", "Brown Rice", true},
        {"letter case differs", "brown rice", false},
        {"given name is not trimmed", "Brown Rice ", false},
        {"star", "Brown*", false},
        {"question marks", "Oat?", false},
        {"unbalanced bracket", "[Oats", false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(s.Ing_Exists(r.given), r.exists);
    }
    EXPECT_FALSE(IngStore().Ing_Exists("Oats"));
}

TEST(IngStoreFile, FindTextTakesTheLastMatchIgnoringCase) {
    Sandbox sb;
    IngStore s = Loaded(Bytes({Ing("Milk", 1), Ing("MILK", 2), Ing("Oats", 3)}));
    ASSERT_NE(s.FindText("milk"), nullptr);
    EXPECT_EQ(s.FindText("milk")->Cal, 2);
    EXPECT_EQ(s.FindText("Mil*"), nullptr);
    EXPECT_EQ(s.FindText("["), nullptr);
}

TEST(IngStoreFile, ALongNameIsCutToSixtyCharacters) {
    Sandbox sb;
    IngStore s = Loaded("");
    s.Add(Ing(std::string(61, 'x')));
    ASSERT_FALSE(s.Save_Ing_File().has_value());
    const std::string bytes = Sandbox::ReadFile("Ing.dat");
    ASSERT_EQ(bytes.size(), 164u);
    EXPECT_EQ(bytes.substr(0, 60), std::string(60, 'x'));
}

TEST(IngStoreFile, AnUnreadableStoreIsNeverOverwritten) {
    Sandbox sb;
    std::filesystem::create_directory("Ing.dat");  // there, but not readable as a file
    IngStore s;
    EXPECT_TRUE(s.Load().has_value());
    EXPECT_TRUE(s.readFailed());
    s.Add(Ing("Rice"));
    EXPECT_TRUE(s.Save_Ing_File().has_value());
    EXPECT_TRUE(std::filesystem::is_directory("Ing.dat"));
}

TEST(IngStoreFile, AFailedSaveIsReportedAndKeepsTheOldFile) {
    Sandbox sb;
    const std::string before = Bytes({Ing("Oats")});
    IngStore s = Loaded(before);
    s.Add(Ing("Rice"));
    std::filesystem::create_directory(files::TempName("Ing.dat"));
    EXPECT_TRUE(s.Save_Ing_File().has_value());
    EXPECT_EQ(Sandbox::ReadFile("Ing.dat"), before);
}

TEST(IngStoreFile, SaveKeepsTheOldFileAsBackup) {
    Sandbox sb;
    const std::string before = Bytes({Ing("Oats"), Ing("Rice")});
    IngStore s = Loaded(before);
    s.Delete_Stored_Ingredient("Oats");
    ASSERT_FALSE(s.Save_Ing_File().has_value());
    EXPECT_EQ(Sandbox::ReadFile("Ing.bak"), before);
    EXPECT_EQ(Sandbox::ReadFile("Ing.dat"), Bytes({Ing("Rice")}));
}

}  // namespace
