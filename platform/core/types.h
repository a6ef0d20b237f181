#pragma once
// The old runtime's number types, used where the width matters (record fields, totals, limits).
#include <cstdint>

namespace vb {

using Integer = std::int16_t;
using Long = std::int32_t;
using Single = float;
using Double = double;
using Byte = std::uint8_t;

// A truth value stored as a number.
constexpr Integer True = -1;
constexpr Integer False = 0;

}  // namespace vb
