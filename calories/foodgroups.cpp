#include "calories/foodgroups.h"

namespace calories {

bool IsFoodGroup(std::string_view text) {
    for (auto g : kFoodGroups)
        if (g == text) return true;
    return false;
}

}  // namespace calories
