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
// Message-ID, MIME headers, header lines folded within 78 octets where they can be (an address
// is never split: a long one stands whole on its line, up to 260 octets with "From: ", well
// within SMTP's 998), a display name as one quoted string and a long or non-ASCII name or subject
// as RFC 2047 words. Recipient and sender must each be one address as ParseMailAddress takes it;
// a domain with letters outside ASCII goes out in its ASCII form (IDNA), a mailbox name with such
// letters only to a server that offers SMTPUTF8. The exchange runs under the host's busy indicator ("Sending..."), whose Cancel ends it
// at once until the end of the message (its final dot) has been sent; from then on the server
// may hold the whole mail, so Cancel is held off (kMailAwaitingConfirmation shows) until the
// server has answered it. A program that ends meanwhile does not wait for that answer.
//
// Failures are vb::Error with source kMailErrorSource and, by number:
//   5          an argument was refused before connecting: empty server, recipient or sender; a
//              line break (or other control character) in server, recipient, sender or subject;
//              a recipient or sender that is not one address, is too long or has a domain with
//              no ASCII form; a server text that is no host name or has a bad port. Also, after
//              the server's answer to EHLO and before MAIL FROM, a mailbox name with letters
//              outside ASCII when the server does not offer SMTPUTF8 (only asking tells)
//   1 .. 99    the transfer failed: libcurl's error code and text (6 host not found, 7 nothing
//              listens there, 28 timed out, 60 certificate not trusted ...); 2 also when libcurl
//              or libidn2 cannot be loaded (they are opened when first needed, not at start-up).
//              Once the end of the message was sent and before the server answered it, the
//              description says that the mail may have been sent
//   400 .. 599 the server refused: its reply code, and its reply text as the description
//   32755      the user pressed Cancel (kMailCancelled)
#include <chrono>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/services/mail.h"

namespace services {

inline constexpr std::string_view kMailErrorSource = "MailSender";
inline constexpr int kMailBadArgument = 5;
// What the busy indicator shows while the server has the whole message and has not answered yet.
inline constexpr std::string_view kMailAwaitingConfirmation =
    "Waiting for the mail server to confirm the mail\x85\r\nIt has gone out whole, so it can no longer be cancelled.";

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

// vb::Error kMailBadArgument, naming what the text is, for a line break or other control
// character (a tab where allowTab).
void CheckMailHeaderText(std::string_view text, std::string_view what, bool allowTab);

// An address as it goes to the server, UTF-8: the display name as typed, the address with its
// domain in ASCII ("xn--" labels for letters outside ASCII), and whether its mailbox name (before
// the @) is not ASCII, so that it can only go to a server that offers SMTPUTF8.
struct MailEnvelopeAddress {
    MailAddress utf8;
    bool needsSmtpUtf8 = false;
};
// vb::Error kMailBadArgument naming the field (whose: "recipient's") when it is empty, holds a
// control character, is not one address as ParseMailAddress takes it, has a domain with no ASCII
// form or passes SMTP's lengths.
MailEnvelopeAddress PrepareMailAddress(std::string_view text, std::string_view whose);
// The ASCII form of a domain (IDNA, through libidn2, opened the first time one needs it); an ASCII
// domain as it stands. vb::Error kMailBadArgument when it has none, 2 when libidn2 is missing.
std::string MailDomainToAscii(std::string_view utf8Domain);

struct MailServerAddress {
    std::string host;  // blanks trimmed, IPv6 without brackets
    int port = 25;
    std::string Url() const;  // "smtp://host:25" ("smtps://" for 465, IPv6 in brackets)
};
// Throws vb::Error kMailBadArgument for an empty text, control characters, a host name with
// characters no host name has, or a port that is no number from 1 to 65535.
MailServerAddress ParseMailServer(std::string_view server);

struct MailMessageParts {
    MailAddress from, to;              // UTF-8; the name as typed, the address as the envelope has it
    std::string subject, htmlBody;     // UTF-8
    std::string date;                  // as FormatMailDate gives it
    std::string messageId;             // "<...@...>"
};
// The whole message as it goes after DATA: CR LF line ends, header lines folded within 78
// octets but for a long address, which is never split (a display name in one quoted string, or
// as encoded words when it is long or not ASCII; the subject likewise), body lines of at most 76.
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
