#include "platform/testing/smtp_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <stdexcept>

namespace drive {

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return out;
}

std::string_view TrimStart(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// "MAIL FROM:<a@b> SIZE=12" -> "a@b"
std::string AngleAddress(std::string_view arg) {
    std::size_t open = arg.find('<'), close = arg.find('>');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return std::string(arg);
    return std::string(arg.substr(open + 1, close - open - 1));
}

// A TCP socket bound to a free port on 127.0.0.1.
int BindLoopback(int& port) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0)
        throw std::runtime_error("cannot bind a port on 127.0.0.1");
    port = ntohs(a.sin_port);
    return fd;
}

// One client connection, plain or TLS. Reads wait in short steps so the server can stop.
class Connection {
public:
    using Log = std::function<void(std::string_view)>;
    Connection(int fd, int wake, const std::atomic<bool>& stop, Log log)
        : fd_(fd), wake_(wake), stop_(stop), log_(std::move(log)) {}
    ~Connection() {
        if (ssl_) {
            SSL_shutdown(ssl_);
            SSL_free(ssl_);
        }
    }

    bool StartTls(SSL_CTX* ctx) {
        ssl_ = SSL_new(ctx);
        SSL_set_fd(ssl_, fd_);
        buffer_.clear();
        return SSL_accept(ssl_) == 1;
    }
    bool Tls() const { return ssl_ != nullptr; }

    bool ReadLine(std::string& line) {
        for (;;) {
            std::size_t nl = buffer_.find('\n');
            if (nl != std::string::npos) {
                line = buffer_.substr(0, nl);
                if (!line.empty() && line.back() == '\r') line.pop_back();
                buffer_.erase(0, nl + 1);
                return true;
            }
            if (!WaitReadable()) return false;
            char chunk[4096];
            long n = ssl_ ? SSL_read(ssl_, chunk, sizeof chunk) : recv(fd_, chunk, sizeof chunk, 0);
            if (n <= 0) return false;
            buffer_.append(chunk, static_cast<std::size_t>(n));
            log_(std::string_view(chunk, static_cast<std::size_t>(n)));
        }
    }

    void Write(std::string_view text) {
        while (!text.empty()) {
            long n = ssl_ ? SSL_write(ssl_, text.data(), static_cast<int>(text.size()))
                          : send(fd_, text.data(), text.size(), MSG_NOSIGNAL);
            if (n <= 0) return;
            text.remove_prefix(static_cast<std::size_t>(n));
        }
    }

private:
    bool WaitReadable() {
        if (ssl_ && SSL_pending(ssl_) > 0) return true;
        while (!stop_) {
            pollfd fds[2] = {{fd_, POLLIN, 0}, {wake_, POLLIN, 0}};
            if (poll(fds, 2, 100) > 0 && (fds[0].revents & (POLLIN | POLLHUP | POLLERR))) return true;
        }
        return false;
    }

    int fd_, wake_;
    const std::atomic<bool>& stop_;
    Log log_;
    SSL* ssl_ = nullptr;
    std::string buffer_;
};

}  // namespace

// A throw-away self-signed certificate for "localhost".
struct SmtpTestServer::Tls {
    SSL_CTX* ctx = nullptr;
    Tls() {
        EVP_PKEY* key = EVP_EC_gen("P-256");
        X509* cert = X509_new();
        X509_set_version(cert, 2);
        ASN1_INTEGER_set(X509_get_serialNumber(cert), 1);
        X509_gmtime_adj(X509_getm_notBefore(cert), -3600);
        X509_gmtime_adj(X509_getm_notAfter(cert), 86400);
        X509_set_pubkey(cert, key);
        X509_NAME* name = X509_get_subject_name(cert);
        X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("localhost"), -1,
                                   -1, 0);
        X509_set_issuer_name(cert, name);
        X509_sign(cert, key, EVP_sha256());
        ctx = SSL_CTX_new(TLS_server_method());
        bool ok = ctx && SSL_CTX_use_certificate(ctx, cert) == 1 && SSL_CTX_use_PrivateKey(ctx, key) == 1;
        X509_free(cert);
        EVP_PKEY_free(key);
        if (!ok) throw std::runtime_error("smtp test server: no TLS context");
    }
    ~Tls() { SSL_CTX_free(ctx); }
};

SmtpTestServer::SmtpTestServer() : SmtpTestServer(Options{}) {}

SmtpTestServer::SmtpTestServer(Options options) : options_(std::move(options)) {
    std::signal(SIGPIPE, SIG_IGN);  // a client that hangs up must not end the test program
    if (options_.offerStartTls) tls_ = std::make_unique<Tls>();
    listen_ = BindLoopback(port_);
    if (options_.stopReadingAtData) {
        // A small window and small segments keep what the line holds small.
        int window = 1024, segment = 536;
        setsockopt(listen_, SOL_SOCKET, SO_RCVBUF, &window, sizeof window);
        setsockopt(listen_, IPPROTO_TCP, TCP_MAXSEG, &segment, sizeof segment);
    }
    if (listen(listen_, 8) != 0 || pipe(wake_) != 0) throw std::runtime_error("smtp test server: cannot listen");
    thread_ = std::thread([this] { Run(); });
}

