#pragma once
// A read-only registry built from .reg text files: regedit exports ("Windows Registry Editor
// Version 5.00", often UTF-16LE with a byte-order mark, and "REGEDIT4") and Wine's hive files
// ("WINE REGISTRY Version 2": system.reg, user.reg). Key and value names match without regard to case.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace files {

using DWORD = std::uint32_t;
using HKEY = std::uint32_t;

inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_DWORD_BIG_ENDIAN = 5;
inline constexpr DWORD REG_LINK = 6;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_QWORD = 11;

// A value as the registry keeps it: texts (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) are UTF-16LE with
// their terminating NULs; a dword is four little-endian bytes.
struct RegValue {
    DWORD type = REG_NONE;
    std::string data;
};

// UTF-16LE registry text <-> UTF-8 (NULs kept; an odd last byte is dropped).
std::string RegTextToUtf8(std::string_view utf16le);
std::string Utf8ToRegText(std::string_view utf8);

// Larger .reg files are refused unread: a whole Wine prefix stays far below this.
inline constexpr std::uint64_t kMaxRegistryFileSize = 64u << 20;

class Registry {
public:
    // Adds the keys and values of one file's bytes. Keys of a Wine hive file lie under the root its
    // ";; All keys relative to" line names (\\Machine, \\User\\...), else under `hive`; an export
    // names its roots itself. A damaged line inside the file is skipped. Bytes that are no registry
    // file at all (no signature line first, NUL bytes, cut short inside an entry) add nothing and
    // give the reason.
    std::optional<std::string> Load(std::string_view fileBytes, HKEY hive);
    // False when the file does not exist. A file that exists but cannot be read, is no regular
    // file, is larger than kMaxRegistryFileSize or is no registry file throws vb::Error naming it
    // (error 321 for what it holds) and adds nothing.
    bool LoadFile(const std::filesystem::path& path, HKEY hive);

    // Paths are UTF-8, components separated by '\'.
    bool HasKey(HKEY root, std::string_view path) const;
    // The empty name is the key's default value ("@").
    const RegValue* Find(HKEY root, std::string_view path, std::string_view valueName) const;
    // A REG_SZ or REG_EXPAND_SZ value as UTF-8, up to its first NUL.
    std::optional<std::string> String(HKEY root, std::string_view path, std::string_view valueName) const;
    std::vector<std::string> ValueNames(HKEY root, std::string_view path) const;
    std::size_t KeyCount() const { return keys_.size(); }

private:
    struct Value {
        std::string name;
        RegValue value;
    };
    struct Key {
        std::map<std::string, Value> values;  // by folded name
    };
    Key& MakeKey(HKEY root, const std::vector<std::string>& parts);
    void RemoveKey(HKEY root, const std::vector<std::string>& parts);
    const Key* FindKey(HKEY root, std::string_view path) const;

    std::map<std::string, Key> keys_;  // by root and folded path
    friend class RegParser;
};

}  // namespace files
