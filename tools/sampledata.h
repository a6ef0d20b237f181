#pragma once
// Turns the food composition table data/foods.csv into the programs' sample records.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "calories/fooditem.h"
#include "recipe/store/ingrecord.h"

namespace sampledata {

// One food of the table, per 100 g edible portion, numbers as the exact decimal texts of the CSV.
struct FoodRow {
    std::string code;
    std::string name;   // UTF-8
    std::string group;  // one of kFoodGroups
    std::string energy_kj, kcal, fat_g, cholesterol_mg, fibre_g, carbohydrate_g, protein_g,
        saturated_fat_g, sodium_mg;
    std::string measure2_qty, measure2_unit;  // both empty when no second measure is known
};

// Reads and checks the table; std::runtime_error names the line of the first fault.
std::vector<FoodRow> ReadFoodTable(const std::filesystem::path& csv);

// A decimal text rounded to `decimals` places, halves to even, decided on the exact decimal value.
double RoundDecimalText(std::string_view text, int decimals);

// kcal as a whole number: kJ / 4.184, halves to even.
std::int32_t Kilocalories(const FoodRow& row);

// "<name>, 100 g" in Windows-1252, the name part shortened at a word boundary to fit 40 characters.
std::string FoodName(std::string_view utf8Name);

calories::FoodItem MakeFoodItem(const FoodRow& row);
recipe::IngRecord MakeIngRecord(const FoodRow& row);

}  // namespace sampledata
