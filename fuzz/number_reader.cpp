// The number reader: strict conversion (CDbl, CInt, CLng, CSng), IsNumeric, Val, and Format of
// what was read. The input is a number text, optionally followed by a NUL and a Format mask.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/core/format.h"

namespace {

// The value, or the error number the conversion raised; any other exception escapes and crashes.
template <class F>
std::optional<double> Try(F f, int& error) {
    error = 0;
    try {
        return static_cast<double>(f());
    } catch (const vb::Error& e) {
        error = e.number;
        return std::nullopt;
    }
}

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string_view text = input.substr(0, nul);
    const std::string_view mask = nul == std::string_view::npos ? std::string_view("0.00") : input.substr(nul + 1);

    int error = 0;
    const auto value = Try([&] { return vb::CDbl(text); }, error);
    // A text is a number exactly when it converts; a conversion fails only as a type mismatch or
    // an overflow, and what it gives is a finite number.
    Check(vb::IsNumeric(text) == value.has_value());
    Check(value || error == vb::errTypeMismatch || error == vb::errOverflow);
    Check(!value || std::isfinite(*value));

    // Narrower conversions read the same text: the same type mismatch, otherwise a value or an overflow.
    for (auto narrow : {+[](std::string_view t) { return double(vb::CInt(t)); },
                        +[](std::string_view t) { return double(vb::CLng(t)); },
                        +[](std::string_view t) { return double(vb::CSng(t)); }}) {
        int e = 0;
        const auto v = Try([&] { return narrow(text); }, e);
        if (error == vb::errTypeMismatch) Check(e == vb::errTypeMismatch);
        else Check(v || e == vb::errOverflow);
    }

    // Val never fails and gives a finite number; on a plain decimal text it agrees with CDbl (Val
    // reads no thousands separators, currency sign, parentheses or sign after the number).
    const double val = vb::Val(text);
    Check(std::isfinite(val));
    const std::size_t last = text.find_last_not_of(" \t");
    const bool signAfter = last != std::string_view::npos && (text[last] == '+' || text[last] == '-');
    if (value && text.find_first_of(",&$()") == std::string_view::npos && !signAfter) Check(val == *value);

    if (value) {
        // The printed text reads back as the same printed text (15 significant digits survive a
        // Double), except next to the largest Double, where rounding up overflows.
        const std::string printed = vb::CStr(*value);
        if (std::fabs(*value) < 1.79769313486231e308) Check(vb::CStr(vb::CDbl(printed)) == printed);
        (void)vb::Format(*value, mask);
        (void)vb::Format(static_cast<vb::Single>(*value), mask);
    }
    (void)vb::Format(val, mask);
    return 0;
}
