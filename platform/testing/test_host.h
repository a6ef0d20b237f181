#pragma once
// The test backend: a desktop made of scripts and recorders. One TestHost per test:
//     drive::TempEnvironment env;   // private folders and current directory
//     drive::TestHost host;         // installed while it lives; "today" fixed at 2026-12-08
//     host.AnswerMsgBox(services::vbYes);
//     host.OnModal("frmCalendar", [&](forms::Form& f) { ... drive::PressKey(...); });
//     ... drive the program with drive::Click, TypeText ... (testing/user.h)
//     EXPECT_EQ(host.MsgBoxes().at(0).prompt, "...");
// Unscripted message boxes answer their default button, input boxes their default text, file
// dialogs Cancel, print dialogs OK, busy indicators run their work to its end, modal forms are closed with their close box, pop-up menus are
// dismissed; every one is recorded. Declare the program object after the TestHost, so it goes
// first.
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/date.h"
#include "platform/core/error.h"
#include "platform/forms/font.h"
#include "platform/forms/form.h"
#include "platform/forms/menu.h"
#include "platform/services/host.h"

namespace forms {
class ListControl;
}

namespace drive {

struct MsgBoxRecord {
    std::string prompt;
    std::string title;  // as shown (App.Title for an empty one)
    int style = 0;
    std::string helpFile;
    long context = 0;
    int answer = 0;
};

struct InputBoxRecord {
    std::string prompt;
    std::string title;
    std::string defaultText;
    std::optional<std::string> answer;  // nullopt: Cancel
};

struct FileDialogRecord {
    services::FileDialogRequest request;
    std::optional<std::string> answer;  // nullopt: Cancel
};

struct PopupRecord {
    std::string form;
    std::string menu;
    float x = 0, y = 0;
    bool hasPosition = false;
};

// One call to the desktop: kind is "open", "start", "help", "trayAdd", "trayModify",
// "trayDelete" or "sound".
struct DesktopCall {
    std::string kind;
    std::string target;              // url, file, help file, icon tip or sound path
    std::vector<std::string> args;   // start: argv
    long number = 0;                 // help: command; tray: id; sound: wait (1/0)
    long data = 0;                   // help: context id
};

struct BusyRecord {
    std::string prompt;
    std::string title;
    bool cancelled = false;                // Cancel was pressed while it showed, and took
    bool cancelRefused = false;            // Cancel was pressed while the work held it off
    std::vector<std::string> heldPrompts;  // what it showed while Cancel was held off, in order
};

struct SentMail {
    std::string server, recipient, subject, body, sender;
};

class TestHost : public services::Host {
public:
    TestHost();
    ~TestHost() override;
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    // Clock: "now" stays where it is set (default 2026-12-08 09:00).
    void SetNow(vb::Date now);
    void SetToday(vb::Date today);  // at 09:00
    // Screen size in twips (default 1024 x 768 pixels).
    void SetScreen(float widthTwips, float heightTwips);

    // Message boxes: answers in order, or a handler for all that follow.
    void AnswerMsgBox(int answer);
    void OnMsgBox(std::function<int(const MsgBoxRecord&)> handler);
    const std::vector<MsgBoxRecord>& MsgBoxes() const;

    void AnswerInputBox(std::optional<std::string> text);
    const std::vector<InputBoxRecord>& InputBoxes() const;

    void AnswerFileDialog(std::string path);
    void CancelFileDialog();
    const std::vector<FileDialogRecord>& FileDialogs() const;
    void AnswerPrintDialog(bool ok);
    int PrintDialogsShown() const;

    // Modal forms: the script runs while the form is shown modal; the form is hidden afterwards
    // when the script left it showing.
    void OnModal(std::string formName, std::function<void(forms::Form&)> script);
    const std::vector<std::string>& ModalsShown() const;

    // Pop-up menus: answers by item name in order ("" dismisses), or a handler.
    void AnswerPopupMenu(std::string itemName);
    void OnPopupMenu(std::function<forms::Menu*(forms::Form&, forms::Menu&)> handler);
    const std::vector<PopupRecord>& Popups() const;

    // Busy indicators ("Sending..."): the work runs at once, on the test's thread. A Cancel
    // scripted here is pressed that many milliseconds after the next indicator shows (0: before
    // the work starts); one per indicator, in order.
    void CancelBusy(long afterMilliseconds = 0);
    // The next indicator's Cancel is pressed as soon as its work holds Cancel off (as a user
    // presses it while a mail waits for the server's confirmation); then `then` runs, e.g. to let
    // the server answer at last.
    void CancelBusyWhenHeld(std::function<void()> then = {});
    const std::vector<BusyRecord>& BusyShown() const;

    // Printing.
    const std::vector<services::PrintedDocument>& PrintedDocuments() const;
    std::vector<services::PrintedPage> PrintedPages() const;  // of all documents, in order
    void FailPrinting(vb::Error error);                        // the next EndDoc fails
    void SetPage(services::PageSetup page);

    // Desktop.
    const std::vector<DesktopCall>& DesktopCalls() const;
    const std::map<int, services::TrayIcon>& TrayIcons() const;
    // Delivers an old mouse message to the tray icon's callback.
    void SendTrayMessage(int message, int id = 1);
    void SetDefaultApplication(std::string extension, std::string program);  // ".htm"
    void FailDesktop(bool fail);  // Open and Start report failure
    void RefuseTray(bool refuse);  // TrayAdd adds nothing and reports failure

    // Mail. By default mail components are recorders (SentMails, FailMail); a factory set here
    // makes them instead, e.g. services::SmtpMailFactory() for real sending (nullptr: recorders).
    using MailFactory = services::MailFactory;
    void SetMailFactory(MailFactory factory);
    const std::vector<SentMail>& SentMails() const;
    void FailMail(vb::Error error);  // every send fails until cleared with ClearMailFailure
    void ClearMailFailure();

    // Timers: every running timer once, in load order of the forms; or time passing, which runs
    // the timers whose intervals pass, in time order. Each of these, and DoEvents, is a turn of
    // the event loop: first the tasks waiting for a shown window to be drawn (Form::WhenDrawn) run.
    void TickTimers();
    void Advance(long milliseconds);
    // Whether shown windows count as drawn (default true); false keeps their tasks waiting, as
    // on a desktop that has not painted yet.
    void DrawWindows(bool draw);
    long Elapsed() const;
    // Runs at each DoEvents.
    void OnDoEvents(std::function<void()> hook);
    // The last form was unloaded.
    bool ProgramEnded() const;

    const forms::FontMetrics& Metrics() const;

    // services::Host
    forms::Backend& FormsBackend() override;
    services::Dialogs& DialogService() override;
    services::PrinterDevice& PrinterService() override;
    services::Desktop& DesktopService() override;
    std::unique_ptr<services::MailSender> CreateMailSender(std::string_view classId) override;

    struct State;

private:
    std::unique_ptr<State> state_;
};

// The item the keys are on in a list (the user's keys, user.cpp): the chosen one, until the arrows
// of a list that chooses by Enter move it alone.
int ListCaret(const forms::ListControl& list);
void MoveListCaret(forms::ListControl& list, int index);

}  // namespace drive
