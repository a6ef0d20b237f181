#include "platform/services/desktop.h"

#include <filesystem>
#include <utility>

#include "platform/core/error.h"
#include "platform/core/text.h"
#include "platform/files/locations.h"
#include "platform/forms/form.h"
#include "platform/services/host.h"

namespace services {

std::vector<int> TrayMessages(TrayActivation activation) {
    switch (activation) {
    case TrayActivation::Click: return {WM_LBUTTONDOWN, WM_LBUTTONUP};
    case TrayActivation::DoubleClick: return {WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    case TrayActivation::Context: return {WM_RBUTTONDOWN, WM_RBUTTONUP};
    case TrayActivation::MiddleClick: return {WM_MBUTTONDOWN, WM_MBUTTONUP};
    }
    return {};
}

std::string TrayTipText(std::string_view tip) {
    std::size_t nul = tip.find('\0');
    std::string_view shown = tip.substr(0, nul);
    return std::string(shown.substr(0, 63));
}

namespace {

namespace fs = std::filesystem;
using files::LocalPath;

bool IsAddress(std::string_view s) {
    for (std::string_view scheme : {"http:", "https:", "mailto:", "ftp:", "file:"})
        if (vb::StrComp(s.substr(0, scheme.size()), scheme, vb::Compare::Text) == 0) return true;
    return false;
}

bool IsExecutableFile(const fs::path& p) {
    std::error_code ec;
    auto st = fs::status(p, ec);
    if (ec || !fs::is_regular_file(st)) return false;
    return (st.permissions() & (fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec)) !=
           fs::perms::none;
}

}  // namespace

std::string HelpTopic(const HelpRequest& request) {
    if (request.command == HELP_QUIT || request.helpFile.empty()) return {};
    fs::path file = LocalPath(request.helpFile);
    if (!file.has_parent_path() && !forms::App().Path().empty()) file = fs::path(forms::App().Path()) / file;
    std::string page = request.command == HELP_CONTEXT ? std::to_string(request.data) + ".html" : "index.html";
    const fs::path candidates[] = {
        file.parent_path() / file.stem() / page,
        file.parent_path() / "help" / page,
        files::CurrentDirectory() / "help" / page,
    };
    std::error_code ec;
    for (const auto& c : candidates)
        if (fs::is_regular_file(c, ec)) return c.string();
    return candidates[0].string();
}

bool OpenUrl(std::string_view url) { return host().DesktopService().Open(std::string(url)); }

namespace {

// RFC 3986 percent-encoding of everything but the unreserved characters, from UTF-8.
std::string Escaped(std::string_view cp1252) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : vb::ToUtf8(cp1252)) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

}  // namespace

std::string MailtoUrl(std::string_view address, std::string_view subject, std::string_view body) {
    std::string url = "mailto:";
    // The address keeps its '@'; anything else that could end it or start a query is escaped.
    const std::size_t at = address.rfind('@');
    if (at == std::string_view::npos) {
        url += Escaped(address);
    } else {
        url += Escaped(address.substr(0, at)) + "@" + Escaped(address.substr(at + 1));
    }
    char joint = '?';
    for (const auto& [name, text] : {std::pair{"subject", subject}, std::pair{"body", body}}) {
        if (text.empty()) continue;
        url += joint;
        url += name;
        url += '=';
        url += Escaped(text);
        joint = '&';
    }
    return url;
}

bool OpenFile(std::string_view path) { return host().DesktopService().Open(LocalPath(path).string()); }

FindExecutableResult FindExecutable(std::string_view file, std::string_view directory) {
    fs::path p = LocalPath(file);
    if (!directory.empty() && p.is_relative()) p = LocalPath(directory) / p;
    std::error_code ec;
    if (!fs::exists(p, ec)) return {SE_ERR_FNF, {}};
    if (IsExecutableFile(p)) return {SE_OK, p.string()};
    auto program = host().DesktopService().DefaultApplication(p.string());
    if (!program) return {SE_ERR_NOASSOC, {}};
    return {SE_OK, *program};
}

long ShellExecute(std::string_view operation, std::string_view file, std::string_view parameters,
                  std::string_view directory, int showCommand) {
    Desktop& d = host().DesktopService();
    if (IsAddress(file)) return d.Open(std::string(file)) ? SE_OK : SE_ERR_NOASSOC;
    fs::path p = LocalPath(file);
    if (!directory.empty() && p.is_relative()) p = LocalPath(directory) / p;
    std::error_code ec;
    bool exists = fs::exists(p, ec);
    // A bare name without extension that is no file here is a program on PATH ("notepad").
    bool programName = !exists && !p.has_parent_path() && !p.has_extension();
    if (!parameters.empty() || IsExecutableFile(p) || programName) {
        std::vector<std::string> argv{exists ? p.string() : std::string(file)};
        for (auto& a : SplitCommandLine(parameters)) argv.push_back(a);
        return d.Start(argv) > 0 ? SE_OK : SE_ERR_FNF;
    }
    if (!exists) return SE_ERR_FNF;
    return d.Open(p.string()) ? SE_OK : SE_ERR_NOASSOC;
}

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> out;
    std::string current;
    bool quoted = false, any = false;
    for (char c : commandLine) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (any) out.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any) out.push_back(current);
    return out;
}

long StartProgram(std::string_view commandLine, int windowStyle) {
    std::vector<std::string> argv = SplitCommandLine(commandLine);
    if (argv.empty()) throw vb::Error(vb::errFileNotFound);
    argv[0] = LocalPath(argv[0]).string();
    long id = host().DesktopService().Start(argv);
    if (id <= 0) throw vb::Error(vb::errFileNotFound);
    return id;
}

void ShowHelp(std::string_view helpFile, int command, long contextId) {
    host().DesktopService().ShowHelp(HelpRequest{std::string(helpFile), command, contextId});
}

bool TrayAdd(const TrayIcon& icon) { return host().DesktopService().TrayAdd(icon); }
bool TrayModify(const TrayIcon& icon) { return host().DesktopService().TrayModify(icon); }
bool TrayDelete(int id) { return host().DesktopService().TrayDelete(id); }

bool PlaySound(std::string_view path, bool wait) {
    return host().DesktopService().PlaySound(LocalPath(path).string(), wait);
}

}  // namespace services
