#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>

#include "platform/forms/form.h"
#include "platform/forms/menu.h"
#include "platform/qt/backend.h"
#include "platform/qt/convert.h"
#include "platform/qt/desktop.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/formpeer.h"
#include "platform/qt/menus.h"
#include "platform/qt/printer.h"
#include "platform/qt/qtui.h"
#include "platform/services/smtp.h"

namespace qtui {

struct QtHost::Parts {
    QtBackend backend;
    QtPrinter printer;
    QtDialogs dialogs{printer};
    QtDesktop desktop;
    MailFactory mail = services::SmtpMailFactory();
};

QtHost::QtHost() : parts_(std::make_unique<Parts>()) { services::Host::Install(this); }

QtHost::~QtHost() {
    if (&services::host() == this) services::Host::Install(nullptr);
}

forms::Backend& QtHost::FormsBackend() { return parts_->backend; }
services::Dialogs& QtHost::DialogService() { return parts_->dialogs; }
services::PrinterDevice& QtHost::PrinterService() { return parts_->printer; }
services::Desktop& QtHost::DesktopService() { return parts_->desktop; }
QtBackend& QtHost::Backend() { return parts_->backend; }
QtPrinter& QtHost::Printer() { return parts_->printer; }
QtDesktop& QtHost::Desktop() { return parts_->desktop; }
void QtHost::SetMailFactory(MailFactory factory) { parts_->mail = std::move(factory); }

std::unique_ptr<services::MailSender> QtHost::CreateMailSender(std::string_view classId) {
    return parts_->mail ? parts_->mail(classId) : nullptr;
}

int RunProgram(int argc, char** argv, const std::string& title, const std::function<void()>& start) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);  // the forms decide when the program ends
    QApplication::setApplicationName(ToQ(title));
    int code = 0;
    {
        QtHost host;
        host.Backend().QuitWithLastForm(true);
        forms::App().Title(title);
        forms::App().Path(FromQ(QDir::toNativeSeparators(QCoreApplication::applicationDirPath())));
        forms::App().EXEName(FromQ(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()));
        bool started = false;
        Guarded([&] {
            start();
            started = true;
        });
        if (!forms::Forms().empty()) code = app.exec();
        else if (!started) code = 1;
        forms::ResetApplication();  // the windows go before the QApplication does
    }
    return code;
}

QWidget* WindowOf(const forms::Form& form) {
    auto* p = dynamic_cast<FormPeer*>(form.peer());
    return p ? p->Widget() : nullptr;
}

QWidget* ClientAreaOf(const forms::Form& form) {
    auto* p = dynamic_cast<FormPeer*>(form.peer());
    return p ? p->ClientArea() : nullptr;
}

QWidget* WidgetOf(const forms::Control& control) {
    auto* p = dynamic_cast<QtPeer*>(control.peer());
    return p ? p->Widget() : nullptr;
}

QAction* ActionOf(const forms::Menu& menu) {
    auto* p = dynamic_cast<MenuPeer*>(menu.peer());
    return p ? p->Action() : nullptr;
}

bool Screenshot(const forms::Form& form, const std::string& path) {
    QWidget* w = WindowOf(form);
    if (!w) return false;
    QCoreApplication::sendPostedEvents();
    QPixmap shot = w->grab();
    QString file = QString::fromStdString(path);
    QDir().mkpath(QFileInfo(file).absolutePath());
    return shot.save(file, "PNG");
}

}  // namespace qtui
