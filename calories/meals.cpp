#include "calories/meals.h"

#include <cmath>
#include <limits>

#include "calories/mealitem.h"
#include "platform/core/convert.h"
#include "platform/core/text.h"

namespace calories {

std::optional<int> MealRow(std::string_view name) {
    for (int i = 0; i < 6; ++i)
        if (kMealRows[static_cast<std::size_t>(i)] == name) return i;
    return std::nullopt;
}

std::optional<int> MealRowOfField(std::string_view field) {
    for (int i = 0; i < 6; ++i)
        if (PaddedMeal(kMealRows[static_cast<std::size_t>(i)]) == field) return i;
    return std::nullopt;
}

std::string PaddedMeal(std::string_view name) { return vb::FixedField(name, kMealNameWidth); }

std::optional<vb::Long> Scale(vb::Long value, const Portion& portion) {
    constexpr double lo = std::numeric_limits<vb::Long>::min();
    constexpr double hi = std::numeric_limits<vb::Long>::max();
    switch (portion.scaling) {
    case Scaling::One:
        return value;
    case Scaling::Whole: {
        const long long product = static_cast<long long>(value) * static_cast<long long>(portion.factor);
        if (product < lo || product > hi) return std::nullopt;
        return static_cast<vb::Long>(product);
    }
    case Scaling::Fraction: {
        // Exact in double for 32-bit values, so the rounding is the only one.
        const double r = vb::RoundHalfEven(static_cast<double>(value) * portion.factor);
        if (r < lo || r > hi) return std::nullopt;
        return static_cast<vb::Long>(r);
    }
    }
    return std::nullopt;
}

}  // namespace calories
