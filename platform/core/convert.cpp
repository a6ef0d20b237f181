#include "platform/core/convert.h"

#include <algorithm>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "platform/core/decimal.h"
#include "platform/core/error.h"
#include "platform/core/text.h"

namespace vb {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// The written exponent, held within +-kExponentLimit: far beyond any Double, and small enough
// that adding the digits' own position cannot overflow.
constexpr long long kExponentLimit = 1'000'000'000;

long long Exponent(std::string_view digits) {
    bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) digits.remove_prefix(1);
    long long value = 0;
    for (char c : digits) {
        if (!IsDigit(c)) break;
        value = std::min(value * 10 + (c - '0'), kExponentLimit);
    }
    return negative ? -value : value;
}

// Decimal exponent of the leading digit of a cleaned number text ("0.005" -> -3, "12e3" -> 4).
long long Magnitude(const std::string& text) {
    auto e = text.find('e');
    std::string mantissa = text.substr(0, e);
    long long exponent = e == std::string::npos ? 0 : Exponent(std::string_view(text).substr(e + 1));
    auto point = mantissa.find('.');
    if (point == std::string::npos) point = mantissa.size();
    auto first = mantissa.find_first_of("123456789");
    if (first == std::string::npos) return 0;
    long long position = first < point ? static_cast<long long>(point - first) - 1
                                       : -static_cast<long long>(first - point);
    return position + exponent;
}

double ParseDouble(const std::string& text) {
    double v = 0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        // from_chars reports both overflow and underflow; only overflow is an error.
        if (Magnitude(text) > 0) throw Error(errOverflow);
        return 0;
    }
    return v;
}

// "&H1F" / "&O17" after the '&': a value of up to 4 hex digits is an Integer, up to 8 a Long, so
// "&HFFFF" is -1 as the runtime read it. Returns nullopt when no digit follows.
std::optional<double> RadixNumber(std::string_view s, std::size_t& i, bool strict) {
    if (i + 1 >= s.size()) return std::nullopt;
    char kind = static_cast<char>(s[i + 1] | 0x20);
    int base = kind == 'h' ? 16 : kind == 'o' ? 8 : 0;
    if (base == 0) return std::nullopt;
    std::size_t j = i + 2;
    unsigned long long v = 0;
    std::size_t count = 0;
    while (j < s.size() && DigitValue(s[j]) < base) {
        v = v * static_cast<unsigned>(base) + static_cast<unsigned>(DigitValue(s[j]));
        if (v > 0xFFFFFFFFull) {
            if (strict) throw Error(errOverflow);
            v &= 0xFFFFFFFFull;
        }
        ++j, ++count;
    }
    if (count == 0) return std::nullopt;
    i = j;
    if (v <= 0xFFFF) return static_cast<double>(static_cast<std::int16_t>(v));
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
}

// The runtime's strict reading of a text without currency sign as a number (US locale): blanks
// around, a sign before or after the number or parentheses around it for a negative one, digits
// with thousands commas, a point, an exponent (E or D), or &H / &O. nullopt when it is not one.
std::optional<double> ParsePlain(std::string_view s) {
    std::size_t a = 0, b = s.size();
    while (a < b && IsBlank(s[a])) ++a;
    while (b > a && IsBlank(s[b - 1])) --b;
    s = s.substr(a, b - a);
    if (s.empty()) return std::nullopt;
    std::size_t i = 0;
    if (s[0] == '&') {
        auto v = RadixNumber(s, i, true);
        if (!v || i != s.size()) return std::nullopt;
        return v;
    }
    std::string clean;
    // "(5)" is -5; "5-" too: one sign, at one end, and none inside parentheses.
    const bool parenthesized = s.size() >= 2 && s.front() == '(' && s.back() == ')';
    if (parenthesized) {
        s = s.substr(1, s.size() - 2);
        clean += '-';
    } else if (s[i] == '+' || s[i] == '-') {
        clean += s[i++];
    } else if (s.size() >= 2 && (s.back() == '+' || s.back() == '-')) {
        clean += s.back();
        s.remove_suffix(1);
    }
    int digits = 0;
    while (i < s.size()) {
        if (IsDigit(s[i])) {
            clean += s[i++];
            ++digits;
        } else if (s[i] == ',' && digits > 0 && i + 1 < s.size() && IsDigit(s[i + 1])) {
            ++i;
        } else {
            break;
        }
    }
    if (i < s.size() && s[i] == '.') {
        clean += s[i++];
        while (i < s.size() && IsDigit(s[i])) {
            clean += s[i++];
            ++digits;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        clean += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) clean += s[i++];
        std::size_t start = i;
        while (i < s.size() && IsDigit(s[i])) clean += s[i++];
        if (i == start) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    if (clean[0] == '+') clean.erase(0, 1);
    return ParseDouble(clean);
}

// The strict reading: blanks around, and one currency sign standing anywhere outside the digits
// ("$-5", "-$5", "5$", "$ 5", "($5)"), which the runtime skips as it skips blanks; the rest is
// read as without it, so "- $5" fails as "- 5" does. A currency sign goes with no &H / &O number.
std::optional<double> ParseStrict(std::string_view s) {
    const std::size_t sign = s.find('$');
    if (sign == std::string_view::npos) return ParsePlain(s);
    if (s.find('$', sign + 1) != std::string_view::npos) return std::nullopt;
    const std::string_view before = s.substr(0, sign), after = s.substr(sign + 1);
    if (before.find_first_not_of(" \t+-(") != std::string_view::npos &&
        after.find_first_not_of(" \t+-)") != std::string_view::npos)
        return std::nullopt;  // inside the digits
    std::string rest = std::string(before) + std::string(after);
    if (rest.find('&') != std::string::npos) return std::nullopt;
    return ParsePlain(rest);
}

double Strict(std::string_view text) {
    auto v = ParseStrict(text);
    if (!v) throw Error(errTypeMismatch);
    return *v;
}

// %.15G / %.7G as the runtime printed numbers, with an upper-case exponent of at least two digits.
std::string General(double x, int significant) {
    if (x == 0) return "0";  // no "-0"
    char buf[64];
    auto end = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, significant).ptr;
    std::string out(buf, end);
    for (char& c : out)
        if (c == 'e') c = 'E';
    return out;
}

