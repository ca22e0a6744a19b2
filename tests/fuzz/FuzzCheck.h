#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace orvex::test {

// A property a fuzz target holds for every input. A failure aborts, which libFuzzer reports as a
// crash with the input saved, and the corpus replay as a failed test.
inline void fuzzCheck(bool holds, std::string_view what) {
    if (!holds) {
        std::fprintf(stderr, "Fuzz check failed: %.*s\n", static_cast<int>(what.size()),
                     what.data());
        std::abort();
    }
}

}  // namespace orvex::test
