#include "recipe/store/grammar.h"

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

bool Clean(std::string_view field) { return FindDelimiter(field) < 0; }

// The line at pos through its line end; pos moves past it.
bool ParseLine(std::string_view s, std::size_t& pos, RecipeLine& line) {
    if (pos >= s.size() || s[pos] != kLineStart) return false;
    const std::size_t end = s.find(kLineEnd, pos + 1);
    if (end == std::string_view::npos) return false;
    const std::string_view inner = s.substr(pos + 1, end - pos - 1);
    line.stored = s.substr(pos, end - pos + 1);
    if (!inner.empty() && inner.front() == kHeading) {
        line.heading = true;
        line.text = inner.substr(1);
    } else {
        const std::size_t nameEnd = inner.find(kIngNameEnd);
        if (nameEnd == std::string_view::npos || nameEnd + 1 >= inner.size()) return false;
        line.name = inner.substr(0, nameEnd);
        line.marker = inner[nameEnd + 1];
        if (line.marker != kFractionQty && line.marker != kDecimalQty) return false;
        const std::size_t qtyEnd = inner.find(kQtyEnd, nameEnd + 2);
        if (qtyEnd == std::string_view::npos) return false;
        line.quantity = inner.substr(nameEnd + 2, qtyEnd - nameEnd - 2);
        line.measure = inner.substr(qtyEnd + 1);
    }
    pos = end + 1;
    return true;
}

}  // namespace

std::optional<RecipeBody> ParseBody(std::string_view b) {
    if (b.size() < 2 || b.front() != kNameEnd || b.back() != kRecordEnd) return std::nullopt;
    const std::size_t servingsEnd = b.find(kServingsEnd, 1);
    if (servingsEnd == std::string_view::npos) return std::nullopt;
    RecipeBody body;
    body.servings = b.substr(1, servingsEnd - 1);
    std::size_t pos = servingsEnd + 1;
    while (pos < b.size() && b[pos] == kLineStart) {
        RecipeLine line;
        if (!ParseLine(b, pos, line)) return std::nullopt;
        body.lines.push_back(line);
    }
    if (pos + 1 >= b.size() || b[pos] != kLinesEnd || b[pos + 1] != kDirections) return std::nullopt;
    body.directions = b.substr(pos + 2, b.size() - 1 - (pos + 2));
    if (body.directions.find(kRecordEnd) != std::string_view::npos) return std::nullopt;
    return body;
}

bool IsWellFormedRecord(std::string_view r) {
    if (r.empty() || r.front() != kRecordStart) return false;
    const std::size_t nameEnd = r.find_first_of(kDelimiters, 1);
    if (nameEnd == std::string_view::npos || r[nameEnd] != kNameEnd) return false;
    const std::optional<RecipeBody> body = ParseBody(r.substr(nameEnd));
    if (!body || !Clean(body->servings) || !Clean(body->directions)) return false;
    for (const RecipeLine& line : body->lines) {
        if (line.heading ? !Clean(line.text) : !(Clean(line.name) && Clean(line.quantity) && Clean(line.measure)))
            return false;
    }
    return true;
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
