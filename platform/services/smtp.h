#pragma once
// The mail component for real: SmtpMailSender sends the HTML message over SMTP with libcurl.
//
//     auto mail = services::CreateObject(services::kMailSenderClassId);  // the host's factory
//     mail->SendHtmlMail("mail.example.org", "ann@example.org", "Pancakes", html, "bob@example.org");
//
// The server text is "host" or "host:port" ("[::1]:2525" for IPv6); port 25 when none is given,
// port 465 speaks TLS from the start. On any other port STARTTLS is used when the server offers it
// (and the certificate must check out); a server that does not offer it gets plain SMTP. Texts come
// in as Windows-1252 and go out as UTF-8: a text/html message in quoted-printable, with Date,
// Message-ID, MIME headers and the subject as RFC 2047 words when it needs them. Recipient and
// sender must each be one address as ParseMailAddress takes it. The exchange runs under the
// host's busy indicator ("Sending..."), whose Cancel ends it at once.
//
// Failures are vb::Error with source kMailErrorSource and, by number:
//   5          an argument was refused before connecting: empty server, recipient or sender; a
//              line break (or other control character) in server, recipient, sender or subject;
//              a recipient or sender that is not one address; a server text that is no host
//              name or has a bad port
//   1 .. 99    the transfer failed: libcurl's error code and text (6 host not found, 7 nothing
//              listens there, 28 timed out, 60 certificate not trusted ...); 2 also when libcurl
//              itself cannot be loaded (it is opened on the first mail, not at start-up)
//   400 .. 599 the server refused: its reply code, and its reply text as the description
//   32755      the user pressed Cancel (kMailCancelled)
#include <chrono>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>

#include "platform/services/mail.h"

namespace services {

inline constexpr std::string_view kMailErrorSource = "MailSender";
inline constexpr int kMailBadArgument = 5;

struct SmtpOptions {
    // Connecting, including the server's greeting and the TLS handshake.
    std::chrono::milliseconds connectTimeout{15000};
    // Waiting for any one answer of the server (libcurl counts this in whole seconds).
    std::chrono::seconds answerTimeout{30};
    // Check the server's TLS certificate and name. Only tests against a self-signed server turn
    // it off.
    bool verifyTls = true;
    // The libcurl opened on the first mail (by its runtime name; tests name one that is missing).
    std::string library = "libcurl.so.4";
};

class SmtpMailSender : public MailSender {
public:
    explicit SmtpMailSender(SmtpOptions options = {});
    // Returns when the server took the message for delivery; throws vb::Error otherwise.
    void SendHtmlMail(const std::string& server, const std::string& recipient, const std::string& subject,
                      const std::string& htmlBody, const std::string& sender) override;

private:
    SmtpOptions options_;
};

// What hosts create mail components with: an SmtpMailSender for kMailSenderClassId (letter case
// aside), nullptr for any other class id. The Qt host uses it; a test hands it to the TestHost.
MailFactory SmtpMailFactory(SmtpOptions options = {});

// The pieces, for the tests.

struct MailServerAddress {
    std::string host;  // blanks trimmed, IPv6 without brackets
    int port = 25;
    std::string Url() const;  // "smtp://host:25" ("smtps://" for 465, IPv6 in brackets)
};
// Throws vb::Error kMailBadArgument for an empty text, control characters, a host name with
// characters no host name has, or a port that is no number from 1 to 65535.
MailServerAddress ParseMailServer(std::string_view server);

struct MailMessageParts {
    std::string from, to, subject, htmlBody;  // UTF-8
    std::string date;                         // as FormatMailDate gives it
    std::string messageId;                    // "<...@...>"
};
// The whole message as it goes after DATA: CR LF line ends, the subject folded within 78
// characters a line, body lines of at most 76.
std::string BuildMailMessage(const MailMessageParts& parts);

// RFC 5322 date with English names whatever the locale: "Tue, 08 Dec 2026 09:00:00 +0100".
std::string FormatMailDate(const std::tm& local, long utcOffsetSeconds);
// The system's time, not the programs' replaceable clock: a mail carries when it really left.
std::string MailDateNow();

// Quoted-printable of UTF-8 text (RFC 2045): line ends of any kind become CR LF, lines are
// wrapped with soft breaks at 76 characters.
std::string QuotedPrintable(std::string_view text);
// A header value as it should stand after "Name: " (its length given by nameLength): unchanged
// when it is short printable ASCII, else RFC 2047 "B" words of UTF-8, folded so that no line
// exceeds 78 characters.
std::string EncodeHeaderValue(std::string_view utf8, std::size_t nameLength);

}  // namespace services
