#pragma once
// The six meals of a day and the nine portions a food is sent at.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/types.h"

namespace calories {

// In the order of the meal list's drop-down.
inline constexpr std::array<std::string_view, 6> kMeals = {
    "BREAKFAST", "SNACK -Morning", "LUNCH", "SNACK -Afternoon", "DINNER", "SNACK -Evening",
};

// The rows of the meal totals stand in this order; users find a row by name, never by position.
inline constexpr std::array<std::string_view, 6> kMealRows = {
    "BREAKFAST", "LUNCH", "DINNER", "SNACK -Morning", "SNACK -Afternoon", "SNACK -Evening",
};

// The row of a meal name compared exactly with the six names; nullopt for any other text.
std::optional<int> MealRow(std::string_view name);
// The row of a record's 20-character meal field, compared exactly with the padded names.
std::optional<int> MealRowOfField(std::string_view field);
// A meal name as records hold it: padded with blanks (or cut) to 20 characters.
std::string PaddedMeal(std::string_view name);

enum class Scaling { One, Whole, Fraction };

struct Portion {
    std::string_view menu;      // the portion menu item
    std::string_view caption;   // its caption (Windows-1252)
    Scaling scaling;
    double factor;
    std::string_view servings;  // the record's servings text before padding (Windows-1252)
};

// Menu order. Index kOneServing is the plain send.
inline constexpr std::array<Portion, 9> kPortions = {{
    {"mnuonequarter", "\xBC serving", Scaling::Fraction, 0.25, "(\xBC)"},
    {"mnuonehalf", "\xBD serving", Scaling::Fraction, 0.5, "(\xBD)"},
    {"mnuthreequ", "3/4 Serving", Scaling::Fraction, 0.75, "(\xBE)"},
    {"mnuone", "1 serving", Scaling::One, 1, "1"},
    {"mnuonefive", "1\xBD  servings", Scaling::Fraction, 1.5, "(1\xBD)"},
    {"mnutwo", "2 Servings", Scaling::Whole, 2, "(2)"},
    {"mnuthree", "3 Servings", Scaling::Whole, 3, "(3)"},
    {"mnufour", "4 Servings", Scaling::Whole, 4, "(4)"},
    {"mnufive", "5 Servings", Scaling::Whole, 5, "(5)"},
}};
inline constexpr int kOneServing = 3;

// A value scaled by a portion: whole factors multiply exactly, fractions round to the nearest
// whole number with halves to the even neighbour. nullopt when the result leaves the 32-bit range
// (the record field then keeps 0).
std::optional<vb::Long> Scale(vb::Long value, const Portion& portion);

}  // namespace calories
