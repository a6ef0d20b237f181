#include "calories/foods/foodentry.h"

#include "calories/foodgroups.h"
#include "platform/core/convert.h"
#include "platform/core/error.h"

namespace calories {

namespace {

// Printable Windows-1252 characters, then nothing but NULs.
bool IsSoundText(std::string_view field) {
    const auto end = field.find('\0');
    const std::string_view text = field.substr(0, end);
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F) return false;
    return end == std::string_view::npos || field.find_first_not_of('\0', end) == std::string_view::npos;
}

}  // namespace

std::string StripNameFromDirName(std::string_view path) {
    const auto cut = path.find_last_of("/\\");
    if (cut == std::string_view::npos || cut + 1 == path.size()) return std::string(path);
    return std::string(path.substr(cut + 1));
}

vb::Long WholeOrZero(std::string_view text) {
    try {
        return vb::CLng(text);
    } catch (const vb::Error&) {
        return 0;
    }
}

FoodItem NewFood(std::string_view name, const std::array<vb::Long, 6>& values, std::string_view group) {
    FoodItem f;
    f.name = name;
    f.calories = values[0];
    f.fat = values[1];
    f.cholesterol = values[2];
    f.fiber = values[3];
    f.carbohydrate = values[4];
    f.protein = values[5];
    f.group = group;
    f.deleted = 0;
    return f;
}

FoodItem PersonalFood(std::string_view name, const std::array<vb::Long, 6>& values) {
    return NewFood(name, values, kPersonalGroup);
}

bool IsSoundFood(const FoodItem& item) {
    return IsSoundText(item.name.view()) && IsSoundText(item.group.view()) && (item.deleted == 0 || item.deleted == 1);
}

bool HasLiveFoods(const std::vector<FoodItem>& table) {
    for (const FoodItem& f : table)
        if (f.deleted != 1 && !(f == FoodItem{})) return true;
    return false;
}

}  // namespace calories
