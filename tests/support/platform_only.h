// Marks for tests that only make sense on one system. The same sources build
// on Linux and for Windows; on the other system such a test reports itself as
// skipped, with the reason, instead of silently not existing.
#pragma once

#include <gtest/gtest.h>

namespace lumora::test {

#ifdef _WIN32
inline constexpr bool kOnWindows = true;
#else
inline constexpr bool kOnWindows = false;
#endif

}  // namespace lumora::test

// First statement of a test (or of SetUp) that needs Windows semantics.
#define LUMORA_WINDOWS_ONLY()                                        \
  do {                                                               \
    if (!::lumora::test::kOnWindows) GTEST_SKIP() << "Windows only"; \
  } while (0)

// First statement of a test (or of SetUp) that needs POSIX semantics.
#define LUMORA_POSIX_ONLY()                                       \
  do {                                                            \
    if (::lumora::test::kOnWindows) GTEST_SKIP() << "POSIX only"; \
  } while (0)
