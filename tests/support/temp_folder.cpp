#include "tests/support/temp_folder.h"

#include <filesystem>
#include <random>

#include "core/platform/file_system.h"

namespace lumora::test {

TempFolder::TempFolder() {
  std::random_device rd;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    auto candidate = base / ("lumora-test-" + std::to_string(rd()));
    if (std::filesystem::create_directory(candidate)) {
      // UTF-8, as the file system layer takes paths: string() would give
      // the ANSI code page on Windows.
      const std::u8string utf8 = candidate.u8string();
      path_.assign(utf8.begin(), utf8.end());
      return;
    }
  }
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(std::filesystem::path(std::u8string(path_.begin(), path_.end())), ec);
}

std::string TempFolder::File(const std::string& name) const { return JoinPath(path_, name); }

}  // namespace lumora::test
