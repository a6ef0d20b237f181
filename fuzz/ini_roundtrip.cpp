// An INI write must read back as written and leave every other value as it was. The input is
// "section NUL key NUL value NUL file": the key is set to the value in the file's text; without a
// third NUL the key is removed instead.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/text.h"
#include "platform/files/profile.h"

namespace {

// The next field up to a NUL, or nullopt when no NUL is left.
std::optional<std::string> Field(std::string_view& rest) {
    std::size_t nul = rest.find('\0');
    if (nul == std::string_view::npos) return std::nullopt;
    std::string field(rest.substr(0, nul));
    rest.remove_prefix(nul + 1);
    return field;
}

// Names as the profile matches them: blanks around them dropped, letter case ignored.
bool SameName(std::string_view a, std::string_view b) {
    auto trim = [](std::string_view s) {
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
        return s;
    };
    a = trim(a), b = trim(b);
    return a.size() == b.size() && vb::StrComp(a, b, vb::Compare::Text) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const auto section = Field(rest);
    const auto key = Field(rest);
    if (!section || !key) return 0;
    const auto value = Field(rest);  // nullopt: remove the key
    const std::string text(rest);

    files::IniDocument doc(text);
    // Every other value as it reads before the write.
    std::vector<std::pair<std::pair<std::string, std::string>, std::optional<std::string>>> others;
    for (const auto& s : doc.Sections())
        for (const auto& k : doc.Keys(s)) others.push_back({{s, k}, doc.Get(s, k)});

    if (!doc.Set(*section, *key, value)) {
        if (doc.bytes() != text) std::abort();  // a refused write changes nothing
        return 0;
    }
    // What the value reads as in a file of its own (blanks around it and one pair of quotes go).
    std::optional<std::string> expected;
    if (value) {
        files::IniDocument alone;
        if (!alone.Set(*section, *key, value)) std::abort();
        expected = alone.Get(*section, *key);
    }
    if (doc.Get(*section, *key) != expected) std::abort();
    for (const auto& [name, before] : others)
        if (!(SameName(name.first, *section) && SameName(name.second, *key)) && doc.Get(name.first, name.second) != before)
            std::abort();
    return 0;
}
