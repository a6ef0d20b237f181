#pragma once
// A private current directory and config directory per test, and byte helpers for store files.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>

namespace recipetest {

class Sandbox {
public:
    Sandbox() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vt-recipe-XXXXXX").string();
        root = mkdtemp(pattern.data());
        cwd = root / "cwd";
        config = root / "config";
        std::filesystem::create_directories(cwd);
        std::filesystem::create_directories(config);
        previousCwd = std::filesystem::current_path();
        std::filesystem::current_path(cwd);
        Set("XDG_CONFIG_HOME", config.string());
        Set("WINDIR", (root / "windows").string());
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
        std::filesystem::permissions(cwd, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(root, ec);
    }

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

    std::filesystem::path root, cwd, config;

private:
    std::filesystem::path previousCwd;
    std::map<std::string, std::optional<std::string>> saved;
};

}  // namespace recipetest
