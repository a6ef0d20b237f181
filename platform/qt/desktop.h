#pragma once
// The desktop on Qt: links and files (QDesktopServices), programs (QProcess), help pages in a
// help window, the tray icon (QSystemTrayIcon) and sounds (libcanberra).
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/help.h"
#include "platform/services/desktop.h"

class QSystemTrayIcon;
class QWidget;
struct ca_context;
struct ca_proplist;

namespace qtui {

class QtDesktop : public services::Desktop {
public:
    QtDesktop();
    ~QtDesktop() override;

    bool Open(const std::string& target) override;
    std::optional<std::string> DefaultApplication(const std::string& file) override;
    long Start(const std::vector<std::string>& argv) override;
    void ShowHelp(const services::HelpRequest& request) override;
    bool TrayAdd(const services::TrayIcon& icon) override;
    bool TrayModify(const services::TrayIcon& icon) override;
    bool TrayDelete(int id) override;
    bool PlaySound(const std::string& path, bool wait) override;

    // The help window (nullptr until help was asked for).
    HelpWindow* Help() const { return help_; }
    // Tells the user, each time a window goes where the tray would be, that there is none (default:
    // ShowNoTrayNotice).
    void SetNoTrayNotice(std::function<void()> notice) { noTrayNotice_ = std::move(notice); }
    // A notice of its own window that does not wait, with a button that brings the window back; it
    // closes when the window comes back.
    void ShowNoTrayNotice();
    QWidget* NoTrayNotice() const { return notice_; }

    // Without a tray, icons stand in: the last window is minimized instead of hidden, and
    // restoring it acts as a double click on the icon.
    bool StandInActive() const { return !standIns_.empty(); }
    void RestoreFromStandIn();

    // Whether the desktop has a notification area (default: Qt's answer). Offscreen has none; a
    // test that says it has one gets real icon objects, whose clicks it delivers itself.
    void SetHasTray(std::function<bool()> probe) { hasTray_ = std::move(probe); }
    // The icon of that id (nullptr when none, or when a stand-in takes its place).
    QSystemTrayIcon* TrayIcon(int id) const;

private:
    std::map<int, std::unique_ptr<QSystemTrayIcon>> icons_;
    // Removed icons that wait for the click they were delivering to be over.
    std::vector<QPointer<QSystemTrayIcon>> leaving_;
    std::function<bool()> hasTray_;
    std::map<int, std::function<void(int)>> callbacks_;
    std::map<int, services::TrayIcon> standIns_;
    QPointer<HelpWindow> help_;
    ca_context* sound_ = nullptr;
    QPointer<QWidget> notice_;
    std::function<void()> noTrayNotice_;
};

// libcanberra's functions, from the library opened on the first sound rather than at start-up.
inline constexpr const char* kCanberraLibrary = "libcanberra.so.0";
struct CanberraApi {
    int (*context_create)(ca_context**);
    int (*context_destroy)(ca_context*);
    int (*context_change_props)(ca_context*, ...);
    int (*context_play_full)(ca_context*, std::uint32_t, ca_proplist*,
                             void (*)(ca_context*, std::uint32_t, int, void*), void*);
    int (*proplist_create)(ca_proplist**);
    int (*proplist_sets)(ca_proplist*, const char*, const char*);
    int (*proplist_destroy)(ca_proplist*);
};
// That library's API (loaded once and kept); nullptr, with the reason in `why`, when it cannot
// be loaded.
const CanberraApi* LoadCanberra(const std::string& soname, std::string* why);

// The installed desktop's stand-in state (false, nothing, when none is installed).
bool TrayStandInActive();
void RestoreFromTrayStandIn();

// The help page for a request: the topic (or contents) page among the program's help folders,
// "" when none exists. Looks beside the named help file, then in help/ of the current directory
// and of the program's folder (each also under the help file's name).
std::string FindHelpPage(const services::HelpRequest& request);

}  // namespace qtui
