#include "tools/sampledata.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <stdexcept>

#include "platform/core/text.h"
#include "calories/foodgroups.h"

namespace sampledata {
namespace {

constexpr std::size_t kPortionedNameWidth = calories::kFoodNameWidth - 7;  // room for ", 100 g"
constexpr std::array<std::string_view, 6> kVolumeWords = {"tsp", "tbs", "cup", "pint", "quart", "ml"};

[[noreturn]] void Fail(std::size_t line, const std::string& what) {
    throw std::runtime_error("foods table line " + std::to_string(line) + ": " + what);
}

// One CSV record: fields separated by commas, a field in double quotes may hold commas and "".
std::vector<std::string> SplitCsv(std::string_view line, std::size_t lineNo) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c != '\r') {
            fields.back() += c;
        }
    }
    if (quoted) Fail(lineNo, "unterminated quote");
    return fields;
}

// An exact decimal: mantissa / 10^scale.
struct Exact {
    std::int64_t mantissa = 0;
    int scale = 0;
};

bool ParseExact(std::string_view text, Exact& out) {
    out = {};
    if (text.empty()) return true;  // a missing value counts as 0
    bool negative = text.front() == '-';
    if (negative) text.remove_prefix(1);
    bool point = false, digits = false;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            if (out.mantissa > (INT64_MAX - 9) / 10) return false;
            out.mantissa = out.mantissa * 10 + (c - '0');
            out.scale += point ? 1 : 0;
            digits = true;
        } else {
            return false;
        }
    }
    if (negative) out.mantissa = -out.mantissa;
    return digits;
}

std::int64_t Pow10(int n) {
    std::int64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

// numerator / denominator (denominator > 0) to the nearest whole number, halves to even.
std::int64_t DivideHalfEven(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t q = numerator / denominator;
    std::int64_t r = numerator % denominator;
    if (r < 0) {  // floor division, so the remainder is in [0, denominator)
        q -= 1;
        r += denominator;
    }
    if (2 * r > denominator || (2 * r == denominator && q % 2 != 0)) q += 1;
    return q;
}

Exact ExactOrThrow(std::string_view text) {
    Exact e;
    if (!ParseExact(text, e)) throw std::invalid_argument("not a decimal number: " + std::string(text));
    return e;
}

std::int32_t Whole(std::string_view text) { return static_cast<std::int32_t>(RoundDecimalText(text, 0)); }
float Tenths(std::string_view text) { return static_cast<float>(RoundDecimalText(text, 1)); }

// Cut at the last blank that keeps the text within `width`, dropping the separators left at the
// end; a single long word is cut hard.
std::string ShortenAtWord(std::string text, std::size_t width) {
    if (text.size() <= width) return text;
    std::size_t blank = text.rfind(' ', width);
    if (blank == std::string::npos || blank == 0) return text.substr(0, width);
    text.resize(blank);
    while (!text.empty() && std::string_view(" ,;-/(").find(text.back()) != std::string_view::npos) text.pop_back();
    return text;
}

}  // namespace

double RoundDecimalText(std::string_view text, int decimals) {
    Exact e = ExactOrThrow(text);
    if (e.scale <= decimals) return static_cast<double>(e.mantissa) / static_cast<double>(Pow10(e.scale));
    std::int64_t q = DivideHalfEven(e.mantissa, Pow10(e.scale - decimals));
    return static_cast<double>(q) / static_cast<double>(Pow10(decimals));
}

std::int32_t Kilocalories(const FoodRow& row) {
    // kJ / 4.184 = mantissa * 1000 / (4184 * 10^scale), exactly.
    Exact kj = ExactOrThrow(row.energy_kj);
    return static_cast<std::int32_t>(DivideHalfEven(kj.mantissa * 1000, 4184 * Pow10(kj.scale)));
}

std::string FoodName(std::string_view utf8Name) {
    return ShortenAtWord(vb::Trim(vb::FromUtf8(utf8Name)), kPortionedNameWidth) + ", 100 g";
}

calories::FoodItem MakeFoodItem(const FoodRow& row) {
    calories::FoodItem item;
    item.name = FoodName(row.name);
    item.calories = Kilocalories(row);
    item.fat = Whole(row.fat_g);
    item.cholesterol = Whole(row.cholesterol_mg);
    item.fiber = Whole(row.fibre_g);
    item.carbohydrate = Whole(row.carbohydrate_g);
    item.protein = Whole(row.protein_g);
    item.group = vb::FromUtf8(row.group);
    item.deleted = 0;
    return item;
}

