// Format for dates: the runtime's date and time patterns with English names.
#include <vector>

#include "platform/core/date_parts.h"
#include "platform/core/format.h"
#include "platform/core/text.h"

namespace vb {

namespace {

struct Token {
    char kind;      // 'd' 'm' 'y' 'q' 'w' 'h' 'n' 's' 'a' (AM/PM) 'c' (general) 't' (time), 0 literal
    int count = 0;  // letters in the run
    std::string text;  // literal text, or the AM/PM pattern as written
};

std::size_t Run(std::string_view s, std::size_t i) {
    std::size_t j = i;
    while (j < s.size() && (s[j] | 0x20) == (s[i] | 0x20)) ++j;
    return j - i;
}

std::vector<Token> Tokenize(std::string_view s) {
    std::vector<Token> out;
    auto literal = [&](std::string_view text) {
        if (!out.empty() && out.back().kind == 0)
            out.back().text += text;
        else
            out.push_back({0, 0, std::string(text)});
    };
    for (std::size_t i = 0; i < s.size();) {
        char c = s[i];
        char lower = static_cast<char>(c | 0x20);
        if (c == '"') {
            auto end = s.find('"', i + 1);
            if (end == std::string_view::npos) end = s.size();
            literal(s.substr(i + 1, end - i - 1));
            i = end + 1;
        } else if (c == '\\') {
            if (i + 1 < s.size()) literal(s.substr(i + 1, 1));
            i += 2;
        } else if (lower == 'a' && (StrComp(s.substr(i, 5), "am/pm", Compare::Text) == 0)) {
            out.push_back({'a', 5, std::string(s.substr(i, 5))});
            i += 5;
        } else if (lower == 'a' && StrComp(s.substr(i, 3), "a/p", Compare::Text) == 0) {
            out.push_back({'a', 3, std::string(s.substr(i, 3))});
            i += 3;
        } else if (lower == 'a' && StrComp(s.substr(i, 4), "ampm", Compare::Text) == 0) {
            out.push_back({'a', 4, "AM/PM"});
            i += 4;
        } else if (std::string_view("dmyqwhnsct").find(lower) != std::string_view::npos &&
                   c != ' ') {
            std::size_t n = Run(s, i);
            if (lower == 't' && n < 5) {
                literal(s.substr(i, n));
            } else {
                out.push_back({lower, static_cast<int>(n), {}});
            }
            i += n;
        } else {
            literal(s.substr(i, 1));
            ++i;
        }
    }
    return out;
}

// Is the m-run at `k` a minute: right after an hour, or right before a second (literals between).
bool IsMinute(const std::vector<Token>& t, std::size_t k) {
    if (t[k].count > 2) return false;
    for (std::size_t j = k; j-- > 0;) {
        if (t[j].kind == 0) continue;
        if (t[j].kind == 'h') return true;
        break;
    }
    for (std::size_t j = k + 1; j < t.size(); ++j) {
        if (t[j].kind == 0) continue;
        return t[j].kind == 's';
    }
    return false;
}

std::string Two(long v) { return (v < 10 ? "0" : "") + std::to_string(v); }

}  // namespace

std::string Format(Date value, std::string_view pattern) {
    if (pattern.empty()) return DateText(value);
    auto parts = detail::Split(value);
    auto civil = detail::CivilFromDay(parts.day);
    long hour = parts.seconds / 3600, minute = parts.seconds / 60 % 60, second = parts.seconds % 60;
    auto tokens = Tokenize(pattern);
    bool twelve = false;
    for (const auto& t : tokens) twelve = twelve || t.kind == 'a';

    std::string out;
    for (std::size_t k = 0; k < tokens.size(); ++k) {
        const Token& t = tokens[k];
        switch (t.kind) {
        case 0: out += t.text; break;
        case 'd':
            if (t.count == 1) out += std::to_string(civil.day);
            else if (t.count == 2) out += Two(civil.day);
            else if (t.count == 3) out += WeekdayName(Weekday(value), true);
            else if (t.count == 4) out += WeekdayName(Weekday(value));
            else if (t.count == 5) out += Format(value, "m/d/yyyy");
            else out += Format(value, "dddd, mmmm d, yyyy");
            break;
        case 'm':
            if (IsMinute(tokens, k)) out += t.count == 1 ? std::to_string(minute) : Two(minute);
            else if (t.count == 1) out += std::to_string(civil.month);
            else if (t.count == 2) out += Two(civil.month);
            else if (t.count == 3) out += MonthName(civil.month, true);
            else out += MonthName(civil.month);
            break;
        case 'y':
            if (t.count == 1)
                out += std::to_string(parts.day - detail::DayFromCivil(civil.year, 1, 1) + 1);
            else if (t.count < 4) out += Two(civil.year % 100);
            else out += std::to_string(civil.year);
            break;
        case 'q': out += std::to_string((civil.month - 1) / 3 + 1); break;
        case 'w':
            if (t.count == 1) {
                out += std::to_string(Weekday(value));
            } else {
                long jan1 = detail::DayFromCivil(civil.year, 1, 1);
                int first = Weekday(Date{static_cast<double>(jan1)});
                out += std::to_string((parts.day - jan1 + first - 1) / 7 + 1);
            }
            break;
        case 'h': {
            long h = twelve ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
            out += t.count == 1 ? std::to_string(h) : Two(h);
            break;
        }
        case 'n': out += t.count == 1 ? std::to_string(minute) : Two(minute); break;
        case 's': out += t.count == 1 ? std::to_string(second) : Two(second); break;
        case 'a': {
            // The pattern's own letters: "AM/PM" -> "PM", "am/pm" -> "pm", "A/P" -> "P".
            bool pm = hour >= 12;
            if (t.count == 3) {
                out += t.text[pm ? 2 : 0];
            } else {
                std::string_view half = std::string_view(t.text).substr(pm ? 3 : 0, 2);
                out += half;
            }
            break;
        }
        case 'c': out += DateText(value); break;
        case 't': out += Format(value, "h:mm:ss AM/PM"); break;
        default: break;
        }
    }
    return out;
}

}  // namespace vb
