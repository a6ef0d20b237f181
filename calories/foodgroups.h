#pragma once
// The thirty food groups as records store them (before padding to 60), and the personal group.
#include <array>
#include <string>
#include <string_view>

namespace calories {

// In the order the food-group list is filled; the list sorts them itself.
inline constexpr std::array<std::string_view, 30> kFoodGroups = {
    "Milk, Yogurt, Cream, Milk Drink",
    "Ice cream, Cheese, Pudding, Milk products",
    "Egg, Egg products",
    "Beef",
    "Pork , Ham, Bacon",
    "Lamb , Veal, Game",
    "Poultry",
    "Liver, Organ meats",
    "Sausages, Lunch Meats, Hot Dog",
    "Fish , Shellfish",
    "Sandwiches , Burger, Pizza",
    "Mixed dishes with meat",
    "Mixed dishes with vegetable",
    "Mixed dishes with grain products",
    "Soups",
    "Breads , Rolls, Flour",
    "Cakes",
    "Pies , Pastries",
    "Cookies, Crackers, Other grain products",
    "cooked Cereals, Rice, Pasta",
    "Cereals Not cooked",
    "Fruits , Citrus, Juices",
    "Legumes , Nuts, Seeds",
    "Vegetables",
    "Potatoes",
    "Pickles , Relishes, Olives",
    "Fats, oils, Salad Dressing",
    "Sugars , Sweets",
    "Beverages , non - alcoholic",
    "Beverages , alcoholic",
};

// The entry of the food-group list that shows the personal group ...
inline constexpr std::string_view kPersonalEntry = "All Items in Personal list";
// ... and the group text its records carry (without "in").
inline constexpr std::string_view kPersonalGroup = "All Items Personal list";

// True for one of the thirty names, compared exactly.
bool IsFoodGroup(std::string_view text);

}  // namespace calories
