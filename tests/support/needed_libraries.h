#pragma once
// The libraries an ELF file names as needed (DT_NEEDED), read from its dynamic section: what the
// loader maps before main runs.
#include <elf.h>

#include <cstring>
#include <fstream>
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

inline std::vector<std::string> NeededLibraries(const std::string& path) {
    // Only the headers, the dynamic section and its names are read: sanitizer builds are large.
    std::ifstream in(path, std::ios::binary);
    const auto at = [&](std::uint64_t offset, auto& out) {
        in.clear();
        in.seekg(static_cast<std::streamoff>(offset));
        return static_cast<bool>(in.read(reinterpret_cast<char*>(&out), sizeof out));
    };
    std::vector<std::string> needed;
    Elf64_Ehdr header{};
    if (!at(0, header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64)
        return needed;
    for (unsigned i = 0; i < header.e_shnum; ++i) {
        Elf64_Shdr dynamic{};
        if (!at(header.e_shoff + i * sizeof(Elf64_Shdr), dynamic) || dynamic.sh_type != SHT_DYNAMIC) continue;
        Elf64_Shdr strings{};
        if (!at(header.e_shoff + dynamic.sh_link * sizeof(Elf64_Shdr), strings)) continue;
        for (std::uint64_t e = 0; e + sizeof(Elf64_Dyn) <= dynamic.sh_size; e += sizeof(Elf64_Dyn)) {
            Elf64_Dyn entry{};
            if (!at(dynamic.sh_offset + e, entry) || entry.d_tag == DT_NULL) break;
            if (entry.d_tag != DT_NEEDED || entry.d_un.d_val >= strings.sh_size) continue;
            in.clear();
            in.seekg(static_cast<std::streamoff>(strings.sh_offset + entry.d_un.d_val));
            std::string name;
            if (std::getline(in, name, '\0')) needed.push_back(name);
        }
    }
    return needed;
}

// Does the file need a library whose name starts with `prefix` ("libcurl")?
inline bool Needs(const std::string& path, const std::string& prefix) {
    for (const auto& name : NeededLibraries(path))
        if (name.rfind(prefix, 0) == 0) return true;
    return false;
}

}  // namespace testsupport
