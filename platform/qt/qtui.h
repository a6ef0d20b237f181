#pragma once
// The Qt desktop for the programs: what main.cpp and the GUI tests use.
//
//     int main(int argc, char** argv) {
//         std::unique_ptr<calories::Calories> program;
//         return qtui::RunProgram(argc, argv, "Vantorel", [&] {
//             program = std::make_unique<calories::Calories>();
//             program->Start();
//         });
//     }
//
// GUI tests make a QApplication (QT_QPA_PLATFORM=offscreen), install a QtHost, load forms, drive
// the widgets (WidgetOf) with QTest, and save screenshots.
#include <functional>
#include <memory>
#include <string>

#include "platform/services/host.h"

class QAction;
class QWidget;

namespace forms {
class Control;
class Form;
class Menu;
}  // namespace forms

namespace qtui {

class QtBackend;
class QtDesktop;
class QtDialogs;
class QtPrinter;

// The desktop on Qt Widgets. Needs a QApplication; installs itself while it lives.
class QtHost : public services::Host {
public:
    QtHost();
    ~QtHost() override;
    QtHost(const QtHost&) = delete;
    QtHost& operator=(const QtHost&) = delete;

    forms::Backend& FormsBackend() override;
    services::Dialogs& DialogService() override;
    services::PrinterDevice& PrinterService() override;
    services::Desktop& DesktopService() override;
    std::unique_ptr<services::MailSender> CreateMailSender(std::string_view classId) override;

    QtBackend& Backend();
    QtPrinter& Printer();
    QtDesktop& Desktop();
    // Where mail components come from; by default the SMTP sender (services::SmtpMailFactory).
    using MailFactory = services::MailFactory;
    void SetMailFactory(MailFactory factory);

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

// Runs a program: makes the QApplication, installs a QtHost, sets App.Title, App.Path and
// App.EXEName, calls start, and runs the event loop until the last form unloads. Errors that
// reach this boundary are shown in a message box. Returns the exit code.
int RunProgram(int argc, char** argv, const std::string& title, const std::function<void()>& start);

// Runs a call into the model at the toolkit boundary: whatever it throws is shown to the user as
// the old runtime did ("Run-time error '53':" ...), and the program keeps running.
void Guarded(const std::function<void()>& call);
// How such errors are shown; by default a message box. Tests replace it to see them (nullptr
// restores the message box).
using ErrorReporter = std::function<void(const std::string& title, const std::string& text)>;
void SetErrorReporter(ErrorReporter reporter);
void ReportError(const std::string& title, const std::string& text);

// Saves a picture of the form's window (client area and menu bar) as PNG, making the folders.
bool Screenshot(const forms::Form& form, const std::string& path);

// The widgets behind model objects (nullptr when the object has none, e.g. not loaded).
QWidget* WindowOf(const forms::Form& form);      // the outer window
QWidget* ClientAreaOf(const forms::Form& form);  // where the controls are
QWidget* WidgetOf(const forms::Control& control);
QAction* ActionOf(const forms::Menu& menu);

}  // namespace qtui
