#pragma once
// One food of the food database ("fooddata.bok") or of a personal food group (*.per), and its
// 126-byte record: no header, no padding, numbers little-endian, texts Windows-1252.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "calories/sharedtext.h"
#include "platform/core/types.h"
#include "platform/files/records.h"

namespace calories {

constexpr std::size_t kFoodItemSize = 126;
constexpr std::size_t kFoodNameWidth = 40;
constexpr std::size_t kFoodGroupWidth = 60;

// Texts pad with blanks on assignment and hold NULs until assigned; numbers in nutrient order.
struct FoodItem {
    files::FixedString<kFoodNameWidth> name;
    vb::Long calories = 0;      // kcal
    vb::Long fat = 0;           // g
    vb::Long cholesterol = 0;   // mg
    vb::Long fiber = 0;         // g
    vb::Long carbohydrate = 0;  // g
    vb::Long protein = 0;       // g
    SharedFixedString<kFoodGroupWidth> group;  // one of few values, held once
    vb::Integer deleted = 0;  // 1 = deleted

    friend bool operator==(const FoodItem&, const FoodItem&) = default;
};

// The fields a food and a meal record share, in their common order at the start of both records:
// name, the six nutrients, group.
template <class Item>
void WriteFoodFields(files::ByteWriter& w, const Item& item) {
    w.Text(item.name)
        .Int32(item.calories)
        .Int32(item.fat)
        .Int32(item.cholesterol)
        .Int32(item.fiber)
        .Int32(item.carbohydrate)
        .Int32(item.protein)
        .Text(item.group.fixed());
}

template <class Item>
void ReadFoodFields(files::ByteReader& r, Item& item) {
    item.name = r.Text<kFoodNameWidth>();
    item.calories = r.Int32();
    item.fat = r.Int32();
    item.cholesterol = r.Int32();
    item.fiber = r.Int32();
    item.carbohydrate = r.Int32();
    item.protein = r.Int32();
    item.group = r.Text<kFoodGroupWidth>();
}

// Exactly kFoodItemSize bytes.
std::string encode(const FoodItem& item);
// Bytes missing at the end (a trailing partial record) read as NUL.
FoodItem decode(std::string_view bytes);

// Whole files: the records in file order (count = length / 126 rounded, halves to even), and a
// file of exactly these records.
// Failures come back as the runtime's file errors (53 file not found ...).
std::vector<FoodItem> ReadFoodFile(const std::filesystem::path& path);
void WriteFoodFile(const std::filesystem::path& path, const std::vector<FoodItem>& items);

}  // namespace calories
