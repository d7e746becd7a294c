#pragma once
// Property checks of the fuzz targets: a violated property prints what failed and aborts, which libFuzzer
// reports as a crash and saves the input that caused it.
#include <QString>

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                                  \
    do {                                                                                                       \
        if (!(condition)) {                                                                                    \
            std::fprintf(stderr, "property violated: %s (%s:%d)\n", #condition, __FILE__, __LINE__);           \
            std::abort();                                                                                      \
        }                                                                                                      \
    } while (0)

// The same, with the two texts compared shown.
#define FUZZ_CHECK_EQUAL(actual, expected)                                                                     \
    do {                                                                                                       \
        const QString fuzzActual = (actual);                                                                   \
        const QString fuzzExpected = (expected);                                                               \
        if (fuzzActual != fuzzExpected) {                                                                      \
            std::fprintf(stderr, "property violated: %s == %s\n  actual:   %s\n  expected: %s\n  (%s:%d)\n",  \
                         #actual, #expected, qPrintable(fuzzActual), qPrintable(fuzzExpected), __FILE__,       \
                         __LINE__);                                                                            \
            std::abort();                                                                                      \
        }                                                                                                      \
    } while (0)
