#include "platform/services/mail.h"

#include "platform/core/error.h"
#include "platform/services/host.h"

namespace services {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\xA0'; }

// Control characters, also the Windows-1252 bytes that stand for none (they become C1 controls).
bool IsControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F || u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsAsciiAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsNonAscii(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Dot-separated words, none empty, of the characters `ok` allows.
template <class Ok>
bool IsDottedWords(std::string_view s, Ok ok) {
    if (s.empty() || s.front() == '.' || s.back() == '.' || s.find("..") != std::string_view::npos) return false;
    for (char c : s) {
        if (c != '.' && !ok(c)) return false;
    }
    return true;
}

// name@domain: the name of the characters an unquoted mailbox name may have, the domain a host
// name (letters of any script, for names that become IDN).
bool IsBareAddress(std::string_view s) {
    const std::size_t at = s.find('@');
    if (at == std::string_view::npos || s.find('@', at + 1) != std::string_view::npos) return false;
    constexpr std::string_view kNameMarks = "!#$%&'*+-/=?^_`{|}~";
    const bool name = IsDottedWords(s.substr(0, at), [&](char c) {
        return IsAsciiAlnum(c) || kNameMarks.find(c) != std::string_view::npos || (IsNonAscii(c) && !IsBlank(c));
    });
    const bool domain = IsDottedWords(
        s.substr(at + 1), [](char c) { return IsAsciiAlnum(c) || c == '-' || (IsNonAscii(c) && !IsBlank(c)); });
    return name && domain;
}

}  // namespace

std::optional<MailAddress> ParseMailAddress(std::string_view text) {
    const std::string_view s = TrimBlanks(text);
    for (char c : s) {
        if (IsControl(c)) return std::nullopt;
    }
    MailAddress out;
    std::string_view bare = s;
    if (!s.empty() && s.back() == '>') {
        const std::size_t open = s.rfind('<');
        if (open == std::string_view::npos) return std::nullopt;
        const std::string_view name = TrimBlanks(s.substr(0, open));
        if (name.find_first_of("<>") != std::string_view::npos) return std::nullopt;
        out.displayName = std::string(name);
        bare = s.substr(open + 1, s.size() - open - 2);
    }
    if (!IsBareAddress(bare)) return std::nullopt;
    out.address = std::string(bare);
    return out;
}

std::unique_ptr<MailSender> CreateObject(std::string_view classId) {
    auto sender = host().CreateMailSender(classId);
    if (!sender) throw vb::Error(429, "ActiveX component can't create object");
    return sender;
}

}  // namespace services
