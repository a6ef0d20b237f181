#pragma once
// Finding stored ingredients by words of their names, without regard to letter case.
#include <string>
#include <string_view>
#include <vector>

namespace recipe {

// The words of a search text: separated by blanks (a run of blanks is one separator); commas are
// no separators. Empty for a text of blanks.
std::vector<std::string> SearchWords(std::string_view text);

// The positions of the names that contain all of the words (in name order), or any of them
// (grouped by the first word that matched, each group in name order). A name that equals an
// earlier result (both trimmed) is left out.
std::vector<int> MatchNames(const std::vector<std::string>& names, const std::vector<std::string>& words, bool any);

}  // namespace recipe
