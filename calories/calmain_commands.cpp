// The main window's remaining commands: hiding in the tray and coming back, help, the maker's web
// pages, the About box and the mail-link window.
#include <string>

#include "calories/Calories.h"
#include "calories/calmain.h"
#include "calories/side/calAbout.h"
#include "calories/side/email.h"
#include "calories/side/maker.h"
#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/forms/input.h"
#include "platform/services/desktop.h"
#include "platform/services/dialogs.h"

namespace calories {

namespace {

constexpr int kTrayId = 1;
// The tip stops at its NUL; the blanks fill the old record's 64-character field.
const std::string kTrayTip = [] {
    std::string tip = "Vantorel (double click or right click to select)";
    tip += '\0';
    tip.resize(64, ' ');
    return tip;
}();

void OpenAddress(std::string_view address) {
    services::ShellExecute("Open", address, "", forms::App().Path(), services::SW_SHOWNORMAL);
}

}  // namespace

void calmain::WireCommands() {
    Command5.Click = [this] { Command5_Click(); };
    mnuFilePrint.Click = [this] { Command5_Click(); };
    Command6.Click = [this] { Command6_Click(); };
    picNotifier.MouseMove = [this](vb::Integer Button, vb::Integer Shift, vb::Single X, vb::Single Y) {
        picNotifier_MouseMove(Button, Shift, X, Y);
    };
    mnuPopMenuShow.Click = [this] { mnuPopMenuShow_Click(); };
    mnuPopMenuExit.Click = [this] { mnuPopMenuExit_Click(); };
    mnuHelpContents.Click = [this] { mnuHelpContents_Click(); };
    mnuHelpSearch.Click = [this] { mnuHelpSearch_Click(); };
    mnuhomepage.Click = [this] { mnuhomepage_Click(); };
    mnuupdate.Click = [this] { mnuupdate_Click(); };
    mnuHelpAbout.Click = [this] { mnuHelpAbout_Click(); };
    mnudisplay.Click = [this] { mnudisplay_Click(); };
}

// --- the tray ---

// The window is hidden only once the icon (or the desktop's stand-in for it) is there to bring it
// back; otherwise it stays as it is.
void calmain::Command6_Click() {
    nid_.id = kTrayId;
    nid_.icon = Icon();
    nid_.tip = kTrayTip;
    // The shell's message comes to picNotifier as a mouse move, its code in X.
    nid_.callback = [this](int message) {
        const auto x = static_cast<vb::Single>(message * forms::Screen().TwipsPerPixelX());
        forms::input::MouseMove(picNotifier, 0, 0, x, 0);
    };
    if (!services::TrayAdd(nid_)) {
        services::MsgBox("The program cannot hide in the system tray: the desktop has no place for its icon.",
                         services::vbOKOnly | services::vbInformation, kProgramTitle);
        return;
    }
    inTray_ = true;
    Hide();
    forms::App().TaskVisible(false);
}

void calmain::RemoveTrayIcon() {
    inTray_ = false;
    services::TrayDelete(nid_.id = kTrayId);
}

void calmain::picNotifier_MouseMove(vb::Integer, vb::Integer, vb::Single X, vb::Single) {
    trayEvent_ = vb::CLng(static_cast<double>(X) / forms::Screen().TwipsPerPixelX());
    if (trayBusy_) return;  // a message while the last one is handled (the menu is open) is dropped
    trayBusy_ = true;
    struct Free {
        bool& busy;
        ~Free() { busy = false; }
    } done{trayBusy_};
    switch (trayEvent_) {
    case services::WM_LBUTTONDBLCLK:  // 515
        Show();
        forms::App().TaskVisible(true);
        RemoveTrayIcon();
        break;
    case services::WM_RBUTTONUP:  // 517
        PopupMenu(mnuPopMenu);
        break;
    default: break;
    }
}

void calmain::mnuPopMenuShow_Click() {
    RemoveTrayIcon();
    Show();
    forms::App().TaskVisible(true);
}

void calmain::mnuPopMenuExit_Click() {
    RemoveTrayIcon();
    forms::Unload(*this);
}

// --- help and the web ---

void calmain::ShowHelpFile(int command) {
    const std::string file = forms::App().HelpFile();
    if (file.empty()) {
        services::MsgBox("Unable to display Help Contents. There is no Help associated with this project.",
                         services::vbInformation, Caption());
        return;
    }
    try {
        services::ShowHelp(file, command, 0);  // the search's keyword is empty
    } catch (const vb::Error& e) {
        services::MsgBox(e.description);
    }
}

void calmain::mnuHelpContents_Click() { ShowHelpFile(services::HELP_INDEX); }
void calmain::mnuHelpSearch_Click() { ShowHelpFile(services::HELP_PARTIALKEY); }
void calmain::mnuhomepage_Click() { OpenAddress(kMakerHomePage); }
void calmain::mnuupdate_Click() { OpenAddress(kFoodUpdate); }

// --- side windows ---

void calmain::mnuHelpAbout_Click() {
    calAbout& about = app.calAbout();
    about.Show();
    about.cmdOK.Visible(true);
}

void calmain::mnudisplay_Click() { app.email().Show(); }

}  // namespace calories
