// Libraries opened on first use: what a missing library or symbol gives, and that the mail
// library is not linked in (a test program links the services as a program does).
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "platform/services/library.h"
#include "support/needed_libraries.h"

namespace {

using services::LoadLibrarySymbols;

TEST(Library, SymbolsComeInTheOrderNamed) {
    const auto lib = LoadLibrarySymbols("libc.so.6", {"strlen", "strcmp"});
    ASSERT_TRUE(lib.ok()) << lib.error;
    ASSERT_EQ(lib.symbols.size(), 2u);
    EXPECT_EQ(services::As<std::size_t (*)(const char*)>(lib.symbols[0])("four"), 4u);
    EXPECT_EQ(services::As<int (*)(const char*, const char*)>(lib.symbols[1])("a", "a"), 0);
}

TEST(Library, WhatIsMissingIsNamed) {
    const struct {
        const char* name;
        const char* soname;
        const char* symbol;
        const char* mentions;
    } cases[] = {
        {"no such library", "libnot-here-at-all.so.7", "f", "libnot-here-at-all.so.7 could not be loaded"},
        {"no such symbol", "libc.so.6", "no_such_function_here", "libc.so.6 has no no_such_function_here"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (int attempt = 0; attempt < 2; ++attempt) {  // a failure is not remembered as a success
            const auto lib = LoadLibrarySymbols(c.soname, {"strlen", c.symbol});
            EXPECT_FALSE(lib.ok());
            EXPECT_TRUE(lib.symbols.empty());
            EXPECT_NE(lib.error.find(c.mentions), std::string::npos) << lib.error;
        }
    }
}

TEST(Library, ThreadsMayLoadAtOnce) {
    std::vector<std::thread> threads;
    std::vector<void*> found(8);
    for (std::size_t i = 0; i < found.size(); ++i)
        threads.emplace_back([&, i] {
            const auto lib = LoadLibrarySymbols("libm.so.6", {"cos"});
            found[i] = lib.ok() ? lib.symbols[0] : nullptr;
        });
    for (auto& t : threads) t.join();
    for (void* f : found) {
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f, found[0]);
    }
}

TEST(Library, TheMailLibraryIsNotLinkedIn) {
    const auto needed = testsupport::NeededLibraries("/proc/self/exe");
    ASSERT_FALSE(needed.empty());  // the reader works: libc at least
    for (const auto& name : needed) {
        EXPECT_NE(name.rfind("libcurl", 0), 0u) << name;
        EXPECT_NE(name.rfind("libcanberra", 0), 0u) << name;
    }
}

}  // namespace
