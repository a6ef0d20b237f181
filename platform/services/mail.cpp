#include "platform/services/mail.h"

#include "platform/core/error.h"
#include "platform/services/host.h"

namespace services {

std::unique_ptr<MailSender> CreateObject(std::string_view classId) {
    auto sender = host().CreateMailSender(classId);
    if (!sender) throw vb::Error(429, "ActiveX component can't create object");
    return sender;
}

}  // namespace services
