#include "recipe/grammar.h"

#include "platform/core/convert.h"

namespace recipe::grammar {

int FindDelimiter(std::string_view text) {
    const auto at = text.find_first_of(kDelimiters);
    return at == std::string_view::npos ? -1 : static_cast<unsigned char>(text[at]);
}

std::string DelimiterShown(int delimiter) {
    if (delimiter < 0xA0) return "the character with code " + vb::CStr(static_cast<vb::Long>(delimiter));
    return std::string("\"") + static_cast<char>(delimiter) + "\"";
}

std::string DelimiterMessage(std::string_view what, int delimiter) {
    return "The " + std::string(what) + " cannot hold " + DelimiterShown(delimiter) +
           ", because the recipe file uses it to mark where things end." + "\r\n\r\n" +
           "Please leave it out or write it another way.";
}

namespace {

// Reads a run of ordinary characters up to `end`, which must follow it.
bool Field(std::string_view s, std::size_t& pos, char end) {
    const std::size_t stop = s.find_first_of(kDelimiters, pos);
    if (stop == std::string_view::npos || s[stop] != end) return false;
    pos = stop + 1;
    return true;
}

bool At(std::string_view s, std::size_t& pos, char c) {
    if (pos >= s.size() || s[pos] != c) return false;
    ++pos;
    return true;
}

}  // namespace

bool IsWellFormedRecord(std::string_view r) {
    std::size_t pos = 0;
    if (!At(r, pos, kRecordStart) || !Field(r, pos, kNameEnd) || !Field(r, pos, kServingsEnd)) return false;
    while (At(r, pos, kLineStart)) {
        if (At(r, pos, kHeading)) {
            if (!Field(r, pos, kLineEnd)) return false;
        } else {
            if (!Field(r, pos, kIngNameEnd)) return false;
            if (!At(r, pos, kFractionQty) && !At(r, pos, kDecimalQty)) return false;
            if (!Field(r, pos, kQtyEnd) || !Field(r, pos, kLineEnd)) return false;
        }
    }
    return At(r, pos, kLinesEnd) && At(r, pos, kDirections) && Field(r, pos, kRecordEnd) && pos == r.size();
}

std::string IngredientLine(std::string_view name, bool fractions, std::string_view quantity,
                           std::string_view measure) {
    std::string s;
    s.reserve(name.size() + quantity.size() + measure.size() + 5);
    s += kLineStart;
    s += name;
    s += kIngNameEnd;
    s += fractions ? kFractionQty : kDecimalQty;
    s += quantity;
    s += kQtyEnd;
    s += measure;
    s += kLineEnd;
    return s;
}

std::string HeadingLine(std::string_view text) {
    std::string s;
    s += kLineStart;
    s += kHeading;
    s += text;
    s += kLineEnd;
    return s;
}

std::string RecipeRecord(std::string_view name, std::string_view servings, const std::vector<std::string>& lines,
                         std::string_view directions) {
    std::string s;
    s += kRecordStart;
    s += name;
    s += kNameEnd;
    s += servings;
    s += kServingsEnd;
    for (const auto& line : lines) s += line;
    s += kLinesEnd;
    s += kDirections;
    s += directions;
    s += kRecordEnd;
    return s;
}

}  // namespace recipe::grammar
