#pragma once

// Shared by the fuzz targets: a check that stops the run with a message, so libFuzzer records
// the input and the corpus replay fails on it.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond, ...)                                                                      \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "check failed: %s: ", #cond);                                     \
            std::fprintf(stderr, __VA_ARGS__);                                                     \
            std::fputc('\n', stderr);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)
