#pragma once
// What the SMTP tests share: short waits, and a send that hands back the error it raised.
#include <chrono>
#include <string>

#include "platform/core/error.h"
#include "platform/services/smtp.h"

namespace smtp_send {

// Short waits, so the silent-server cases end quickly.
inline services::SmtpOptions Quick() {
    services::SmtpOptions o;
    o.connectTimeout = std::chrono::milliseconds(1000);
    o.answerTimeout = std::chrono::seconds(1);
    return o;
}

// Sends and returns the error it raised (number 0 when none).
inline vb::Error SendExpectingError(services::MailSender& mail, const std::string& server,
                                    const std::string& to = "ann@example.org", const std::string& subject = "Pancakes",
                                    const std::string& from = "bob@example.org") {
    try {
        mail.SendHtmlMail(server, to, subject, "<p>Hi</p>", from);
    } catch (const vb::Error& e) {
        return e;
    }
    return vb::Error(0, "no error");
}

}  // namespace smtp_send
