#pragma once
// The libraries an ELF file names as needed (DT_NEEDED), read from its dynamic section: what the
// loader maps before main runs.
#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace testsupport {

inline std::vector<std::string> NeededLibraries(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> needed;
    if (bytes.size() < sizeof(Elf64_Ehdr) || bytes.compare(0, 4, ELFMAG) != 0 || bytes[EI_CLASS] != ELFCLASS64)
        return needed;
    const auto at = [&](std::size_t offset, auto& out) {
        if (offset + sizeof out <= bytes.size()) std::memcpy(&out, bytes.data() + offset, sizeof out);
    };
    Elf64_Ehdr header{};
    at(0, header);
    for (unsigned i = 0; i < header.e_shnum; ++i) {
        Elf64_Shdr dynamic{};
        at(header.e_shoff + i * sizeof(Elf64_Shdr), dynamic);
        if (dynamic.sh_type != SHT_DYNAMIC) continue;
        Elf64_Shdr strings{};
        at(header.e_shoff + dynamic.sh_link * sizeof(Elf64_Shdr), strings);
        for (std::size_t e = 0; e + sizeof(Elf64_Dyn) <= dynamic.sh_size; e += sizeof(Elf64_Dyn)) {
            Elf64_Dyn entry{};
            at(dynamic.sh_offset + e, entry);
            if (entry.d_tag == DT_NEEDED && strings.sh_offset + entry.d_un.d_val < bytes.size())
                needed.emplace_back(bytes.c_str() + strings.sh_offset + entry.d_un.d_val);
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
