// "Ing.dat" as the ingredient store loads it: whole 164-byte records only, and what it loaded
// must write back and load again to the same table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "recipe/store/ingrecord.h"
#include "recipe/store/ingstore.h"
#include "recipe/nutrition.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    recipe::IngStore store;
    store.LoadBytes(bytes);
    if (store.Count() != size / recipe::kIngRecordSize) std::abort();
    if (store.partialBytes() != size % recipe::kIngRecordSize) std::abort();

    std::string written;
    for (const auto& rec : store.Ing_Table) {
        const std::string one = recipe::encode(rec);
        if (one.size() != recipe::kIngRecordSize) std::abort();
        written += one;
    }
    recipe::IngStore again;
    again.LoadBytes(written);
    if (again.Ing_Table != store.Ing_Table) {
        // NaN fields never compare equal; compare their bytes instead.
        std::string rewritten;
        for (const auto& rec : again.Ing_Table) rewritten += recipe::encode(rec);
        if (rewritten != written) std::abort();
    }

    // Any stored record, in any measure it offers, must be counted without failing the program.
    for (const auto& rec : store.Ing_Table) {
        (void)store.FindText(recipe::ListName(rec));
        for (std::string_view measure : {"cup", "g", "tsp", "oz", "", "slice"}) {
            recipe::NutritionTotals t;
            try {
                recipe::AddNutrients(t, rec, measure, 1000.875f, 0.125f);
            } catch (const vb::Error&) {
                // Out of range: refused, totals unchanged.
                if (!(t == recipe::NutritionTotals{})) std::abort();
            }
            recipe::IfLessThanZero(t);
            (void)recipe::PanelFor(t);
        }
        if (store.Count() > 50) break;
    }
    return 0;
}
