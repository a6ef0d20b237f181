// The 155-byte meal record, and loading and saving record tables with their limits and backups.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "calories/fooditem.h"
#include "calories/mealitem.h"
#include "calories/meals.h"
#include "calories/recordtable.h"
#include "platform/core/text.h"
#include "program.h"

namespace {

using calories::FoodItem;
using calories::MealItem;
namespace fs = std::filesystem;

MealItem Sample() {
    MealItem m;
    m.name = "Beef, round (leg), 100 g";
    m.calories = 0x01020304;
    m.fat = -2;
    m.cholesterol = 56;
    m.fiber = 0;
    m.carbohydrate = 5;
    m.protein = 70000;
    m.group = "Beef";
    m.servings = "(\xBD)";
    m.meal = calories::PaddedMeal("SNACK -Morning");
    m.day = 12;
    m.deleted = 1;
    return m;
}

TEST(MealItemCodec, FieldsSitAtTheirOffsets) {
    const MealItem m = Sample();
    const std::string b = calories::encode(m);
    ASSERT_EQ(b.size(), 155u);
    struct Row {
        const char* field;
        std::size_t offset, size;
        std::string bytes;
    };
    const Row rows[] = {
        {"name", 0, 40, vb::FixedField("Beef, round (leg), 100 g", 40)},
        {"calories", 40, 4, std::string("\x04\x03\x02\x01", 4)},
        {"fat", 44, 4, std::string("\xFE\xFF\xFF\xFF", 4)},
        {"cholesterol", 48, 4, std::string("\x38\0\0\0", 4)},
        {"fiber", 52, 4, std::string(4, '\0')},
        {"carbohydrate", 56, 4, std::string("\x05\0\0\0", 4)},
        {"protein", 60, 4, std::string("\x70\x11\x01\x00", 4)},
        {"group", 64, 60, vb::FixedField("Beef", 60)},
        {"servings", 124, 5, std::string("\x28\xBD\x29\x20\x20", 5)},
        {"meal", 129, 20, "SNACK -Morning      "},
        {"day", 149, 4, std::string("\x0C\0\0\0", 4)},
        {"deleted", 153, 2, std::string("\x01\0", 2)},
    };
    for (const auto& r : rows) EXPECT_EQ(b.substr(r.offset, r.size), r.bytes) << r.field;
    EXPECT_EQ(calories::decodeMealItem(b), m);
}

TEST(MealItemCodec, BlankRecordIsAllZeroBytes) {
    EXPECT_EQ(calories::encode(MealItem{}), std::string(155, '\0'));
    EXPECT_EQ(calories::decodeMealItem(std::string(155, '\0')), MealItem{});
    // A short read keeps what is there and fills the rest with NULs and zeros.
    MealItem part = calories::decodeMealItem(std::string("Tea", 3));
    EXPECT_EQ(part.name.str(), std::string("Tea") + std::string(37, '\0'));
    EXPECT_EQ(part.day, 0);
}

TEST(MealItemCodec, ServingsTextsAreWindows1252AndPadded) {
    struct Row {
        int portion;
        std::string bytes;
    };
    const Row rows[] = {
        {0, std::string("\x28\xBC\x29\x20\x20", 5)}, {1, std::string("\x28\xBD\x29\x20\x20", 5)},
        {2, std::string("\x28\xBE\x29\x20\x20", 5)}, {3, "1    "},
        {4, std::string("\x28\x31\xBD\x29\x20", 5)}, {5, "(2)  "},
        {8, "(5)  "},
    };
    for (const auto& r : rows) {
        MealItem m;
        m.servings = calories::kPortions[static_cast<std::size_t>(r.portion)].servings;
        EXPECT_EQ(calories::encode(m).substr(124, 5), r.bytes) << r.portion;
    }
}

TEST(PortionScaling, WholeMultipliesFractionsRoundHalvesToEven) {
    struct Row {
        const char* name;
        int portion;
        vb::Long value;
        std::optional<vb::Long> expected;
    };
    const Row rows[] = {
        {"half of 5", 1, 5, 2},
        {"half of 7", 1, 7, 4},
        {"quarter of 2", 0, 2, 0},
        {"quarter of 6", 0, 6, 2},
        {"quarter of 10", 0, 10, 2},
        {"three quarters of 2", 2, 2, 2},
        {"three quarters of 6", 2, 6, 4},
        {"one and a half of 1", 4, 1, 2},
        {"one and a half of 3", 4, 3, 4},
        {"one and a half of 5", 4, 5, 8},
        {"1 kcal as a quarter", 0, 1, 0},
        {"1 kcal as a half", 1, 1, 0},
        {"1 kcal as three quarters", 2, 1, 1},
        {"negative half rounds to even", 1, -5, -2},
        {"one serving unchanged", 3, 2147483647, 2147483647},
        {"five servings", 8, 7, 35},
        {"product past the range", 5, 1073741824, std::nullopt},
        {"product at the lowest value", 5, -1073741824, -2147483647 - 1},
        {"one and a half past the range", 4, 2147483647, std::nullopt},
    };
    for (const auto& r : rows)
        EXPECT_EQ(calories::Scale(r.value, calories::kPortions[static_cast<std::size_t>(r.portion)]), r.expected)
            << r.name;
}

TEST(MealNames, RowsByNameAndPaddedField) {
    EXPECT_EQ(calories::PaddedMeal("SNACK -Morning"), "SNACK -Morning      ");
    EXPECT_EQ(calories::MealRow("BREAKFAST"), 0);
    EXPECT_EQ(calories::MealRow("SNACK -Morning"), 3);
    EXPECT_EQ(calories::MealRow("breakfast"), std::nullopt);
    EXPECT_EQ(calories::MealRow("BREAKFAST "), std::nullopt);
    EXPECT_EQ(calories::MealRowOfField("DINNER              "), 2);
    EXPECT_EQ(calories::MealRowOfField(std::string("DINNER") + std::string(14, '\0')), std::nullopt);
}

// --- tables and their files ---

class RecordFiles : public caltest::Diary {
protected:
    static void WriteBytes(const fs::path& p, const std::string& bytes) { drive::TempEnvironment::WriteFile(p, bytes); }
    static std::string Food(const std::string& name, vb::Long kcal, const std::string& group, int deleted = 0) {
        FoodItem f;
        f.name = name;
        f.calories = kcal;
        f.group = group;
        f.deleted = static_cast<vb::Integer>(deleted);
        return calories::encode(f);
    }
    calories::LoadResult LoadFoods(const fs::path& p, std::vector<FoodItem>& t, std::vector<std::int64_t>* seen = nullptr) {
        return calories::LoadTable(
            p, calories::kFoodItemSize, [](std::string_view b) { return calories::decode(b); }, t,
            [&](std::int64_t i) {
                if (seen) seen->push_back(i);
            });
    }
};

TEST_F(RecordFiles, LoadReadsEveryRecordInOrderWithProgress) {
    WriteBytes(Data("fooddata.bok"), Food("A", 1, "Beef") + Food("B", 2, "Soups", 1) + Food("C", 3, "Cakes"));
    std::vector<FoodItem> t;
    std::vector<std::int64_t> seen;
    auto r = LoadFoods("fooddata.bok", t, &seen);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.records, 3);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(vb::RTrim(t[0].name.str()), "A");
    EXPECT_EQ(t[1].deleted, 1);  // kept in the table
    EXPECT_EQ(t[2].calories, 3);
    EXPECT_EQ(seen, (std::vector<std::int64_t>{1, 2, 3}));
}

