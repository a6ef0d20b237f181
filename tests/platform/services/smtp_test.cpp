// The SMTP mail component against a real SMTP server on the loopback: envelope, headers, body,
// refusals, silence, nothing listening, STARTTLS, and the texts it refuses before connecting.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <regex>

#include "platform/core/error.h"
#include "platform/core/text.h"
#include "platform/forms/forms.h"
#include "platform/services/mail.h"
#include "platform/services/smtp.h"
#include "smtp_send.h"
#include "platform/testing/smtp_server.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"

namespace {

using namespace services;
using drive::SmtpTestServer;

using smtp_send::Quick;
using smtp_send::SendExpectingError;

class Smtp : public ::testing::Test {
protected:
    drive::TempEnvironment env;
    drive::TestHost host;
};

TEST(SmtpServerText, HostAndPort) {
    const struct {
        const char* text;
        const char* host;
        int port;
        const char* url;
    } cases[] = {
        {"mail.example.org", "mail.example.org", 25, "smtp://mail.example.org:25"},
        {"mail.example.org:2525", "mail.example.org", 2525, "smtp://mail.example.org:2525"},
        {"  mail.example.org  ", "mail.example.org", 25, "smtp://mail.example.org:25"},
        {"127.0.0.1:587", "127.0.0.1", 587, "smtp://127.0.0.1:587"},
        {"smtp.example.org:465", "smtp.example.org", 465, "smtps://smtp.example.org:465"},
        {"[::1]:2525", "::1", 2525, "smtp://[::1]:2525"},
        {"[::1]", "::1", 25, "smtp://[::1]:25"},
        {"fe80::1", "fe80::1", 25, "smtp://[fe80::1]:25"},
        {"my_relay", "my_relay", 25, "smtp://my_relay:25"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        MailServerAddress a = ParseMailServer(c.text);
        EXPECT_EQ(a.host, c.host);
        EXPECT_EQ(a.port, c.port);
        EXPECT_EQ(a.Url(), c.url);
    }
}

TEST(SmtpServerText, RefusedTexts) {
    for (const char* text : {"", "   ", "host:", "host:0", "host:65536", "host:25x", "host:-1", "ho st",
                             "smtp://host", "user@host", "host/path", "[::1", "[::1]x", "[::1]:", "[host]",
                             "host\r\nRCPT TO:<x@y>", "host\n", "-host", ".host"}) {
        SCOPED_TRACE(text);
        try {
            ParseMailServer(text);
            ADD_FAILURE() << "accepted";
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number, kMailBadArgument);
            EXPECT_EQ(e.source, "MailSender");
            EXPECT_FALSE(e.description.empty());
        }
    }
}

TEST(MailAddressText, OneAddressAsAUserTypesIt) {
    const struct {
        const char* name;
        std::string text;
        const char* displayName;
        const char* address;
    } accepted[] = {
        {"plain", "ann@example.org", "", "ann@example.org"},
        {"blanks around", "  ann@example.org\t", "", "ann@example.org"},
        {"display name", "Ann Smith <ann@example.org>", "Ann Smith", "ann@example.org"},
        {"no blank before the bracket", "Ann<ann@example.org>", "Ann", "ann@example.org"},
        {"brackets alone", "<ann@example.org>", "", "ann@example.org"},
        {"comma in the display name", "Smith, Ann <ann@example.org>", "Smith, Ann", "ann@example.org"},
        {"quoted display name", "\"Ann @ home\" <ann@example.org>", "\"Ann @ home\"", "ann@example.org"},
        {"marks in the name", "ann.o'neil+recipes@example.org", "", "ann.o'neil+recipes@example.org"},
        {"one-label domain", "bob@localhost", "", "bob@localhost"},
        {"letters of another script", "Ren\xE9 <ren\xE9@caf\xE9.example>", "Ren\xE9", "ren\xE9@caf\xE9.example"},
    };
    for (const auto& c : accepted) {
        SCOPED_TRACE(c.name);
        const std::optional<MailAddress> a = ParseMailAddress(c.text);
        ASSERT_TRUE(a.has_value());
        EXPECT_EQ(a->displayName, c.displayName);
        EXPECT_EQ(a->address, c.address);
    }
    const struct {
        const char* name;
        std::string text;
    } refused[] = {
        {"empty", ""},
        {"blanks", "   "},
        {"SMTP parameters after the address", "ann@example.org> NOTIFY=SUCCESS ORCPT=rfc822;eve@evil.org"},
        {"parameters inside the brackets", "Ann <ann@example.org> SIZE=1>"},
        {"parameters without brackets", "ann@example.org NOTIFY=SUCCESS"},
        {"two addresses", "ann@x.org, eve@y.org"},
        {"two addresses, no blank", "ann@x.org,eve@y.org"},
        {"two in brackets", "Ann <ann@x.org>, Eve <eve@y.org>"},
        {"a bracket opened only", "<ann@example.org"},
        {"a bracket closed only", "ann@example.org>"},
        {"blank inside the brackets", "Ann <ann @example.org>"},
        {"bracket in the display name", "A<n <ann@example.org>"},
        {"no @", "ann.example.org"},
        {"two @", "ann@eve@example.org"},
        {"nothing before @", "@example.org"},
        {"nothing after @", "ann@"},
        {"empty brackets", "Ann <>"},
        {"dot at the end of the domain", "ann@example.org."},
        {"two dots", "ann..b@example.org"},
        {"no-break space", "ann\xA0@example.org"},
        {"line break", "ann@example.org\r\nRCPT TO:<eve@evil.org>"},
        {"tab inside", "ann@exa\tmple.org"},
        {"control character", "ann@example.org\x01"},
        {"Windows-1252 byte for no character", "ann\x81@example.org"},
        {"line break in the display name", "Ann\n <ann@example.org>"},
        {"quote in the address", "\"ann\"@example.org"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(ParseMailAddress(c.text).has_value());
    }
}

// What the server is told in the envelope is exactly the addresses typed; anything that would
// add a parameter or a recipient is refused before a connection is made.
TEST_F(Smtp, TheEnvelopeCarriesOnlyTheAddressesTyped) {
    SmtpTestServer server;
    SmtpMailSender mail(Quick());
    const struct {
        const char* name;
        std::string to, from;
    } smuggled[] = {
        {"DSN parameters after the recipient", "ann@example.org> NOTIFY=SUCCESS ORCPT=rfc822;eve@evil.org",
         "bob@example.org"},
        {"parameters after the sender", "ann@example.org", "bob@example.org> SIZE=1 BODY=8BITMIME"},
        {"a second recipient", "ann@example.org, eve@evil.org", "bob@example.org"},
        {"a second recipient in brackets", "Ann <ann@example.org>, <eve@evil.org>", "bob@example.org"},
        {"a second sender", "ann@example.org", "bob@example.org eve@evil.org"},
    };
    for (const auto& c : smuggled) {
        SCOPED_TRACE(c.name);
        vb::Error e = SendExpectingError(mail, server.Address(), c.to, "Pancakes", c.from);
        EXPECT_EQ(e.number, kMailBadArgument);
        EXPECT_EQ(e.source, "MailSender");
        EXPECT_NE(e.description.find("is not one address"), std::string::npos) << e.description;
    }
    EXPECT_EQ(server.Connections(), 0);

    mail.SendHtmlMail(server.Address(), "  Smith, Ann <ann@example.org> ", "Pancakes", "x", "Bob <bob@example.org>");
    std::vector<std::string> envelope;
    for (const std::string& command : server.Commands()) {
        if (command.rfind("MAIL", 0) == 0 || command.rfind("RCPT", 0) == 0) envelope.push_back(command);
    }
    ASSERT_EQ(envelope.size(), 2u);
    // The message's size is the one parameter, and the transfer library's own.
    EXPECT_TRUE(std::regex_match(envelope[0], std::regex(R"(MAIL FROM:<bob@example\.org> SIZE=\d+)"))) << envelope[0];
    EXPECT_EQ(envelope[1], "RCPT TO:<ann@example.org>");
    const auto mails = server.Mails();
    ASSERT_EQ(mails.size(), 1u);
    // The comma stays inside the name: the header names one recipient too.
    EXPECT_EQ(mails[0].Header("To"), "\"Smith, Ann\" <ann@example.org>");
    EXPECT_EQ(mails[0].Header("From"), "\"Bob\" <bob@example.org>");
}

// Cancel ends the exchange where it stands, long before the server's time is up (the default
// waits here: a send Cancel did not stop would end in a timeout, error 28), and nothing is sent.
TEST_F(Smtp, CancelEndsTheSendAtOnce) {
    forms::App().Title("Sorvella");
    const struct {
        const char* name;
        const char* silentStep;
        long cancelAfter;
    } cases[] = {
        {"before the work starts", "greeting", 0},
        {"waiting for the greeting", "greeting", 150},
        {"waiting for the answer to RCPT", "RCPT", 150},
        {"waiting for the answer to DATA", "DATA", 150},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SmtpTestServer server({.replies = {{c.silentStep, ""}}});
        SmtpMailSender mail;
        host.CancelBusy(c.cancelAfter);
        const std::size_t before = host.BusyShown().size();
        vb::Error e = SendExpectingError(mail, server.Address());
        EXPECT_EQ(e.number, kMailCancelled) << e.description;
        EXPECT_EQ(e.description, "Sending was cancelled; the mail was not sent");
        EXPECT_EQ(e.source, "MailSender");
        EXPECT_TRUE(server.Mails().empty());
        ASSERT_EQ(host.BusyShown().size(), before + 1);
        EXPECT_EQ(host.BusyShown().back().prompt, "Sending\x85");
        EXPECT_EQ(host.BusyShown().back().title, "Sorvella");
        EXPECT_TRUE(host.BusyShown().back().cancelled);
        if (c.cancelAfter == 0) {
            EXPECT_TRUE(server.Commands().empty());
        }
    }
    // A Cancel that comes after the server took the message changes nothing: it was sent.
    SmtpTestServer server({.replies = {{"QUIT", ""}}});
    SmtpMailSender mail;
    host.CancelBusy(300);
    EXPECT_NO_THROW(mail.SendHtmlMail(server.Address(), "ann@example.org", "Hi", "x", "bob@example.org"));
    EXPECT_EQ(server.Mails().size(), 1u);
    EXPECT_TRUE(host.BusyShown().back().cancelled);
}

TEST_F(Smtp, TheRealSenderReplacesTheRecorderAndDeliversTheMessage) {
    SmtpTestServer server;
    host.SetMailFactory(SmtpMailFactory(Quick()));
    // Windows-1252 texts: half, euro, e acute, an undefined byte, a long line, CR LF, '=' and a
    // dot opening a line, blanks before a line end.
    const std::string body = "<p>1\xBD cups flour \x80 2 caf\xE9 \x81</p>\r\n" + std::string(1500, 'x') +
                             "\r\n.hidden line\r\na=b  \r\n\r\n<b>end</b>";
    const std::string subject = "Cr\xEApes for 1\xBD \x80";
    auto mail = CreateObject(kMailSenderClassId);
    mail->SendHtmlMail(server.Address(), "Ann Example <ann@example.org>", subject, body, "bob@example.org");

    EXPECT_TRUE(host.SentMails().empty());
    ASSERT_EQ(host.BusyShown().size(), 1u);
    EXPECT_FALSE(host.BusyShown()[0].cancelled);
    auto mails = server.Mails();
    ASSERT_EQ(mails.size(), 1u);
    const auto& m = mails[0];
    EXPECT_EQ(m.mailFrom, "bob@example.org");
    EXPECT_EQ(m.rcptTo, std::vector<std::string>{"ann@example.org"});
    EXPECT_FALSE(m.helo.empty());
    EXPECT_FALSE(m.tls);

    for (const char* name : {"Date", "From", "To", "Subject", "Message-ID", "MIME-Version", "Content-Type",
                             "Content-Transfer-Encoding"}) {
        EXPECT_EQ(m.HeaderCount(name), 1) << name;
    }
    EXPECT_EQ(m.Header("From"), "bob@example.org");
    EXPECT_EQ(m.Header("To"), "\"Ann Example\" <ann@example.org>");
    EXPECT_EQ(drive::DecodeHeaderWords(m.Header("Subject")), vb::ToUtf8(subject));
    EXPECT_EQ(m.Header("MIME-Version"), "1.0");
    EXPECT_EQ(m.Header("Content-Type"), "text/html; charset=UTF-8");
    EXPECT_EQ(m.Header("Content-Transfer-Encoding"), "quoted-printable");
    EXPECT_TRUE(std::regex_match(m.Header("Message-ID"), std::regex(R"(<[0-9a-f]{16}\.[0-9a-f]+@example\.org>)")))
        << m.Header("Message-ID");
    EXPECT_TRUE(std::regex_match(m.Header("Date"),
                                 std::regex(R"((Mon|Tue|Wed|Thu|Fri|Sat|Sun), \d\d (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) \d{4} \d\d:\d\d:\d\d [+-]\d{4})")))
        << m.Header("Date");

    EXPECT_EQ(m.Body(), vb::ToUtf8(body));
    EXPECT_NE(m.Body().find("1\xC2\xBD cups flour \xE2\x82\xAC"), std::string::npos);  // UTF-8 of the bytes
    for (const auto& line : m.HeaderLines()) {
        for (std::size_t start = 0, end; start < line.size(); start = end + 2) {
            end = line.find("\r\n", start);
            if (end == std::string::npos) end = line.size();
            EXPECT_LE(end - start, 78u) << line;
        }
    }
    std::string raw = m.RawBody();
    for (std::size_t start = 0, end; (end = raw.find("\r\n", start)) != std::string::npos; start = end + 2)
        EXPECT_LE(end - start, 76u);
}

TEST_F(Smtp, TheDateHeaderIsTodaysInEnglish) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 8;
    t.tm_wday = 2;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 7;
    EXPECT_EQ(FormatMailDate(t, 3600), "Tue, 08 Dec 2026 09:05:07 +0100");
    EXPECT_EQ(FormatMailDate(t, 0), "Tue, 08 Dec 2026 09:05:07 +0000");
    EXPECT_EQ(FormatMailDate(t, -(4 * 3600 + 30 * 60)), "Tue, 08 Dec 2026 09:05:07 -0430");

    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char day[16];
    std::strftime(day, sizeof day, "%d", &local);
    EXPECT_NE(MailDateNow().find(std::string(", ") + day + " "), std::string::npos) << MailDateNow();
}

TEST(SmtpMessage, QuotedPrintable) {
    const struct {
        const char* name;
        std::string in, out;
    } cases[] = {
        {"plain text stays", "<p>Hello</p>", "<p>Hello</p>"},
        {"equals sign", "a=b", "a=3Db"},
        {"UTF-8 bytes", "\xC2\xBD", "=C2=BD"},
        {"blank before a line end", "a \r\nb\t", "a=20\r\nb=09"},
        {"any line end becomes CR LF", "a\nb\rc\r\n", "a\r\nb\r\nc\r\n"},
        {"dot opening a line", ".a\r\n.", "=2Ea\r\n=2E"},
        {"long line wrapped at 76", std::string(80, 'a'), std::string(75, 'a') + "=\r\n" + "aaaaa"},
        {"escape not split", std::string(74, 'a') + "=", std::string(74, 'a') + "=\r\n=3D"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(QuotedPrintable(c.in), c.out);
    }
}

TEST(SmtpMessage, SubjectsAreEncodedOnlyWhenNeeded) {
    const struct {
        const char* name;
        std::string subject;
        bool plain;
    } cases[] = {
        {"short ASCII", "Pancakes", true},
        {"empty", "", true},
        {"non-ASCII", "Cr\xC3\xAApes", false},
        {"looks like an encoded word", "=?UTF-8?B?eA==?=", false},
        {"long ASCII", std::string(100, 'p'), false},
        {"long non-ASCII", std::string(60, 'a') + std::string(40, '\0') + "\xE2\x82\xAC", false},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.name);
        for (std::size_t i = 0; i < c.subject.size(); ++i) {
            if (c.subject[i] == '\0') c.subject.replace(i, 1, "\xC3\xA9");  // 40 e-acutes
        }
        std::string v = EncodeHeaderValue(c.subject, 9);
        if (c.plain) {
            EXPECT_EQ(v, c.subject);
            continue;
        }
        EXPECT_EQ(v.rfind("=?UTF-8?B?", 0), 0u) << v;
        std::string unfolded, first = v.substr(0, v.find("\r\n"));
        EXPECT_LE(first.size() + 9, 78u);
        for (char ch : v) {
            if (ch != '\r' && ch != '\n') unfolded += ch;
        }
        EXPECT_EQ(drive::DecodeHeaderWords(unfolded), c.subject);
        // Each word on its own holds whole characters.
        std::regex word(R"(=\?UTF-8\?B\?([A-Za-z0-9+/=]*)\?=)");
        for (std::sregex_iterator it(v.begin(), v.end(), word), end; it != end; ++it) {
            std::string part = drive::DecodeBase64((*it)[1].str());
            EXPECT_EQ(vb::ToUtf8(vb::FromUtf8(part)).size(), part.size()) << "a character was split";
            EXPECT_LE(it->length(), 75);
        }
    }
}

TEST_F(Smtp, NonAsciiNamesInAddressesAreEncoded) {
    SmtpTestServer server;
    SmtpMailSender mail(Quick());
    mail.SendHtmlMail(server.Address(), "Ren\xE9 M\xFCller <rene@example.org>", "", "x", "\"Bj\xF6rn\" <bjorn@example.org>");
    auto mails = server.Mails();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0].rcptTo, std::vector<std::string>{"rene@example.org"});
    EXPECT_EQ(mails[0].mailFrom, "bjorn@example.org");
    EXPECT_EQ(drive::DecodeHeaderWords(mails[0].Header("To")), "Ren\xC3\xA9 M\xC3\xBCller <rene@example.org>");
    EXPECT_EQ(drive::DecodeHeaderWords(mails[0].Header("From")), "Bj\xC3\xB6rn <bjorn@example.org>");
    EXPECT_EQ(mails[0].HeaderCount("Subject"), 1);
    EXPECT_EQ(mails[0].Header("Subject"), "");
}

