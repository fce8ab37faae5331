#pragma once

#include <cstdio>
#include <cstdlib>

// A property every input must keep. It aborts, so libFuzzer records the input as a finding and
// the corpus replay in the ordinary tests fails.
#define FUZZ_REQUIRE(cond)                                                                         \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #cond);      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)
