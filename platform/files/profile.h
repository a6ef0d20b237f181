#pragma once
// INI files with the Windows profile functions' rules: case-insensitive section and key names,
// blanks around names and values ignored on reading, other content kept byte for byte on writing,
// CR LF line ends, Windows-1252 bytes.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/error.h"

namespace files {

// The text of one INI file, edited in place.
class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::string bytes) : bytes_(std::move(bytes)) {}

    // The value as written after '=' with the blanks around it removed and one pair of matching
    // quotes taken off; nullopt when the section or key is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // Sets the key (adding the section at the end when it is missing, or the key after the
    // section's last entry), or removes it when the value is nullopt (the section stays). False
    // when a name or the value cannot be stored in an INI line (line breaks, '=' in a key, ']' in
    // a section name, an empty name).
    bool Set(std::string_view section, std::string_view key, const std::optional<std::string>& value);
    // Removes the section's header and every line up to the next section.
    void DeleteSection(std::string_view section);

    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(std::string_view section) const;

    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// Reads a key of a bare INI name from the Windows directory (or of a path as given) into a buffer
// of `bufferLength` characters: at most bufferLength - 1 characters come back, the text before the
// terminating NUL. A missing file, section or key gives the default (its trailing blanks removed).
std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    std::size_t bufferLength, std::string_view fileName);

// Writes a key; a nullopt value removes the key and keeps the section (and writes nothing when the
// section is not there). The file is rewritten through a temporary file and a rename, without a
// backup; a bare name's Windows directory is created when missing. True when the file holds the
// value afterwards; on false, ProfileError() says why.
bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               const std::optional<std::string>& value, std::string_view fileName);
// The whole section goes (the profile functions' null key).
bool DeletePrivateProfileSection(std::string_view section, std::string_view fileName);

// Why the last failed write on this thread failed.
std::optional<vb::Error> ProfileError();

}  // namespace files
