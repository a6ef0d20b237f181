#include "calories/fooditem.h"

#include <algorithm>

#include "platform/files/recordfile.h"

namespace calories {

// A full database holds 32,767 of these in memory: keep them small.
static_assert(sizeof(FoodItem) <= 72);

std::string encode(const FoodItem& item) {
    files::ByteWriter w;
    WriteFoodFields(w, item);
    w.Int16(item.deleted);
    return w.take();
}

FoodItem decode(std::string_view bytes) {
    files::ByteReader r(bytes.substr(0, std::min(bytes.size(), kFoodItemSize)));
    FoodItem item;
    ReadFoodFields(r, item);
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