TEST_F(RecordFiles, RecordCountFromTheLength) {
    struct Row {
        const char* name;
        std::size_t length;
        std::size_t elements;
    };
    const Row rows[] = {
        {"empty file keeps the unfilled element", 0, 1},
        {"half a record rounds to even, none", 63, 1},
        {"one and a half rounds to two", 189, 2},
        {"two and a half rounds to two", 315, 2},
        {"a little over one", 130, 1},
    };
    for (const auto& r : rows) {
        WriteBytes(Data("x.bok"), std::string(r.length, 'a'));
        std::vector<FoodItem> t(5);
        EXPECT_TRUE(LoadFoods("x.bok", t).ok()) << r.name;
        EXPECT_EQ(t.size(), r.elements) << r.name;
    }
}

TEST_F(RecordFiles, MissingFileIsCreatedEmpty) {
    std::vector<FoodItem> t;
    EXPECT_TRUE(LoadFoods("fooddata.bok", t).ok());
    EXPECT_TRUE(fs::exists(Data("fooddata.bok")));
    EXPECT_EQ(fs::file_size(Data("fooddata.bok")), 0u);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0], FoodItem{});
}

TEST_F(RecordFiles, LimitOfASixteenBitCount) {
    // 32767 records load in full and succeed; one more fails at once with an overflow.
    std::string rec = Food("X", 1, "Beef");
    std::string bytes;
    bytes.reserve(rec.size() * 32768);
    for (int i = 0; i < 32767; ++i) bytes += rec;
    WriteBytes(Data("full.bok"), bytes);
    std::vector<FoodItem> t;
    auto r = LoadFoods("full.bok", t);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(t.size(), 32767u);

    WriteBytes(Data("over.bok"), bytes + rec);
    r = LoadFoods("over.bok", t);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error->number, 6);
    EXPECT_EQ(calories::ErrorTitle(*r.error), " 6:Overflow");
    EXPECT_EQ(t.size(), 1u);
}

