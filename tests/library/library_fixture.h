// Tests on the sample library built from Debian's packages. They skip when
// LUMORA_LIBRARY does not name a built library folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace lumora::test {

inline std::string SampleLibraryFolder() {
  const char* env = std::getenv("LUMORA_LIBRARY");
  if (env == nullptr || *env == '\0') return {};
  if (!std::filesystem::exists(std::filesystem::path(env) / "Bibles" / "KJV.lmb")) return {};
  return env;
}

#define LUMORA_REQUIRE_LIBRARY(folder)                                              \
  const std::string folder = ::lumora::test::SampleLibraryFolder();                 \
  if (folder.empty()) GTEST_SKIP() << "sample library not built (set LUMORA_LIBRARY)"

}  // namespace lumora::test
