#pragma once
// The registry functions the programs call, in their ANSI shape, over the read-only registry:
// HKEY_LOCAL_MACHINE from $WINEPREFIX/system.reg, HKEY_CURRENT_USER from $WINEPREFIX/user.reg
// ($WINEPREFIX defaults to ~/.wine), or both from the one file $REGISTRY_FILE names.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/error.h"
#include "platform/files/registry.h"

namespace files {

inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_ACCESS_DENIED = 5;
inline constexpr long ERROR_INVALID_HANDLE = 6;
inline constexpr long ERROR_INVALID_PARAMETER = 87;
inline constexpr long ERROR_MORE_DATA = 234;
inline constexpr long ERROR_REGISTRY_CORRUPT = 1015;    // the file holds no registry
inline constexpr long ERROR_REGISTRY_IO_FAILED = 1016;  // the file cannot be read

inline constexpr DWORD KEY_QUERY_VALUE = 0x0001;
inline constexpr DWORD KEY_SET_VALUE = 0x0002;
inline constexpr DWORD KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr DWORD KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr DWORD KEY_NOTIFY = 0x0010;
inline constexpr DWORD KEY_CREATE_LINK = 0x0020;
inline constexpr DWORD READ_CONTROL = 0x00020000;
inline constexpr DWORD KEY_READ = 0x00020019;
inline constexpr DWORD KEY_WRITE = 0x00020006;
inline constexpr DWORD KEY_ALL_ACCESS = 0x000F003F;

// The file that holds a root's keys for the current environment.
std::filesystem::path RegistryFile(HKEY root);

// Why the file behind a root cannot be read (see Registry::LoadFile); nothing when it was read or
// does not exist, a missing file being an empty registry.
std::optional<vb::Error> RegistryFileError(HKEY root);

// Opens a key below a root or an open key. The registry is read only, so a mask that asks for any
// write right fails with ERROR_ACCESS_DENIED. A missing key gives ERROR_FILE_NOT_FOUND; a root
// whose file cannot be read gives ERROR_REGISTRY_CORRUPT or ERROR_REGISTRY_IO_FAILED. Under
// HKEY_LOCAL_MACHINE\Software a key missing from the native view is looked up in Wow6432Node,
// where 32-bit programs register themselves. Names are Windows-1252.
long RegOpenKeyEx(HKEY root, std::string_view subKey, DWORD options, DWORD access, HKEY* result);

// Reads a value (the empty name is the default value). Texts come back as Windows-1252 bytes, the
// terminating NUL counted, as the ANSI function gives them. With data null only the type and size
// are returned; a buffer smaller than the data gives ERROR_MORE_DATA and the size needed.
long RegQueryValueEx(HKEY key, std::string_view valueName, DWORD* type, std::uint8_t* data, DWORD* byteCount);

long RegCloseKey(HKEY key);

// No expansion makes a text longer than this, as on the desktop: one that would stays as written.
inline constexpr std::size_t kMaxExpandedLength = 32767;

// %NAME% replaced by the environment variable (the exact name first, then without regard to case);
// unknown names are left as written.
std::string ExpandEnvironmentStrings(std::string_view text);
// The same as the Windows of the registry expands a REG_EXPAND_SZ value: a name defined in the
// registry's own environment (the user's key "Environment" over the machine's
// "System\CurrentControlSet\Control\Session Manager\Environment", as a Wine prefix keeps them)
// takes its value there, any other the process's; a name defined nowhere is left as written. A
// variable that names itself, or a name that leads back to it, takes the value of the layer below
// (the user's Path = "%Path%;D:\x" extends the machine's Path). A variable whose names nest more
// than 32 deep keeps its text as stored. A name gives the same text wherever it stands.
std::string ExpandRegistryString(std::string_view text);
// The same over registries given (either may be null); both roots of one file may be the same.
std::string ExpandRegistryString(std::string_view text, const Registry* machine, const Registry* user);

}  // namespace files
