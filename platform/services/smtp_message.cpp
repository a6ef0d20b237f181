// The message the SMTP sender hands over: server address, envelope and MIME text.
#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "platform/core/error.h"
#include "platform/services/smtp.h"

namespace services {

namespace {

[[noreturn]] void BadArgument(std::string description) {
    throw vb::Error(kMailBadArgument, std::move(description), std::string(kMailErrorSource));
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlnum(char c) { return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsHex(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Letters of any script are fine (the transfer library turns them into an IDN name).
bool IsHostName(std::string_view h) {
    if (h.empty() || h.front() == '.' || h.front() == '-') return false;
    for (char c : h) {
        if (!IsAlnum(c) && c != '-' && c != '.' && c != '_' && static_cast<unsigned char>(c) < 0x80) return false;
    }
    return true;
}

bool IsIpv6(std::string_view h) {
    if (h.find(':') == std::string_view::npos) return false;
    for (char c : h) {
        if (!IsHex(c) && c != ':' && c != '.') return false;
    }
    return true;
}

int ParsePort(std::string_view p) {
    if (p.empty() || p.size() > 5) return 0;
    int port = 0;
    for (char c : p) {
        if (!IsDigit(c)) return 0;
        port = port * 10 + (c - '0');
    }
    return port <= 65535 ? port : 0;
}

bool IsPlainAscii(std::string_view s) {
    for (char c : s) {
        if (c < 0x20 || c > 0x7E) return false;
    }
    return true;
}

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string Base64(std::string_view in) {
    std::string out;
    out.reserve((in.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < in.size(); i += 3) {
        unsigned n = static_cast<unsigned char>(in[i]) << 16;
        if (i + 1 < in.size()) n |= static_cast<unsigned char>(in[i + 1]) << 8;
        if (i + 2 < in.size()) n |= static_cast<unsigned char>(in[i + 2]);
        out += kBase64[(n >> 18) & 63];
        out += kBase64[(n >> 12) & 63];
        out += i + 1 < in.size() ? kBase64[(n >> 6) & 63] : '=';
        out += i + 2 < in.size() ? kBase64[n & 63] : '=';
    }
    return out;
}

// Length of the UTF-8 sequence that starts with byte c (1 for a stray byte, so nothing stalls).
std::size_t SequenceLength(unsigned char c) {
    if (c >= 0xF0 && c < 0xF8) return 4;
    if (c >= 0xE0) return c < 0xF0 ? 3 : 1;
    if (c >= 0xC0) return 2;
    return 1;
}

// Most bytes of UTF-8 that one encoded word of `room` characters holds: 12 of frame, 4 of base64
// for every 3 bytes.
std::size_t WordBytes(std::size_t room) { return room < 16 ? 3 : (room - 12) / 4 * 3; }

// RFC 2047 "B" words of UTF-8, each of whole characters: the first fits in `firstRoom`, the others
// in 75 (a line of its own each, after the folding blank).
std::vector<std::string> EncodedWords(std::string_view utf8, std::size_t firstRoom) {
    std::vector<std::string> words;
    std::size_t maxBytes = WordBytes(std::min<std::size_t>(firstRoom, 75));
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t end = i;
        while (end < utf8.size()) {
            std::size_t len = std::min(SequenceLength(static_cast<unsigned char>(utf8[end])), utf8.size() - end);
            if (end - i + len > maxBytes) break;
            end += len;
        }
        if (end == i) end = i + 1;  // cannot happen (a word holds 3 bytes at least), but never loop forever
        words.push_back("=?UTF-8?B?" + Base64(utf8.substr(i, end - i)) + "?=");
        i = end;
        maxBytes = WordBytes(75);
    }
    return words;
}

// The pieces with a blank between them, a line folded before a piece that would take it past 78
// octets; `used` octets of the first line are taken ("Subject: "). No piece is longer than 998.
std::string Fold(std::size_t used, const std::vector<std::string>& pieces) {
    std::string out;
    std::size_t line = used;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::string& piece = pieces[i];
        if (i > 0) {
            if (line + 1 + piece.size() > 78) {
                out += "\r\n";
                line = 0;
            }
            out += ' ';
            ++line;
        }
        out += piece;
        line += piece.size();
    }
    return out;
}

// Plain text goes as it stands when it is printable ASCII that fits the line and cannot be taken
// for an encoded word.
bool FitsPlain(std::string_view utf8, std::size_t used) {
    return IsPlainAscii(utf8) && utf8.find("=?") == std::string_view::npos && used + utf8.size() <= 78;
}

// A name typed as one quoted string ("Ann @ home") means what is inside it.
std::string Unquoted(std::string_view name) {
    if (name.size() < 2 || name.front() != '"' || name.back() != '"') return std::string(name);
    std::string inside;
    for (std::size_t i = 1; i + 1 < name.size(); ++i) {
        char c = name[i];
        if (c == '"') return std::string(name);  // a quote that ends it early: more than one string
        if (c == '\\') {
            if (i + 2 >= name.size()) return std::string(name);  // it would escape the closing quote
            c = name[++i];
        }
        inside += c;
    }
    return inside;
}

// "From: " / "To: " and the one address, folded. Whatever the display name holds (quotes,
// commas, addresses of its own), it is one quoted string or a run of encoded words, so a mail
// program reads exactly the address that the envelope carries.
std::string AddressHeader(std::string_view field, const MailAddress& a) {
    const std::size_t used = field.size() + 2;
    const std::string name = Unquoted(a.displayName);
    if (name.empty()) return std::string(field) + ": " + a.address;
    std::vector<std::string> pieces;
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    if (FitsPlain(quoted, used)) pieces.push_back(std::move(quoted));
    else pieces = EncodedWords(name, 78 - used);
    pieces.push_back("<" + a.address + ">");
    return std::string(field) + ": " + Fold(used, pieces);
}

}  // namespace

std::string MailServerAddress::Url() const {
    std::string url = port == 465 ? "smtps://" : "smtp://";
    url += host.find(':') != std::string::npos ? "[" + host + "]" : host;
    return url + ":" + std::to_string(port);
}

MailServerAddress ParseMailServer(std::string_view server) {
    std::string_view s = TrimBlanks(server);
    if (s.empty()) BadArgument("No mail server was given");
    for (char c : s) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            BadArgument("The mail server name may not hold a line break or other control character");
    }
    MailServerAddress a;
    std::string_view host = s, port;
    if (s.front() == '[') {
        std::size_t close = s.find(']');
        if (close == std::string_view::npos) BadArgument("The mail server name \"" + std::string(s) + "\" is not valid");
        host = s.substr(1, close - 1);
        std::string_view rest = s.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':') BadArgument("The mail server name \"" + std::string(s) + "\" is not valid");
            port = rest.substr(1);
            if (port.empty()) port = "-";
        }
        if (!IsIpv6(host)) BadArgument("The mail server name \"" + std::string(s) + "\" is not valid");
    } else if (std::size_t colon = s.find(':'); colon != std::string_view::npos) {
        if (s.find(':', colon + 1) != std::string_view::npos) {
            // Several colons without brackets: an IPv6 address alone.
            if (!IsIpv6(s)) BadArgument("The mail server name \"" + std::string(s) + "\" is not valid");
        } else {
            host = s.substr(0, colon);
            port = s.substr(colon + 1);
            if (port.empty()) port = "-";
            if (!IsHostName(host)) BadArgument("The mail server name \"" + std::string(s) + "\" is not valid");
        }
    } else if (!IsHostName(host)) {
        BadArgument("The mail server name \"" + std::string(s) + "\" is not valid");
    }
    a.host = std::string(host);
    if (!port.empty()) {
        a.port = ParsePort(port);
        if (a.port == 0) BadArgument("The mail server's port must be a number from 1 to 65535");
    }
    return a;
}

