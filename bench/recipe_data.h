// Generated recipe stores for the benchmarks: ingredients of one cup weighing 240 g, recipes of
// eight lines with two lines of directions.
#pragma once

#include <string>
#include <vector>

#include "recipe/store/grammar.h"
#include "recipe/store/ingrecord.h"

namespace benchdata {

// Names spread over the alphabet, as a real store's are ("Kingredient 12").
inline std::string SpreadName(const char* prefix, int i) {
    std::string s(1, static_cast<char>('A' + (i * 7919) % 26));
    s += prefix;
    s += " ";
    s += std::to_string(i);
    return s;
}

// The bytes of an ingredient store of `count` records named `name(i)`.
template <class NameOf>
std::string IngredientStore(int count, NameOf name) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(count) * recipe::kIngRecordSize);
    for (int i = 0; i < count; ++i) {
        recipe::IngRecord r;
        r.Name = name(i);
        r.Qty1 = 1;
        r.Unit1 = "cup";
        r.Qty2 = 240;
        r.Unit2 = "g";
        r.Cal = 112;
        r.Fat = 3.5f;
        r.Chol = 12;
        r.TotalCarbs = 20;
        r.MeasureKind = recipe::kVolumeAndWeight;
        bytes += recipe::encode(r);
    }
    return bytes;
}

// `count` recipe records named `name(i)`, each of eight lines of `line(i, k)` ("1 1/2 cup"), with
// a "Topping" heading among them when asked. Without the store's closing line break.
template <class NameOf, class LineOf>
std::string RecipeRecords(int count, NameOf name, LineOf line, bool heading) {
    namespace g = recipe::grammar;
    std::string text;
    for (int i = 0; i < count; ++i) {
        std::vector<std::string> lines;
        for (int k = 0; k < 8; ++k) lines.push_back(g::IngredientLine(line(i, k), true, "1 1/2", "cup"));
        if (heading) lines.insert(lines.begin() + 4, g::HeadingLine("Topping"));
        text += g::RecipeRecord(name(i), "4", lines, "Mix everything in a large bowl.\r\nBake for 40 minutes until golden.");
    }
    return text;
}

}  // namespace benchdata
