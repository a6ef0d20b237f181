#pragma once
// The desktop: links and files, programs, help topics, the tray icon and sounds. The Desktop
// interface holds the toolkit's primitives; the free functions below give the programs the old
// calls' shapes and results.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace services {

// The old mouse messages a tray icon's callback receives.
constexpr int WM_MOUSEMOVE = 0x200;
constexpr int WM_LBUTTONDOWN = 0x201;
constexpr int WM_LBUTTONUP = 0x202;
constexpr int WM_LBUTTONDBLCLK = 0x203;
constexpr int WM_RBUTTONDOWN = 0x204;
constexpr int WM_RBUTTONUP = 0x205;
constexpr int WM_RBUTTONDBLCLK = 0x206;
constexpr int WM_MBUTTONDOWN = 0x207;
constexpr int WM_MBUTTONUP = 0x208;

// Help commands.
constexpr int HELP_CONTEXT = 1;
constexpr int HELP_QUIT = 2;
constexpr int HELP_INDEX = 3;
constexpr int HELP_CONTENTS = 3;
constexpr int HELP_FINDER = 11;
constexpr int HELP_PARTIALKEY = 0x105;

// ShellExecute / FindExecutable results: above 32 is success.
constexpr long SE_ERR_FNF = 2;
constexpr long SE_ERR_PNF = 3;
constexpr long SE_ERR_ACCESSDENIED = 5;
constexpr long SE_ERR_NOASSOC = 31;
constexpr long SE_OK = 42;

// Show modes.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;

struct TrayIcon {
    int id = 1;
    std::string icon;  // image file; "" = the program's icon
    std::string tip;   // shown up to its first NUL
    // Receives WM_MOUSEMOVE ... WM_RBUTTONDBLCLK for mouse actions on the icon.
    std::function<void(int message)> callback;
};

// How a toolkit reports a tray click, and the old messages that stand for it, in order.
enum class TrayActivation { Click, DoubleClick, Context, MiddleClick };
std::vector<int> TrayMessages(TrayActivation activation);
// The tip as the shell shows it: cut at the first NUL, at most 63 characters.
std::string TrayTipText(std::string_view tip);

struct HelpRequest {
    std::string helpFile;  // as the program names it ("Sorvella Help.HLP"), resolved by HelpTopic
    int command = HELP_CONTEXT;
    long data = 0;         // the context id for HELP_CONTEXT
};

// Where the help topic of a request lives. The program's help is a folder of HTML pages, one per
// context id ("<context>.html"; "index.html" for the contents, index, finder and keyword search),
// found beside the named help file as "<folder>/<file name without extension>/", else
// "<folder>/help/", else "help/" in the current directory; the first that holds the page wins
// (the first when none does). A bare help file name lies in App.Path. "" for HELP_QUIT.
std::string HelpTopic(const HelpRequest& request);

class Desktop {
public:
    virtual ~Desktop() = default;
    // Opens a web address (http:, https:, mailto:) or a file with its program. True when the
    // desktop took it.
    virtual bool Open(const std::string& target) = 0;
    // The program registered for the file's type, or nullopt.
    virtual std::optional<std::string> DefaultApplication(const std::string& file) = 0;
    // Starts a program (argv[0] by path or on PATH); its process id, or 0 when it could not start.
    virtual long Start(const std::vector<std::string>& argv) = 0;
    virtual void ShowHelp(const HelpRequest& request) = 0;
    // True when the icon, or the desktop's stand-in for a missing notification area, is in place:
    // a window hidden now can be brought back. False when nothing could be added.
    virtual bool TrayAdd(const TrayIcon& icon) = 0;
    virtual bool TrayModify(const TrayIcon& icon) = 0;
    // May be called from the icon's own callback (a menu chosen from it, a double click).
    virtual bool TrayDelete(int id) = 0;
    // Plays a WAV file; with wait, returns when it has ended. False when it could not play.
    virtual bool PlaySound(const std::string& path, bool wait) = 0;
};

bool OpenUrl(std::string_view url);
// A "mailto:" address that opens a new message to `address` with the subject and body filled in
// (either may be empty). The texts are Windows-1252; every character a mail link must not carry as
// it stands (blanks, line ends, '&', '?', '%', '#', non-ASCII letters ...) is escaped as UTF-8.
std::string MailtoUrl(std::string_view address, std::string_view subject, std::string_view body);
bool OpenFile(std::string_view path);

struct FindExecutableResult {
    long code = 0;     // > 32 success, else SE_ERR_FNF, SE_ERR_NOASSOC ...
    std::string path;  // the program, on success
};
// The program for a file: the file must exist (SE_ERR_FNF otherwise).
FindExecutableResult FindExecutable(std::string_view file, std::string_view directory = {});
// The old ShellExecute: "open" a URL, a file, or a program with parameters. > 32 on success.
long ShellExecute(std::string_view operation, std::string_view file, std::string_view parameters,
                  std::string_view directory, int showCommand = SW_SHOWNORMAL);
// The old Shell: starts a command line; its task id; error 53 when the program cannot start.
long StartProgram(std::string_view commandLine, int windowStyle = SW_SHOWNORMAL);
// Splits a command line into argv: blanks separate, double quotes group.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);
// The old WinHelp.
void ShowHelp(std::string_view helpFile, int command, long contextId = 0);
bool TrayAdd(const TrayIcon& icon);
bool TrayModify(const TrayIcon& icon);
bool TrayDelete(int id = 1);
bool PlaySound(std::string_view path, bool wait);

}  // namespace services
