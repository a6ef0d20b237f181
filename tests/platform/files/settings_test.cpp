#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files/locations.h"
#include "platform/files/settings.h"
#include "sandbox_env.h"

namespace {

namespace fs = std::filesystem;
using testenv::Sandbox;

TEST(Settings, ValuesComeBackExactlyAsSaved) {
    Sandbox box;
    const char* values[] = {"1", "", "  padded  ", "\"quoted\"", "'single'", "smtp.example.org:25", "caf\xE9"};
    for (const char* v : values) {
        files::SaveSetting("recipe", "Options", "Mail Server", v);
        EXPECT_EQ(files::GetSetting("recipe", "Options", "Mail Server", "default"), v) << v;
    }
    EXPECT_EQ(files::GetSetting("recipe", "Options", "From Email", "none"), "none");
    EXPECT_EQ(files::GetSetting("recipe", "options", "MAIL SERVER"), "caf\xE9");
}

TEST(Settings, OneFilePerApplicationUnderTheConfigDirectory) {
    Sandbox box;
    files::SaveSetting("Vantorel 5.0", "Settings", "MainLeft", "120");
    fs::path file = box.config / "Vantorel 5.0" / "settings.ini";
    EXPECT_EQ(files::SettingsFile("Vantorel 5.0"), file);
    EXPECT_EQ(Sandbox::Read(file), "[Settings]\r\nMainLeft=120\r\n");
    EXPECT_EQ(files::GetSetting("recipe", "Settings", "MainLeft", "-"), "-");
}

TEST(Settings, DeleteRemovesAKeyOrASection) {
    Sandbox box;
    files::SaveSetting("app", "S", "a", "1");
    files::SaveSetting("app", "S", "b", "2");
    files::SaveSetting("app", "T", "c", "3");
    files::DeleteSetting("app", "S", "a");
    EXPECT_EQ(files::GetSetting("app", "S", "a", "gone"), "gone");
    EXPECT_EQ(files::GetSetting("app", "S", "b"), "2");
    files::DeleteSetting("app", "T");
    EXPECT_EQ(files::GetSetting("app", "T", "c", "gone"), "gone");
    EXPECT_NO_THROW(files::DeleteSetting("nothing", "S"));
}

TEST(Settings, UnstorableTextIsAnError) {
    Sandbox box;
    EXPECT_THROW(files::SaveSetting("app", "S", "k", "two\r\nlines"), vb::Error);
    EXPECT_THROW(files::SaveSetting("", "S", "k", "v"), vb::Error);
}

TEST(Locations, WindowsDirectoryFallsBackToTheConfigDirectory) {
    Sandbox box;
    struct Row {
        const char* name;
        std::optional<std::string> windir, xdg;
        fs::path expected;
    };
    const Row rows[] = {
        {"WINDIR wins", "/w", "/x", "/w"},
        {"then XDG_CONFIG_HOME", std::nullopt, "/x", "/x"},
        {"empty WINDIR counts as unset", "", "/x", "/x"},
        {"then ~/.config", std::nullopt, std::nullopt, box.root / "home" / ".config"},
        {"a relative XDG_CONFIG_HOME is ignored", std::nullopt, "rel", box.root / "home" / ".config"},
    };
    for (const auto& row : rows) {
        box.Set("WINDIR", row.windir);
        box.Set("XDG_CONFIG_HOME", row.xdg);
        EXPECT_EQ(files::WindowsDirectory(), row.expected) << row.name;
    }
}

}  // namespace