// A line break in a header field would let the text add headers (or commands) of its own.
TEST_F(Smtp, LineBreaksAndEmptyFieldsAreRefusedBeforeConnecting) {
    SmtpTestServer server;
    SmtpMailSender mail(Quick());
    const std::string s = server.Address();
    const struct {
        const char* name;
        std::string server, to, subject, from;
    } cases[] = {
        {"CR LF in the server", s + "\r\n", "ann@example.org", "Hi", "bob@example.org"},
        {"LF in the recipient", s, "ann@example.org\nBcc: eve@example.org", "Hi", "bob@example.org"},
        {"CR in the sender", s, "ann@example.org", "Hi", "bob@example.org\rX: y"},
        {"CR LF in the subject", s, "ann@example.org", "Hi\r\nBcc: eve@example.org", "bob@example.org"},
        {"LF in the subject", s, "ann@example.org", "Hi\n", "bob@example.org"},
        {"empty server", "", "ann@example.org", "Hi", "bob@example.org"},
        {"blank recipient", s, "   ", "Hi", "bob@example.org"},
        {"empty sender", s, "ann@example.org", "Hi", ""},
        {"empty angle address", s, "Ann <>", "Hi", "bob@example.org"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        vb::Error e = SendExpectingError(mail, c.server, c.to, c.subject, c.from);
        EXPECT_EQ(e.number, kMailBadArgument);
        EXPECT_EQ(e.source, "MailSender");
        EXPECT_FALSE(e.description.empty());
    }
    EXPECT_EQ(server.Connections(), 0);
    // A tab in the subject is harmless.
    EXPECT_NO_THROW(mail.SendHtmlMail(s, "ann@example.org", "a\tb", "x", "bob@example.org"));
    EXPECT_EQ(server.Mails().size(), 1u);
}

TEST_F(Smtp, ARefusalComesBackWithTheServersCodeAndText) {
    const struct {
        const char* step;
        const char* reply;
        int number;
        const char* description;
    } cases[] = {
        {"RCPT", "550 5.1.1 <ann@example.org>: Recipient address rejected", 550,
         "5.1.1 <ann@example.org>: Recipient address rejected"},
        {"MAIL", "553 5.7.1 Sender address rejected", 553, "5.7.1 Sender address rejected"},
        {"DATA", "554 No valid recipients", 554, "No valid recipients"},
        {".", "552-Message too big\r\n552 for this server", 552, "Message too big for this server"},
        {"greeting", "554 No SMTP service here", 554, "No SMTP service here"},
        {"RCPT", "451 4.7.1 Greylisted, try again later", 451, "4.7.1 Greylisted, try again later"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.step) + " " + c.reply);
        SmtpTestServer server({.replies = {{c.step, c.reply}}});
        SmtpMailSender mail(Quick());
        vb::Error e = SendExpectingError(mail, server.Address());
        EXPECT_EQ(e.number, c.number);
        EXPECT_EQ(e.description, c.description);
        EXPECT_EQ(e.source, "MailSender");
        EXPECT_TRUE(server.Mails().empty());
    }
}

