#pragma once
// A small SMTP server for tests of real mail sending: it listens on 127.0.0.1 on a free port, on a
// thread of its own, takes every message and keeps what it received.
//
//     drive::SmtpTestServer server;
//     host.SetMailFactory(services::SmtpMailFactory());   // the real sender instead of the recorder
//     ... send to server.Address() ...
//     ASSERT_EQ(server.Mails().size(), 1u);
//     EXPECT_EQ(server.Mails()[0].Header("Subject"), "...");
//
// A message is in Mails() before the server confirms it, so it is there when the send returns.
#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace drive {

struct ReceivedMail {
    std::string helo;                  // the name the client greeted with (EHLO or HELO)
    std::string mailFrom;              // the MAIL FROM address, without the angle brackets
    std::vector<std::string> rcptTo;   // the RCPT TO addresses, likewise
    std::string data;                  // the message after DATA, dots unstuffed, CR LF line ends
    bool tls = false;                  // it came over TLS

    // The first header field of that name (letter case aside), unfolded; "" when absent.
    std::string Header(std::string_view name) const;
    int HeaderCount(std::string_view name) const;
    // The header lines themselves, as sent.
    std::vector<std::string> HeaderLines() const;
    // The body as sent, and decoded by its Content-Transfer-Encoding.
    std::string RawBody() const;
    std::string Body() const;
};

// Decoders for checking what a mailer wrote.
std::string DecodeHeaderWords(std::string_view value);  // RFC 2047 words (B and Q) joined
std::string DecodeQuotedPrintable(std::string_view text);
std::string DecodeBase64(std::string_view text);

class SmtpTestServer {
public:
    struct Options {
        bool offerStartTls = false;  // advertise STARTTLS; a self-signed certificate for "localhost"
        bool offerSmtpUtf8 = false;  // advertise SMTPUTF8 (addresses with non-ASCII mailbox names)
        // Once a message's final dot has come, wait for AnswerDot() before answering it (a slow
        // server, without depending on the clock).
        bool holdDotAnswer = false;
        // Once DATA is answered, read nothing more (a server that stops taking the message). Its
        // line then holds some 40 KB at most: a longer message never gets its end out.
        bool stopReadingAtData = false;
        // Replies in place of the usual ones, by the step they answer: "greeting", "EHLO", "HELO",
        // "STARTTLS", "MAIL", "RCPT", "DATA", "." (end of the message), "QUIT". Several lines are
        // separated by "\r\n". An empty reply makes the server fall silent from that step on: it
        // keeps the connection open and never answers again.
        std::map<std::string, std::string> replies;
    };

    SmtpTestServer();
    explicit SmtpTestServer(Options options);
    ~SmtpTestServer();
    SmtpTestServer(const SmtpTestServer&) = delete;
    SmtpTestServer& operator=(const SmtpTestServer&) = delete;

    int Port() const { return port_; }
    std::string Address() const;  // "127.0.0.1:port", as the server box takes it

    std::vector<ReceivedMail> Mails() const;
    std::vector<std::string> Commands() const;  // every command line, in order (not message lines)
    std::string Received() const;               // every byte the clients sent, in order (after TLS)
    int Connections() const;
    // Lets a held answer to the final dot go out (and those of later messages).
    void AnswerDot();

    struct Tls;

private:
    void Run();
    void Serve(int fd);

    Options options_;
    std::unique_ptr<Tls> tls_;
    int listen_ = -1;
    int wake_[2] = {-1, -1};
    int port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex m_;
    std::vector<ReceivedMail> mails_;
    std::vector<std::string> commands_;
    std::string received_;
    int connections_ = 0;
    bool dotAnswered_ = false;
    std::condition_variable dotChanged_;
    std::thread thread_;
};

// A port on 127.0.0.1 where nobody listens (bound, so nobody else takes it, but not listening).
class ClosedPort {
public:
    ClosedPort();
    ~ClosedPort();
    ClosedPort(const ClosedPort&) = delete;
    ClosedPort& operator=(const ClosedPort&) = delete;
    int Port() const { return port_; }
    std::string Address() const;

private:
    int fd_ = -1;
    int port_ = 0;
};

}  // namespace drive
