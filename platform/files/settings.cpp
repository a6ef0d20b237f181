#include "platform/files/settings.h"

#include <system_error>

#include "platform/core/error.h"
#include "platform/files/fileio.h"
#include "platform/files/locations.h"
#include "platform/files/profile.h"
#include "platform/files/safesave.h"

namespace files {

namespace fs = std::filesystem;

namespace {

// The stored text; empty when nothing is stored. Raises the read error of a file that is there
// but cannot be read, so it is never written over.
IniDocument Load(const fs::path& file) {
    auto ini = ReadIniFile(file);
    return IniDocument(ini ? ini->Text() : std::string());
}

void Store(const fs::path& file, const IniDocument& doc) {
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    SafeSaveOrThrow(file, doc.bytes(), false);
}

// Reading trims blanks and takes off one pair of quotes, so such values are stored quoted.
std::string Quoted(std::string_view value) {
    bool edges = !value.empty() && (value.front() == ' ' || value.front() == '\t' || value.back() == ' ' ||
                                    value.back() == '\t' || value.front() == '"' || value.front() == '\'');
    return edges ? "\"" + std::string(value) + "\"" : std::string(value);
}

}  // namespace

fs::path SettingsFile(std::string_view app) {
    std::string name(app);
    for (char& c : name)
        if (c == '/') c = '_';
    return ConfigDirectory() / name / "settings.ini";
}

std::string GetSetting(std::string_view app, std::string_view section, std::string_view key,
                       std::string_view defaultValue) {
    if (app.empty()) return std::string(defaultValue);
    try {
        if (auto ini = ReadIniFile(SettingsFile(app)))
            return ini->Get(section, key).value_or(std::string(defaultValue));
    } catch (const vb::Error&) {
        // an unreadable store reads like an empty one
    }
    return std::string(defaultValue);
}

void SaveSetting(std::string_view app, std::string_view section, std::string_view key, std::string_view value) {
    if (app.empty()) throw vb::Error(vb::errInvalidProcedureCall);
    fs::path file = SettingsFile(app);
    IniDocument doc = Load(file);
    if (!doc.Set(section, key, Quoted(value))) throw vb::Error(vb::errInvalidProcedureCall);
    Store(file, doc);
}

void DeleteSetting(std::string_view app, std::string_view section, std::optional<std::string_view> key) {
    if (app.empty()) throw vb::Error(vb::errInvalidProcedureCall);
    fs::path file = SettingsFile(app);
    if (IsMissing(file)) return;
    IniDocument doc = Load(file);
    const std::string before = doc.bytes();
    if (key) {
        doc.Set(section, *key, std::nullopt);
    } else {
        doc.DeleteSection(section);
    }
    if (doc.bytes() != before) Store(file, doc);
}

}  // namespace files