// Records read ahead on a thread of their own load exactly as the file read at the load does.
TEST_F(RecordFiles, ReadAheadLoadsWhatTheLoadReads) {
    const struct {
        const char* name;
        std::string bytes;
    } rows[] = {
        {"records", Food("A", 1, "Beef") + Food("B", 2, "Soups", 1) + Food("C", 3, "Cakes")},
        {"a partial record counted", Food("A", 1, "Beef") + std::string(100, 'x')},
        {"less than half a record", std::string(63, 'x')},
        {"empty", ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        WriteBytes(Data("fooddata.bok"), r.bytes);
        std::vector<FoodItem> read, ahead;
        std::vector<std::int64_t> readSeen, aheadSeen;
        const auto expected = LoadFoods("fooddata.bok", read, &readSeen);

        calories::TableReadAhead<FoodItem> reader;
        reader.Start("fooddata.bok", calories::kFoodItemSize, [](std::string_view b) { return calories::decode(b); });
        auto taken = reader.Take("fooddata.bok", [](std::int64_t) {});
        ASSERT_TRUE(taken);
        const auto got = calories::LoadTable(
            "fooddata.bok", calories::kFoodItemSize, [](std::string_view b) { return calories::decode(b); }, ahead,
            [&](std::int64_t i) { aheadSeen.push_back(i); }, std::move(taken));
        EXPECT_EQ(ahead, read);
        EXPECT_EQ(aheadSeen, readSeen);
        EXPECT_EQ(got.records, expected.records);
        EXPECT_EQ(got.length, expected.length);
        EXPECT_EQ(got.damaged, expected.damaged);
        EXPECT_FALSE(reader.Take("fooddata.bok", [](std::int64_t) {})) << "once";
    }
}

// What cannot be read ahead whole is left to the load, which reads it and says why at its place.
TEST_F(RecordFiles, ReadAheadLeavesTheRestToTheLoad) {
    auto decode = [](std::string_view b) { return calories::decode(b); };
    auto none = [](std::int64_t) {};
    {
        calories::TableReadAhead<FoodItem> reader;
        reader.Start("fooddata.bok", calories::kFoodItemSize, decode);
        EXPECT_FALSE(reader.Take("fooddata.bok", none)) << "missing";
        EXPECT_FALSE(fs::exists(Data("fooddata.bok"))) << "reading ahead makes no file";
    }
    {
        fs::create_directory(Data("folder.bok"));
        calories::TableReadAhead<FoodItem> reader;
        reader.Start("folder.bok", calories::kFoodItemSize, decode);
        EXPECT_FALSE(reader.Take("folder.bok", none));
    }
    {
        WriteBytes(Data("over.bok"), std::string(calories::kFoodItemSize * 32768, 'a'));
        calories::TableReadAhead<FoodItem> reader;
        reader.Start("over.bok", calories::kFoodItemSize, decode);
        EXPECT_FALSE(reader.Take("over.bok", none)) << "more records than a table takes";
    }
    {
        WriteBytes(Data("fooddata.bok"), Food("A", 1, "Beef"));
        calories::TableReadAhead<FoodItem> reader;
        reader.Start("fooddata.bok", calories::kFoodItemSize, decode);
        EXPECT_FALSE(reader.Take("other.bok", none)) << "only the file it read";
        EXPECT_TRUE(reader.Take("fooddata.bok", none));
    }
    {
        // Changed since: whatever is taken is the file as it is now.
        WriteBytes(Data("fooddata.bok"), Food("A", 1, "Beef"));
        calories::TableReadAhead<FoodItem> reader;
        reader.Start("fooddata.bok", calories::kFoodItemSize, decode);
        WriteBytes(Data("fooddata.bok"), Food("A", 1, "Beef") + Food("B", 2, "Soups"));
        if (auto taken = reader.Take("fooddata.bok", none)) {
            EXPECT_EQ(taken->records.size(), 2u);
        }
    }
}

TEST_F(RecordFiles, UnopenableFileFailsWithItsError) {
    std::vector<FoodItem> t;
    auto r = LoadFoods(Data("no/such/folder/x.per"), t);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(calories::ErrorTitle(*r.error), " 76:Path not found");
    r = LoadFoods("", t);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error->number, 52);
}

