// INI files as the profile functions read and edit them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/files/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    files::IniDocument doc(text);
    (void)doc.Get("WinWord", "Path");
    (void)doc.Get("YourString.Something", "Message5");
    for (const auto& section : doc.Sections())
        for (const auto& key : doc.Keys(section)) (void)doc.Get(section, key);

    // A written value must read back, whatever the file held before.
    if (doc.Set("WinWord", "Path", std::string("C:\\Office\\")) && doc.Get("winword", "PATH") != "C:\\Office\\")
        std::abort();
    files::IniDocument removed(text);
    removed.Set("date", "message2", std::nullopt);
    removed.DeleteSection("YourString.Something");
    if (removed.Get("YourString.Something", "Message5")) std::abort();
    return 0;
}
