// The envelope's addresses as they go to the server: one address each, its domain in ASCII.
#include <idn2.h>

#include <mutex>

#include "platform/core/error.h"
#include "platform/core/text.h"
#include "platform/services/library.h"
#include "platform/services/smtp.h"

namespace services {

namespace {

[[noreturn]] void Fail(int number, const std::string& description) {
    throw vb::Error(number, vb::FromUtf8(description), std::string(kMailErrorSource));
}

bool IsAscii(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

// libidn2, opened the first time a domain has letters outside ASCII.
struct IdnApi {
    int (*to_ascii_8z)(const char*, char**, int);
    const char* (*strerror)(int);
    void (*free)(void*);
};

const IdnApi& Idn() {
    static std::mutex m;
    static std::optional<IdnApi> api;
    std::lock_guard lock(m);
    if (api) return *api;
    constexpr const char* kLibrary = "libidn2.so.0";
    const LibrarySymbols lib = LoadLibrarySymbols(kLibrary, {"idn2_to_ascii_8z", "idn2_strerror", "idn2_free"});
    if (!lib.ok()) Fail(2, "Mail cannot be sent: the library for international domain names " + lib.error);
    api = IdnApi{As<decltype(IdnApi::to_ascii_8z)>(lib.symbols[0]), As<decltype(IdnApi::strerror)>(lib.symbols[1]),
                 As<decltype(IdnApi::free)>(lib.symbols[2])};
    return *api;
}

}  // namespace

void CheckMailHeaderText(std::string_view text, std::string_view what, bool allowTab) {
    for (char c : text) {
        unsigned char u = static_cast<unsigned char>(c);
        if ((u < 0x20 && !(allowTab && c == '\t')) || u == 0x7F)
            Fail(kMailBadArgument,
                 "The " + std::string(what) + " may not hold a line break or other control character");
    }
}

std::string MailDomainToAscii(std::string_view utf8Domain) {
    if (IsAscii(utf8Domain)) return std::string(utf8Domain);
    const IdnApi& idn = Idn();
    const std::string input(utf8Domain);
    char* out = nullptr;
    // IDNA 2008 with the mapping of UTS 46, non-transitional: capitals become small letters and
    // sharp s stays a letter of its own. The transitional rules, which let signs such as the
    // multiplication sign pass, are not tried.
    const int rc = idn.to_ascii_8z(input.c_str(), &out, IDN2_NFC_INPUT | IDN2_NONTRANSITIONAL);
    if (rc != IDN2_OK || !out) {
        if (out) idn.free(out);
        Fail(kMailBadArgument, std::string("it has no ASCII form (") + idn.strerror(rc) + ")");
    }
    std::string ascii(out);
    idn.free(out);
    return ascii;
}

MailEnvelopeAddress PrepareMailAddress(std::string_view text, std::string_view whose) {
    const std::string field(whose);
    CheckMailHeaderText(text, field + " address", false);
    if (text.find_first_not_of(" \t") == std::string_view::npos)
        Fail(kMailBadArgument, "No " + field + " address was given");
    const std::optional<MailAddress> parsed = ParseMailAddress(text);
    const std::string typed = vb::ToUtf8(text);
    if (!parsed)
        Fail(kMailBadArgument, "The " + field + " address \"" + typed +
                                   "\" is not one address such as name@example.org or Name <name@example.org>");
    const std::string address = vb::ToUtf8(parsed->address);
    const std::size_t at = address.rfind('@');
    const std::string mailbox = address.substr(0, at);
    std::string domain;
    try {
        domain = MailDomainToAscii(address.substr(at + 1));
    } catch (const vb::Error& e) {
        if (e.number != kMailBadArgument) throw;
        Fail(kMailBadArgument, "The domain of the " + field + " address \"" + typed +
                                   "\" cannot be sent: " + vb::ToUtf8(e.description));
    }
    MailEnvelopeAddress out;
    out.utf8.displayName = vb::ToUtf8(parsed->displayName);
    out.utf8.address = mailbox + "@" + domain;
    out.needsSmtpUtf8 = !IsAscii(mailbox);
    // The limits of SMTP: 64 octets before the @, 254 in all.
    if (mailbox.size() > 64 || out.utf8.address.size() > 254)
        Fail(kMailBadArgument, "The " + field + " address \"" + typed + "\" is too long for mail");
    return out;
}

}  // namespace services
