#pragma once

#include <cstdio>
#include <cstdlib>

// Stops the run when a property does not hold, so that libFuzzer keeps the input that broke it
// and a replay fails.
inline void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "Property broken: %s\n", property);
        std::abort();
    }
}
