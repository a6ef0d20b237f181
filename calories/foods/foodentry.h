#pragma once
// What the windows that add foods share: reading typed or shown numbers into a record, the
// personal group's records, and the check that a record read from a group file can be a food.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "calories/fooditem.h"

namespace calories {

// The file name of a path without its folders; "\" and "/" both separate folders. An empty path
// gives "", and a path that ends in a separator (no file name to show) comes back whole.
std::string StripNameFromDirName(std::string_view path);

// A shown number read back into a record: halves to even, 0 when the text is no number or does
// not fit 32 bits.
vb::Long WholeOrZero(std::string_view text);

// A new record: the name fitted to 40 characters, the six values in nutrient order, the group
// text padded to 60, not deleted.
FoodItem NewFood(std::string_view name, const std::array<vb::Long, 6>& values, std::string_view group);
// A record of the personal group.
FoodItem PersonalFood(std::string_view name, const std::array<vb::Long, 6>& values);

// Whether the record may have come from this program: each text is printable characters
// (blank-padded, or NULs to the end of the field, as a field never filled holds) and the deleted
// flag is 0 or 1. A record of a foreign or damaged file fails as a rule.
bool IsSoundFood(const FoodItem& item);

// Whether the table holds a food that is not deleted (the blank element of an empty table is none).
bool HasLiveFoods(const std::vector<FoodItem>& table);

}  // namespace calories
