#pragma once
// One food placed in a meal of a day of the diet period, and its 155-byte record in the period
// log ("period1.dat") and the day files (*.dat): no header, no padding, numbers little-endian,
// texts Windows-1252.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "calories/fooditem.h"
#include "platform/core/types.h"
#include "platform/files/records.h"

namespace calories {

constexpr std::size_t kMealItemSize = 155;
constexpr std::size_t kServingsWidth = 5;
constexpr std::size_t kMealNameWidth = 20;

// Nutrient values already multiplied by the portion. A record never assigned holds NULs in its
// texts and zeros elsewhere: that is the blank day-0 record of a cleared log.
struct MealItem {
    files::FixedString<kFoodNameWidth> name;
    vb::Long calories = 0;
    vb::Long fat = 0;
    vb::Long cholesterol = 0;
    vb::Long fiber = 0;
    vb::Long carbohydrate = 0;
    vb::Long protein = 0;
    SharedFixedString<kFoodGroupWidth> group;  // one of few values, held once
    files::FixedString<kServingsWidth> servings;
    SharedFixedString<kMealNameWidth> meal;  // one of the six meals, held once
    vb::Long day = 0;         // from 1; 0 = the blank record, which belongs to no day
    vb::Integer deleted = 0;  // 1 = deleted

    friend bool operator==(const MealItem&, const MealItem&) = default;
};

// Exactly kMealItemSize bytes.
std::string encode(const MealItem& item);
// Bytes missing at the end read as NUL.
MealItem decodeMealItem(std::string_view bytes);

// The six nutrient values in nutrient order (calories, fat, cholesterol, fiber, carbohydrate,
// protein).
using Nutrients = std::array<vb::Long, 6>;
Nutrients Values(const FoodItem& item);
Nutrients Values(const MealItem& item);

inline bool IsDeleted(const MealItem& item) { return item.deleted == 1; }
inline bool IsDeleted(const FoodItem& item) { return item.deleted == 1; }

}  // namespace calories
