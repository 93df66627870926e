// Stops a fuzz run with a message the fuzzer keeps next to the failing input.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void Require(bool holds, const char* property)
{
    if (!holds) {
        std::fprintf(stderr, "property failed: %s\n", property);
        std::abort();
    }
}
#define FUZZ_CHECK(condition) Require(condition, #condition)
