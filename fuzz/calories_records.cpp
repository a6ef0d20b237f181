// The food diary's stored data: food records (fooddata.bok, *.per), meal records (period1.dat,
// day files) and the goal texts of calories.INI as the totals read them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calories/fooditem.h"
#include "calories/mealitem.h"
#include "calories/totals.h"
#include "platform/files/records.h"

namespace {

template <class Decode>
void RoundTrip(std::string_view bytes, std::size_t length, Decode decode) {
    const std::int64_t count = files::RecordCount(bytes.size(), length);
    for (std::int64_t k = 1; k <= count; ++k) {
        const std::string record = files::RecordAt(bytes, k, length);
        // Every record, a partial last one included (its missing bytes are NULs), encodes back
        // to exactly its bytes.
        if (calories::encode(decode(record)) != record) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RoundTrip(bytes, calories::kFoodItemSize, [](std::string_view b) { return calories::decode(b); });
    RoundTrip(bytes, calories::kMealItemSize, [](std::string_view b) { return calories::decodeMealItem(b); });

    // A goal text: either no goal, or a positive one whose percentage text gives a bar.
    const std::string_view text = bytes.substr(0, 80);
    const auto goal = calories::GoalValue(text);
    if (goal && !(*goal > 0)) std::abort();
    const std::string percent = calories::PercentText(1234, goal);
    if (goal.has_value() == percent.empty()) std::abort();
    const auto day = calories::DayBar(text);
    const auto period = calories::PeriodBar(text);
    if (day.width < 0 || day.width > calories::kBarWidth || period.width > calories::kBarWidth) std::abort();
    return 0;
}
