// What the SMTP mail component puts on the wire, read from the bytes a local SMTP server received:
// header lines that name only the envelope's address and stay within their length, domains in
// their ASCII form, mailbox names outside ASCII only with SMTPUTF8, and a Cancel that comes after
// the whole message went out.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <regex>

#include "platform/core/error.h"
#include "platform/core/text.h"
#include "platform/services/smtp.h"
#include "smtp_send.h"
#include "platform/testing/smtp_server.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"

namespace {

using namespace services;
using drive::SmtpTestServer;

using smtp_send::Quick;

// The sender comes before the subject here: the cases vary it.
vb::Error SendExpectingError(MailSender& mail, const std::string& server, const std::string& to,
                             const std::string& from = "bob@example.org") {
    return smtp_send::SendExpectingError(mail, server, to, "Pancakes", from);
}

// The message's header block as it went over the line (after DATA, up to the blank line).
std::string HeaderBytes(const SmtpTestServer& server) {
    const std::string all = server.Received();
    const std::size_t data = all.find("DATA\r\n");
    if (data == std::string::npos) return {};
    const std::size_t end = all.find("\r\n\r\n", data);
    return all.substr(data + 6, end == std::string::npos ? std::string::npos : end + 2 - data - 6);
}

// What went before DATA: the commands of the envelope.
std::string EnvelopeBytes(const SmtpTestServer& server) {
    const std::string all = server.Received();
    return all.substr(0, all.find("DATA\r\n"));
}

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
        end = text.find("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        lines.emplace_back(text.substr(start, end - start));
    }
    return lines;
}

// The mailboxes a mail program reads in an address header: commas outside quoted strings and
// angle brackets separate them; each is the address in its brackets, else its text.
std::vector<std::string> Mailboxes(std::string_view value) {
    std::vector<std::string> out;
    std::string text, angle;
    bool quoted = false, inAngle = false, hadAngle = false;
    auto flush = [&] {
        const std::size_t a = text.find_first_not_of(" \t\r\n"), b = text.find_last_not_of(" \t\r\n");
        const std::string bare = a == std::string::npos ? "" : text.substr(a, b - a + 1);
        if (hadAngle || !bare.empty()) out.push_back(hadAngle ? angle : bare);
        text.clear();
        angle.clear();
        hadAngle = false;
    };
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (quoted) {
            if (c == '\\') ++i;
            else if (c == '"') quoted = false;
            text += 'q';  // a quoted word of the name
        } else if (inAngle) {
            if (c == '>') inAngle = false;
            else angle += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == '<') {
            inAngle = hadAngle = true;
        } else if (c == ',') {
            flush();
        } else {
            text += c;
        }
    }
    flush();
    return out;
}

class SmtpWire : public ::testing::Test {
protected:
    drive::TempEnvironment env;
    drive::TestHost host;
};

