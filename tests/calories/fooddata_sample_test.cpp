// The shipped food database: its shape, its values against the source table, and the record codec.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#include "calories/fooditem.h"
#include "platform/core/text.h"
#include "platform/files/fileio.h"

namespace fs = std::filesystem;
using calories::FoodItem;

namespace {

// Exactly as the records hold them, before padding.
const char* const kGroups[30] = {
    "Milk, Yogurt, Cream, Milk Drink", "Ice cream, Cheese, Pudding, Milk products", "Egg, Egg products",
    "Beef", "Pork , Ham, Bacon", "Lamb , Veal, Game", "Poultry", "Liver, Organ meats",
    "Sausages, Lunch Meats, Hot Dog", "Fish , Shellfish", "Sandwiches , Burger, Pizza",
    "Mixed dishes with meat", "Mixed dishes with vegetable", "Mixed dishes with grain products", "Soups",
    "Breads , Rolls, Flour", "Cakes", "Pies , Pastries", "Cookies, Crackers, Other grain products",
    "cooked Cereals, Rice, Pasta", "Cereals Not cooked", "Fruits , Citrus, Juices", "Legumes , Nuts, Seeds",
    "Vegetables", "Potatoes", "Pickles , Relishes, Olives", "Fats, oils, Salad Dressing", "Sugars , Sweets",
    "Beverages , non - alcoholic", "Beverages , alcoholic",
};

fs::path Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? fs::path(v) : fs::path();
}

fs::path SampleFile() { return Env("VT_BUILD_DIR") / "data" / "calories" / "fooddata.bok"; }

std::map<std::string, FoodItem> ByName(const std::vector<FoodItem>& items) {
    std::map<std::string, FoodItem> m;
    for (const auto& f : items) m[vb::RTrim(f.name.str())] = f;
    return m;
}

// Minimal CSV reading for the source table: quoted fields may hold commas.
std::vector<std::map<std::string, std::string>> ReadCsv(const fs::path& path) {
    std::ifstream in(path);
    std::vector<std::vector<std::string>> lines;
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cells(1);
        bool quoted = false;
        for (char c : line) {
            if (c == '"') quoted = !quoted;
            else if (c == ',' && !quoted) cells.emplace_back();
            else cells.back() += c;
        }
        lines.push_back(cells);
    }
    std::vector<std::map<std::string, std::string>> rows;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::map<std::string, std::string> row;
        for (std::size_t c = 0; c < lines[0].size() && c < lines[i].size(); ++c) row[lines[0][c]] = lines[i][c];
        rows.push_back(row);
    }
    return rows;
}

class FoodDataSample : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(SampleFile())) << SampleFile() << " is missing: build the sample_data target";
        bytes = files::ReadAllBytes(SampleFile());
        items = calories::ReadFoodFile(SampleFile());
    }
    std::string bytes;
    std::vector<FoodItem> items;
};

TEST_F(FoodDataSample, WholeRecordsOfAtLeastFourHundredFoods) {
    EXPECT_EQ(bytes.size() % calories::kFoodItemSize, 0u);
    EXPECT_GE(items.size(), 400u);
    EXPECT_EQ(items.size(), bytes.size() / calories::kFoodItemSize);
}

TEST_F(FoodDataSample, EveryRecordIsAListableFoodOfOneOfTheThirtyGroups) {
    std::set<std::string> groups;
    for (auto g : kGroups) groups.insert(vb::FixedField(g, 60));
    std::set<std::string> names;
    std::map<std::string, int> perGroup;
    for (const auto& f : items) {
        const std::string name = f.name.str();
        SCOPED_TRACE(name);
        EXPECT_EQ(name.find('\0'), std::string::npos);
        EXPECT_TRUE(vb::RTrim(name).ends_with(", 100 g"));
        EXPECT_NE(name.front(), ' ');
        EXPECT_TRUE(names.insert(name).second) << "repeated name";
        EXPECT_TRUE(groups.count(f.group.str())) << "group \"" << f.group.str() << "\"";
        EXPECT_EQ(f.deleted, 0);
        for (auto v : {f.calories, f.fat, f.cholesterol, f.fiber, f.carbohydrate, f.protein}) EXPECT_GE(v, 0);
        ++perGroup[vb::RTrim(f.group.str())];
    }
    EXPECT_GT(perGroup["Beef"], 0);
    EXPECT_GT(perGroup["Fish , Shellfish"], 0);
    EXPECT_GT(perGroup["Vegetables"], 0);
}

