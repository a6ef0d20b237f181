#pragma once
// A private current directory, Windows directory, config directory and Wine prefix per test.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>

namespace testenv {

class Sandbox {
public:
    Sandbox() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vt-files-XXXXXX").string();
        root = mkdtemp(pattern.data());
        windows = root / "windows";
        config = root / "config";
        wine = root / "wine";
        cwd = root / "cwd";
        for (const auto& d : {windows, config, wine, cwd, root / "home"}) std::filesystem::create_directories(d);
        previousCwd = std::filesystem::current_path();
        std::filesystem::current_path(cwd);
        Set("WINDIR", windows.string());
        Set("XDG_CONFIG_HOME", config.string());
        Set("WINEPREFIX", wine.string());
        Set("HOME", (root / "home").string());
        Set("REGISTRY_FILE", std::nullopt);
    }
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;
    ~Sandbox() {
        std::filesystem::current_path(previousCwd);
        for (const auto& [name, value] : saved) {
            if (value) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }

    // Sets (or with nullopt unsets) a variable for this test only.
    void Set(const std::string& name, const std::optional<std::string>& value) {
        if (!saved.count(name)) {
            const char* old = std::getenv(name.c_str());
            saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value) setenv(name.c_str(), value->c_str(), 1);
        else unsetenv(name.c_str());
    }

    static void Write(const std::filesystem::path& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    static std::string Read(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::filesystem::path root, windows, config, wine, cwd;

private:
    std::filesystem::path previousCwd;
    std::map<std::string, std::optional<std::string>> saved;
};

}  // namespace testenv
