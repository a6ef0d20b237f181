#pragma once
// The thirty food groups of the food diary, exactly as its records store them (before padding).
#include <array>
#include <string_view>

namespace sampledata {

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

}  // namespace sampledata
