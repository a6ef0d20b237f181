// The SMTP sender: checks the texts, builds the message and hands it to libcurl.
#include "platform/services/smtp.h"

#include <curl/curl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <vector>

#include "platform/core/error.h"
#include "platform/core/text.h"
#include "platform/services/dialogs.h"
#include "platform/services/library.h"

namespace services {

namespace {

[[noreturn]] void Fail(int number, std::string description) {
    throw vb::Error(number, vb::FromUtf8(description), std::string(kMailErrorSource));
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

// libcurl's functions, from the library opened on the first mail.
struct CurlApi {
    CURLcode (*global_init)(long flags);
    CURL* (*easy_init)();
    CURLcode (*easy_setopt)(CURL*, CURLoption, ...);
    CURLcode (*easy_getinfo)(CURL*, CURLINFO, ...);
    const char* (*easy_strerror)(CURLcode);
    void (*easy_cleanup)(CURL*);
    curl_slist* (*slist_append)(curl_slist*, const char*);
    void (*slist_free_all)(curl_slist*);
    CURLM* (*multi_init)();
    CURLMcode (*multi_add_handle)(CURLM*, CURL*);
    CURLMcode (*multi_remove_handle)(CURLM*, CURL*);
    CURLMcode (*multi_perform)(CURLM*, int*);
    CURLMcode (*multi_poll)(CURLM*, curl_waitfd[], unsigned, int, int*);
    CURLMcode (*multi_wakeup)(CURLM*);
    CURLMsg* (*multi_info_read)(CURLM*, int*);
    CURLMcode (*multi_cleanup)(CURLM*);
    curl_version_info_data* (*version_info)(CURLversion);
};

// The API of that libcurl, initialised once; vb::Error 2 (libcurl's "failed initialization")
// naming the library when it cannot be loaded.
const CurlApi& Curl(const std::string& soname) {
    static std::mutex m;
    static std::map<std::string, CurlApi> loaded;
    std::lock_guard lock(m);
    if (auto it = loaded.find(soname); it != loaded.end()) return it->second;
    // curl_multi_poll and curl_multi_wakeup came with libcurl 7.68.
    const LibrarySymbols lib = LoadLibrarySymbols(
        soname, {"curl_global_init", "curl_easy_init", "curl_easy_setopt", "curl_easy_getinfo", "curl_easy_strerror",
                 "curl_easy_cleanup", "curl_slist_append", "curl_slist_free_all", "curl_multi_init",
                 "curl_multi_add_handle", "curl_multi_remove_handle", "curl_multi_perform", "curl_multi_poll",
                 "curl_multi_wakeup", "curl_multi_info_read", "curl_multi_cleanup", "curl_version_info"});
    if (!lib.ok()) Fail(CURLE_FAILED_INIT, "Mail cannot be sent: the mail library " + lib.error);
    const auto& f = lib.symbols;
    CurlApi api{As<decltype(CurlApi::global_init)>(f[0]),          As<decltype(CurlApi::easy_init)>(f[1]),
                As<decltype(CurlApi::easy_setopt)>(f[2]),          As<decltype(CurlApi::easy_getinfo)>(f[3]),
                As<decltype(CurlApi::easy_strerror)>(f[4]),        As<decltype(CurlApi::easy_cleanup)>(f[5]),
                As<decltype(CurlApi::slist_append)>(f[6]),         As<decltype(CurlApi::slist_free_all)>(f[7]),
                As<decltype(CurlApi::multi_init)>(f[8]),           As<decltype(CurlApi::multi_add_handle)>(f[9]),
                As<decltype(CurlApi::multi_remove_handle)>(f[10]), As<decltype(CurlApi::multi_perform)>(f[11]),
                As<decltype(CurlApi::multi_poll)>(f[12]),          As<decltype(CurlApi::multi_wakeup)>(f[13]),
                As<decltype(CurlApi::multi_info_read)>(f[14]),     As<decltype(CurlApi::multi_cleanup)>(f[15]),
                As<decltype(CurlApi::version_info)>(f[16])};
    if (const CURLcode rc = api.global_init(CURL_GLOBAL_DEFAULT); rc != CURLE_OK)
        Fail(rc, std::string("Mail cannot be sent: ") + api.easy_strerror(rc));
    return loaded.emplace(soname, api).first->second;
}

// The server's replies reach us line by line. We keep the last refusal for its text (a closing
// "221 Bye" may come after it), learn from the answers before MAIL FROM what the server offers,
// and hear its answer to the end of the message.
struct Replies {
    std::vector<std::string> current;
    std::vector<std::string> refusal;
    bool complete = true;

    // The answers libcurl waits for before MAIL FROM: the greeting, EHLO's (HELO's when EHLO is
    // refused), and when the server offers STARTTLS, that one's and EHLO's again.
    enum class Step { Greeting, Ehlo, Helo, StartTls, Envelope } step = Step::Greeting;
    bool tls = false;  // from the start (port 465), or after STARTTLS
    bool offersStartTls = false, offersUtf8 = false;
    bool needsUtf8 = false;    // a mailbox name is not ASCII
    bool utf8Missing = false;  // ... and the server does not offer SMTPUTF8: stopped before MAIL FROM

    CancelFlag* cancel = nullptr;
    bool handedOver = false;  // the end of the message went out (or goes in this very step)
    bool answered = false;    // the server answered the end of the message
    bool accepted = false;    // ... and took it
};

// A complete reply; false stops the transfer.
bool OnReply(Replies& r) {
    const std::string& last = r.current.back();
    const bool ok = last.starts_with("2");
    // The server's offer is known for good: a mailbox name that needs SMTPUTF8 goes no further
    // when it is not offered.
    auto envelope = [&r] {
        r.step = Replies::Step::Envelope;
        r.utf8Missing = r.needsUtf8 && !r.offersUtf8;
        return !r.utf8Missing;
    };
    switch (r.step) {
    case Replies::Step::Greeting:
        r.step = Replies::Step::Ehlo;
        return true;
    case Replies::Step::Ehlo:
        if (!ok) {
            r.step = Replies::Step::Helo;
            return true;
        }
        r.offersStartTls = r.offersUtf8 = false;
        // The first line names the server; each of the others one extension.
        for (std::size_t i = 1; i < r.current.size(); ++i) {
            std::string keyword = r.current[i].size() > 4 ? r.current[i].substr(4) : std::string();
            keyword = keyword.substr(0, keyword.find(' '));
            for (char& c : keyword) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
            r.offersStartTls |= keyword == "STARTTLS";
            r.offersUtf8 |= keyword == "SMTPUTF8";
        }
        if (r.offersStartTls && !r.tls) {
            r.step = Replies::Step::StartTls;
            return true;
        }
        return envelope();
    case Replies::Step::Helo:
        r.offersUtf8 = false;
        return envelope();
    case Replies::Step::StartTls:
        if (last.starts_with("220")) {
            r.tls = true;
            r.step = Replies::Step::Ehlo;
            return true;
        }
        return envelope();  // refused: libcurl goes on without TLS, with what EHLO offered
    case Replies::Step::Envelope:
        if (r.handedOver && !r.answered) {
            r.answered = true;
            r.accepted = ok;
            // It is the server's now: Cancel may end the goodbye, it cannot unsend.
            if (ok) r.cancel->Release();
        }
        return true;
    }
    return true;
}

size_t ReadReply(char* data, size_t size, size_t count, void* user) {
    auto* r = static_cast<Replies*>(user);
    std::string line(data, size * count);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (r->complete) r->current.clear();
    r->complete = line.size() < 4 || line[3] != '-';
    r->current.push_back(line);
    if (!r->complete) return size * count;
    if (line.starts_with("4") || line.starts_with("5")) r->refusal = r->current;
    return OnReply(*r) ? size * count : 0;
}

size_t ReadMessage(char* buffer, size_t size, size_t count, void* user) {
    auto* rest = static_cast<std::string_view*>(user);
    size_t n = std::min(size * count, rest->size());
    rest->copy(buffer, n);
    rest->remove_prefix(n);
    return n;
}

// What libcurl reports as sent tells when the end of the message has gone. The message has no
// line that opens with a dot, so none is doubled, and it ends with a line end, so ".\r\n" ends
// the data. libcurl 8.7 and later count that end; older ones write it right after the count
// reaches the message, in the same step.
struct Progress {
    CancelFlag* cancel;
    Replies* replies;
    curl_off_t whole;   // the count when the end has gone, or is about to
    bool endCounted;    // ... has gone
};

Progress ProgressOf(const CurlApi& api, std::size_t messageSize, CancelFlag& cancel, Replies& replies) {
    const curl_version_info_data* v = api.version_info(CURLVERSION_NOW);
    const bool endCounted = v && v->version_num >= 0x080700;
    return {&cancel, &replies, static_cast<curl_off_t>(messageSize) + (endCounted ? 3 : 0), endCounted};
}

// Tells libcurl to stop when Cancel was pressed; it asks while it waits inside a step, e.g. for
// the answer to QUIT. Once the end of the message is out, the server may hold the whole mail
// however late it answers, and a Cancel could only make the user believe that it was not sent:
// Cancel is held off, or, pressed already, the end never goes (libcurl before 8.7), or the mail
// counts as perhaps sent.
int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t sent) {
    auto* p = static_cast<Progress*>(user);
    if (!p->replies->handedOver && sent >= p->whole) {
        const bool held = p->cancel->Hold(std::string(kMailAwaitingConfirmation));
        p->replies->handedOver = held || p->endCounted;
        if (!held) return 1;
    }
    return p->cancel->Cancelled() ? 1 : 0;
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
    const CurlApi* api;
    void operator()(CURL* c) const { api->easy_cleanup(c); }
    void operator()(curl_slist* l) const { api->slist_free_all(l); }
};

// The transfer's sockets, so that Cancel can cut them: libcurl then ends the transfer with an
// error at once, whatever step it is in, and the server sees the line drop (a message that loses
// its end is not delivered). Ending it otherwise would let libcurl close the message properly.
struct Sockets {
    const CancelFlag* cancel;
    std::mutex m;
    std::set<curl_socket_t> open;

