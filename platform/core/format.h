#pragma once
// The runtime's Format for the masks and date patterns the programs use.
#include <string>
#include <string_view>

#include "platform/core/date.h"

namespace vb {

// Number masks: '#' optional digit, '0' required digit, '.' decimal point, '%' multiply by 100,
// ',' thousands. Rounding halves away from zero on the decimal value. A zero integer part with only
// '#' before the point gives no leading zero (".45"); a point with no decimal digits left stays ("454.").
std::string Format(double value, std::string_view mask);
// Date patterns: d dd ddd dddd m mm mmm mmmm yy yyyy, '/' as a literal slash, other characters
// kept. English names.
std::string Format(Date value, std::string_view pattern);

}  // namespace vb
