#include "platform/files/locations.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "platform/core/text.h"

namespace files {

namespace fs = std::filesystem;

namespace {

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

fs::path HomeDirectory() {
    std::string home = Env("HOME");
    if (!home.empty()) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    std::error_code ec;
    fs::path temp = fs::temp_directory_path(ec);
    return ec ? fs::path("/tmp") : temp;
}

}  // namespace

fs::path ConfigDirectory() {
    std::string xdg = Env("XDG_CONFIG_HOME");
    // Relative values are invalid by the XDG rules and are ignored.
    if (!xdg.empty() && xdg.front() == '/') return xdg;
    return HomeDirectory() / ".config";
}

fs::path WindowsDirectory() {
    std::string windir = Env("WINDIR");
    if (!windir.empty()) return windir;
    return ConfigDirectory();
}

fs::path ProgramDirectory() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return CurrentDirectory();
    return exe.parent_path();
}

fs::path CurrentDirectory() {
    std::error_code ec;
    fs::path p = fs::current_path(ec);
    return ec ? fs::path(".") : p;
}

bool IsBareName(std::string_view name) {
    return name.find('/') == std::string_view::npos;
}

fs::path FindCaseInsensitive(const fs::path& folder, std::string_view name) {
    fs::path exact = folder / std::string(name);
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    const std::string wanted = vb::UCase(name);
    std::string best;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string candidate = it->path().filename().string();
        // Several spellings may exist; take the first in byte order so the choice is stable.
        if (vb::UCase(candidate) == wanted && (best.empty() || candidate < best)) best = candidate;
    }
    return best.empty() ? exact : folder / best;
}

fs::path ResolveIni(std::string_view name) {
    if (!IsBareName(name)) return fs::path(std::string(name));
    return FindCaseInsensitive(WindowsDirectory(), name);
}

fs::path LocalPath(std::string_view path) {
    std::string p(path);
    for (char& c : p)
        if (c == '\\') c = '/';
    return fs::path(p);
}

}  // namespace files