std::string EncodeHeaderValue(std::string_view utf8, std::size_t prefix) {
    if (FitsPlain(utf8, prefix)) return std::string(utf8);
    return Fold(prefix, EncodedWords(utf8, 78 - std::min<std::size_t>(prefix, 62)));
}

std::string QuotedPrintable(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    std::size_t lineLength = 0;
    auto put = [&](std::string_view token) {
        if (lineLength + token.size() > 75) {
            out += "=\r\n";
            lineLength = 0;
        }
        out += token;
        lineLength += token.size();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
            lineLength = 0;
            continue;
        }
        bool lineEnds = i + 1 == text.size() || text[i + 1] == '\r' || text[i + 1] == '\n';
        bool literal = (c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !lineEnds);
        // A dot opening a line is written encoded, so no relay can take it for the end of data.
        if (c == '.' && lineLength == 0) literal = false;
        if (literal) {
            char one = static_cast<char>(c);
            put(std::string_view(&one, 1));
        } else {
            char three[3] = {'=', kHex[c >> 4], kHex[c & 15]};
            put(std::string_view(three, 3));
        }
    }
    return out;
}

std::string FormatMailDate(const std::tm& t, long offset) {
    static constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    long minutes = (offset < 0 ? -offset : offset) / 60;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s, %02d %s %04d %02d:%02d:%02d %c%02ld%02ld",
                  kDays.at(static_cast<std::size_t>(t.tm_wday % 7)), t.tm_mday,
                  kMonths.at(static_cast<std::size_t>(t.tm_mon % 12)), t.tm_year + 1900, t.tm_hour, t.tm_min,
                  t.tm_sec, offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
    return buf;
}

std::string MailDateNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return FormatMailDate(local, local.tm_gmtoff);
}

std::string BuildMailMessage(const MailMessageParts& p) {
    std::string m;
    m.reserve(p.htmlBody.size() + p.htmlBody.size() / 8 + 512);
    m += "Date: " + p.date + "\r\n";
    m += AddressHeader("From", p.from) + "\r\n";
    m += AddressHeader("To", p.to) + "\r\n";
    m += "Subject:";
    if (!p.subject.empty()) m += " " + EncodeHeaderValue(p.subject, 9);
    m += "\r\n";
    m += "Message-ID: " + p.messageId + "\r\n";
    m += "MIME-Version: 1.0\r\n";
    m += "Content-Type: text/html; charset=UTF-8\r\n";
    m += "Content-Transfer-Encoding: quoted-printable\r\n";
    m += "\r\n";
    std::string body = QuotedPrintable(p.htmlBody);
    m += body;
    // The message must end with a line end; a soft one adds nothing to the body.
    if (!body.empty() && !body.ends_with("\r\n")) m += "=\r\n";
    return m;
}

}  // namespace services
