#pragma once
// The mail component: created by its class id, it sends one HTML message by SMTP. Failures are
// vb::Error with number, description and source.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace services {

inline constexpr std::string_view kMailSenderClassId = "{8796394B-0731-11D3-B877-00A0C93C99FD}";

class MailSender {
public:
    virtual ~MailSender() = default;
    // server is "host" or "host:port". Returns when the message went out; throws vb::Error.
    virtual void SendHtmlMail(const std::string& server, const std::string& recipient,
                              const std::string& subject, const std::string& htmlBody,
                              const std::string& sender) = 0;
};

// The old CreateObject: a new instance of the component with that class id; vb::Error 429
// ("ActiveX component can't create object") when there is none.
std::unique_ptr<MailSender> CreateObject(std::string_view classId);

// How a host makes mail components: a new one for the class id, nullptr when it has none.
using MailFactory = std::function<std::unique_ptr<MailSender>(std::string_view classId)>;

}  // namespace services
