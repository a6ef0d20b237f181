// Every test program knows where the sources and the build live, also when run by hand.
#include <cstdlib>

namespace {
struct TestEnvironment {
    TestEnvironment() {
        setenv("VT_SOURCE_DIR", VT_SOURCE_DIR, 0);
        setenv("VT_BUILD_DIR", VT_BUILD_DIR, 0);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
} const environment;
}  // namespace
