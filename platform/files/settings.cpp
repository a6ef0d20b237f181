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

std::optional<IniDocument> Load(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(file, ec)) return IniDocument();
    try {
        return IniDocument(ReadAllBytes(file));
    } catch (const vb::Error&) {
        return std::nullopt;
    }
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
    auto doc = Load(SettingsFile(app));
    if (!doc) return std::string(defaultValue);
    return doc->Get(section, key).value_or(std::string(defaultValue));
}

void SaveSetting(std::string_view app, std::string_view section, std::string_view key, std::string_view value) {
    if (app.empty()) throw vb::Error(vb::errInvalidProcedureCall);
    fs::path file = SettingsFile(app);
    auto doc = Load(file);
    if (!doc) ReadAllBytes(file);  // raises the read error
    if (!doc->Set(section, key, Quoted(value))) throw vb::Error(vb::errInvalidProcedureCall);
    Store(file, *doc);
}

void DeleteSetting(std::string_view app, std::string_view section, std::optional<std::string_view> key) {
    if (app.empty()) throw vb::Error(vb::errInvalidProcedureCall);
    fs::path file = SettingsFile(app);
    std::error_code ec;
    if (!fs::exists(file, ec)) return;
    auto doc = Load(file);
    if (!doc) ReadAllBytes(file);
    std::string before = doc->bytes();
    if (key) {
        doc->Set(section, *key, std::nullopt);
    } else {
        doc->DeleteSection(section);
    }
    if (doc->bytes() != before) Store(file, *doc);
}

}  // namespace files
