#pragma once
// The mail component: created by its class id, it sends one HTML message by SMTP. Failures are
// vb::Error with number, description and source.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace services {

inline constexpr std::string_view kMailSenderClassId = "{8796394B-0731-11D3-B877-00A0C93C99FD}";

// The error number of a send the user cancelled (the runtime's "Cancel was selected"): nothing
// was sent.
inline constexpr int kMailCancelled = 32755;

class MailSender {
public:
    virtual ~MailSender() = default;
    // server is "host" or "host:port". Returns when the message went out; throws vb::Error.
    virtual void SendHtmlMail(const std::string& server, const std::string& recipient,
                              const std::string& subject, const std::string& htmlBody,
                              const std::string& sender) = 0;
};

// An address as a user types it: "name@domain", or "Display Name <name@domain>"; blanks around
// it aside. Texts are Windows-1252.
struct MailAddress {
    std::string displayName;  // "" when there is none; as typed, blanks trimmed
    std::string address;      // name@domain: what goes into the envelope
};
// The address of the text, or nullopt when it is none: outside the display name there may be no
// '<', '>', blank, comma, control character or second '@'. The window checks a field with it
// before a send, and the sender checks its envelope with it, so an address cannot carry SMTP
// parameters or a second recipient.
std::optional<MailAddress> ParseMailAddress(std::string_view text);

// The old CreateObject: a new instance of the component with that class id; vb::Error 429
// ("ActiveX component can't create object") when there is none.
std::unique_ptr<MailSender> CreateObject(std::string_view classId);

// How a host makes mail components: a new one for the class id, nullptr when it has none.
using MailFactory = std::function<std::unique_ptr<MailSender>(std::string_view classId)>;

}  // namespace services
