// The SMTP sender: checks the texts, builds the message and hands it to libcurl.
#include "platform/services/smtp.h"

#include <curl/curl.h>
#include <unistd.h>

#include <cstdio>
#include <mutex>
#include <random>
#include <vector>

#include "platform/core/error.h"
#include "platform/core/text.h"

namespace services {

namespace {

[[noreturn]] void Fail(int number, std::string description) {
    throw vb::Error(number, vb::FromUtf8(description), std::string(kMailErrorSource));
}

// Header fields take no line breaks: one would let the text add headers of its own.
void CheckOneLine(std::string_view text, const char* what, bool allowTab) {
    for (char c : text) {
        unsigned char u = static_cast<unsigned char>(c);
        if ((u < 0x20 && !(allowTab && c == '\t')) || u == 0x7F)
            Fail(kMailBadArgument, std::string("The ") + what + " may not hold a line break or other control character");
    }
}

bool IsDomain(std::string_view d) {
    if (d.empty()) return false;
    for (char c : d) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
        if (!ok) return false;
    }
    return true;
}

std::string ThisHost() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) == 0 && IsDomain(name)) return name;
    return "localhost";
}

// "<random.time@domain>", the domain taken from the sender's address when it has a plain one.
std::string NewMessageId(std::string_view envelopeFrom) {
    static std::mutex m;
    static std::mt19937_64 random{std::random_device{}()};
    unsigned long long r;
    {
        std::lock_guard lock(m);
        r = random();
    }
    std::size_t at = envelopeFrom.rfind('@');
    std::string domain = at != std::string_view::npos && IsDomain(envelopeFrom.substr(at + 1))
                             ? std::string(envelopeFrom.substr(at + 1))
                             : ThisHost();
    char buf[64];
    std::snprintf(buf, sizeof buf, "%016llx.%llx", r, static_cast<unsigned long long>(std::time(nullptr)));
    return "<" + std::string(buf) + "@" + domain + ">";
}

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Upload {
    std::string_view rest;
};

size_t ReadMessage(char* buffer, size_t size, size_t count, void* user) {
    auto* up = static_cast<Upload*>(user);
    size_t n = std::min(size * count, up->rest.size());
    up->rest.copy(buffer, n);
    up->rest.remove_prefix(n);
    return n;
}

// The server's replies reach us line by line; we keep the last refusal for its text (a closing
// "221 Bye" may come after it).
struct Replies {
    std::vector<std::string> current;
    std::vector<std::string> refusal;
    bool complete = true;
};

size_t ReadReply(char* data, size_t size, size_t count, void* user) {
    auto* r = static_cast<Replies*>(user);
    std::string line(data, size * count);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (r->complete) r->current.clear();
    r->complete = line.size() < 4 || line[3] != '-';
    r->current.push_back(line);
    if (r->complete && (line.starts_with("4") || line.starts_with("5"))) r->refusal = r->current;
    return size * count;
}

// "550-First line" / "550 Second line" -> "First line Second line".
std::string ReplyText(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines) {
        std::string_view t = l.size() > 4 ? std::string_view(l).substr(4) : std::string_view();
        if (t.empty()) continue;
        if (!text.empty()) text += ' ';
        text += t;
    }
    return text;
}

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

}  // namespace

SmtpMailSender::SmtpMailSender(SmtpOptions options) : options_(options) {}

void SmtpMailSender::SendHtmlMail(const std::string& server, const std::string& recipient,
                                  const std::string& subject, const std::string& htmlBody,
                                  const std::string& sender) {
    // Everything is checked before a connection is made.
    CheckOneLine(recipient, "recipient's address", false);
    CheckOneLine(sender, "sender's address", false);
    CheckOneLine(subject, "subject", true);
    MailServerAddress address = ParseMailServer(vb::ToUtf8(server));
    std::string to = vb::ToUtf8(recipient), from = vb::ToUtf8(sender);
    std::string envelopeTo = EnvelopeAddress(to), envelopeFrom = EnvelopeAddress(from);
    if (envelopeTo.empty()) Fail(kMailBadArgument, "No recipient's address was given");
    if (envelopeFrom.empty()) Fail(kMailBadArgument, "No sender's address was given");

    std::string message = BuildMailMessage({.from = from,
                                            .to = to,
                                            .subject = vb::ToUtf8(subject),
                                            .htmlBody = vb::ToUtf8(htmlBody),
                                            .date = MailDateNow(),
                                            .messageId = NewMessageId(envelopeFrom)});

    GlobalInit();
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) Fail(CURLE_OUT_OF_MEMORY, curl_easy_strerror(CURLE_OUT_OF_MEMORY));
    std::unique_ptr<curl_slist, CurlDeleter> rcpt(curl_slist_append(nullptr, ("<" + envelopeTo + ">").c_str()));
    Upload upload{message};
    Replies replies;
    char errorText[CURL_ERROR_SIZE] = {};
    // The URL's path is the name we greet the server with.
    std::string url = address.Url() + "/" + ThisHost();
    std::string mailFrom = "<" + envelopeFrom + ">";

    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(c, CURLOPT_PROXY, "");  // mail goes straight to the server
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, options_.verifyTls ? 1L : 0L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, options_.verifyTls ? 2L : 0L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options_.connectTimeout.count()));
    long answerSeconds = std::max(1L, static_cast<long>(options_.answerTimeout.count()));
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, answerSeconds);
    // While the message is sent, a server that stops taking it counts as not answering.
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, answerSeconds);
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, mailFrom.c_str());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, rcpt.get());
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(message.size()));
    curl_easy_setopt(c, CURLOPT_READFUNCTION, ReadMessage);
    curl_easy_setopt(c, CURLOPT_READDATA, &upload);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, ReadReply);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &replies);

    CURLcode result = curl_easy_perform(c);
    if (result == CURLE_OK) return;
    long code = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &code);
    if (code >= 400 && code <= 599) {
        std::string text = ReplyText(replies.refusal);
        Fail(static_cast<int>(code), text.empty() ? std::string(errorText) : text);
    }
    std::string text = errorText[0] ? std::string(errorText) : std::string(curl_easy_strerror(result));
    if (result == CURLE_OPERATION_TIMEDOUT) text = "The mail server did not answer in time (" + text + ")";
    Fail(result, text);
}

MailFactory SmtpMailFactory(SmtpOptions options) {
    return [options](std::string_view classId) -> std::unique_ptr<MailSender> {
        if (vb::StrComp(classId, kMailSenderClassId, vb::Compare::Text) != 0) return nullptr;
        return std::make_unique<SmtpMailSender>(options);
    };
}

}  // namespace services
