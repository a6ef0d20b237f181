#pragma once
// One temporary current directory, Windows directory and config directory per test, and a fixed
// "today".
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/core/clock.h"
#include "platform/core/date.h"
#include "platform/files/fileio.h"
#include "platform/files/profile.h"

namespace caltest {

namespace fs = std::filesystem;

class Sandbox : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> serial{0};
        root = fs::temp_directory_path() /
               ("calories_test_" + std::to_string(::getpid()) + "_" + std::to_string(serial++));
        fs::remove_all(root);
        fs::create_directories(root / "data");
        fs::create_directories(root / "windows");
        fs::create_directories(root / "config");
        oldCwd = fs::current_path();
        fs::current_path(root / "data");
        ::setenv("WINDIR", (root / "windows").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
        SetToday(2026, 3, 9);  // a Monday
    }
    void TearDown() override {
        vb::ResetClock();
        fs::current_path(oldCwd);
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    static void SetToday(int y, int m, int d) {
        const vb::Date t = vb::DateSerial(y, m, d);
        vb::SetClock([t] { return vb::Date{t.serial + 0.5}; });
    }

    fs::path Data(const std::string& name) const { return root / "data" / name; }
    fs::path Ini() const { return root / "windows" / "calories.INI"; }

    static void WriteBytes(const fs::path& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
    }
    static std::string Bytes(const fs::path& p) { return fs::exists(p) ? files::ReadAllBytes(p) : std::string(); }

    static std::string IniGet(const std::string& section, const std::string& key) {
        return files::GetPrivateProfileString(section, key, "", 4096, "calories.INI");
    }
    static void IniSet(const std::string& section, const std::string& key, const std::string& value) {
        files::WritePrivateProfileString(section, key, value, "calories.INI");
    }

    fs::path root;
    fs::path oldCwd;
};

}  // namespace caltest
