#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace channel {

// Reports the first differing call instead of two walls of text.
inline void ExpectSameCalls(const std::vector<std::string>& actual,
                            const std::vector<std::string>& expected) {
    const auto [a, e] =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    if (a == actual.end() && e == expected.end()) return;
    ADD_FAILURE() << "calls differ at #" << (a - actual.begin()) << " of " << actual.size()
                  << " (expected " << expected.size()
                  << ")\n  actual:   " << (a != actual.end() ? *a : "<end>")
                  << "\n  expected: " << (e != expected.end() ? *e : "<end>");
}

}  // namespace channel
