#include "recipe/ingredients/ingsearch.h"

#include <unordered_set>

#include "platform/core/text.h"

namespace recipe {

std::vector<std::string> SearchWords(std::string_view text) {
    std::vector<std::string> words;
    std::string s = vb::Trim(text);
    while (!s.empty()) {
        const std::size_t blank = s.find(' ');
        if (blank == std::string::npos) {
            words.push_back(s);
            break;
        }
        words.push_back(vb::Trim(std::string_view(s).substr(0, blank)));
        s = vb::Trim(std::string_view(s).substr(blank));
    }
    return words;
}

std::vector<int> MatchNames(const std::vector<std::string>& names, const std::vector<std::string>& words, bool any) {
    std::vector<std::string> lowered;
    lowered.reserve(names.size());
    for (const auto& n : names) lowered.push_back(vb::LCase(n));
    std::vector<std::string> lowWords;
    for (const auto& w : words) lowWords.push_back(vb::LCase(w));

    std::vector<int> out;
    std::unordered_set<std::string> listed;  // trimmed results, so that equal names show once
    auto add = [&](std::size_t i) {
        if (listed.insert(vb::Trim(names[i])).second) out.push_back(static_cast<int>(i));
    };
    auto contains = [&](std::size_t i, const std::string& word) { return lowered[i].find(word) != std::string::npos; };

    if (lowWords.empty()) return out;
    if (any) {
        for (const auto& w : lowWords)
            for (std::size_t i = 0; i < names.size(); ++i)
                if (contains(i, w)) add(i);
    } else {
        for (std::size_t i = 0; i < names.size(); ++i) {
            bool all = true;
            for (const auto& w : lowWords) all = all && contains(i, w);
            if (all) add(i);
        }
    }
    return out;
}

}  // namespace recipe
