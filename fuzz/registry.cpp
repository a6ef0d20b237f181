// .reg files: regedit exports (UTF-16 or 8-bit) and Wine hive files.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

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
    return 0;
}
