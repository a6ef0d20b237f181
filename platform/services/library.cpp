#include "platform/services/library.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

namespace services {

LibrarySymbols LoadLibrarySymbols(const std::string& soname, std::initializer_list<const char*> names) {
    static std::mutex m;
    static std::map<std::string, void*> opened;  // never closed: their users keep pointers into them
    std::lock_guard lock(m);
    LibrarySymbols out;
    void*& handle = opened[soname];
    if (!handle) {
        dlerror();
        handle = dlopen(soname.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* why = dlerror();
            out.error = soname + " could not be loaded (" + (why ? why : "not found") + ")";
            return out;
        }
    }
    for (const char* name : names) {
        dlerror();
        void* symbol = dlsym(handle, name);
        if (!symbol) {
            out.symbols.clear();
            out.error = soname + " has no " + name + "; it is too old or not the library expected";
            return out;
        }
        out.symbols.push_back(symbol);
    }
    return out;
}

}  // namespace services
