// The recipe store text as read from "Recipe.Dat": the parser must stop at damage without hanging,
// every record it reads must be the bytes of the text, and the unread rest must be kept whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "recipe/Improved.h"
#include "recipe/store/grammar.h"
#include "recipe/store/recipestore.h"

namespace {

bool IsGap(char c) { return c == ' ' || c == '\r' || c == '\n'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const recipe::ParsedRecipes parsed = recipe::ParseRecipeText(text);

    // The records and the gaps between them are the text up to goodLength; the tail is the rest.
    std::size_t pos = 0;
    for (const auto& e : parsed.entries) {
        while (pos < text.size() && IsGap(text[pos])) ++pos;
        const std::string record = "\xAE" + e.RecipeName + e.RecipeBody;
        if (text.compare(pos, record.size(), record) != 0) std::abort();
        if (e.RecipeBody.empty() || e.RecipeBody.front() != recipe::grammar::kNameEnd ||
            e.RecipeBody.back() != recipe::grammar::kRecordEnd)
            std::abort();
        pos += record.size();
    }
    if (pos != parsed.goodLength) std::abort();
    if (parsed.damaged() && text.substr(parsed.goodLength) != parsed.tail) std::abort();
    if (!parsed.damaged())
        for (std::size_t i = pos; i < text.size(); ++i)
            if (!IsGap(text[i])) std::abort();

    // A record the store would accept reads back as exactly that record.
    for (const auto& e : parsed.entries) {
        const std::string record = "\xAE" + e.RecipeName + e.RecipeBody;
        if (!recipe::grammar::IsWellFormedRecord(record)) continue;
        const recipe::ParsedRecipes again = recipe::ParseRecipeText(record);
        if (again.entries.size() != 1 || again.damaged() || !(again.entries[0] == e)) std::abort();
    }
    if (recipe::grammar::IsWellFormedRecord(text)) {
        if (parsed.entries.size() != 1 || parsed.damaged()) std::abort();
    }

    // What the builder and the viewer do with each line must not fail either.
    for (const auto& e : parsed.entries) {
        std::string_view body = e.RecipeBody;
        std::size_t start = 0;
        while ((start = body.find(recipe::grammar::kLineStart, start)) != std::string_view::npos) {
            const std::size_t end = body.find(recipe::grammar::kLineEnd, start);
            const std::string line(body.substr(start, end == std::string_view::npos ? std::string_view::npos
                                                                                       : end - start + 1));
            std::string qty = recipe::Get_Between(line, "\xD0", "\xCA");
            if (qty.empty()) qty = recipe::Get_Between(line, "\xBC", "\xCA");
            (void)recipe::TryFractionToNumber(qty);
            (void)recipe::Get_Between(line, "\xCE", "\xCF");
            (void)recipe::Get_Between(line, "\xCA", "\x90");
            start = start + 1;
        }
    }
    return 0;
}
