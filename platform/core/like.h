#pragma once
// The runtime's Like operator: '*', '?', '#', "[list]", "[!list]" with ranges.
#include <string_view>

#include "platform/core/text.h"

namespace vb {

// An invalid pattern (an unclosed '[') raises error 93 ("Invalid pattern string").
bool Like(std::string_view text, std::string_view pattern, Compare mode = Compare::Binary);

}  // namespace vb