TEST_F(Smtp, ASilentServerEndsTheSendAfterTheTimeout) {
    for (const char* step : {"greeting", "EHLO", "RCPT", "."}) {
        SCOPED_TRACE(step);
        SmtpTestServer server({.replies = {{step, ""}}});
        SmtpMailSender mail(Quick());
        auto start = std::chrono::steady_clock::now();
        vb::Error e = SendExpectingError(mail, server.Address());
        auto took = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(e.number, 28) << e.description;  // timed out
        EXPECT_EQ(e.source, "MailSender");
        // Silent after the whole message, the server may still deliver it.
        const std::string expected = std::string(step) == "." ? "The mail server did not confirm the mail in time ("
                                                               : "The mail server did not answer in time (";
        EXPECT_EQ(e.description.rfind(expected, 0), 0u) << e.description;
        EXPECT_EQ(std::string(step) == ".", e.description.ends_with("; the whole mail went out, so it may have been sent"))
            << e.description;
        // The test's short timeout ended it, not the 30 s default nor a hang.
        EXPECT_LT(took, std::chrono::seconds(10));
    }
}

TEST_F(Smtp, NothingListeningIsAnError) {
    drive::ClosedPort port;
    SmtpMailSender mail(Quick());
    vb::Error e = SendExpectingError(mail, port.Address());
    EXPECT_EQ(e.number, 7) << e.description;  // could not connect
    EXPECT_EQ(e.source, "MailSender");
    EXPECT_NE(e.description.find(std::to_string(port.Port())), std::string::npos) << e.description;
}

