#include "calories/fooditem.h"

#include <algorithm>

#include "platform/files/fileio.h"
#include "platform/files/safesave.h"

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

// The record count of the old loaders: length / 126 rounded, halves to even, so a trailing
// partial record of 63 bytes or more counts and reads with its missing bytes as NUL.
std::vector<FoodItem> ReadFoodFile(const std::filesystem::path& path) {
    const std::string bytes = files::ReadAllBytes(path);
    const auto count = files::RecordCount(bytes.size(), kFoodItemSize);
    std::vector<FoodItem> items;
    items.reserve(static_cast<std::size_t>(count));
    for (std::int64_t k = 1; k <= count; ++k) items.push_back(decode(files::RecordAt(bytes, k, kFoodItemSize)));
    return items;
}

void WriteFoodFile(const std::filesystem::path& path, const std::vector<FoodItem>& items) {
    std::string bytes;
    bytes.reserve(items.size() * kFoodItemSize);
    for (const auto& item : items) bytes += encode(item);
    files::SafeSaveOrThrow(path, bytes, false);
}

}  // namespace calories
