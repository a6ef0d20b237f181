// Generated food databases for the benchmarks.
#pragma once

#include <string>
#include <string_view>

#include "calories/fooditem.h"
#include "calories/foodgroups.h"

namespace benchdata {

// The bytes of a food database of `count` foods named `name(i)`, in the one `group` given or spread
// over the thirty groups.
template <class NameOf>
std::string FoodDatabase(int count, NameOf name, std::string_view group = {}) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(count) * calories::kFoodItemSize);
    for (int i = 0; i < count; ++i) {
        calories::FoodItem f;
        f.name = name(i);
        f.calories = i % 900;
        f.fat = i % 50;
        f.protein = i % 40;
        f.group = group.empty() ? calories::kFoodGroups[static_cast<std::size_t>(i % 30)] : group;
        bytes += calories::encode(f);
    }
    return bytes;
}

// Foods named out of order: "Food number 7919, 100 g".
inline std::string FoodDatabase(int count) {
    return FoodDatabase(count, [count](int i) { return "Food number " + std::to_string((i * 7919) % count) + ", 100 g"; });
}

}  // namespace benchdata