TEST_F(Smtp, StartTlsIsUsedWhenOffered) {
    SmtpTestServer server({.offerStartTls = true, .replies = {}});
    SmtpOptions o = Quick();
    o.verifyTls = false;  // the test server's certificate is self-signed
    SmtpMailSender mail(o);
    mail.SendHtmlMail(server.Address(), "ann@example.org", "Over TLS", "<p>secret</p>", "bob@example.org");
    auto mails = server.Mails();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_TRUE(mails[0].tls);
    EXPECT_EQ(mails[0].Body(), "<p>secret</p>");
    auto commands = server.Commands();
    EXPECT_NE(std::find(commands.begin(), commands.end(), "STARTTLS"), commands.end());
}

TEST_F(Smtp, AnUntrustedCertificateIsRefusedByDefault) {
    SmtpTestServer server({.offerStartTls = true, .replies = {}});
    SmtpMailSender mail(Quick());
    vb::Error e = SendExpectingError(mail, server.Address());
    EXPECT_EQ(e.number, 60) << e.description;  // peer certificate not trusted
    EXPECT_TRUE(server.Mails().empty());
}

TEST_F(Smtp, WithoutStartTlsTheMailGoesPlain) {
    for (bool offered : {false, true}) {
        SCOPED_TRACE(offered ? "offered but refused" : "not offered");
        SmtpTestServer::Options options;
        options.offerStartTls = offered;
        if (offered) options.replies["STARTTLS"] = "454 4.7.0 TLS not available due to local problem";
        SmtpTestServer server(options);
        SmtpMailSender mail(Quick());
        mail.SendHtmlMail(server.Address(), "ann@example.org", "Plain", "<p>x</p>", "bob@example.org");
        auto mails = server.Mails();
        ASSERT_EQ(mails.size(), 1u);
        EXPECT_FALSE(mails[0].tls);
    }
}

