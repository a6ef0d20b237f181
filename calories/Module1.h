#pragma once
// The shared module of the food diary: the tables that live for the whole run and the values the
// windows pass to each other. The program object (Calories) holds one of these.
#include <filesystem>
#include <string>
#include <vector>

#include "calories/fooditem.h"
#include "calories/mealitem.h"
#include "platform/core/date.h"
#include "platform/core/types.h"

namespace calories {

inline constexpr std::string_view kProgramTitle = "Vantorel 5.0";
inline constexpr std::string_view kFoodDatabase = "fooddata.bok";
inline constexpr std::string_view kPeriodLog = "period1.dat";

// Which file a table was last read from, and whether it was read in full. A table whose load
// failed holds only part of its file (or nothing), so it is never written back over that file.
// A damaged file (not a whole number of records) is kept aside before it is first written over.
struct TableOrigin {
    std::filesystem::path path;
    bool intact = true;
    bool damaged = false;
    bool keptAside = false;  // the damaged original has been kept beside it

    // May the table be written to `target`?
    bool MayWrite(const std::filesystem::path& target) const;
    // Is `target` the file the table was read from?
    bool Is(const std::filesystem::path& target) const;
};

struct Module1 {
    std::vector<FoodItem> fooddata;      // the food database
    std::vector<FoodItem> personaldata;  // the current personal food group
    std::vector<MealItem> mealdata;      // every food of every day of the diet period
    TableOrigin foodOrigin, personalOrigin, mealOrigin;

    int foodindex = 0;      // the food being handled in fooddata
    int personalindex = 0;  // ... in personaldata
    int mealtop = 0;        // upper bound of mealdata before an append
    int mealindex = 0;      // the mealdata record being added, replayed or selected
    vb::Integer datemode = 0;  // 1: the calendar edits the start date, 2: the end date
    vb::Date daydate{};        // calendar date of the current day
    std::string personalfile;  // file of the current personal food group
    std::string openfilename;  // last day file opened
    std::string savefilename;  // last day file saved

    // The start-up load of the food database has run; before that a group choice lists nothing.
    bool databaseLoaded = false;
    // No diet period was ever saved: decided at start-up, kept until the splash's "&Ok".
    bool firstRun = false;
};

}  // namespace calories
