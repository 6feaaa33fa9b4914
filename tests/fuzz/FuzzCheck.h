#pragma once

#include <cstdio>
#include <cstdlib>

namespace channel {

// A broken property is a finding: say which and abort, so libFuzzer keeps
// the input as a crash artifact.
#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)

}  // namespace channel