// Whatever a display name holds, the header names the one address of the envelope.
TEST_F(SmtpWire, TheHeaderNamesOnlyTheEnvelopesAddress) {
    const struct {
        const char* name;
        std::string typed, header;
    } rows[] = {
        {"quoted names around a second address", R"("a", eve@evil.org, "b" <ann@example.org>)",
         R"("\"a\", eve@evil.org, \"b\"" <ann@example.org>)"},
        {"quoted names around an address, no comma first", R"("x" eve@evil.org, "y" <ann@example.org>)",
         R"("\"x\" eve@evil.org, \"y\"" <ann@example.org>)"},
        {"a name typed as one quoted string", R"("Ann @ home" <ann@example.org>)", R"("Ann @ home" <ann@example.org>)"},
        {"escaped quotes inside it", R"("Ann \"Cook\" Smith" <ann@example.org>)",
         R"("Ann \"Cook\" Smith" <ann@example.org>)"},
        {"a quote that ends the string early", R"("Ann" "Eve" <ann@example.org>)",
         R"("\"Ann\" \"Eve\"" <ann@example.org>)"},
        {"backslashes, one at the end", R"(C:\Recipes\ <ann@example.org>)", R"("C:\\Recipes\\" <ann@example.org>)"},
        {"a plain name", "Ann Example <ann@example.org>", R"("Ann Example" <ann@example.org>)"},
        {"a name that looks like an encoded word", "=?UTF-8?B?ZXZlQGV2aWwub3Jn?= <ann@example.org>",
         "=?UTF-8?B?PT9VVEYtOD9CP1pYWmxRR1YyYVd3dWIzSm4/PQ==?= <ann@example.org>"},
        {"an empty quoted name", R"("" <ann@example.org>)", "ann@example.org"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        SmtpTestServer server;
        SmtpMailSender mail(Quick());
        mail.SendHtmlMail(server.Address(), r.typed, "Pancakes", "<p>Hi</p>", r.typed);
        const auto mails = server.Mails();
        ASSERT_EQ(mails.size(), 1u);
        EXPECT_EQ(mails[0].rcptTo, std::vector<std::string>{"ann@example.org"});
        EXPECT_EQ(mails[0].mailFrom, "ann@example.org");
        const std::string head = HeaderBytes(server);
        EXPECT_NE(head.find("\r\nTo: " + r.header + "\r\n"), std::string::npos) << head;
        EXPECT_NE(head.find("\r\nFrom: " + r.header + "\r\n"), std::string::npos) << head;
        for (const char* field : {"To", "From"})
            EXPECT_EQ(Mailboxes(mails[0].Header(field)), std::vector<std::string>{"ann@example.org"}) << field;
    }
}

// No header line passes 78 octets: a long or non-ASCII name or subject becomes encoded words of
// at most 75 characters, each of whole UTF-8 characters, that read back as typed.
TEST_F(SmtpWire, LongNamesAndSubjectsAreFoldedIntoEncodedWords) {
    std::string longName;
    while (longName.size() < 2000) longName += "Ann Example ";
    longName.resize(2000);
    const struct {
        const char* name;
        std::string displayName, subject;
    } rows[] = {
        {"a name of 2,000 characters", longName, "Pancakes"},
        {"a long name of accented letters", std::string(600, '\xE9'), "Cr\xEApes"},
        {"a long name with quotes and commas", std::string(100, '"') + ", eve@evil.org, " + std::string(100, ','),
         std::string(90, 'p')},
        {"a long subject of euro signs and blanks", "Andr\xE9", std::string(700, '\x80') + " a b " + std::string(700, 'a')},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        SmtpTestServer server;
        SmtpMailSender mail(Quick());
        mail.SendHtmlMail(server.Address(), r.displayName + " <ann@example.org>", r.subject, "<p>Hi</p>",
                          "bob@example.org");
        const auto mails = server.Mails();
        ASSERT_EQ(mails.size(), 1u);
        for (const std::string& line : Lines(HeaderBytes(server))) EXPECT_LE(line.size(), 78u) << line;

        const std::string to = mails[0].Header("To"), subject = mails[0].Header("Subject");
        EXPECT_EQ(drive::DecodeHeaderWords(to), vb::ToUtf8(r.displayName) + " <ann@example.org>");
        EXPECT_EQ(drive::DecodeHeaderWords(subject), vb::ToUtf8(r.subject));
        EXPECT_EQ(Mailboxes(to), std::vector<std::string>{"ann@example.org"});
        const std::regex word(R"(=\?UTF-8\?B\?([A-Za-z0-9+/=]*)\?=)");
        for (const std::string& value : {to, subject}) {
            for (std::sregex_iterator it(value.begin(), value.end(), word), end; it != end; ++it) {
                EXPECT_LE(it->length(), 75);
                const std::string part = drive::DecodeBase64((*it)[1].str());
                EXPECT_EQ(vb::ToUtf8(vb::FromUtf8(part)), part) << "a character was split";
            }
        }
    }
}

