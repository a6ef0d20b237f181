#pragma once
// The runtime's Format for the masks and date patterns the programs use.
#include <concepts>
#include <string>
#include <string_view>

#include "platform/core/date.h"
#include "platform/core/types.h"

namespace vb {

// Number masks: '#' optional digit, '0' required digit, '.' decimal point, '%' multiply by 100,
// ',' thousands. Rounding halves away from zero on the decimal value. A zero integer part with only
// '#' before the point gives no leading zero (".45"); a point with no decimal digits left stays ("454.").
// Up to three sections "positive;negative;zero"; '\' and "..." give literal text; other
// characters are copied. An empty mask gives CStr's text; "Fixed", "Standard", "Percent" and
// "General Number" are the runtime's named formats. A negative value that rounds to zero keeps its
// sign ("-0"), as the runtime wrote it.
std::string Format(double value, std::string_view mask);
// A Single is read to its 7 significant digits first, as the runtime did (0.145f -> "0.15").
std::string Format(Single value, std::string_view mask);
template <std::integral T>
    requires(!std::same_as<T, bool>)
std::string Format(T value, std::string_view mask) {
    return Format(static_cast<double>(value), mask);
}
// Date patterns: d dd ddd dddd ddddd (short date) m mm mmm mmmm y yy yyyy q w ww h hh n nn s ss
// AM/PM am/pm A/P a/p; m right after h or before s is the minute. '/' and ':' are literal, other
// characters kept. English names.
std::string Format(Date value, std::string_view pattern);

}  // namespace vb
