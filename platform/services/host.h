#pragma once
// The one process-wide host: the desktop the program runs on. main() installs the Qt host, a test
// fixture the test host (drive::TestHost). Installing also sets the forms backend and makes a
// fresh Printer. Without an installed host a headless one answers: message boxes take their
// default button, input boxes and file dialogs are cancelled, printing and the desktop do nothing
// and report failure, mail cannot be created.
#include <memory>
#include <string_view>

#include "platform/forms/backend.h"
#include "platform/services/desktop.h"
#include "platform/services/dialogs.h"
#include "platform/services/mail.h"
#include "platform/services/printer.h"

namespace services {

class Host {
public:
    virtual ~Host() = default;
    virtual forms::Backend& FormsBackend() = 0;
    virtual Dialogs& DialogService() = 0;
    virtual PrinterDevice& PrinterService() = 0;
    virtual Desktop& DesktopService() = 0;
    // A new mail component for the class id, or nullptr when there is none.
    virtual std::unique_ptr<MailSender> CreateMailSender(std::string_view classId) = 0;

    // Installs the host (nullptr: the headless one). The caller keeps it alive while installed.
    static void Install(Host* host);
};

Host& host();
// The program's Printer object (made afresh by each Install).
Printer& printer();

}  // namespace services
