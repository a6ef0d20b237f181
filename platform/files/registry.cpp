#include "platform/files/registry.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "platform/core/error.h"
#include "platform/core/text.h"
#include "platform/files/fileio.h"

namespace files {

namespace {

// ---- UTF-8 / UTF-16 -------------------------------------------------------------------------

using vb::AppendUtf8;
using vb::DecodeUtf8;

bool ValidUtf8(std::string_view s) {
    char32_t cp;
    for (std::size_t pos = 0; pos < s.size();)
        if (!DecodeUtf8(s, pos, cp)) return false;
    return true;
}

void AppendUnits(std::u16string& out, char32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
        out += static_cast<char16_t>(cp);
    }
}

std::string UnitsToUtf8(std::u16string_view u) {
    std::string out;
    for (std::size_t i = 0; i < u.size(); ++i) {
        char32_t c = u[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < u.size() && u[i + 1] >= 0xDC00 && u[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (u[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string Utf8ToUnits(std::string_view s) {
    std::u16string out;
    char32_t cp;
    for (std::size_t pos = 0; pos < s.size();) {
        if (DecodeUtf8(s, pos, cp)) {
            AppendUnits(out, cp);
        } else {
            AppendUnits(out, vb::ToUnicode(static_cast<unsigned char>(s[pos])));
            ++pos;
        }
    }
    return out;
}

std::string UnitsToBytes(std::u16string_view u) {
    std::string out;
    out.reserve(u.size() * 2);
    for (char16_t c : u) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

std::u16string BytesToUnits(std::string_view b, bool bigEndian = false) {
    std::u16string out;
    out.reserve(b.size() / 2);
    for (std::size_t i = 0; i + 1 < b.size(); i += 2) {
        auto lo = static_cast<unsigned char>(b[bigEndian ? i + 1 : i]);
        auto hi = static_cast<unsigned char>(b[bigEndian ? i : i + 1]);
        out += static_cast<char16_t>(lo | (hi << 8));
    }
    return out;
}

// ---- names ----------------------------------------------------------------------------------

// Upper case of every letter Windows-1252 knows; other characters as they are.
std::string Fold(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    char32_t cp;
    for (std::size_t pos = 0; pos < utf8.size();) {
        if (!DecodeUtf8(utf8, pos, cp)) {
            cp = vb::ToUnicode(static_cast<unsigned char>(utf8[pos]));
            ++pos;
        }
        if (cp >= 'a' && cp <= 'z') {
            cp -= 32;
        } else if (cp >= 0x80) {
            int byte = vb::FromUnicode(cp);
            if (byte >= 0) cp = vb::ToUnicode(static_cast<unsigned char>(vb::UCase(std::string(1, static_cast<char>(byte)))[0]));
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::vector<std::string> SplitPath(std::string_view path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t bs = path.find('\\', start);
        if (bs == std::string_view::npos) bs = path.size();
        if (bs > start) parts.emplace_back(path.substr(start, bs - start));
        start = bs + 1;
    }
    return parts;
}

std::string KeyId(HKEY root, const std::vector<std::string>& parts) {
    char buf[12];
    std::snprintf(buf, sizeof buf, "%08X", root);
    std::string id = buf;
    for (const auto& p : parts) id += "\\" + Fold(p);
    return id;
}

std::optional<HKEY> RootByName(std::string_view name) {
    std::string n = vb::UCase(name);
    if (n == "HKEY_LOCAL_MACHINE" || n == "HKLM") return HKEY_LOCAL_MACHINE;
    if (n == "HKEY_CURRENT_USER" || n == "HKCU") return HKEY_CURRENT_USER;
    if (n == "HKEY_CLASSES_ROOT" || n == "HKCR") return HKEY_CLASSES_ROOT;
    if (n == "HKEY_USERS" || n == "HKU") return HKEY_USERS;
    if (n == "HKEY_CURRENT_CONFIG" || n == "HKCC") return HKEY_CURRENT_CONFIG;
    return std::nullopt;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool StartsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The file as UTF-8 text: UTF-16 with or without a byte-order mark, UTF-8, or Windows-1252.
// nullopt for UTF-16 of an odd number of bytes: a file cut short inside a character.
std::optional<std::string> DecodeFile(std::string_view bytes) {
    auto units = [](std::string_view b, bool bigEndian) -> std::optional<std::string> {
        if (b.size() % 2) return std::nullopt;
        return UnitsToUtf8(BytesToUnits(b, bigEndian));
    };
    if (StartsWith(bytes, "\xFF\xFE")) return units(bytes.substr(2), false);
    if (StartsWith(bytes, "\xFE\xFF")) return units(bytes.substr(2), true);
    if (StartsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
    else if (bytes.size() >= 2 && bytes[0] != 0 && bytes[1] == 0) return units(bytes, false);
    if (!StartsWith(bytes, "REGEDIT4") && ValidUtf8(bytes)) return std::string(bytes);
    return vb::ToUtf8(bytes);
}

}  // namespace

std::string RegTextToUtf8(std::string_view utf16le) { return UnitsToUtf8(BytesToUnits(utf16le)); }
std::string Utf8ToRegText(std::string_view utf8) { return UnitsToBytes(Utf8ToUnits(utf8)); }

// ---- parser ---------------------------------------------------------------------------------

class RegParser {
public:
    enum class Style { Unknown, Wine, Export5, Export4 };

    RegParser(Registry& reg, HKEY hive) : reg_(reg), hive_(hive) {}

    // Why the text is no registry file; nullopt when it is one (its damaged lines skipped).
    std::optional<std::string> Run(std::string_view text) {
        if (text.find('\0') != std::string_view::npos) return "it holds NUL bytes, so it is no text file";
        std::vector<std::string_view> lines;
        for (std::size_t start = 0; start < text.size();) {
            std::size_t lf = text.find('\n', start);
            std::size_t end = lf == std::string_view::npos ? text.size() : lf;
            std::string_view line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            lines.push_back(line);
            start = end + 1;
        }
        // A file ends with a line break; a last line without one that cannot be read was cut off.
        const bool ended = !text.empty() && text.back() == '\n';
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::string_view line = Trim(lines[i]);
            if (line.empty()) continue;
            if (style_ == Style::Unknown) {
                if (!First(line)) return "its first line is not the signature of a registry export or Wine hive";
                continue;
            }
            bool read = true;
            switch (line.front()) {
            case '[': read = Header(line); break;
            case '@':
            case '"': read = ValueLine(line, lines, i); break;
            case ';': Comment(line); break;
            case '#': break;  // "#time=", "#arch=" and other options carry nothing we read
            default: read = false; break;
            }
            if (cut_ || (!read && !ended && i + 1 == lines.size())) return "it is cut short inside an entry";
        }
        if (style_ == Style::Unknown) return "it is empty";
        return std::nullopt;
    }

private:
    // The signature line names the style; true when the line was one.
    bool First(std::string_view line) {
        if (line == "WINE REGISTRY Version 2") style_ = Style::Wine;
        else if (line == "REGEDIT4") style_ = Style::Export4;
        else if (StartsWith(line, "Windows Registry Editor Version")) style_ = Style::Export5;
        else return false;
        return true;
    }

    bool Wine() const { return style_ == Style::Wine; }

    void Comment(std::string_view line) {
        // Wine: ";; All keys relative to \\Machine" or "\\User\\S-1-5-21-...".
        constexpr std::string_view tag = "All keys relative to";
        std::size_t at = line.find(tag);
        if (at == std::string_view::npos) return;
        std::string_view where = Trim(line.substr(at + tag.size()));
        while (!where.empty() && where.front() == '\\') where.remove_prefix(1);
        std::string w = vb::UCase(where);
        if (StartsWith(w, "MACHINE")) hive_ = HKEY_LOCAL_MACHINE;
        else if (StartsWith(w, "USER")) hive_ = HKEY_CURRENT_USER;
    }

    // Reads an escaped text from just after its opening character up to `endchar`; pos ends past it.
    std::optional<std::u16string> Quoted(std::string_view s, std::size_t& pos, char endchar) const {
        std::u16string out;
        while (pos < s.size()) {
            char c = s[pos];
            if (c == endchar) {
                ++pos;
                return out;
            }
            if (c == '\\' && pos + 1 < s.size()) {
                char e = s[pos + 1];
                if (!Wine()) {
                    // Exports escape only backslashes and quotes; a lone backslash stays.
                    if (e == '\\' || e == '"') {
                        out += static_cast<char16_t>(e);
                        pos += 2;
                    } else {
                        out += u'\\';
                        ++pos;
                    }
                    continue;
                }
                pos += 2;
                switch (e) {
                case 'a': out += u'\a'; continue;
                case 'b': out += u'\b'; continue;
                case 'e': out += u'\x1B'; continue;
                case 'f': out += u'\f'; continue;
                case 'n': out += u'\n'; continue;
                case 'r': out += u'\r'; continue;
                case 't': out += u'\t'; continue;
                case 'v': out += u'\v'; continue;
                case 'x': {
                    unsigned v = 0;
                    int n = 0;
                    while (n < 4 && pos < s.size() && HexDigit(s[pos]) >= 0) v = v * 16 + static_cast<unsigned>(HexDigit(s[pos++])), ++n;
                    if (n == 0) out += u'x';
                    else out += static_cast<char16_t>(v);
                    continue;
                }
                default:
                    if (e >= '0' && e <= '7') {
                        unsigned v = static_cast<unsigned>(e - '0');
                        for (int n = 1; n < 3 && pos < s.size() && s[pos] >= '0' && s[pos] <= '7'; ++n)
                            v = v * 8 + static_cast<unsigned>(s[pos++] - '0');
                        out += static_cast<char16_t>(v);
                        continue;
                    }
                    pos -= 1;  // any other escaped character stands for itself, decoded below
                    break;
                }
            }
            char32_t cp;
            if (!DecodeUtf8(s, pos, cp)) {
                cp = static_cast<unsigned char>(s[pos]);
                ++pos;
            }
            AppendUnits(out, cp);
        }
        return std::nullopt;
    }

    // True when the line named a key.
    bool Header(std::string_view line) {
        key_ = nullptr;
        std::string_view body = line.substr(1);
        if (Wine()) {
            std::size_t pos = 1;
            auto name = Quoted(line, pos, ']');
            if (!name) return false;
            auto parts = SplitPath(UnitsToUtf8(*name));
            key_ = &reg_.MakeKey(hive_, parts);
            return true;
        }
        std::size_t close = body.rfind(']');
        if (close == std::string_view::npos) return false;
        body = body.substr(0, close);
        bool remove = StartsWith(body, "-");
        if (remove) body.remove_prefix(1);
        auto parts = SplitPath(body);
        if (parts.empty()) return false;
        auto root = RootByName(parts.front());
        if (!root) return false;
        parts.erase(parts.begin());
        if (remove) reg_.RemoveKey(*root, parts);
        else key_ = &reg_.MakeKey(*root, parts);
        return true;
    }

    // True when the line was a whole value (kept, or dropped for a key that was not read).
    bool ValueLine(std::string_view line, const std::vector<std::string_view>& lines, std::size_t& i) {
        std::size_t pos = 1;
        std::u16string name;
        if (line.front() == '"') {
            auto n = Quoted(line, pos, '"');
            if (!n) return false;
            name = *n;
        }
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
        if (pos >= line.size() || line[pos] != '=') return false;
        std::string_view data = Trim(line.substr(pos + 1));
        // Hex data may go on over lines that end with a backslash.
        std::string joined;
        if (StartsWith(data, "hex")) {
            joined = data;
            while (!joined.empty() && joined.back() == '\\' && i + 1 < lines.size()) {
                joined.pop_back();
                joined += Trim(lines[++i]);
            }
            // Still asking for a next line at the end of the file.
            if (!joined.empty() && joined.back() == '\\') cut_ = true;
            data = joined;
        }
        auto value = data == "-" ? std::optional<RegValue>() : Data(data);
        if (data != "-" && !value) return false;
        if (!key_) return true;
        std::string nameUtf8 = UnitsToUtf8(name);
        std::string folded = Fold(nameUtf8);
        if (!value) key_->values.erase(folded);
        else key_->values[folded] = Registry::Value{std::move(nameUtf8), std::move(*value)};
        return true;
    }

    std::optional<RegValue> Data(std::string_view d) const {
        RegValue v;
        std::size_t skip = 0;
        if (StartsWith(d, "\"")) v.type = REG_SZ, skip = 1;
        else if (Wine() && StartsWith(d, "str:\"")) v.type = REG_SZ, skip = 5;
        else if (Wine() && StartsWith(d, "str(2):\"")) v.type = REG_EXPAND_SZ, skip = 8;
        else if (Wine() && StartsWith(d, "str(7):\"")) v.type = REG_MULTI_SZ, skip = 8;
        if (skip) {
            std::size_t pos = skip;
            auto text = Quoted(d, pos, '"');
            if (!text) return std::nullopt;
            *text += u'\0';
            v.data = UnitsToBytes(*text);
            return v;
        }
        if (StartsWith(d, "dword:")) {
            std::string_view hex = Trim(d.substr(6));
            if (hex.empty() || hex.size() > 8) return std::nullopt;
            std::uint32_t x = 0;
            for (char c : hex) {
                if (HexDigit(c) < 0) return std::nullopt;
                x = x * 16 + static_cast<std::uint32_t>(HexDigit(c));
            }
            v.type = REG_DWORD;
            for (int k = 0; k < 4; ++k) v.data += static_cast<char>((x >> (8 * k)) & 0xFF);
            return v;
        }
        std::string_view rest;
        if (StartsWith(d, "hex:")) {
            v.type = REG_BINARY;
            rest = d.substr(4);
        } else if (StartsWith(d, "hex(")) {
            std::size_t close = d.find("):");
            if (close == std::string_view::npos || close == 4 || close > 12) return std::nullopt;
            std::uint32_t t = 0;
            for (char c : d.substr(4, close - 4)) {
                if (HexDigit(c) < 0) return std::nullopt;
                t = t * 16 + static_cast<std::uint32_t>(HexDigit(c));
            }
            v.type = t;
            rest = d.substr(close + 2);
        } else {
            return std::nullopt;
        }
        auto bytes = HexBytes(rest);
        if (!bytes) return std::nullopt;
        v.data = std::move(*bytes);
        // REGEDIT4 wrote texts in the ANSI code page; the registry keeps them in UTF-16.
        if (style_ == Style::Export4 && (v.type == REG_SZ || v.type == REG_EXPAND_SZ || v.type == REG_MULTI_SZ))
            v.data = Utf8ToRegText(vb::ToUtf8(v.data));
        return v;
    }

    static std::optional<std::string> HexBytes(std::string_view s) {
        std::string out;
        std::size_t pos = 0;
        auto skipSeparators = [&] {
            while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t' || s[pos] == ',')) ++pos;
        };
        skipSeparators();
        while (pos < s.size()) {
            int hi = HexDigit(s[pos]);
            if (hi < 0) return std::nullopt;
            int value = hi;
            ++pos;
            if (pos < s.size() && HexDigit(s[pos]) >= 0) value = value * 16 + HexDigit(s[pos++]);
            out += static_cast<char>(value);
            if (pos < s.size() && s[pos] != ',' && s[pos] != ' ' && s[pos] != '\t') return std::nullopt;
            skipSeparators();
        }
        return out;
    }

    Registry& reg_;
    HKEY hive_;
    Style style_ = Style::Unknown;
    Registry::Key* key_ = nullptr;
    bool cut_ = false;
};

// ---- registry -------------------------------------------------------------------------------

std::optional<std::string> Registry::Load(std::string_view fileBytes, HKEY hive) {
    auto text = DecodeFile(fileBytes);
    if (!text) return "it is cut short inside a character";
    // Into a copy, so that a file found damaged half-way adds nothing.
    Registry read = *this;
    if (auto damage = RegParser(read, hive).Run(*text)) return damage;
    *this = std::move(read);
    return std::nullopt;
}

bool Registry::LoadFile(const std::filesystem::path& path, HKEY hive) {
    // Checked before opening: a FIFO would block, a huge file would be read for nothing.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return false;
        throw ErrorFromErrno(errno, path);
    }
    if (S_ISDIR(st.st_mode)) throw ErrorFromErrno(EISDIR, path);
    if (!S_ISREG(st.st_mode))
        throw vb::Error(vb::errPathFileAccess, vb::ErrorDescription(vb::errPathFileAccess),
                        path.string() + ": not a regular file");
    auto invalid = [&](const std::string& why) {
        return vb::Error(vb::errInvalidFileFormat, vb::ErrorDescription(vb::errInvalidFileFormat),
                         path.string() + ": " + why);
    };
    if (static_cast<std::uint64_t>(st.st_size) > kMaxRegistryFileSize)
        throw invalid("it is larger than the " + std::to_string(kMaxRegistryFileSize >> 20) + " MB a registry file may hold");
    if (auto damage = Load(ReadAllBytes(path), hive)) throw invalid(*damage);
    return true;
}

Registry::Key& Registry::MakeKey(HKEY root, const std::vector<std::string>& parts) {
    std::vector<std::string> prefix;
    Key* key = &keys_[KeyId(root, prefix)];
    for (const auto& p : parts) {
        prefix.push_back(p);
        key = &keys_[KeyId(root, prefix)];
    }
    return *key;
}

void Registry::RemoveKey(HKEY root, const std::vector<std::string>& parts) {
    std::string id = KeyId(root, parts);
    keys_.erase(id);
    std::string below = id + "\\";
    auto it = keys_.lower_bound(below);
    while (it != keys_.end() && StartsWith(it->first, below)) it = keys_.erase(it);
}

const Registry::Key* Registry::FindKey(HKEY root, std::string_view path) const {
    auto it = keys_.find(KeyId(root, SplitPath(path)));
    return it == keys_.end() ? nullptr : &it->second;
}

bool Registry::HasKey(HKEY root, std::string_view path) const {
    return FindKey(root, path) != nullptr || SplitPath(path).empty();
}

const RegValue* Registry::Find(HKEY root, std::string_view path, std::string_view valueName) const {
    const Key* key = FindKey(root, path);
    if (!key) return nullptr;
    auto it = key->values.find(Fold(valueName));
    return it == key->values.end() ? nullptr : &it->second.value;
}

std::optional<std::string> Registry::String(HKEY root, std::string_view path, std::string_view valueName) const {
    const RegValue* v = Find(root, path, valueName);
    if (!v || (v->type != REG_SZ && v->type != REG_EXPAND_SZ)) return std::nullopt;
    std::string text = RegTextToUtf8(v->data);
    if (std::size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
    return text;
}

std::vector<std::string> Registry::ValueNames(HKEY root, std::string_view path) const {
    std::vector<std::string> names;
    if (const Key* key = FindKey(root, path))
        for (const auto& [folded, v] : key->values) names.push_back(v.name);
    return names;
}

}  // namespace files