// Every food of the source table is in the file, in table order, with kcal = kJ / 4.184 rounded.
TEST_F(FoodDataSample, FollowsTheSourceTable) {
    auto rows = ReadCsv(Env("VT_SOURCE_DIR") / "data" / "foods.csv");
    ASSERT_EQ(rows.size(), items.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i]["name"]);
        EXPECT_EQ(vb::RTrim(items[i].name.str()), rows[i]["name"] + ", 100 g");
        EXPECT_EQ(items[i].group.str(), vb::FixedField(rows[i]["group"], 60));
        EXPECT_EQ(items[i].calories, std::nearbyint(std::stod(rows[i]["energy_kj"]) / 4.184));
        EXPECT_EQ(items[i].protein, std::nearbyint(std::stod(rows[i]["protein_g"])));
    }
}

TEST_F(FoodDataSample, KnownFoods) {
    struct Row {
        const char* name;
        int kcal, fat, chol, fiber, carbs, protein;
    };
    const Row rows[] = {
        {"Milk, whole, Cow, 100 g", 73, 4, 0, 0, 5, 3},           // 305 kJ
        {"Beef, round (leg), 100 g", 157, 7, 56, 0, 0, 23},        // 658 kJ, 55.81 mg
        {"Egg, poultry, whole, raw, 100 g", 135, 9, 366, 0, 0, 13},  // 564 kJ
        {"Coconut oil, 100 g", 884, 100, 0, 0, 0, 0},              // no kJ in the source: 37 kJ per g fat
        {"Almond, 100 g", 609, 58, 0, 13, 16, 18},                 // carbohydrate counts the fibre
    };
    auto foods = ByName(items);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        ASSERT_TRUE(foods.count(r.name));
        const FoodItem& f = foods[r.name];
        EXPECT_EQ(f.calories, r.kcal);
        EXPECT_EQ(f.fat, r.fat);
        EXPECT_EQ(f.cholesterol, r.chol);
        EXPECT_EQ(f.fiber, r.fiber);
        EXPECT_EQ(f.carbohydrate, r.carbs);
        EXPECT_EQ(f.protein, r.protein);
    }
}

TEST_F(FoodDataSample, FoodsLandInTheirGroups) {
    struct Row {
        const char* name;
        const char* group;
    };
    const Row rows[] = {
        {"Beef, shoulder, 100 g", "Beef"},
        {"Mithun, chops, 100 g", "Beef"},
        {"Beef, liver, 100 g", "Liver, Organ meats"},
        {"Chicken, gizzard, 100 g", "Liver, Organ meats"},
        {"Pork, ham, 100 g", "Pork , Ham, Bacon"},
        {"Goat, legs, 100 g", "Lamb , Veal, Game"},
        {"Chicken, breast, skinless, 100 g", "Poultry"},
        {"Tuna, 100 g", "Fish , Shellfish"},
        {"Potato, red skin, 100 g", "Potatoes"},
        {"Rice, raw, milled, 100 g", "cooked Cereals, Rice, Pasta"},
        {"Wheat flour, atta, 100 g", "Breads , Rolls, Flour"},
        {"Toddy, 100 g", "Beverages , alcoholic"},
    };
    auto foods = ByName(items);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        ASSERT_TRUE(foods.count(r.name));
        EXPECT_EQ(foods[r.name].group.str(), vb::FixedField(r.group, 60));
    }
}

