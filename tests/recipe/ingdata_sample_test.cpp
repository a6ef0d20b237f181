// The shipped ingredient store: its shape, a few known ingredients, and the record codec.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/core/text.h"
#include "platform/files/fileio.h"
#include "recipe/store/ingrecord.h"

namespace fs = std::filesystem;
using recipe::IngRecord;

namespace {

fs::path SampleFile() {
    const char* dir = std::getenv("VT_BUILD_DIR");
    return fs::path(dir ? dir : "") / "data" / "recipe" / "Ing.dat";
}

class IngDataSample : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(SampleFile())) << SampleFile() << " is missing: build the sample_data target";
        bytes = files::ReadAllBytes(SampleFile());
        records = recipe::ReadIngFile(SampleFile());
        for (const auto& r : records) byName[vb::Trim(r.Name.str())] = r;
    }
    std::string bytes;
    std::vector<IngRecord> records;
    std::map<std::string, IngRecord> byName;
};

TEST_F(IngDataSample, WholeRecordsOfAtLeastFourHundredIngredients) {
    EXPECT_EQ(bytes.size() % recipe::kIngRecordSize, 0u);
    EXPECT_GE(records.size(), 400u);
    EXPECT_EQ(byName.size(), records.size()) << "names are unique";
}

// 100 g first; a second measure only in a volume word the unit table converts, with its kind.
TEST_F(IngDataSample, EveryRecordHasValidMeasures) {
    const std::set<std::string> volume = {"tsp", "tbs", "cup", "pint", "quart", "ml"};
    for (const auto& r : records) {
        const std::string name = r.Name.str();
        SCOPED_TRACE(name);
        EXPECT_EQ(name.find('\0'), std::string::npos);
        EXPECT_NE(name.front(), ' ');
        EXPECT_EQ(r.Qty1, 100.0f);
        EXPECT_EQ(r.Unit1.str(), vb::FixedField("g", 30));
        EXPECT_EQ(r.UniqueMeasure, vb::False);
        const std::string unit2 = vb::Trim(r.Unit2.str());
        if (unit2.empty()) {
            EXPECT_EQ(r.Unit2.str(), std::string(30, ' '));
            EXPECT_EQ(r.Qty2, 0.0f);
            EXPECT_EQ(r.MeasureKind, recipe::kWeightOnly);
        } else {
            EXPECT_TRUE(volume.count(unit2)) << unit2;
            EXPECT_GT(r.Qty2, 0.0f);
            EXPECT_EQ(r.MeasureKind, recipe::kVolumeAndWeight);
        }
        for (float v : {r.Cal, r.Fat, r.SatFat, r.Sodium, r.TotalCarbs, r.Fiber, r.Protein}) EXPECT_GE(v, 0.0f);
        EXPECT_GE(r.Chol, 0);
        EXPECT_LE(r.SatFat, r.Fat + 0.1f);
        EXPECT_LE(r.Fiber, r.TotalCarbs);
    }
}

