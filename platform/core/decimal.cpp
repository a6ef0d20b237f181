#include "platform/core/decimal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace vb::detail {

Decimal ToDecimal(double x, int significant) {
    Decimal d;
    d.negative = std::signbit(x) && x != 0;
    if (x == 0 || !std::isfinite(x)) return d;
    // to_chars ignores the process locale, which the toolkit sets from the desktop.
    char buf[64];
    auto end = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific,
                             significant - 1)
                   .ptr;
    std::string text(buf, end);  // d.ddddde[+-]xx
    auto e = text.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.') d.digits += text[i];
    d.point = std::atoi(text.c_str() + e + 1) + 1;
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

Decimal RoundDecimal(Decimal d, int decimals) {
    int keep = d.point + decimals;  // digits that stay
    if (keep >= static_cast<int>(d.digits.size())) return d;
    if (keep < 0) {
        d.digits.clear();
        return d;
    }
    bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
            d.digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        } else {
            ++d.digits[static_cast<std::size_t>(i)];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty()) d.point = 0;
    return d;
}

std::string IntegerDigits(const Decimal& d) {
    std::string out;
    if (d.digits.empty()) return out;
    for (int i = 0; i < d.point; ++i)
        out += i < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(i)] : '0';
    return out;
}

std::string FractionDigits(const Decimal& d, int decimals) {
    std::string out;
    for (int i = 0; i < decimals; ++i) {
        int k = d.point + i;
        out += k >= 0 && k < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(k)]
                                                                : '0';
    }
    return out;
}

double ToDouble(const Decimal& d) {
    if (d.digits.empty()) return 0;
    std::string text = (d.negative ? "-0." : "0.") + d.digits + "e" + std::to_string(d.point);
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

}  // namespace vb::detail