// Str's form: a blank for a sign when not negative, no zero before the point.
std::string StrForm(std::string text) {
    bool negative = !text.empty() && text[0] == '-';
    std::string body = negative ? text.substr(1) : text;
    if (body.size() > 1 && body[0] == '0' && body[1] == '.') body.erase(0, 1);
    return (negative ? "-" : " ") + body;
}

}  // namespace

double RoundHalfEven(double x) { return std::nearbyint(x); }

double RoundHalfAwayDecimal(double x, int decimals) {
    return detail::ToDouble(detail::RoundDecimal(detail::ToDecimal(x, 15), decimals));
}

Integer CInt(double x) {
    double r = std::nearbyint(x);
    if (!(r >= -32768.0 && r <= 32767.0)) throw Error(errOverflow);
    return static_cast<Integer>(r);
}

Long CLng(double x) {
    double r = std::nearbyint(x);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw Error(errOverflow);
    return static_cast<Long>(r);
}

Single CSng(double x) {
    if (std::isnan(x)) throw Error(errOverflow);
    auto f = static_cast<float>(x);
    if (std::isinf(f)) throw Error(errOverflow);
    return f;
}

Integer CInt(std::string_view text) { return CInt(Strict(text)); }
Long CLng(std::string_view text) { return CLng(Strict(text)); }
Single CSng(std::string_view text) { return CSng(Strict(text)); }
double CDbl(std::string_view text) { return Strict(text); }

bool IsNumeric(std::string_view text) {
    try {
        return ParseStrict(text).has_value();
    } catch (const Error&) {
        return false;  // too large for a Double: the conversion fails, so no number
    }
}

double Val(std::string_view s) {
    // Blanks, tabs and line feeds are skipped everywhere, also between digits.
    std::string t;
    for (char c : s)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') t += c;
    std::size_t i = 0;
    if (!t.empty() && t[0] == '&') return RadixNumber(t, i, false).value_or(0.0);
    std::string clean;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) clean += t[i++];
    int digits = 0;
    while (i < t.size() && IsDigit(t[i])) clean += t[i++], ++digits;
    if (i < t.size() && t[i] == '.') {
        clean += t[i++];
        while (i < t.size() && IsDigit(t[i])) clean += t[i++], ++digits;
    }
    if (digits == 0) return 0;
    if (i + 1 < t.size() && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exp = "e";
        if (t[j] == '+' || t[j] == '-') exp += t[j++];
        std::size_t start = j;
        while (j < t.size() && IsDigit(t[j])) exp += t[j++];
        if (j > start) clean += exp;
    }
    if (clean[0] == '+') clean.erase(0, 1);
    try {
        return ParseDouble(clean);
    } catch (const Error&) {
        return clean[0] == '-' ? -DBL_MAX : DBL_MAX;
    }
}

std::string CStr(double x) { return General(x, 15); }
std::string CStr(Single x) { return General(static_cast<double>(x), 7); }
std::string CStr(Long x) { return std::to_string(x); }
std::string CStr(Integer x) { return std::to_string(x); }
std::string CStr(bool x) { return x ? "True" : "False"; }

std::string Str(double x) { return StrForm(CStr(x)); }
std::string Str(Single x) { return StrForm(CStr(x)); }
std::string Str(Long x) { return StrForm(CStr(x)); }
std::string Str(Integer x) { return StrForm(CStr(x)); }

bool CBool(std::string_view text) {
    std::string t = Trim(text);
    if (StrComp(t, "True", Compare::Text) == 0) return true;
    if (StrComp(t, "False", Compare::Text) == 0) return false;
    return Strict(t) != 0;
}

double Int(double x) { return std::floor(x); }
double Fix(double x) { return std::trunc(x); }

std::string Hex(Long x) {
    char buf[16];
    auto end = std::to_chars(buf, buf + sizeof buf, static_cast<std::uint32_t>(x), 16).ptr;
    return UCase(std::string_view(buf, static_cast<std::size_t>(end - buf)));
}

std::string Hex(Integer x) { return Hex(static_cast<Long>(static_cast<std::uint16_t>(x))); }

}  // namespace vb
