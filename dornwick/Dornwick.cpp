#include "dornwick/Dornwick.h"

#include <cstdint>
#include <iostream>
#include <vector>

#include "platform/files/locations.h"
#include "platform/files/profile.h"
#include "platform/files/regapi.h"

namespace dornwick {

namespace {

ProfileWriter& Writer() {
    static ProfileWriter writer;
    return writer;
}

bool WriteProfile(std::string_view section, std::string_view key, const std::optional<std::string>& value,
                  std::string_view fileName) {
    if (Writer()) return Writer()(section, key, value, fileName);
    return files::WritePrivateProfileString(section, key, value, fileName);
}

// An error's description and where it happened, for one line on standard error.
std::string Reason(const std::optional<vb::Error>& err, const char* otherwise) {
    if (!err) return otherwise;
    std::string reason = err->description;
    if (!err->source.empty()) reason += " (" + err->source + ")";
    return reason;
}

// Closes the key whichever way GetKeyValue ends.
struct KeyCloser {
    files::HKEY key = 0;
    ~KeyCloser() {
        if (key) files::RegCloseKey(key);
    }
};

}  // namespace

void SetProfileWriter(ProfileWriter writer) { Writer() = std::move(writer); }

bool GetKeyValue(files::HKEY& root, const std::string& keyName, const std::string& valueName,
                 std::optional<std::string>& result) {
    KeyCloser handle;
    // Read access only: asking for write rights fails for users who may not write the machine's keys.
    if (files::RegOpenKeyEx(root, keyName, 0, files::KEY_READ, &handle.key) != files::ERROR_SUCCESS) {
        result = "";
        return false;
    }
    std::vector<std::uint8_t> buffer(1024, 0);
    files::DWORD byteCount = 1024;
    files::DWORD type = 0;
    if (files::RegQueryValueEx(handle.key, valueName, &type, buffer.data(), &byteCount) != files::ERROR_SUCCESS) {
        result = "";
        return false;
    }
    std::string data(buffer.begin(), buffer.begin() + byteCount);
    std::string text = data.substr(0, data.find('\0'));
    switch (type) {
    case files::REG_SZ:
        result = text;
        break;
    case files::REG_EXPAND_SZ:
        result = files::ExpandRegistryString(text);
        break;
    case files::REG_DWORD: {
        // From the four bytes themselves; a dword is unsigned.
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4 && i < data.size(); ++i)
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
        result = std::to_string(value);
        break;
    }
    default:
        break;
    }
    return true;
}

bool SaveWordPath(std::optional<std::string> path) {
    return WriteIniValue("WinWord", "Path", path, "TARVOLIN.INI");
}

bool WriteIniValue(const std::string& section, const std::string& key, const std::optional<std::string>& value,
                   const std::string& fileName) {
    int attempt = 1;
    for (;;) {
        bool written = WriteProfile(section, key, value, fileName);
        ++attempt;
        if (written) return true;
        if (attempt >= 10) return false;
    }
}

int Main() {
    std::optional<std::string> path;
    files::HKEY root = files::HKEY_LOCAL_MACHINE;
    GetKeyValue(root, "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\APP PATHS\\WINWORD.EXE", "PATH", path);
    // A registry that cannot be read says nothing about the word processor: the stored path stays.
    if (auto err = files::RegistryFileError(root)) {
        std::cerr << kProductName << ": could not read the registry in " << files::RegistryFile(root).string()
                  << ": " << Reason(*err, "the file could not be read") << '\n';
        return 1;
    }
    if (SaveWordPath(path)) return 0;

    std::cerr << kProductName << ": could not record the word processor's path in "
              << files::ResolveIni("TARVOLIN.INI").string() << ": "
              << Reason(files::ProfileError(), "the file could not be written") << '\n';
    return 1;
}

}  // namespace dornwick
