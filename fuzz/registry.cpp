// .reg files: regedit exports (UTF-16 or 8-bit) and Wine hive files.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/regapi.h"
#include "platform/files/registry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    files::Registry reg;
    // Bytes refused as no registry file add nothing.
    if (reg.Load(bytes, files::HKEY_LOCAL_MACHINE) && reg.KeyCount() != 0) std::abort();
    const char* key = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\WINWORD.EXE";
    for (files::HKEY root : {files::HKEY_LOCAL_MACHINE, files::HKEY_CURRENT_USER}) {
        (void)reg.String(root, key, "Path");
        for (const auto& name : reg.ValueNames(root, key))
            if (const files::RegValue* v = reg.Find(root, key, name)) (void)files::RegTextToUtf8(v->data);
    }
    (void)files::ExpandEnvironmentStrings(bytes.substr(0, 256));
    // Expanding against the file's own environment ends with a bounded text, however its
    // variables name each other: the expansion, or the text itself when that would be too long.
    for (files::HKEY root : {files::HKEY_LOCAL_MACHINE, files::HKEY_CURRENT_USER}) {
        std::string text = reg.String(root, key, "Path").value_or("%Path%");
        if (files::ExpandRegistryString(text, &reg, &reg).size() > std::max(text.size(), files::kMaxExpandedLength))
            std::abort();
    }
    // A name gives the same text wherever it stands: two names side by side give their two texts,
    // or (too long together) the whole as written.
    const std::vector<std::string> names =
        reg.ValueNames(files::HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager\\Environment");
    auto expand = [&reg](const std::string& text) { return files::ExpandRegistryString(text, &reg, &reg); };
    for (std::size_t i = 0; i < std::min<std::size_t>(names.size(), 3); ++i) {
        for (std::size_t j = 0; j < std::min<std::size_t>(names.size(), 3); ++j) {
            if (names[i].find('%') != std::string::npos || names[j].find('%') != std::string::npos) continue;
            const std::string a = "%" + names[i] + "%", b = "%" + names[j] + "%";
            const std::string together = expand(a + b);
            if (together != expand(a) + expand(b) && together != a + b) std::abort();
        }
    }
    return 0;
}
