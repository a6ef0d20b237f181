#pragma once
// Number conversions with the old runtime's rules.
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

inline std::string Str(int x) { return Str(static_cast<Long>(x)); }
inline std::string CStr(int x) { return CStr(static_cast<Long>(x)); }

}  // namespace vb
