#include "platform/testing/temp_env.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace drive {

namespace fs = std::filesystem;

TempEnvironment::TempEnvironment() {
    std::string pattern = (fs::temp_directory_path() / "vt-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern;
    cwd_ = root_ / "cwd";
    windows_ = root_ / "windows";
    config_ = root_ / "config";
    home_ = root_ / "home";
    wine_ = root_ / "wine";
    for (const auto& d : {cwd_, windows_, config_, home_, wine_}) fs::create_directories(d);
    previous_ = fs::current_path();
    fs::current_path(cwd_);
    SetVariable("WINDIR", windows_.string());
    SetVariable("XDG_CONFIG_HOME", config_.string());
    SetVariable("HOME", home_.string());
    SetVariable("WINEPREFIX", wine_.string());
    SetVariable("REGISTRY_FILE", std::nullopt);
}

TempEnvironment::~TempEnvironment() {
    std::error_code ec;
    fs::current_path(previous_, ec);
    for (const auto& [name, value] : saved_) {
        if (value) setenv(name.c_str(), value->c_str(), 1);
        else unsetenv(name.c_str());
    }
    fs::remove_all(root_, ec);
}

void TempEnvironment::SetVariable(const std::string& name, const std::optional<std::string>& value) {
    if (!saved_.count(name)) {
        const char* old = std::getenv(name.c_str());
        saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value) setenv(name.c_str(), value->c_str(), 1);
    else unsetenv(name.c_str());
}

void TempEnvironment::WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string TempEnvironment::ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace drive