recipe::IngRecord MakeIngRecord(const FoodRow& row) {
    recipe::IngRecord rec;
    rec.Name = ShortenAtWord(vb::Trim(vb::FromUtf8(row.name)), recipe::kIngNameWidth);
    rec.Qty1 = 100;
    rec.Unit1 = "g";
    rec.Qty2 = row.measure2_unit.empty() ? 0.0f : static_cast<float>(RoundDecimalText(row.measure2_qty, 2));
    rec.Unit2 = row.measure2_unit;
    rec.Cal = static_cast<float>(Kilocalories(row));
    rec.Fat = Tenths(row.fat_g);
    rec.SatFat = Tenths(row.saturated_fat_g);
    rec.Chol = Whole(row.cholesterol_mg);
    rec.Sodium = static_cast<float>(Whole(row.sodium_mg));
    rec.TotalCarbs = Tenths(row.carbohydrate_g);
    rec.Fiber = Tenths(row.fibre_g);
    rec.Protein = Tenths(row.protein_g);
    // 100 g is a weight measure; with a volume second measure the ingredient has both kinds.
    rec.MeasureKind = row.measure2_unit.empty() ? recipe::kWeightOnly : recipe::kVolumeAndWeight;
    rec.UniqueMeasure = vb::False;
    return rec;
}

std::vector<FoodRow> ReadFoodTable(const std::filesystem::path& csv) {
    std::ifstream in(csv, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + csv.string());
    std::string line;
    std::size_t lineNo = 1;
    if (!std::getline(in, line)) Fail(lineNo, "no header");
    std::map<std::string, std::size_t> column;
    {
        auto header = SplitCsv(line, lineNo);
        for (std::size_t i = 0; i < header.size(); ++i) column[header[i]] = i;
    }
    auto index = [&](const std::string& name) {
        auto it = column.find(name);
        if (it == column.end()) Fail(1, "no column " + name);
        return it->second;
    };
    struct Field {
        const char* name;
        std::string FoodRow::*member;
        bool number;
    };
    const Field fields[] = {
        {"code", &FoodRow::code, false},
        {"name", &FoodRow::name, false},
        {"group", &FoodRow::group, false},
        {"energy_kj", &FoodRow::energy_kj, true},
        {"kcal", &FoodRow::kcal, true},
        {"fat_g", &FoodRow::fat_g, true},
        {"cholesterol_mg", &FoodRow::cholesterol_mg, true},
        {"fibre_g", &FoodRow::fibre_g, true},
        {"carbohydrate_g", &FoodRow::carbohydrate_g, true},
        {"protein_g", &FoodRow::protein_g, true},
        {"saturated_fat_g", &FoodRow::saturated_fat_g, true},
        {"sodium_mg", &FoodRow::sodium_mg, true},
        {"measure2_qty", &FoodRow::measure2_qty, true},
        {"measure2_unit", &FoodRow::measure2_unit, false},
    };
    std::vector<std::size_t> at;
    for (const auto& f : fields) at.push_back(index(f.name));

    std::vector<FoodRow> rows;
    std::set<std::string> foodNames, ingNames;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line == "\r") continue;
        auto cells = SplitCsv(line, lineNo);
        if (cells.size() != column.size()) Fail(lineNo, "expected " + std::to_string(column.size()) + " fields");
        FoodRow row;
        for (std::size_t i = 0; i < std::size(fields); ++i) {
            row.*fields[i].member = cells[at[i]];
            Exact e;
            if (fields[i].number && (!ParseExact(cells[at[i]], e) || e.mantissa < 0))
                Fail(lineNo, std::string(fields[i].name) + " is not a number of 0 or more");
        }
        if (row.name.empty()) Fail(lineNo, "no name");
        if (std::find(calories::kFoodGroups.begin(), calories::kFoodGroups.end(), row.group) == calories::kFoodGroups.end())
            Fail(lineNo, "unknown food group \"" + row.group + "\"");
        double kj = RoundDecimalText(row.energy_kj, 6), kcal = RoundDecimalText(row.kcal, 6);
        if (std::fabs(kcal - kj / 4.184) > 0.005 + 1e-9) Fail(lineNo, "kcal does not match energy_kj / 4.184");
        bool hasUnit = !row.measure2_unit.empty();
        if (hasUnit != !row.measure2_qty.empty() || (hasUnit && RoundDecimalText(row.measure2_qty, 2) <= 0))
            Fail(lineNo, "a second measure needs both a quantity above 0 and a unit");
        if (hasUnit && std::find(kVolumeWords.begin(), kVolumeWords.end(), row.measure2_unit) == kVolumeWords.end())
            Fail(lineNo, "second measure \"" + row.measure2_unit + "\" is not a volume unit");
        if (!foodNames.insert(FoodName(row.name)).second) Fail(lineNo, "repeated food name " + FoodName(row.name));
        if (!ingNames.insert(MakeIngRecord(row).Name.str()).second) Fail(lineNo, "repeated ingredient name");
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace sampledata
