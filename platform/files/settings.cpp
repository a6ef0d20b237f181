#include "platform/files/settings.h"

#include "platform/core/error.h"
#include "platform/files/locations.h"
#include "platform/files/profile.h"

namespace files {

namespace fs = std::filesystem;

namespace {

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
        return ReadIniValue(SettingsFile(app), section, key).value_or(std::string(defaultValue));
    } catch (const vb::Error&) {
        return std::string(defaultValue);  // an unreadable store reads like an empty one
    }
}

// A file that is there but cannot be read is never written over: its read error is raised.
void SaveSetting(std::string_view app, std::string_view section, std::string_view key, std::string_view value) {
    if (app.empty()) throw vb::Error(vb::errInvalidProcedureCall);
    auto error = EditIniFile(SettingsFile(app), true, [&](IniDocument& doc) {
        if (!doc.Set(section, key, Quoted(value))) throw vb::Error(vb::errInvalidProcedureCall);
        return true;
    });
    if (error) throw *error;
}

void DeleteSetting(std::string_view app, std::string_view section, std::optional<std::string_view> key) {
    if (app.empty()) throw vb::Error(vb::errInvalidProcedureCall);
    auto error = EditIniFile(SettingsFile(app), false, [&](IniDocument& doc) {
        if (key) {
            doc.Set(section, *key, std::nullopt);
        } else {
            doc.DeleteSection(section);
        }
        return true;
    });
    if (error) throw *error;
}

}  // namespace files
