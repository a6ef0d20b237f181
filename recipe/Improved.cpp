#include "recipe/Improved.h"

#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/core/text.h"

namespace recipe {

namespace {

// One digit of a fraction, as the runtime converts a one-character text.
double Digit(char c) { return vb::CDbl(std::string_view(&c, 1)); }

}  // namespace

vb::Single Fraction_To_Number(std::string_view s) {
    const long p = vb::InStr(s, "/");
    if (p == 0) return vb::CSng(s);
    const std::size_t len = s.size();
    if (len < 3) throw vb::Error(vb::errTypeMismatch);
    const std::string_view frac = s.substr(len - 3);
    // The line must sit between the two digits; "12/16" is no fraction of this grammar.
    if (frac[1] != '/') throw vb::Error(vb::errTypeMismatch);
    const double n = Digit(frac[0]);
    const double d = Digit(frac[2]);
    if (d == 0) throw vb::Error(vb::errDivisionByZero);
    if (len == 3) return vb::CSng(n / d);
    const double whole = vb::CDbl(s.substr(0, len - 3));
    return vb::CSng(whole + n / d);
}

std::optional<vb::Single> TryFractionToNumber(std::string_view s) {
    try {
        return Fraction_To_Number(s);
    } catch (const vb::Error&) {
        return std::nullopt;
    }
}

std::string Get_Between(std::string_view s0, std::string_view d10, std::string_view d20) {
    const std::string s = vb::Trim(s0);
    const std::string d1 = vb::Trim(d10);
    const std::string d2 = vb::Trim(d20);
    if (s.empty()) return {};
    const long p1 = vb::InStr(s, d1);
    if (p1 == 0) return {};
    const long p2 = vb::InStr(s, d2);
    const long length = p2 - (p1 + 1);
    if (length > 0) return vb::Mid(s, p1 + 1, length);
    return {};
}

namespace {

// The text without blanks at its ends, without a copy.
std::string_view Blankless(std::string_view s) {
    std::size_t end = s.size();
    while (end > 0 && s[end - 1] == ' ') --end;
    std::size_t first = 0;
    while (first < end && s[first] == ' ') ++first;
    return s.substr(first, end - first);
}

}  // namespace

bool SameName(std::string_view stored, std::string_view given) { return Blankless(stored) == Blankless(given); }

bool SameNameText(std::string_view stored, std::string_view given) {
    // Lookups run over whole stores of blank-padded names: most are told apart by their length or
    // their last letter without reading them through.
    const std::string_view b = Blankless(given);
    std::size_t first = 0;
    while (first < stored.size() && stored[first] == ' ') ++first;
    const std::string_view a = stored.substr(first);
    const std::size_t n = b.size();
    if (a.size() < n || (a.size() > n && a[n] != ' ')) return false;
    if (n > 0 && vb::StrComp(a.substr(n - 1, 1), b.substr(n - 1), vb::Compare::Text) != 0) return false;
    if (vb::StrComp(a.substr(0, n), b, vb::Compare::Text) != 0) return false;
    return a.find_first_not_of(' ', n) == std::string_view::npos;
}

vb::Error NotOverwritten(const std::filesystem::path& file) {
    return vb::Error(vb::errPathFileAccess,
                     "\"" + file.filename().string() +
                         "\" could not be read when the program started, so it is not overwritten.",
                     file.string());
}

vb::Error TooLarge(const std::filesystem::path& file, std::uint64_t length, std::string_view most) {
    return vb::Error(vb::errOverflow,
                     "It is " + std::to_string(length) + " bytes long, more than this program can hold (" +
                         std::string(most) + "), so it was not read and is left as it is.",
                     file.string());
}

}  // namespace recipe
