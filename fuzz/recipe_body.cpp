// A stored recipe's body as the viewer reads it: the structural parse must end on any bytes, and
// what it gives back must be pieces of the body, in order, that put together make the body again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "recipe/Improved.h"
#include "recipe/store/grammar.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace g = recipe::grammar;
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    const auto parts = g::ParseBody(body);
    if (!parts) return 0;
    std::string again;
    again += g::kNameEnd;
    again += parts->servings;
    again += g::kServingsEnd;
    for (const g::RecipeLine& line : parts->lines) {
        const std::string rebuilt = line.heading ? g::HeadingLine(line.text)
                                                 : g::IngredientLine(line.name, line.marker == g::kFractionQty,
                                                                     line.quantity, line.measure);
        if (rebuilt != line.stored) std::abort();
        (void)recipe::TryFractionToNumber(line.quantity);
        again += line.stored;
    }
    again += g::kLinesEnd;
    again += g::kDirections;
    again += parts->directions;
    again += g::kRecordEnd;
    if (again != body) std::abort();
    // A record the store accepts is one the viewer reads.
    const std::string record = "\xAEName" + std::string(body);
    if (g::IsWellFormedRecord(record) && !g::ParseBody(body)) std::abort();
    return 0;
}
