#pragma once
// Property checks of the fuzz targets: a violated property prints what failed and aborts, which libFuzzer
// reports as a crash and saves the input that caused it. Also the entry point, handing over the input.
#include <QByteArray>
#include <QString>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void fuzzViolated(const char *property, const char *file, int line,
                                      const QString &detail = {})
{
    std::fprintf(stderr, "property violated: %s (%s:%d)\n%s", property, file, line, qPrintable(detail));
    std::abort();
}

inline void fuzzCheckEqual(const QString &actual, const QString &expected, const char *property,
                           const char *file, int line)
{
    if (actual != expected)
        fuzzViolated(property, file, line, QStringLiteral("  actual:   %1\n  expected: %2\n").arg(actual, expected));
}

#define FUZZ_CHECK(condition) ((condition) ? void() : fuzzViolated(#condition, __FILE__, __LINE__))
// The same, with the two texts compared shown.
#define FUZZ_CHECK_EQUAL(actual, expected)                                                                     \
    fuzzCheckEqual(actual, expected, #actual " == " #expected, __FILE__, __LINE__)

// A target's checks of one input, read through `in`; this header gives libFuzzer the entry point.
void fuzzOne(FuzzedDataProvider &in);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    fuzzOne(in);
    return 0;
}