TEST_F(IngDataSample, KnownIngredients) {
    struct Row {
        const char* name;
        float cal, fat, satFat;
        int chol;
        float sodium, carbs, fiber, protein, qty2;
        const char* unit2;
    };
    const Row rows[] = {
        // 4.48 g fat -> 4.5, 25.46 mg sodium -> 25, 100 g = 0.41 cup
        {"Milk, whole, Cow", 73, 4.5f, 2.7f, 0, 25, 4.9f, 0, 3.3f, 0.41f, "cup"},
        // 9.15 g fat lies half way: 9.2 (decided on the decimal, not on the binary 9.1499...)
        {"Egg, poultry, whole, raw", 135, 9.2f, 3.0f, 366, 123, 0, 0, 13.3f, 0, ""},
        {"Coconut oil", 884, 100, 90.9f, 0, 0, 0, 0, 0, 7.35f, "tbs"},
        {"Beef, round (leg)", 157, 7.4f, 3.0f, 56, 39, 0, 0, 22.6f, 0, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        ASSERT_TRUE(byName.count(r.name));
        const IngRecord& g = byName[r.name];
        EXPECT_EQ(g.Cal, r.cal);
        EXPECT_EQ(g.Fat, r.fat);
        EXPECT_EQ(g.SatFat, r.satFat);
        EXPECT_EQ(g.Chol, r.chol);
        EXPECT_EQ(g.Sodium, r.sodium);
        EXPECT_EQ(g.TotalCarbs, r.carbs);
        EXPECT_EQ(g.Fiber, r.fiber);
        EXPECT_EQ(g.Protein, r.protein);
        EXPECT_EQ(g.Qty2, r.qty2);
        EXPECT_EQ(vb::Trim(g.Unit2.str()), r.unit2);
    }
}

TEST_F(IngDataSample, EveryRecordEncodesBackToItsBytes) {
    for (std::size_t i = 0; i < records.size(); ++i)
        ASSERT_EQ(recipe::encode(records[i]), bytes.substr(i * 164, 164)) << "record " << i + 1;
}

// --- the codec itself ---

TEST(IngRecordCodec, FieldsSitAtTheirOffsetsLittleEndian) {
    IngRecord r;
    r.Name = "Flour";
    r.Qty1 = 1.0f;
    r.Unit1 = "cup";
    r.Qty2 = 120.0f;
    r.Unit2 = "g";
    r.Cal = 455;
    r.Fat = 1.2f;
    r.SatFat = 0.2f;
    r.Chol = -1;
    r.Sodium = 3;
    r.TotalCarbs = 95.4f;
    r.Fiber = 3.4f;
    r.Protein = 12.9f;
    r.MeasureKind = recipe::kVolumeAndWeight;
    r.UniqueMeasure = vb::True;
    const std::string b = recipe::encode(r);
    ASSERT_EQ(b.size(), 164u);
    EXPECT_EQ(b.substr(0, 60), vb::FixedField("Flour", 60));
    EXPECT_EQ(b.substr(60, 4), std::string("\x00\x00\x80\x3F", 4));  // 1.0
    EXPECT_EQ(b.substr(64, 30), vb::FixedField("cup", 30));
    EXPECT_EQ(b.substr(94, 4), std::string("\x00\x00\xF0\x42", 4));  // 120.0
    EXPECT_EQ(b.substr(98, 30), vb::FixedField("g", 30));
    EXPECT_EQ(b.substr(128, 4), std::string("\x00\x80\xE3\x43", 4));  // 455.0
    EXPECT_EQ(b.substr(140, 4), std::string("\xFF\xFF\xFF\xFF", 4));  // Chol -1
    EXPECT_EQ(b.substr(144, 4), std::string("\x00\x00\x40\x40", 4));  // Sodium 3.0
    EXPECT_EQ(b.substr(160, 2), std::string("\x00\x00", 2));
    EXPECT_EQ(b.substr(162, 2), std::string("\xFF\xFF", 2));
    EXPECT_EQ(recipe::decode(b), r);
}

TEST(IngRecordCodec, UnfilledRecordIsNulsAndZeros) {
    EXPECT_EQ(recipe::encode(IngRecord{}), std::string(164, '\0'));
}

TEST(IngRecordFile, WriteThenReadKeepsEveryRecord) {
    const fs::path dir = fs::temp_directory_path() / ("ingrecord_test_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::vector<IngRecord> in(3);
    in[0].Name = "first";
    in[1].Qty2 = 0.5f;
    in[2].UniqueMeasure = vb::True;
    recipe::WriteIngFile(dir / "Ing.dat", in);
    EXPECT_EQ(fs::file_size(dir / "Ing.dat"), 3u * 164);
    EXPECT_EQ(recipe::ReadIngFile(dir / "Ing.dat"), in);

    // A trailing partial record of at least half a record counts, its missing bytes read as 0.
    std::ofstream(dir / "odd.dat", std::ios::binary) << recipe::encode(in[0]) << std::string(82, 'a');
    auto odd = recipe::ReadIngFile(dir / "odd.dat");
    ASSERT_EQ(odd.size(), 2u);
    EXPECT_EQ(odd[1].Name.str(), std::string(60, 'a'));
    EXPECT_EQ(odd[1].Cal, 0.0f);
    fs::remove_all(dir);
}

}  // namespace