    void CutAll() {
        std::lock_guard lock(m);
        for (curl_socket_t fd : open) shutdown(fd, SHUT_RDWR);
    }
    bool None() {
        std::lock_guard lock(m);
        return open.empty();
    }
};

curl_socket_t OpenSocket(void* user, curlsocktype, curl_sockaddr* a) {
    auto* s = static_cast<Sockets*>(user);
    std::lock_guard lock(s->m);
    if (s->cancel->Cancelled()) return CURL_SOCKET_BAD;
    const curl_socket_t fd = socket(a->family, a->socktype | SOCK_CLOEXEC, a->protocol);
    if (fd != CURL_SOCKET_BAD) s->open.insert(fd);
    return fd;
}

int CloseSocket(void* user, curl_socket_t fd) {
    auto* s = static_cast<Sockets*>(user);
    std::lock_guard lock(s->m);
    s->open.erase(fd);
    return close(fd);
}

// Runs the transfer to its end; Cancel cuts its line and wakes the wait for the server.
// CURLE_ABORTED_BY_CALLBACK when Cancel came before there was a line.
CURLcode Perform(const CurlApi& api, CURL* c, CancelFlag& cancel, Sockets& sockets) {
    CURLM* multi = api.multi_init();
    if (!multi) return CURLE_OUT_OF_MEMORY;
    if (api.multi_add_handle(multi, c) != CURLM_OK) {
        api.multi_cleanup(multi);
        return CURLE_FAILED_INIT;
    }
    cancel.WhenCancelled([&api, &sockets, multi] {
        sockets.CutAll();
        api.multi_wakeup(multi);
    });
    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    // A cut line ends the transfer in a round or two; should it not, it is given up all the same
    // (its line is dead, so nothing more can reach the server).
    int roundsSinceCancel = 0;
    for (;;) {
        int running = 0;
        if (api.multi_perform(multi, &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        if (running == 0) {
            int left = 0;
            while (CURLMsg* msg = api.multi_info_read(multi, &left)) {
                if (msg->msg == CURLMSG_DONE && msg->easy_handle == c) result = msg->data.result;
            }
            break;
        }
        // Still looking the server up: no line yet, nothing sent.
        if (cancel.Cancelled() && (sockets.None() || ++roundsSinceCancel > 5)) break;
        api.multi_poll(multi, nullptr, 0, 1000, nullptr);
    }
    cancel.WhenCancelled(nullptr);
    api.multi_remove_handle(multi, c);
    api.multi_cleanup(multi);
    return result;
}

}  // namespace

SmtpMailSender::SmtpMailSender(SmtpOptions options) : options_(options) {}

void SmtpMailSender::SendHtmlMail(const std::string& server, const std::string& recipient,
                                  const std::string& subject, const std::string& htmlBody,
                                  const std::string& sender) {
    // Everything is checked before a connection is made.
    const MailEnvelopeAddress to = PrepareMailAddress(recipient, "recipient's");
    const MailEnvelopeAddress from = PrepareMailAddress(sender, "sender's");
    CheckMailHeaderText(subject, "subject", true);
    MailServerAddress address = ParseMailServer(vb::ToUtf8(server));
    try {
        address.host = MailDomainToAscii(address.host);  // what libcurl would do in a UTF-8 locale only
    } catch (const vb::Error& e) {
        if (e.number != kMailBadArgument) throw;
        Fail(kMailBadArgument,
             "The mail server name \"" + address.host + "\" cannot be used: " + vb::ToUtf8(e.description));
    }
    const std::string& envelopeTo = to.utf8.address;
    const std::string& envelopeFrom = from.utf8.address;

    const std::string message = BuildMailMessage({.from = from.utf8,
                                                  .to = to.utf8,
                                                  .subject = vb::ToUtf8(subject),
                                                  .htmlBody = vb::ToUtf8(htmlBody),
                                                  .date = MailDateNow(),
                                                  .messageId = NewMessageId(envelopeFrom)});

    // The exchange may take as long as the server makes it; the windows go on meanwhile.
    RunBusy("Sending\x85", {}, [&](CancelFlag& cancel) {
        const CurlApi& api = Curl(options_.library);
        Sockets sockets{&cancel, {}, {}};  // outlives the handle, which may close a socket last
        std::unique_ptr<CURL, CurlDeleter> curl(api.easy_init(), CurlDeleter{&api});
        if (!curl) Fail(CURLE_OUT_OF_MEMORY, api.easy_strerror(CURLE_OUT_OF_MEMORY));
        std::unique_ptr<curl_slist, CurlDeleter> rcpt(api.slist_append(nullptr, ("<" + envelopeTo + ">").c_str()),
                                                      CurlDeleter{&api});
        Replies replies;
        replies.tls = address.port == 465;
        replies.needsUtf8 = to.needsSmtpUtf8 || from.needsSmtpUtf8;
        replies.cancel = &cancel;
        std::string_view rest = message;
        Progress progress = ProgressOf(api, message.size(), cancel, replies);
        char errorText[CURL_ERROR_SIZE] = {};
        // The URL's path is the name we greet the server with.
        const std::string url = address.Url() + "/" + ThisHost();
        const std::string mailFrom = "<" + envelopeFrom + ">";

        CURL* c = curl.get();
        api.easy_setopt(c, CURLOPT_URL, url.c_str());
        api.easy_setopt(c, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
        api.easy_setopt(c, CURLOPT_PROXY, "");  // mail goes straight to the server
        api.easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
        api.easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
        api.easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
        api.easy_setopt(c, CURLOPT_SSL_VERIFYPEER, options_.verifyTls ? 1L : 0L);
        api.easy_setopt(c, CURLOPT_SSL_VERIFYHOST, options_.verifyTls ? 2L : 0L);
        api.easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options_.connectTimeout.count()));
        const long answerSeconds = std::max(1L, static_cast<long>(options_.answerTimeout.count()));
        api.easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, answerSeconds);
        // While the message is sent, a server that stops taking it counts as not answering.
        api.easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
        api.easy_setopt(c, CURLOPT_LOW_SPEED_TIME, answerSeconds);
        // The connection ends (QUIT) within the transfer, where Cancel still reaches it.
        api.easy_setopt(c, CURLOPT_FORBID_REUSE, 1L);
        // A Cancel during the name lookup does not wait for the lookup to end (libcurl 7.87 on).
        api.easy_setopt(c, CURLOPT_QUICK_EXIT, 1L);
        api.easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
        api.easy_setopt(c, CURLOPT_XFERINFOFUNCTION, OnProgress);
        api.easy_setopt(c, CURLOPT_XFERINFODATA, static_cast<void*>(&progress));
        api.easy_setopt(c, CURLOPT_OPENSOCKETFUNCTION, OpenSocket);
        api.easy_setopt(c, CURLOPT_OPENSOCKETDATA, static_cast<void*>(&sockets));
        api.easy_setopt(c, CURLOPT_CLOSESOCKETFUNCTION, CloseSocket);
        api.easy_setopt(c, CURLOPT_CLOSESOCKETDATA, static_cast<void*>(&sockets));
        api.easy_setopt(c, CURLOPT_MAIL_FROM, mailFrom.c_str());
        api.easy_setopt(c, CURLOPT_MAIL_RCPT, rcpt.get());
        api.easy_setopt(c, CURLOPT_UPLOAD, 1L);
        api.easy_setopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(message.size()));
        api.easy_setopt(c, CURLOPT_READFUNCTION, ReadMessage);
        api.easy_setopt(c, CURLOPT_READDATA, &rest);
        api.easy_setopt(c, CURLOPT_HEADERFUNCTION, ReadReply);
        api.easy_setopt(c, CURLOPT_HEADERDATA, &replies);

        const CURLcode result = Perform(api, c, cancel, sockets);
        if (replies.utf8Missing) {
            const std::string& typed = to.needsSmtpUtf8 ? recipient : sender;
            Fail(kMailBadArgument, std::string("The ") + (to.needsSmtpUtf8 ? "recipient's" : "sender's") +
                                       " address \"" + vb::ToUtf8(typed) +
                                       "\" has letters outside ASCII before the @, and this mail server does not "
                                       "take such addresses (it does not offer SMTPUTF8)");
        }
        // The server took it: sent, even when a Cancel ended the goodbye.
        if (result == CURLE_OK || replies.accepted) return;
        long code = 0;
        api.easy_getinfo(c, CURLINFO_RESPONSE_CODE, &code);
        if (replies.answered || !replies.handedOver) {
            if (cancel.Cancelled()) Fail(kMailCancelled, "Sending was cancelled; the mail was not sent");
            if (code >= 400 && code <= 599) {
                const std::string text = ReplyText(replies.refusal);
                Fail(static_cast<int>(code), text.empty() ? std::string(errorText) : text);
            }
        }
        std::string text = errorText[0] ? std::string(errorText) : std::string(api.easy_strerror(result));
        // The whole message may have reached the server: it may deliver it though it never said so.
        if (replies.handedOver && !replies.answered)
            Fail(result, (result == CURLE_OPERATION_TIMEDOUT ? "The mail server did not confirm the mail in time ("
                                                              : "The mail server did not confirm the mail (") +
                             text + "); the whole mail went out, so it may have been sent");
        if (result == CURLE_OPERATION_TIMEDOUT) text = "The mail server did not answer in time (" + text + ")";
        Fail(result, text);
    });
}

MailFactory SmtpMailFactory(SmtpOptions options) {
    return [options](std::string_view classId) -> std::unique_ptr<MailSender> {
        if (vb::StrComp(classId, kMailSenderClassId, vb::Compare::Text) != 0) return nullptr;
        return std::make_unique<SmtpMailSender>(options);
    };
}

}  // namespace services
