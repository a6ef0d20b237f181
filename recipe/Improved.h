#pragma once
// The shared module of the recipe program: the flags through which the windows hand state to one
// another, and the small routines more than one window uses.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/error.h"
#include "platform/core/types.h"

namespace recipe {

// The nine totals the viewer computes for the recipe it shows, handed to the builder on Edit.
struct ViewedTotals {
    vb::Long Cal = 0;
    vb::Long FatCal = 0;
    vb::Single Fat = 0;
    vb::Single SatFat = 0;
    vb::Long Chol = 0;
    vb::Long Sodium = 0;
    vb::Single Carbs = 0;
    vb::Single Fiber = 0;
    vb::Single Protein = 0;
};

// Module-level flags; all start False or 0 and none is stored.
struct Flags {
    bool Changes_Saved = false;
    bool Editing_Recipe = false;
    bool Edit_Line_Mode = false;
    bool Delete_Line_Mode = false;
    bool Insert_Line_Mode = false;
    vb::Integer Insert_Index = 0;
    bool Save_Cancelled = false;
    vb::Single Servings_Applied = 0;
    vb::Single Servings_Chosen = 0;
    vb::Single View_Servings = 0;
    ViewedTotals Viewed_Recipe_Totals;
    bool Editing_Ing = false;
    bool Tips_Shown = false;
};

// The value of a quantity or servings text: a decimal ("2.5", " 3 "), a one-digit fraction ("3/4")
// or a whole number, a blank and such a fraction ("10 1/3"), in single precision. Anything else
// raises the runtime's error 13 (11 for a zero below the line).
vb::Single Fraction_To_Number(std::string_view s);
// The same without the error: nullopt for a text that is not a quantity.
std::optional<vb::Single> TryFractionToNumber(std::string_view s);

// The text between the first d1 and the first d2 of s (all three trimmed of blanks first); "" when
// d1 is missing or d2 does not follow it.
std::string Get_Between(std::string_view s, std::string_view d1, std::string_view d2);

// Names are compared as names: both trimmed of blanks, then character for character.
bool SameName(std::string_view stored, std::string_view given);
// The same with letter case ignored (the builder's and the viewer's comparisons).
bool SameNameText(std::string_view stored, std::string_view given);

// What a store gives back for a file it refuses to write: one it could not read at start-up.
vb::Error NotOverwritten(const std::filesystem::path& file);
// ... and for one it refused to read: longer than the program holds (`most` says how much that is).
vb::Error TooLarge(const std::filesystem::path& file, std::uint64_t length, std::string_view most);

}  // namespace recipe
