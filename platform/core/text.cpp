#include "platform/core/text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "platform/core/error.h"

namespace vb {

namespace {

// 0x80..0x9F; the five bytes Windows-1252 leaves undefined map to the C1 control of the same value
// so every byte survives a trip through Unicode.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

unsigned char Upper(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
    switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
    }
}

constexpr unsigned char LowerOf(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
    }
}

// Sorted lists compare constantly, so text compare folds through a table.
constexpr auto kLower = [] {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) t[static_cast<std::size_t>(c)] = LowerOf(static_cast<unsigned char>(c));
    return t;
}();

inline unsigned char Lower(unsigned char c) { return kLower[c]; }

// Text compare folds case and then orders by byte value, so "apple" < "Banana" < "cherry".
unsigned char Fold(unsigned char c, Compare mode) {
    return mode == Compare::Text ? Lower(c) : c;
}

// Decodes one UTF-8 sequence at s[i]; a malformed byte decodes as U+FFFD and advances by one.
char32_t NextUtf8(std::string_view s, std::size_t& i) {
    char32_t cp;
    if (DecodeUtf8(s, i, cp)) return cp;
    ++i;
    return 0xFFFD;
}

std::size_t Find(std::string_view s, std::string_view find, std::size_t from, Compare mode) {
    if (mode == Compare::Binary) return s.find(find, from);
    if (find.size() > s.size()) return std::string_view::npos;
    for (std::size_t i = from; i + find.size() <= s.size(); ++i) {
        std::size_t k = 0;
        while (k < find.size() && Lower(static_cast<unsigned char>(s[i + k])) ==
                                      Lower(static_cast<unsigned char>(find[k])))
            ++k;
        if (k == find.size()) return i;
    }
    return std::string_view::npos;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool DecodeUtf8(std::string_view s, std::size_t& pos, char32_t& cp) {
    if (pos >= s.size()) return false;
    auto b = static_cast<unsigned char>(s[pos]);
    std::size_t extra;
    char32_t min;
    if (b < 0x80) {
        cp = b;
        ++pos;
        return true;
    } else if ((b & 0xE0) == 0xC0) {
        extra = 1, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3, cp = b & 0x07, min = 0x10000;
    } else {
        return false;
    }
    if (pos + extra >= s.size()) return false;  // cut short
    for (std::size_t k = 1; k <= extra; ++k) {
        auto c = static_cast<unsigned char>(s[pos + k]);
        if ((c & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    pos += extra + 1;
    return true;
}

char32_t ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHigh[byte - 0x80];
    return byte;
}

int FromUnicode(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
}

std::string ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 4);
    for (char c : cp1252) AppendUtf8(out, ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string FromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        int b = FromUnicode(NextUtf8(utf8, i));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

std::string UCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(Upper(static_cast<unsigned char>(c)));
    return out;
}

std::string LCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(Lower(static_cast<unsigned char>(c)));
    return out;
}

void AppendLCase(std::string& out, std::string_view s) {
    const std::size_t at = out.size();
    out.resize(at + s.size());
    char* to = out.data() + at;
    for (std::size_t i = 0; i < s.size(); ++i) to[i] = static_cast<char>(Lower(static_cast<unsigned char>(s[i])));
}

int StrComp(std::string_view a, std::string_view b, Compare mode) {
    const std::size_t n = std::min(a.size(), b.size());
    std::size_t i = 0;
    while (i < n) {
        // Equal bytes are equal in either mode: they are passed over eight at a time.
        for (std::uint64_t x = 0, y = 0; i + 8 <= n; i += 8) {
            std::memcpy(&x, a.data() + i, 8);
            std::memcpy(&y, b.data() + i, 8);
            if (x != y) break;
        }
        while (i < n && a[i] == b[i]) ++i;
        if (i == n) break;
        unsigned char x = Fold(static_cast<unsigned char>(a[i]), mode);
        unsigned char y = Fold(static_cast<unsigned char>(b[i]), mode);
        if (x != y) return x < y ? -1 : 1;
        ++i;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool TextLess(std::string_view a, std::string_view b) { return StrComp(a, b, Compare::Text) < 0; }

std::string Left(std::string_view s, long n) {
    if (n < 0) throw Error(errInvalidProcedureCall);
    return std::string(s.substr(0, static_cast<std::size_t>(n)));
}

std::string Right(std::string_view s, long n) {
    if (n < 0) throw Error(errInvalidProcedureCall);
    auto k = std::min(s.size(), static_cast<std::size_t>(n));
    return std::string(s.substr(s.size() - k));
}

std::string Mid(std::string_view s, long start) {
    if (start < 1) throw Error(errInvalidProcedureCall);
    auto from = static_cast<std::size_t>(start - 1);
    if (from >= s.size()) return {};
    return std::string(s.substr(from));
}

std::string Mid(std::string_view s, long start, long length) {
    if (start < 1 || length < 0) throw Error(errInvalidProcedureCall);
    auto from = static_cast<std::size_t>(start - 1);
    if (from >= s.size()) return {};
    return std::string(s.substr(from, static_cast<std::size_t>(length)));
}

std::string LTrim(std::string_view s) {
    auto i = s.find_first_not_of(' ');
    return i == std::string_view::npos ? std::string() : std::string(s.substr(i));
}

std::string RTrim(std::string_view s) {
    auto i = s.find_last_not_of(' ');
    return i == std::string_view::npos ? std::string() : std::string(s.substr(0, i + 1));
}

std::string Trim(std::string_view s) { return LTrim(RTrim(s)); }

std::string Space(long n) {
    if (n < 0) throw Error(errInvalidProcedureCall);
    return std::string(static_cast<std::size_t>(n), ' ');
}

std::string String(long n, char c) {
    if (n < 0) throw Error(errInvalidProcedureCall);
    return std::string(static_cast<std::size_t>(n), c);
}

long InStr(std::string_view s, std::string_view find, Compare mode) {
    return InStr(1, s, find, mode);
}

long InStr(long start, std::string_view s, std::string_view find, Compare mode) {
    if (start < 1) throw Error(errInvalidProcedureCall);
    auto from = static_cast<std::size_t>(start - 1);
    if (s.empty() || from > s.size()) return 0;
    if (find.empty()) return start;
    auto at = Find(s, find, from, mode);
    return at == std::string_view::npos ? 0 : static_cast<long>(at + 1);
}

long InStrRev(std::string_view s, std::string_view find, Compare mode) {
    if (find.empty()) return static_cast<long>(s.size());
    if (find.size() > s.size()) return 0;
    for (std::size_t i = s.size() - find.size() + 1; i-- > 0;) {
        if (StrComp(s.substr(i, find.size()), find, mode) == 0) return static_cast<long>(i + 1);
    }
    return 0;
}

std::string Replace(std::string_view s, std::string_view find, std::string_view with,
                    Compare mode) {
    if (find.empty()) return std::string(s);
    std::string out;
    std::size_t from = 0;
    for (;;) {
        auto at = Find(s, find, from, mode);
        if (at == std::string_view::npos) break;
        out.append(s.substr(from, at - from));
        out.append(with);
        from = at + find.size();
    }
    out.append(s.substr(from));
    return out;
}

std::string Chr(int code) {
    if (code < 0 || code > 255) throw Error(errInvalidProcedureCall);
    return std::string(1, static_cast<char>(code));
}

int Asc(std::string_view s) {
    if (s.empty()) throw Error(errInvalidProcedureCall);
    return static_cast<unsigned char>(s[0]);
}

std::string FixedField(std::string_view s, std::size_t width) {
    std::string out(s.substr(0, std::min(s.size(), width)));
    out.resize(width, ' ');
    return out;
}

}  // namespace vb
