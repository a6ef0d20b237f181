#pragma once
// The arithmetic of the nutrient panel: running sums, goals from "calories.INI", percent-of-goal
// texts and the bar each percent text gives.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calories/mealitem.h"
#include "platform/core/types.h"

namespace calories {

inline constexpr std::string_view kIniFile = "calories.INI";
inline constexpr std::string_view kGoalSection = "YourString.Something";

// Six running sums in nutrient order. They start empty: an empty sum counts as 0 and shows as "".
struct Sums {
    std::array<std::int64_t, 6> value{};
    bool set = false;

    void Add(const Nutrients& n);
    void Subtract(const Nutrients& n);
    void Zero();   // set to 0 (shows "0")
    void Clear();  // back to empty
    std::int64_t operator[](int k) const { return value[static_cast<std::size_t>(k)]; }
    bool AllZero() const;
    std::string Text(int k) const;  // decimal text, "" while empty
};

// The six daily goals as the caloric-needs window stored them ("Message5" .. "Message10"), read
// afresh at every recompute so a changed goal applies at once. A key is read as the profile
// functions return it: at most 74 characters, "" when missing.
std::array<std::string, 6> ReadGoals();

// A goal text's value when it can serve as a divisor: a number above 0. A missing, empty,
// non-numeric or zero goal has no value, and its percentage stays blank.
std::optional<double> GoalValue(std::string_view text);

// "###0%" of total / goal: times 100, halves away from zero ("13%" for 250 of 2000); "" when the
// goal has no value.
std::string PercentText(double total, std::optional<double> goal);

struct Bar {
    bool visible = true;
    vb::Long color = 0;
    vb::Single width = 0;
};

inline constexpr vb::Single kBarWidth = 1095;

// A day bar from today's percent caption: colour by 25 % band (red from 75 %), width 110 twips
// per started 10 % up to 990, the full 1095 beyond 90 % and for any text other than "0%" ..
// "100%". A blank caption (no goal) shows no bar.
Bar DayBar(std::string_view caption);
// A period bar: the paler colours, 55 twips per started 5 % up to 1045, 1095 beyond 95 %.
Bar PeriodBar(std::string_view caption);

}  // namespace calories
