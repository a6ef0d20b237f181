// Format for numbers: the runtime's masks, rounded on the number's decimal text.
#include "platform/core/format.h"

#include <algorithm>
#include <vector>

#include "platform/core/convert.h"
#include "platform/core/decimal.h"
#include "platform/core/text.h"

namespace vb {

namespace {

struct Item {
    enum Kind { Literal, IntDigit, FracDigit, Point } kind;
    std::string text;  // Literal
};

struct Mask {
    std::vector<Item> items;
    int intPlaces = 0;
    int fracPlaces = 0;
    int firstIntZero = -1;  // placeholder index of the first '0' before the point
    int lastFracZero = 0;   // count of fraction places up to the last '0'
    bool grouping = false;
    bool hasPoint = false;
    int percent = 0;  // each '%' multiplies by 100
    int scale = 0;    // each ',' not followed by a digit place divides by 1000
};

void AddLiteral(Mask& m, std::string_view text) {
    if (!m.items.empty() && m.items.back().kind == Item::Literal)
        m.items.back().text += text;
    else
        m.items.push_back({Item::Literal, std::string(text)});
}

Mask ParseMask(std::string_view s) {
    Mask m;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') {
            auto end = s.find('"', i + 1);
            if (end == std::string_view::npos) end = s.size();
            AddLiteral(m, s.substr(i + 1, end - i - 1));
            i = end;
        } else if (c == '\\') {
            if (i + 1 < s.size()) AddLiteral(m, s.substr(++i, 1));
        } else if (c == '#' || c == '0') {
            if (m.hasPoint) {
                ++m.fracPlaces;
                if (c == '0') m.lastFracZero = m.fracPlaces;
                m.items.push_back({Item::FracDigit, {}});
            } else {
                if (c == '0' && m.firstIntZero < 0) m.firstIntZero = m.intPlaces;
                ++m.intPlaces;
                m.items.push_back({Item::IntDigit, {}});
            }
        } else if (c == '.' && !m.hasPoint) {
            m.hasPoint = true;
            m.items.push_back({Item::Point, {}});
        } else if (c == ',') {
            if (m.hasPoint || m.intPlaces == 0) continue;
            bool digitFollows = i + 1 < s.size() && (s[i + 1] == '#' || s[i + 1] == '0');
            if (digitFollows)
                m.grouping = true;
            else
                ++m.scale;
        } else {
            if (c == '%') ++m.percent;
            AddLiteral(m, s.substr(i, 1));
        }
    }
    return m;
}

// Sections split at ';' outside quotes and escapes.
std::vector<std::string_view> Sections(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '"') {
            quoted = !quoted;
        } else if (s[i] == '\\' && !quoted) {
            ++i;
        } else if (s[i] == ';' && !quoted) {
            out.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    out.push_back(s.substr(start));
    return out;
}

// The magnitude `d` laid out on one section's mask (the caller writes any sign).
std::string Apply(std::string_view section, detail::Decimal d) {
    Mask m = ParseMask(section);
    d.negative = false;
    d.point += 2 * m.percent - 3 * m.scale;
    d = detail::RoundDecimal(d, m.fracPlaces);

    std::string ints = detail::IntegerDigits(d);
    int forced = m.firstIntZero < 0 ? 0 : m.intPlaces - m.firstIntZero;
    if (static_cast<int>(ints.size()) < forced)
        ints.insert(0, static_cast<std::size_t>(forced) - ints.size(), '0');
    std::string frac = detail::FractionDigits(d, m.fracPlaces);
    int shown = m.lastFracZero;  // '#' places after the last '0' drop their trailing zeros
    for (int j = m.fracPlaces - 1; j >= shown; --j)
        if (frac[static_cast<std::size_t>(j)] != '0') {
            shown = j + 1;
            break;
        }

    const int length = static_cast<int>(ints.size());
    std::string out;
    auto emitInts = [&](int from, int to) {  // digits [from, to], with thousands commas
        for (int j = std::max(from, 0); j <= to; ++j) {
            out += ints[static_cast<std::size_t>(j)];
            int fromRight = length - 1 - j;
            if (m.grouping && fromRight > 0 && fromRight % 3 == 0) out += ',';
        }
    };
    int intSeen = 0, fracSeen = 0;
    for (const auto& item : m.items) {
        switch (item.kind) {
        case Item::Literal: out += item.text; break;
        case Item::IntDigit: {
            // Places take digits from the right; the leftmost place takes all that remain.
            int p = intSeen++;
            int index = length - (m.intPlaces - p);
            if (p == 0)
                emitInts(0, index);
            else if (index >= 0)
                emitInts(index, index);
            break;
        }
        case Item::Point:
            if (m.intPlaces == 0) emitInts(0, length - 1);
            out += '.';
            break;
        case Item::FracDigit: {
            int j = fracSeen++;
            if (j < shown) out += frac[static_cast<std::size_t>(j)];
            break;
        }
        }
    }
    return out;
}

std::string NamedMask(std::string_view mask) {
    std::string t = LCase(mask);
    if (t == "fixed") return "0.00";
    if (t == "standard") return "#,##0.00";
    if (t == "percent") return "0.00%";
    if (t == "currency") return "$#,##0.00;($#,##0.00)";
    return std::string(mask);
}

std::string FormatNumber(double x, int significant, std::string_view mask) {
    if (mask.empty() || StrComp(mask, "General Number", Compare::Text) == 0)
        return significant == 7 ? CStr(static_cast<Single>(x)) : CStr(x);
    std::string named = NamedMask(mask);
    auto sections = Sections(named);
    auto d = detail::ToDecimal(x, significant);
    if (x == 0 && sections.size() >= 3 && !sections[2].empty()) return Apply(sections[2], d);
    if (x < 0 && sections.size() >= 2 && !sections[1].empty()) return Apply(sections[1], d);
    std::string body = Apply(sections[0], d);
    return x < 0 ? "-" + body : body;
}

}  // namespace

std::string Format(double value, std::string_view mask) { return FormatNumber(value, 15, mask); }

std::string Format(Single value, std::string_view mask) {
    return FormatNumber(static_cast<double>(value), 7, mask);
}

}  // namespace vb
