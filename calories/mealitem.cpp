#include "calories/mealitem.h"

#include <algorithm>

namespace calories {

// A year's log holds thousands of these in memory: keep them small.
static_assert(sizeof(MealItem) <= 88);

std::string encode(const MealItem& item) {
    files::ByteWriter w;
    WriteFoodFields(w, item);
    w.Text(item.servings).Text(item.meal.fixed()).Int32(item.day).Int16(item.deleted);
    return w.take();
}

MealItem decodeMealItem(std::string_view bytes) {
    files::ByteReader r(bytes.substr(0, std::min(bytes.size(), kMealItemSize)));
    MealItem item;
    ReadFoodFields(r, item);
    item.servings = r.Text<kServingsWidth>();
    item.meal = r.Text<kMealNameWidth>();
    item.day = r.Int32();
    item.deleted = r.Int16();
    return item;
}

Nutrients Values(const FoodItem& f) { return {f.calories, f.fat, f.cholesterol, f.fiber, f.carbohydrate, f.protein}; }

Nutrients Values(const MealItem& m) { return {m.calories, m.fat, m.cholesterol, m.fiber, m.carbohydrate, m.protein}; }

}  // namespace calories