SmtpTestServer::~SmtpTestServer() {
    {
        std::lock_guard lock(m_);
        stop_ = true;
    }
    dotChanged_.notify_all();
    [[maybe_unused]] auto n = write(wake_[1], "x", 1);
    thread_.join();
    close(listen_);
    close(wake_[0]);
    close(wake_[1]);
}

std::string SmtpTestServer::Address() const { return "127.0.0.1:" + std::to_string(port_); }

std::vector<ReceivedMail> SmtpTestServer::Mails() const {
    std::lock_guard lock(m_);
    return mails_;
}

std::vector<std::string> SmtpTestServer::Commands() const {
    std::lock_guard lock(m_);
    return commands_;
}

std::string SmtpTestServer::Received() const {
    std::lock_guard lock(m_);
    return received_;
}

void SmtpTestServer::AnswerDot() {
    {
        std::lock_guard lock(m_);
        dotAnswered_ = true;
    }
    dotChanged_.notify_all();
}

int SmtpTestServer::Connections() const {
    std::lock_guard lock(m_);
    return connections_;
}

void SmtpTestServer::Run() {
    while (!stop_) {
        pollfd fds[2] = {{listen_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (poll(fds, 2, -1) <= 0 || !(fds[0].revents & POLLIN)) continue;
        int fd = accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        timeval limit{5, 0};  // a stuck TLS handshake must not hold the server for ever
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        {
            std::lock_guard lock(m_);
            ++connections_;
        }
        Serve(fd);
        close(fd);
    }
}

void SmtpTestServer::Serve(int fd) {
    Connection conn(fd, wake_[0], stop_, [this](std::string_view bytes) {
        std::lock_guard lock(m_);
        received_ += bytes;
    });
    bool silent = false;
    // Sends the step's reply (or its replacement); false once the server has fallen silent.
    auto reply = [&](const std::string& step, const std::string& usual) {
        auto it = options_.replies.find(step);
        const std::string& text = it != options_.replies.end() ? it->second : usual;
        if (text.empty()) {
            silent = true;
            return false;
        }
        conn.Write(text + "\r\n");
        return true;
    };
    std::string line;
    auto drain = [&] {
        while (conn.ReadLine(line)) {
        }
    };
    if (!reply("greeting", "220 localhost ESMTP test server")) return drain();

    std::string helo;
    ReceivedMail mail;
    while (conn.ReadLine(line)) {
        {
            std::lock_guard lock(m_);
            commands_.push_back(line);
        }
        std::size_t space = line.find(' ');
        std::string verb = Lower(line.substr(0, space));
        std::string_view arg = space == std::string::npos ? std::string_view() : TrimStart(std::string_view(line).substr(space));
        if (verb == "ehlo") {
            helo = std::string(arg);
            std::string usual = "250-localhost greets you\r\n250-8BITMIME\r\n";
            if (options_.offerStartTls && !conn.Tls()) usual += "250-STARTTLS\r\n";
            if (options_.offerSmtpUtf8) usual += "250-SMTPUTF8\r\n";
            reply("EHLO", usual + "250 SIZE 10485760");
        } else if (verb == "helo") {
            helo = std::string(arg);
            reply("HELO", "250 localhost");
        } else if (verb == "starttls") {
            bool can = options_.offerStartTls && !conn.Tls();
            if (!reply("STARTTLS", can ? "220 Ready to start TLS" : "454 TLS not available")) break;
            auto it = options_.replies.find("STARTTLS");
            if (can && (it == options_.replies.end() || it->second.starts_with("2"))) {
                if (!conn.StartTls(tls_->ctx)) return;
                helo.clear();
                mail = {};
            }
        } else if (verb == "mail") {
            mail = {};
            mail.helo = helo;
            mail.mailFrom = AngleAddress(arg);
            mail.tls = conn.Tls();
            reply("MAIL", "250 OK");
        } else if (verb == "rcpt") {
            auto it = options_.replies.find("RCPT");
            if (it == options_.replies.end() || it->second.starts_with("2")) mail.rcptTo.push_back(AngleAddress(arg));
            reply("RCPT", "250 OK");
        } else if (verb == "data") {
            auto it = options_.replies.find("DATA");
            bool go = it == options_.replies.end() || it->second.starts_with("3");
            if (!reply("DATA", "354 End data with <CR><LF>.<CR><LF>")) break;
            if (!go) continue;
            if (options_.stopReadingAtData) {
                std::unique_lock lock(m_);
                dotChanged_.wait(lock, [this] { return stop_.load(); });
                return;
            }
            mail.data.clear();
            bool ended = false;
            while (conn.ReadLine(line)) {
                if (line == ".") {
                    ended = true;
                    break;
                }
                if (line.starts_with(".")) line.erase(0, 1);
                mail.data += line + "\r\n";
            }
            if (!ended) return;
            if (options_.holdDotAnswer) {
                std::unique_lock lock(m_);
                dotChanged_.wait(lock, [this] { return dotAnswered_ || stop_; });
            }
            auto end = options_.replies.find(".");
            if (end == options_.replies.end() || end->second.starts_with("2")) {
                std::lock_guard lock(m_);
                mails_.push_back(mail);
            }
            if (!reply(".", "250 OK queued")) break;
        } else if (verb == "rset") {
            mail = {};
            reply("RSET", "250 OK");
        } else if (verb == "noop") {
            reply("NOOP", "250 OK");
        } else if (verb == "quit") {
            if (!reply("QUIT", "221 Bye")) break;
            return;
        } else {
            reply(verb, "500 Command not recognised");
        }
        if (silent) break;
    }
    if (silent) drain();
}

// What was received.

std::vector<std::string> ReceivedMail::HeaderLines() const {
    std::vector<std::string> lines;
    std::size_t end = data.find("\r\n\r\n");
    std::string_view head = std::string_view(data).substr(0, end == std::string::npos ? data.size() : end + 2);
    while (!head.empty()) {
        std::size_t nl = head.find("\r\n");
        std::string_view l = head.substr(0, nl);
        if ((l.starts_with(" ") || l.starts_with("\t")) && !lines.empty()) lines.back() += "\r\n" + std::string(l);
        else lines.emplace_back(l);
        head.remove_prefix(nl == std::string_view::npos ? head.size() : nl + 2);
    }
    return lines;
}

std::string ReceivedMail::Header(std::string_view name) const {
    std::string want = Lower(name) + ":";
    for (const auto& l : HeaderLines()) {
        if (Lower(l.substr(0, want.size())) != want) continue;
        std::string value(TrimStart(std::string_view(l).substr(want.size())));
        std::string unfolded;
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (value.compare(i, 2, "\r\n") == 0) ++i;
            else unfolded += value[i];
        }
        return unfolded;
    }
    return {};
}

int ReceivedMail::HeaderCount(std::string_view name) const {
    std::string want = Lower(name) + ":";
    int n = 0;
    for (const auto& l : HeaderLines()) n += Lower(l.substr(0, want.size())) == want;
    return n;
}

std::string ReceivedMail::RawBody() const {
    std::size_t end = data.find("\r\n\r\n");
    return end == std::string::npos ? std::string() : data.substr(end + 4);
}

std::string ReceivedMail::Body() const {
    std::string cte = Lower(Header("Content-Transfer-Encoding"));
    if (cte == "quoted-printable") return DecodeQuotedPrintable(RawBody());
    if (cte == "base64") return DecodeBase64(RawBody());
    return RawBody();
}

std::string DecodeQuotedPrintable(std::string_view t) {
    std::string out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] != '=') {
            out += t[i];
        } else if (t.substr(i + 1, 2) == "\r\n") {
            i += 2;
        } else if (i + 2 < t.size() && HexValue(t[i + 1]) >= 0 && HexValue(t[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(t[i + 1]) * 16 + HexValue(t[i + 2]));
            i += 2;
        } else {
            out += '=';
        }
    }
    return out;
}

