#include "platform/core/like.h"

#include <vector>

#include "platform/core/error.h"

namespace vb {

namespace {

struct Element {
    enum Kind { Char, AnyChar, Digit, Star, Set } kind;
    unsigned char ch = 0;
    bool negate = false;
    std::vector<std::pair<unsigned char, unsigned char>> ranges;  // Set

    explicit Element(Kind k, unsigned char c = 0) : kind(k), ch(c) {}
};

unsigned char Fold(unsigned char c, Compare mode) {
    if (mode == Compare::Binary) return c;
    return static_cast<unsigned char>(LCase(std::string(1, static_cast<char>(c)))[0]);
}

// "[a-z]", "[!0-9]", "[*?#]"; a '-' first or last in the list is itself. "[]" matches nothing and
// is dropped; an unclosed list or a range running backwards is an invalid pattern.
std::vector<Element> Compile(std::string_view p, Compare mode) {
    std::vector<Element> out;
    for (std::size_t i = 0; i < p.size(); ++i) {
        auto c = static_cast<unsigned char>(p[i]);
        if (c == '*') {
            if (out.empty() || out.back().kind != Element::Star) out.emplace_back(Element::Star);
        } else if (c == '?') {
            out.emplace_back(Element::AnyChar);
        } else if (c == '#') {
            out.emplace_back(Element::Digit);
        } else if (c == '[') {
            auto end = p.find(']', i + 1);
            if (end == std::string_view::npos) throw Error(errInvalidPattern);
            std::string_view list = p.substr(i + 1, end - i - 1);
            i = end;
            if (list.empty()) continue;
            Element e{Element::Set};
            std::size_t k = 0;
            if (list[0] == '!') {
                e.negate = true;
                k = 1;
            }
            for (; k < list.size(); ++k) {
                auto lo = Fold(static_cast<unsigned char>(list[k]), mode);
                auto hi = lo;
                if (k + 2 < list.size() && list[k + 1] == '-') {
                    hi = Fold(static_cast<unsigned char>(list[k + 2]), mode);
                    if (hi < lo) throw Error(errInvalidPattern);
                    k += 2;
                }
                e.ranges.emplace_back(lo, hi);
            }
            out.push_back(std::move(e));
        } else {
            out.emplace_back(Element::Char, Fold(c, mode));
        }
    }
    return out;
}

bool Matches(const Element& e, unsigned char c) {
    switch (e.kind) {
    case Element::Char: return c == e.ch;
    case Element::AnyChar: return true;
    case Element::Digit: return c >= '0' && c <= '9';
    case Element::Set: {
        bool in = false;
        for (auto [lo, hi] : e.ranges) in = in || (c >= lo && c <= hi);
        return in != e.negate;
    }
    case Element::Star: return false;
    }
    return false;
}

}  // namespace

bool Like(std::string_view text, std::string_view pattern, Compare mode) {
    auto elements = Compile(pattern, mode);
    std::string s = mode == Compare::Text ? LCase(text) : std::string(text);
    // Every element but '*' takes one character, so the last star is the only one worth going back
    // to: linear backtracking, never exponential.
    std::size_t si = 0, pi = 0;
    std::size_t starP = std::string::npos, starS = 0;
    while (si < s.size()) {
        if (pi < elements.size() && elements[pi].kind == Element::Star) {
            starP = pi++;
            starS = si;
        } else if (pi < elements.size() && Matches(elements[pi], static_cast<unsigned char>(s[si]))) {
            ++pi, ++si;
        } else if (starP != std::string::npos) {
            pi = starP + 1;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (pi < elements.size() && elements[pi].kind == Element::Star) ++pi;
    return pi == elements.size();
}

}  // namespace vb