// libcurl is opened on the first mail; without it a send fails with a message naming it, after
// the texts were checked, and a later send with the library works.
TEST_F(Smtp, AMissingMailLibraryIsReportedAsTheSendsError) {
    SmtpTestServer server(SmtpTestServer::Options{});
    SmtpOptions missing = Quick();
    missing.library = "libcurl-not-installed.so.4";
    SmtpMailSender without(missing);
    vb::Error e = SendExpectingError(without, server.Address());
    EXPECT_EQ(e.number, 2) << e.description;  // libcurl's "failed initialization"
    EXPECT_EQ(e.source, "MailSender");
    EXPECT_EQ(e.description.rfind("Mail cannot be sent: the mail library libcurl-not-installed.so.4 could not be loaded", 0), 0u)
        << e.description;
    EXPECT_EQ(SendExpectingError(without, server.Address(), "ann@example.org\r\nBcc: x@y").number, kMailBadArgument);
    EXPECT_TRUE(server.Commands().empty());

    SmtpMailSender with(Quick());
    with.SendHtmlMail(server.Address(), "ann@example.org", "After", "<p>x</p>", "bob@example.org");
    EXPECT_EQ(server.Mails().size(), 1u);
}

TEST_F(Smtp, TheFactoryKnowsOnlyTheMailClass) {
    MailFactory factory = SmtpMailFactory();
    EXPECT_NE(dynamic_cast<SmtpMailSender*>(factory(kMailSenderClassId).get()), nullptr);
    EXPECT_NE(factory("{8796394b-0731-11d3-b877-00a0c93c99fd}"), nullptr);
    EXPECT_EQ(factory("{00000000-0000-0000-0000-000000000000}"), nullptr);

    // The test host goes back to its recorder when the factory is taken away.
    host.SetMailFactory(factory);
    EXPECT_NE(dynamic_cast<SmtpMailSender*>(CreateObject(kMailSenderClassId).get()), nullptr);
    host.SetMailFactory(nullptr);
    CreateObject(kMailSenderClassId)->SendHtmlMail("s", "t", "u", "b", "f");
    EXPECT_EQ(host.SentMails().size(), 1u);
}

}  // namespace
