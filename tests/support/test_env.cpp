// Every test program knows where the sources and the build live, also when run by hand, and runs
// in a world of its own: nothing of the machine's desktop, printers, home, settings, Wine prefix,
// locale or time zone reaches a test, whatever the user's session has set.
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

void Set(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }

struct TestEnvironment {
    fs::path root;

    TestEnvironment() {
        setenv("VT_SOURCE_DIR", VT_SOURCE_DIR, 0);
        setenv("VT_BUILD_DIR", VT_BUILD_DIR, 0);

        std::string pattern = (fs::temp_directory_path() / "vt-suite-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        root = pattern;
        for (const char* d : {"home", "config", "data", "cache", "state", "runtime", "windows", "wine"})
            fs::create_directories(root / d);
        chmod((root / "runtime").c_str(), 0700);

        // A home and folders of its own; tests that need their own again make a TempEnvironment.
        Set("HOME", (root / "home").string());
        Set("XDG_CONFIG_HOME", (root / "config").string());
        Set("XDG_DATA_HOME", (root / "data").string());
        Set("XDG_CACHE_HOME", (root / "cache").string());
        Set("XDG_STATE_HOME", (root / "state").string());
        Set("XDG_RUNTIME_DIR", (root / "runtime").string());
        Set("XDG_CONFIG_DIRS", "/etc/xdg");
        Set("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
        Set("WINDIR", (root / "windows").string());
        Set("WINEPREFIX", (root / "wine").string());
        unsetenv("REGISTRY_FILE");

        // No printer: the print system is a server that is not there, so only the PDF files a
        // test asks for are ever written, and no job reaches the machine's queues.
        Set("CUPS_SERVER", (root / "no-cups.sock").string());
        unsetenv("PRINTER");
        unsetenv("LPDEST");

        // No display, no session bus (a notification area or portal of the user's session),
        // no desktop theme or scaling: the offscreen platform only.
        Set("QT_QPA_PLATFORM", "offscreen");
        for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE",
                              "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "QT_ENABLE_HIGHDPI_SCALING",
                              "QT_AUTO_SCREEN_SCALE_FACTOR", "XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE",
                              "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
            unsetenv(v);
        Set("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + (root / "no-bus").string());

        // One language and one clock for every machine.
        Set("LC_ALL", "C.UTF-8");
        Set("LANG", "C.UTF-8");
        unsetenv("LANGUAGE");
        Set("TZ", "UTC");
    }

    ~TestEnvironment() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
} const environment;

}  // namespace
