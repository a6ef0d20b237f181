#include "calories/fooditem.h"

#include <algorithm>

#include "platform/files/recordfile.h"

namespace calories {

std::string encode(const FoodItem& item) {
    files::ByteWriter w;
    w.Text(item.name)
        .Int32(item.calories)
        .Int32(item.fat)
        .Int32(item.cholesterol)
        .Int32(item.fiber)
        .Int32(item.carbohydrate)
        .Int32(item.protein)
        .Text(item.group)
        .Int16(item.deleted);
    return w.take();
}

FoodItem decode(std::string_view bytes) {
    files::ByteReader r(bytes.substr(0, std::min(bytes.size(), kFoodItemSize)));
    FoodItem item;
    item.name = r.Text<kFoodNameWidth>();
    item.calories = r.Int32();
    item.fat = r.Int32();
    item.cholesterol = r.Int32();
    item.fiber = r.Int32();
    item.carbohydrate = r.Int32();
    item.protein = r.Int32();
    item.group = r.Text<kFoodGroupWidth>();
    item.deleted = r.Int16();
    return item;
}

std::vector<FoodItem> ReadFoodFile(const std::filesystem::path& path) {
    return files::ReadRecordFile(path, kFoodItemSize, [](std::string_view bytes) { return decode(bytes); });
}

void WriteFoodFile(const std::filesystem::path& path, const std::vector<FoodItem>& items) {
    files::WriteRecordFile(path, items, kFoodItemSize, [](const FoodItem& r) { return encode(r); });
}

}  // namespace calories
