#pragma once
// Shared libraries opened when first needed. Mail (libcurl and the TLS stack behind it) and sound
// (libcanberra) are used by few runs of a program, yet linking them in costs every start its
// resident pages and relocations; they are opened by their runtime names on first use instead.
#include <initializer_list>
#include <string>
#include <vector>

namespace services {

struct LibrarySymbols {
    std::vector<void*> symbols;  // in the order they were named; empty when something is missing
    std::string error;           // why it could not be loaded, naming the library
    bool ok() const { return error.empty(); }
};

// Opens `soname` once per process (it stays open) and looks up each name in it. Safe to call from
// several threads.
LibrarySymbols LoadLibrarySymbols(const std::string& soname, std::initializer_list<const char*> names);

// A symbol as the function pointer it is.
template <class Function>
Function As(void* symbol) {
    return reinterpret_cast<Function>(symbol);
}

}  // namespace services