TEST_F(RecordFiles, SaveWritesLiveRecordsPackedAndKeepsABackup) {
    std::vector<FoodItem> t(5);
    for (int i = 0; i < 5; ++i) {
        t[static_cast<std::size_t>(i)].name = std::string(1, static_cast<char>('A' + i));
        t[static_cast<std::size_t>(i)].group = "Beef";
    }
    t[2].deleted = 1;
    t[3].deleted = 1;
    const std::string live = calories::LiveRecordBytes(t, [](const FoodItem& f) { return calories::encode(f); });
    ASSERT_EQ(live.size(), 3u * 126);
    EXPECT_EQ(live[0], 'A');
    EXPECT_EQ(live[126], 'B');
    EXPECT_EQ(live[252], 'E');

    // Neither file there: only the file is made.
    EXPECT_FALSE(calories::SaveRecordFile("fooddata.bok", live).has_value());
    EXPECT_EQ(Bytes(Data("fooddata.bok")), live);
    EXPECT_FALSE(fs::exists(Data("fooddata.bak")));

    // An older backup is replaced by the previous file.
    WriteBytes(Data("fooddata.bak"), "old backup");
    EXPECT_FALSE(calories::SaveRecordFile("fooddata.bok", "new").has_value());
    EXPECT_EQ(Bytes(Data("fooddata.bok")), "new");
    EXPECT_EQ(Bytes(Data("fooddata.bak")), live);

    // A group file and a database of one stem share one backup; "day.data" backs up as "day..bak".
    EXPECT_FALSE(calories::SaveRecordFile("mine.per", "p1").has_value());
    EXPECT_FALSE(calories::SaveRecordFile("mine.per", "p2").has_value());
    EXPECT_EQ(Bytes(Data("mine.bak")), "p1");
    EXPECT_FALSE(calories::SaveRecordFile("day.data", "d1").has_value());
    EXPECT_FALSE(calories::SaveRecordFile("day.data", "d2").has_value());
    EXPECT_EQ(Bytes(Data("day..bak")), "d1");
}

TEST_F(RecordFiles, FailedSaveReportsAndKeepsTheFile) {
    WriteBytes(Data("period1.dat"), "keep me");
    fs::create_directories(Data("ro"));
    WriteBytes(Data("ro/period1.dat"), "keep me too");
    ::chmod(Data("ro").c_str(), 0555);
    auto err = calories::SaveRecordFile(Data("ro/period1.dat"), "new");
    ::chmod(Data("ro").c_str(), 0755);
    if (::geteuid() != 0) {  // root writes anywhere
        ASSERT_TRUE(err.has_value());
        EXPECT_EQ(calories::ErrorTitle(*err), " 70:Permission denied");
        EXPECT_EQ(Bytes(Data("ro/period1.dat")), "keep me too");
    }
    auto missing = calories::SaveRecordFile(Data("gone/period1.dat"), "new");
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->number, 76);
}

}  // namespace
