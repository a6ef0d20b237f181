#pragma once
// The runtime error number a call raises (0 when it raises none).
#include <functional>

#include "platform/core/error.h"

inline int ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const vb::Error& e) {
        return e.number;
    }
    return 0;
}
