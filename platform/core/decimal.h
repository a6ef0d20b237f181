#pragma once
// Internal: a double as the decimal text the runtime worked from (its 15 or 7 significant digits),
// so rounding can be decided on that text rather than on the binary value.
#include <string>

namespace vb::detail {

struct Decimal {
    bool negative = false;
    std::string digits;  // significant digits, no leading zeros; empty for zero
    int point = 0;       // digits before the decimal point (may be negative or beyond digits)
};

// |x| to `significant` digits (15 for Double, 7 for Single), trailing zeros dropped.
Decimal ToDecimal(double x, int significant);
// Rounds to `decimals` places after the point, a half going away from zero.
Decimal RoundDecimal(Decimal d, int decimals);
// The whole-number digits ("" for zero) and exactly `decimals` fraction digits.
std::string IntegerDigits(const Decimal& d);
std::string FractionDigits(const Decimal& d, int decimals);
double ToDouble(const Decimal& d);

}  // namespace vb::detail
