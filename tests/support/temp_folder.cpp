#include "tests/support/temp_folder.h"

#include <filesystem>
#include <random>

namespace lumora::test {

TempFolder::TempFolder() {
  std::random_device rd;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    auto candidate = base / ("lumora-test-" + std::to_string(rd()));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate.string();
      return;
    }
  }
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TempFolder::File(const std::string& name) const {
  return (std::filesystem::path(path_) / name).string();
}

}  // namespace lumora::test
