#pragma once
// Number conversions with the old runtime's rules.
#include <concepts>
#include <string>
#include <string_view>

#include "platform/core/types.h"

namespace vb {

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double x);
// Nearest at the given decimals, halves away from zero, decided on the decimal value
// (0.145 at 2 decimals -> 0.15 even though the double lies below .145).
double RoundHalfAwayDecimal(double x, int decimals);

Integer CInt(double x);  // halves to even; error 6 outside -32768..32767
Long CLng(double x);     // halves to even; error 6 outside the 32-bit range
Single CSng(double x);   // error 6 beyond the Single range
Integer CInt(std::string_view text);  // strict text (error 13), then as above
Long CLng(std::string_view text);
Single CSng(std::string_view text);
double CDbl(std::string_view text);  // strict: blanks around allowed, otherwise error 13

// Leading numeric prefix after blanks (blanks inside the digits are skipped, "&H" hex and "&O"
// octal read); 0 when there is none. Never fails.
double Val(std::string_view text);
bool IsNumeric(std::string_view text);

// Str puts a blank before a non-negative number; CStr does not. Doubles give up to 15 significant
// digits, Singles their shortest form of up to 7 (42.099998f -> "42.1"). Exponent form as the
// runtime wrote it ("1E+16", "1.5E-07").
std::string Str(double x);
std::string Str(Single x);
std::string Str(Long x);
std::string Str(Integer x);
std::string CStr(double x);
std::string CStr(Single x);
std::string CStr(Long x);
std::string CStr(Integer x);
std::string CStr(bool x);  // "True" / "False"

// Other whole-number types (long, std::size_t ...) read as the Double they equal. Long is int here,
// so int itself takes the Long overload.
template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, Integer> && !std::same_as<T, Long>)
std::string Str(T x) {
    return Str(static_cast<double>(x));
}
template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, Integer> && !std::same_as<T, Long>)
std::string CStr(T x) {
    return CStr(static_cast<double>(x));
}

// "True"/"False" in any case, or a number (non-zero is True); error 13 otherwise.
bool CBool(std::string_view text);
// Int rounds down (Int(-2.5) = -3), Fix toward zero (Fix(-2.5) = -2).
double Int(double x);
double Fix(double x);
// Upper-case hexadecimal digits without prefix, negative numbers as 32-bit two's complement.
std::string Hex(Long x);
std::string Hex(Integer x);  // 16-bit: Hex(Integer(-1)) = "FFFF"

}  // namespace vb
