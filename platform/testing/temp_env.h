#pragma once
// A private current directory, Windows directory, config directory, home and Wine prefix for one
// test: sets $WINDIR, $XDG_CONFIG_HOME, $HOME and $WINEPREFIX, unsets $REGISTRY_FILE, changes into
// a fresh temporary folder, and restores all of it on destruction.
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace drive {

class TempEnvironment {
public:
    TempEnvironment();
    ~TempEnvironment();
    TempEnvironment(const TempEnvironment&) = delete;
    TempEnvironment& operator=(const TempEnvironment&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    const std::filesystem::path& CurrentDir() const { return cwd_; }
    const std::filesystem::path& WindowsDir() const { return windows_; }
    const std::filesystem::path& ConfigDir() const { return config_; }
    const std::filesystem::path& HomeDir() const { return home_; }
    const std::filesystem::path& WinePrefix() const { return wine_; }

    // Sets (or with nullopt unsets) a variable until the end of the test.
    void SetVariable(const std::string& name, const std::optional<std::string>& value);
    // Whole-file helpers (bytes as they are).
    static void WriteFile(const std::filesystem::path& path, const std::string& bytes);
    static std::string ReadFile(const std::filesystem::path& path);

private:
    std::filesystem::path root_, cwd_, windows_, config_, home_, wine_, previous_;
    std::map<std::string, std::optional<std::string>> saved_;
};

}  // namespace drive