TEST_F(FoodDataSample, HalvesRoundToEven) {
    struct Row {
        const char* name;
        vb::Long FoodItem::*field;
        vb::Long expected;
    };
    const Row rows[] = {
        {"Quinoa, 100 g", &FoodItem::fat, 6},                       // 5.5
        {"Brussels sprouts, 100 g", &FoodItem::fat, 0},             // 0.5
        {"Egg, quail, whole, boiled, 100 g", &FoodItem::fat, 12},   // 11.5
        {"Tuna, 100 g", &FoodItem::protein, 24},                    // 24.5
        {"Shelavu, 100 g", &FoodItem::cholesterol, 30},             // 30.5 mg
    };
    auto foods = ByName(items);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        ASSERT_TRUE(foods.count(r.name));
        EXPECT_EQ(foods[r.name].*r.field, r.expected);
    }
}

TEST_F(FoodDataSample, EveryRecordEncodesBackToItsBytes) {
    for (std::size_t i = 0; i < items.size(); ++i)
        ASSERT_EQ(calories::encode(items[i]), bytes.substr(i * 126, 126)) << "record " << i + 1;
}

// --- the codec itself ---

TEST(FoodItemCodec, FieldsSitAtTheirOffsetsLittleEndian) {
    FoodItem f;
    f.name = "Apple";
    f.calories = 0x01020304;
    f.fat = -2;
    f.cholesterol = 3;
    f.fiber = 4;
    f.carbohydrate = 5;
    f.protein = 70000;
    f.group = "Fruits , Citrus, Juices";
    f.deleted = 1;
    const std::string b = calories::encode(f);
    ASSERT_EQ(b.size(), 126u);
    EXPECT_EQ(b.substr(0, 40), vb::FixedField("Apple", 40));
    EXPECT_EQ(b.substr(40, 4), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(b.substr(44, 4), std::string("\xFE\xFF\xFF\xFF", 4));
    EXPECT_EQ(b.substr(48, 4), std::string("\x03\0\0\0", 4));
    EXPECT_EQ(b.substr(60, 4), std::string("\x70\x11\x01\x00", 4));
    EXPECT_EQ(b.substr(64, 60), vb::FixedField("Fruits , Citrus, Juices", 60));
    EXPECT_EQ(b.substr(124, 2), std::string("\x01\x00", 2));
    EXPECT_EQ(calories::decode(b), f);
}

TEST(FoodItemCodec, UnfilledRecordIsNulsAndZeros) {
    const std::string b = calories::encode(FoodItem{});
    EXPECT_EQ(b, std::string(126, '\0'));
}

TEST(FoodItemCodec, ShortDataReadsAsNulAndZero) {
    FoodItem f = calories::decode(std::string("Pear").append(38, ' '));  // 42 bytes: half of calories
    EXPECT_EQ(f.name.str(), "Pear" + std::string(36, ' '));
    EXPECT_EQ(f.calories, 0x2020);
    EXPECT_EQ(f.fat, 0);
    EXPECT_EQ(f.group.str(), std::string(60, '\0'));
    EXPECT_EQ(f.deleted, 0);
}

TEST(FoodItemFile, WriteThenReadKeepsEveryRecord) {
    const fs::path dir = fs::temp_directory_path() / ("fooditem_test_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::vector<FoodItem> in(3);
    in[0].name = "One";
    in[1].calories = 250;
    in[2].group = "Soups";
    in[2].deleted = 1;
    calories::WriteFoodFile(dir / "x.bok", in);
    EXPECT_EQ(fs::file_size(dir / "x.bok"), 3u * 126);
    EXPECT_EQ(calories::ReadFoodFile(dir / "x.bok"), in);

    // A trailing part of a record counts by the old rounding: 1.5 records read as 2, 0.5 as 0.
    std::ofstream(dir / "odd.bok", std::ios::binary) << std::string(189, 'a');
    EXPECT_EQ(calories::ReadFoodFile(dir / "odd.bok").size(), 2u);
    std::ofstream(dir / "half.bok", std::ios::binary) << std::string(63, 'a');
    EXPECT_TRUE(calories::ReadFoodFile(dir / "half.bok").empty());
    fs::remove_all(dir);
}

}  // namespace