// A domain with letters outside ASCII goes out in its "xn--" form, in the envelope and in the
// header; nothing before DATA holds a byte outside ASCII.
TEST_F(SmtpWire, InternationalDomainsGoOutInTheirAsciiForm) {
    SmtpTestServer server;
    SmtpMailSender mail(Quick());
    mail.SendHtmlMail(server.Address(), "Ann <ann@b\xFC" "cher.example>", "Pancakes", "<p>Hi</p>",
                      "bob@M\xFCller.example");
    ASSERT_EQ(server.Mails().size(), 1u);
    const std::string envelope = EnvelopeBytes(server);
    EXPECT_TRUE(std::regex_search(envelope, std::regex("\r\nMAIL FROM:<bob@xn--mller-kva\\.example> SIZE=\\d+\r\n")))
        << envelope;
    EXPECT_NE(envelope.find("\r\nRCPT TO:<ann@xn--bcher-kva.example>\r\n"), std::string::npos) << envelope;
    for (char c : envelope) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << envelope;
    const std::string head = HeaderBytes(server);
    EXPECT_NE(head.find("\r\nTo: \"Ann\" <ann@xn--bcher-kva.example>\r\n"), std::string::npos) << head;
    EXPECT_NE(head.find("\r\nFrom: bob@xn--mller-kva.example\r\n"), std::string::npos) << head;

    // A domain that has no ASCII form is refused before connecting, naming the field.
    for (const std::string& to : {std::string("ann@\xD7.example"), std::string("ann@-b\xFC.example")}) {
        SCOPED_TRACE(to);
        vb::Error e = SendExpectingError(mail, server.Address(), to);
        EXPECT_EQ(e.number, kMailBadArgument);
        EXPECT_EQ(e.description.rfind("The domain of the recipient's address \"" + to + "\" cannot be sent: ", 0), 0u)
            << e.description;
    }
    vb::Error e = SendExpectingError(mail, server.Address(), "ann@example.org", std::string(65, 'b') + "@example.org");
    EXPECT_EQ(e.number, kMailBadArgument);
    EXPECT_TRUE(e.description.ends_with("\" is too long for mail")) << e.description;
    e = SendExpectingError(mail, "\xD7.example", "ann@example.org");
    EXPECT_EQ(e.number, kMailBadArgument);
    EXPECT_EQ(e.description.rfind("The mail server name \"\xD7.example\" cannot be used: it has no ASCII form (", 0), 0u)
        << e.description;
    EXPECT_EQ(server.Connections(), 1);
}

// A mailbox name outside ASCII goes only to a server that offers SMTPUTF8, and then with it. A
// server that does not is known only once it answered EHLO: the send ends there, before MAIL FROM.
TEST_F(SmtpWire, AMailboxNameOutsideAsciiNeedsSmtpUtf8) {
    const std::string jorg = "j\xF6rg@example.org";
    const struct {
        const char* name;
        bool startTls, smtpUtf8;
        std::string to, from;
        const char* refusedField;  // nullptr: sent
    } rows[] = {
        {"recipient, not offered", false, false, jorg, "bob@example.org", "recipient's"},
        {"sender, not offered", false, false, "ann@example.org", jorg, "sender's"},
        {"not offered after STARTTLS either", true, false, jorg, "bob@example.org", "recipient's"},
        {"offered", false, true, jorg, "bob@example.org", nullptr},
        {"offered after STARTTLS", true, true, jorg, jorg, nullptr},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        SmtpTestServer server({.offerStartTls = r.startTls, .offerSmtpUtf8 = r.smtpUtf8, .replies = {}});
        SmtpOptions o = Quick();
        o.verifyTls = false;  // the test server's certificate is self-signed
        SmtpMailSender mail(o);
        vb::Error e = SendExpectingError(mail, server.Address(), r.to, r.from);
        const std::string received = server.Received();
        if (r.refusedField) {
            EXPECT_EQ(e.number, kMailBadArgument);
            EXPECT_EQ(e.description, "The " + std::string(r.refusedField) + " address \"" + jorg +
                                         "\" has letters outside ASCII before the @, and this mail server does not "
                                         "take such addresses (it does not offer SMTPUTF8)");
            EXPECT_EQ(received.find("MAIL FROM"), std::string::npos) << received;
            EXPECT_TRUE(server.Mails().empty());
        } else {
            EXPECT_EQ(e.number, 0) << e.description;
            const std::string from = r.from == jorg ? "j\xC3\xB6rg@example.org" : r.from;
            EXPECT_TRUE(std::regex_search(received, std::regex("\r\nMAIL FROM:<" + from + "> SIZE=\\d+ SMTPUTF8\r\n")))
                << received;
            EXPECT_NE(received.find("\r\nRCPT TO:<j\xC3\xB6rg@example.org>\r\n"), std::string::npos) << received;
            ASSERT_EQ(server.Mails().size(), 1u);
            EXPECT_EQ(server.Mails()[0].Header("To"), "j\xC3\xB6rg@example.org");
        }
        const std::vector<std::string> commands = server.Commands();
        const std::size_t ehlos = std::count_if(commands.begin(), commands.end(),
                                                [](const std::string& c) { return c.rfind("EHLO ", 0) == 0; });
        EXPECT_EQ(ehlos, r.startTls ? 2u : 1u);
    }
}

