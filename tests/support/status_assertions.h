// Assertion helpers shared by the file-system and module tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/platform/file_system.h"
#include "core/status.h"

namespace lumora::test {

// EXPECT_TRUE(Ok(status)) prints the status message when it fails.
inline ::testing::AssertionResult Ok(const Status& s) {
  if (s.ok()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << s.message();
}

// The bytes a mapping shows.
inline std::string Bytes(const MappedFile& view) {
  return std::string(reinterpret_cast<const char*>(view.data()), view.size());
}

}  // namespace lumora::test