std::string DecodeBase64(std::string_view t) {
    static constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    unsigned bits = 0;
    int count = 0;
    for (char c : t) {
        std::size_t v = kAlphabet.find(c);
        if (v == std::string_view::npos) continue;
        bits = (bits << 6) | static_cast<unsigned>(v);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return out;
}

std::string DecodeHeaderWords(std::string_view v) {
    std::string out, gap;
    bool lastWasWord = false;
    while (!v.empty()) {
        std::size_t start = v.find("=?");
        std::size_t q1 = start == std::string_view::npos ? start : v.find('?', start + 2);
        std::size_t q2 = q1 == std::string_view::npos ? q1 : v.find('?', q1 + 1);
        std::size_t end = q2 == std::string_view::npos ? q2 : v.find("?=", q2 + 1);
        if (end == std::string_view::npos) {
            out += v;
            break;
        }
        std::string_view before = v.substr(0, start);
        // Blanks between two encoded words are dropped.
        if (!(lastWasWord && before.find_first_not_of(" \t\r\n") == std::string_view::npos)) out += before;
        char kind = static_cast<char>(v[q1 + 1] | 0x20);
        std::string_view text = v.substr(q2 + 1, end - q2 - 1);
        if (kind == 'b') {
            out += DecodeBase64(text);
        } else {
            std::string q(text);
            for (char& c : q) {
                if (c == '_') c = ' ';
            }
            out += DecodeQuotedPrintable(q);
        }
        lastWasWord = true;
        v.remove_prefix(end + 2);
    }
    return out;
}

ClosedPort::ClosedPort() {
    fd_ = BindLoopback(port_);
}

ClosedPort::~ClosedPort() { close(fd_); }

std::string ClosedPort::Address() const { return "127.0.0.1:" + std::to_string(port_); }

}  // namespace drive