// Once the last of the message has gone, Cancel no longer says "not sent": it is held off while
// the server has yet to answer, and the indicator says so.
TEST_F(SmtpWire, AfterTheWholeMessageCancelWaitsForTheServersAnswer) {
    {
        SCOPED_TRACE("the server answers late");
        SmtpTestServer server({.holdDotAnswer = true, .replies = {}});
        host.CancelBusyWhenHeld([&server] { server.AnswerDot(); });
        SmtpMailSender mail;  // the default waits: only the server's answer ends it soon
        vb::Error e = SendExpectingError(mail, server.Address(), "ann@example.org");
        EXPECT_EQ(e.number, 0) << e.description;
        EXPECT_EQ(server.Mails().size(), 1u);
        ASSERT_EQ(host.BusyShown().size(), 1u);
        const drive::BusyRecord& busy = host.BusyShown()[0];
        EXPECT_TRUE(busy.cancelRefused);
        EXPECT_FALSE(busy.cancelled);
        EXPECT_EQ(busy.heldPrompts, std::vector<std::string>{std::string(kMailAwaitingConfirmation)});
        EXPECT_TRUE(server.Received().ends_with("\r\n.\r\nQUIT\r\n")) << server.Received();
    }
    {
        SCOPED_TRACE("the server never answers");
        SmtpTestServer server({.replies = {{".", ""}}});
        host.CancelBusyWhenHeld();
        SmtpMailSender mail(Quick());
        vb::Error e = SendExpectingError(mail, server.Address(), "ann@example.org");
        EXPECT_EQ(e.number, 28) << e.description;
        EXPECT_TRUE(e.description.ends_with("; the whole mail went out, so it may have been sent")) << e.description;
        EXPECT_TRUE(host.BusyShown().back().cancelRefused);
        EXPECT_NE(server.Received().find("\r\n.\r\n"), std::string::npos);
    }
    {
        // 60 KB go to the transfer library at once, more than the line holds: the end never leaves.
        SCOPED_TRACE("the server stops reading before the end");
        SmtpTestServer server({.stopReadingAtData = true, .replies = {}});
        host.CancelBusy(300);
        SmtpOptions patient = Quick();
        patient.answerTimeout = std::chrono::seconds(5);  // a Cancel held off would wait this long
        SmtpMailSender mail(patient);
        vb::Error e(0);
        try {
            mail.SendHtmlMail(server.Address(), "ann@example.org", "Pancakes", std::string(60000, 'x'), "bob@example.org");
        } catch (const vb::Error& error) {
            e = error;
        }
        EXPECT_EQ(e.number, kMailCancelled) << e.description;
        EXPECT_TRUE(host.BusyShown().back().heldPrompts.empty());
    }
    {
        SCOPED_TRACE("the server refuses the message");
        SmtpTestServer server({.holdDotAnswer = true, .replies = {{".", "554 5.7.1 Message rejected"}}});
        host.CancelBusyWhenHeld([&server] { server.AnswerDot(); });
        SmtpMailSender mail(Quick());
        vb::Error e = SendExpectingError(mail, server.Address(), "ann@example.org");
        EXPECT_EQ(e.number, 554);
        EXPECT_EQ(e.description, "5.7.1 Message rejected");
    }
}

}  // namespace
